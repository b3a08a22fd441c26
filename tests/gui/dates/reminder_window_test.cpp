// The reminder on the example tree: "Tout le monde" of the options page
// writes the file; on a day that is a person's birthday (a fixed clock) the
// reminder shows it among today's entries, as "kindrela -anniv" does, and
// a click closes it; the start-up entry follows its option.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "core/clock.h"
#include "core/ini_file.h"
#include "core/tree_file/tree_file_load.h"
#include "dates/dates.h"
#include "gui/analysis/options_calendar_page.h"
#include "gui/dates/reminder_window.h"
#include "gui_test_support.h"

using namespace kindrela;

class ReminderWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir maison;
  std::unique_ptr<TApplication> app;

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    app = test::Application(maison);
    app->reglages.ChargeReglages(FichierIni(), app->traduction, app->dossiers.programme);
    app->fetes.Charge(app->dossiers.fichierTableFetes);
    const std::string fichier = app->dossiers.mesArbres + "Standard.kdg";
    QFile::copy(QString(KINDRELA_SOURCE_DIR) + "/data/modele/1/exemple/Standard.kdg", VersQString(fichier));
    ResultatChargement r;
    QVERIFY(ChargeFichierArbre(*app->bd, fichier, {}, r).ok());
    app->bd->BaseChargee = 1;
    QDir().mkpath(VersQString(app->dossiers.paramUtilisateur));
  }
  void cleanupTestCase() { LibereAujourdhui(); }

  void todaysBirthdayIsShown() {
    // A person of the tree with a full birth date; today is that day in 2030.
    const TBD& bd = *app->bd;
    int personne = 0;
    ElementsDate naissance;
    for (int n = 1; n <= bd.NbreFiche() && !personne; ++n) {
      naissance = DateElements(bd.LitDateNaissance(n));
      if (bd.FicheUtilisee(n) && naissance.jour > 0 && naissance.mois > 0 && naissance.annee > 0 &&
          !(naissance.jour == 29 && naissance.mois == 2))
        personne = n;
    }
    QVERIFY(personne > 0);
    FixeAujourdhui(Jour{2030, naissance.mois, naissance.jour});

    QVERIFY(!RappelsExistent(*app));
    TPageOptionsAnniversaires page(*app);
    {
      test::Repondeur ok;
      page.findChild<QPushButton*>("bAFTous")->click();
      QTRY_COMPARE(ok.Nbre(), 1);
      QCOMPARE(ok.Texte(), VersQString("Le fichier est sauvegardé."_ansi));
    }
    QVERIFY(RappelsExistent(*app));

    const int age = 2030 - naissance.annee;
    const QString attendu = VersQString("Anniversaire de " + bd.NomCourt(personne) + " (" + std::to_string(age) +
                                        " an" + (age > 1 ? "s" : "") + ").");
    QStringList vus;
    bool ferme = false;
    QTimer::singleShot(0, [&] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* f = qobject_cast<TfmAnniFete*>(w);
        if (!f || !f->isVisible()) continue;
        vus = f->Textes();
        QTest::mouseClick(f->findChild<QLabel*>("lLigne0"), Qt::LeftButton);
        ferme = true;
      }
    });
    QVERIFY(AfficherRappels(nullptr, *app));
    QVERIFY(ferme);
    QCOMPARE(vus.value(0), VersQString(DateLongue(naissance.jour, naissance.mois, 2030)));
    const int aujourdhui = static_cast<int>(vus.indexOf("Aujourd'hui:"));
    QVERIFY(aujourdhui > 0);
    QVERIFY(vus.mid(aujourdhui).contains(attendu));
  }

  void startUpEntryFollowsItsOption() {
    TPageOptionsAnniversaires page(*app);
    auto* demarre = page.findChild<QCheckBox*>("cbAFDemarre");
    demarre->setChecked(true);
    page.Applique(app->reglages);
    QFile entree(FichierDemarrageRappels());
    QVERIFY(entree.open(QIODevice::ReadOnly));
    QVERIFY(entree.readAll().contains(" -anniv\n"));
    entree.close();
    QVERIFY(app->reglages.Bool(kSectionOptions, "AFDemarre"));
    demarre->setChecked(false);
    page.Applique(app->reglages);
    QVERIFY(!QFileInfo::exists(FichierDemarrageRappels()));
  }
};

QTEST_MAIN(ReminderWindowTest)
#include "reminder_window_test.moc"
