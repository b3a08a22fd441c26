#include "gui/main/startup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QPixmap>
#include <QSplashScreen>
#include <QStandardPaths>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <random>

#include "core/identity.h"
#include "gui/main/application.h"
#include "gui/main/main_window.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/dates/reminder_window.h"
#include "gui/i18n/qt_translations.h"

namespace kindrela {
namespace {

QString AvecSlash(QString dossier) {
  if (!dossier.isEmpty() && !dossier.endsWith('/')) dossier += '/';
  return dossier;
}

std::string Ansi(const QString& chemin) { return DepuisQString(chemin); }

// The splash picture of the skin, shown while the windows are created.
std::unique_ptr<QSplashScreen> Logo(const TDossiers& dossiers) {
  QPixmap image(VersQString(dossiers.skin + "logo.bmp"));
  if (image.isNull()) return nullptr;
  auto ecran = std::make_unique<QSplashScreen>(image);
  ecran->show();
  QCoreApplication::processEvents();
  return ecran;
}

// Started at the program's entry; read only when $KINDRELA_CHRONO is set.
QElapsedTimer& ChronoDemarrage() {
  static QElapsedTimer chrono;
  return chrono;
}

// Milliseconds from the process's creation to now (the loading of the
// shared libraries before the entry included), from Linux's /proc; 0 when
// unknown. Precise to the clock tick (10 ms).
long long DepuisLancement() {
  std::FILE* stat = std::fopen("/proc/self/stat", "r");
  std::FILE* uptime = std::fopen("/proc/uptime", "r");
  long long ms = 0;
  char ligne[1024] = {};
  double secondes = 0;
  if (stat && uptime && std::fgets(ligne, sizeof ligne, stat) && std::fscanf(uptime, "%lf", &secondes) == 1) {
    // The 22nd field, the start time in clock ticks, counts after the
    // command name's closing parenthesis (field 2).
    const char* p = std::strrchr(ligne, ')');
    unsigned long long depart = 0;
    if (p && std::sscanf(p + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u %*u %*d %*d %*d %*d %*d %*d %llu",
                         &depart) == 1) {
      const long ticks = sysconf(_SC_CLK_TCK);
      if (ticks > 0) ms = static_cast<long long>(secondes * 1000) - static_cast<long long>(depart * 1000 / ticks);
    }
  }
  if (stat) std::fclose(stat);
  if (uptime) std::fclose(uptime);
  return ms > 0 ? ms : 0;
}

long long& DebutAvantEntree() {
  static long long ms = 0;
  return ms;
}

}  // namespace

void MarqueDemarrage(const char* etape) {
  static const bool actif = qEnvironmentVariableIsSet("KINDRELA_CHRONO");
  if (!actif) return;
  std::fprintf(stderr, "kindrela: %lld ms %s\n",
               DebutAvantEntree() + static_cast<long long>(ChronoDemarrage().elapsed()), etape);
}

bool QuitteApresAffichage() { return qEnvironmentVariable("KINDRELA_CHRONO") == "quitte"; }

QString DossierProgramme() {
  QString force = qEnvironmentVariable("KINDRELA_DOSSIER");
  if (!force.isEmpty()) return AvecSlash(QDir(force).absolutePath());
  QString exe = QCoreApplication::applicationDirPath();
  for (const QString& candidat : {exe, exe + "/../share/kindrela"}) {
    if (QFileInfo(candidat + "/modele").isDir()) return AvecSlash(QDir(candidat).canonicalPath());
  }
  return AvecSlash(exe);
}

void MessageDemarrage(const QString& texte) {
  std::fprintf(stderr, "%s\n", texte.toLocal8Bit().constData());
  if (qEnvironmentVariable("KINDRELA_MESSAGES") == "stderr") return;
  QMessageBox boite;
  boite.setWindowTitle(TitreApplication());
  boite.setText(texte);
  boite.exec();
}

int LanceProgramme(int argc, char** argv) {
  ChronoDemarrage().start();
  if (qEnvironmentVariableIsSet("KINDRELA_CHRONO")) DebutAvantEntree() = DepuisLancement();
  MarqueDemarrage("entree");
  std::srand(std::random_device{}());
  QApplication appli(argc, argv);
  MarqueDemarrage("application");
  QApplication::setApplicationName(QString::fromLatin1(kNomProduit.data(), kNomProduit.size()));
  QApplication::setOrganizationName(QString::fromLatin1(kEditeur.data(), kEditeur.size()));

  TApplication app;
  const std::string programme = Ansi(DossierProgramme());
  if (Statut s = ControleTraduction(programme); !s.ok()) {
    MessageDemarrage(VersQString(s.message()));
    return 1;
  }
  app.traduction.ChargeTraduction(kCheminTraduction, programme);
  if (Statut s = ChargeIniProgramme(programme, app.ini); !s.ok()) {
    MessageDemarrage(VersQString(s.message()));
    app.traduction.LibereTraduction();
    return 1;
  }
  AppliqueIniProgramme(app.ini, app.traduction);
  MarqueDemarrage("traduction");
  // Qt's own dialogs and buttons speak the interface language too.
  ChargeTraductionsQt(appli, app.traduction);

  TDossiersSysteme systeme;
  systeme.programme = programme;
  systeme.personal = Ansi(AvecSlash(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
  systeme.appData = Ansi(AvecSlash(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
  systeme.maison = Ansi(AvecSlash(QDir::homePath()));
  if (Statut s = InitDossiers(systeme, app.ini.langue, app.ini.skin, app.traduction, app.dossiers);
      !s.ok()) {
    MessageDemarrage(VersQString(s.message()));
    app.traduction.LibereTraduction();
    return 1;
  }

  MarqueDemarrage("dossiers");
  QStringList arguments = QCoreApplication::arguments();
  arguments.removeFirst();
  if (!arguments.isEmpty() && arguments.first() == "-anniv") {
    // Only the reminder, from its own file: no tree is opened and the
    // settings are not written. Without the file the run ends at once.
    (void)AfficherRappels(nullptr, app);
    app.traduction.LibereTraduction();
    return 0;
  }

  int code = 0;
  {
    auto logo = Logo(app.dossiers);
    TScaWin fenetre(app);
    MarqueDemarrage("fenetres");
    fenetre.Initialise(arguments);
    MarqueDemarrage("reglages");
    fenetre.show();
    if (logo) logo->finish(&fenetre);
    code = appli.exec();
    MarqueDemarrage("fin de la boucle");
  }
  MarqueDemarrage("fenetres fermees");
  app.traduction.LibereTraduction();
  return code;
}

}  // namespace kindrela
