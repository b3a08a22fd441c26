#include "gui/main/startup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPixmap>
#include <QSplashScreen>
#include <QStandardPaths>

#include <cstdio>
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

}  // namespace

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
  std::srand(std::random_device{}());
  QApplication appli(argc, argv);
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

  QStringList arguments = QCoreApplication::arguments();
  arguments.removeFirst();
  if (!arguments.isEmpty() && arguments.first() == "-anniv") {
    // Only the reminder, from its own file: no tree is opened and the
    // settings are not written. Without the file the run ends at once.
    (void)AfficherRappels(nullptr, app);
    app.traduction.LibereTraduction();
    return 0;
  }

  auto logo = Logo(app.dossiers);
  TScaWin fenetre(app);
  fenetre.Initialise(arguments);
  fenetre.show();
  if (logo) logo->finish(&fenetre);
  int code = appli.exec();
  app.traduction.LibereTraduction();
  return code;
}

}  // namespace kindrela
