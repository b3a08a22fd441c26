// The record page of the options window: every control shows its setting
// and "&Fermer" stores it; the postcode program's option stays off while
// the program is missing.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "core/ini_file.h"
#include "gui/analysis/options_window.h"
#include "gui_test_support.h"

using namespace kindrela;

class OptionsRecordPageTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void controlsShowAndStoreTheSettings() {
    QTemporaryDir maison;
    auto app = test::Application(maison);
    TReglages& r = app->reglages;
    r.ChargeReglages(FichierIni(), app->traduction, app->dossiers.programme);
    const std::string_view O = kSectionOptions;
    TfmOptions fenetre(*app);
    fenetre.AffichePage(kPageFiche);
    QCOMPARE(fenetre.findChild<QListWidget*>("lbPages")->currentItem()->text(), QString("Fiche"));
    auto* nomMaj = fenetre.findChild<QCheckBox*>("cbNomMaj");
    auto* titre = fenetre.findChild<QLineEdit*>("eFicheTitre");
    auto* lokaro = fenetre.findChild<QCheckBox*>("cbLokaro");
    QVERIFY(nomMaj->isChecked());
    QCOMPARE(titre->text(), VersQString(r.Texte(O, "FicheTitre")));
    QVERIFY(!lokaro->isEnabled());
    nomMaj->setChecked(false);
    fenetre.findChild<QCheckBox*>("cbLienAuto")->setChecked(true);
    fenetre.findChild<QSpinBox*>("seSaisieNom")->setValue(40);
    fenetre.findChild<QComboBox*>("cbSaisieLieu")->setCurrentIndex(4);
    titre->setText("<nom>");
    fenetre.findChild<QPushButton*>("btFermer")->click();
    QVERIFY(!r.Bool(O, "NomMaj"));
    QVERIFY(r.Bool(O, "LienAuto"));
    QCOMPARE(r.Entier(O, "SaisieNomNbre"), 40);
    QCOMPARE(r.Entier(O, "SaisieLieu"), 4);
    QCOMPARE(r.Texte(O, "FicheTitre"), std::string("<nom>"));
    // The postcode option the user cannot see stays as it was.
    QVERIFY(r.Bool(O, "Lokaro"));
  }
};

QTEST_MAIN(OptionsRecordPageTest)
#include "options_record_page_test.moc"
