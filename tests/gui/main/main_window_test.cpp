// The main window's start and close against the real installation data.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include "core/identity.h"
#include "gui/main/application.h"
#include "gui/main/main_window.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "gui/common/qt_text.h"

using namespace kindrela;

class MainWindowTest : public QObject {
  Q_OBJECT

  // A run's state over the installation data of the source tree, with the
  // user's folders in a temporary folder.
  std::unique_ptr<TApplication> Application(const QTemporaryDir& maison) {
    auto app = std::make_unique<TApplication>();
    std::string programme = std::string(KINDRELA_SOURCE_DIR) + "/data/";
    [&] { QVERIFY(ControleTraduction(programme).ok()); }();
    app->traduction.ChargeTraduction(kCheminTraduction, programme);
    [&] { QVERIFY(ChargeIniProgramme(programme, app->ini).ok()); }();
    AppliqueIniProgramme(app->ini, app->traduction);
    TDossiersSysteme systeme;
    systeme.programme = programme;
    systeme.personal = maison.path().toStdString() + "/Documents/";
    systeme.appData = maison.path().toStdString() + "/config/";
    systeme.maison = maison.path().toStdString() + "/";
    Statut s = InitDossiers(systeme, app->ini.langue, app->ini.skin, app->traduction, app->dossiers);
    [&] { QVERIFY2(s.ok(), s.message().c_str()); }();
    return app;
  }

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void firstRunCoversTheWorkAreaAndWritesTheSettingsOnClose() {
    QTemporaryDir maison;
    auto app = Application(maison);
    {
      TScaWin fenetre(*app);
      fenetre.Initialise();
      QCOMPARE(fenetre.windowTitle(), QString("Kindrela 2008-01-06 -"));
      QCOMPARE(fenetre.objectName(), QString("ScaWin"));
      // The whole work area, its frame and title bar included: maximised.
      QVERIFY(fenetre.windowState() & Qt::WindowMaximized);
      QRect zone = QGuiApplication::primaryScreen()->availableGeometry();
      QVERIFY(zone.contains(fenetre.frameGeometry()));
      QVERIFY(QDir(VersQString(app->dossiers.mesArbres)).exists());
      QVERIFY(!app->styleCss.empty());
      QVERIFY(!app->fetes.Fete(12, 27).empty());
      QCOMPARE(VersQString(app->bd->NatNaissance), QString("Naissance"));
      QCOMPARE(VersQString(app->bd->NatDeces), QString::fromUtf8("Décès"));
      fenetre.show();
      QTRY_VERIFY(fenetre.isMaximized());
      fenetre.showNormal();
      fenetre.setGeometry(50, 60, 700, 500);
      fenetre.close();
    }
    FichierIni ini(app->dossiers.fichierReglages);
    QVERIFY(ini.FichierLu());
    QCOMPARE(ini.LitEntier("gene\\fenetre", "kindrW", 0), 700);
    QCOMPARE(ini.LitEntier("gene\\fenetre", "kindrH", 0), 500);
    QCOMPARE(ini.LitEntier("gene\\Options", "AgeDecesMax", 0), 110);
    QVERIFY(!ini.CleExiste("gene\\Options", "Couleur"));
  }

  void maximisedWindowComesBackMaximised() {
    QTemporaryDir maison;
    auto app = Application(maison);
    {
      TScaWin fenetre(*app);
      fenetre.Initialise();
      fenetre.show();
      QTRY_VERIFY(fenetre.isMaximized());
      fenetre.close();
    }
    FichierIni ini(app->dossiers.fichierReglages);
    QCOMPARE(ini.LitEntier("gene\\fenetre", "kindrL", 0), -999);
    TScaWin encore(*app);
    encore.Initialise();
    QVERIFY(encore.windowState() & Qt::WindowMaximized);
  }

  void savedBoundsComeBackAtTheNextStart() {
    QTemporaryDir maison;
    auto app = Application(maison);
    QDir().mkpath(VersQString(app->dossiers.paramUtilisateur));
    FichierIni ini(app->dossiers.fichierReglages);
    ini.EcritEntier("gene\\fenetre", "kindrL", 30);
    ini.EcritEntier("gene\\fenetre", "kindrT", 40);
    ini.EcritEntier("gene\\fenetre", "kindrW", 100);  // below the minimum
    ini.EcritEntier("gene\\fenetre", "kindrH", 450);
    ini.EcritTexte("Inconnue", "cle", "garde");
    QVERIFY(ini.Enregistre().ok());
    {
      TScaWin fenetre(*app);
      fenetre.Initialise();
      QCOMPARE(fenetre.geometry(), QRect(30, 40, 400, 450));
      fenetre.close();
    }
    QCOMPARE(FichierIni(app->dossiers.fichierReglages).LitTexte("Inconnue", "cle"), std::string("garde"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
