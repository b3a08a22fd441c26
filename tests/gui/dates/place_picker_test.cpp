// The place picker over the place lists shipped with the program.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/common/qt_text.h"
#include "dates/places.h"
#include "gui/dates/place_picker.h"
#include "i18n/translation.h"

using namespace kindrela;

namespace {

const std::string kDossierFrancais = std::string(KINDRELA_SOURCE_DIR) + "/data/modele/1/lieu/";
const QString kEcully = QString::fromUtf8("FRA,RAL,F69,130 Écully");

QComboBox* Listes(TfmLieuV3& f) { return f.findChild<QComboBox*>("cbLieu"); }
QLineEdit* Filtre(TfmLieuV3& f) { return f.findChild<QLineEdit*>("edFiltre"); }
QListView* Vue(TfmLieuV3& f) { return f.findChild<QListView*>("lbLieu"); }

void ChoisitListe(TfmLieuV3& f, const QString& nom) {
  int i = Listes(f)->findText(nom);
  QVERIFY(i >= 0);
  Listes(f)->setCurrentIndex(i);
}

// A click on the row showing `texte`, as the user does it.
void CliqueLigne(TfmLieuV3& f, const QString& texte, bool doubleClic = false) {
  QListView* vue = Vue(f);
  QModelIndexList trouves = vue->model()->match(vue->model()->index(0, 0), Qt::DisplayRole, texte, 1,
                                                Qt::MatchExactly);
  QVERIFY2(!trouves.isEmpty(), qPrintable(texte));
  vue->scrollTo(trouves[0]);
  QPoint centre = vue->visualRect(trouves[0]).center();
  QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, centre);
  if (doubleClic) QTest::mouseDClick(vue->viewport(), Qt::LeftButton, {}, centre);
}

}  // namespace

class PlacePickerTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheShippedListsSortedAndLoadsTheFirst() {
    TTraduction trad;
    TfmLieuV3 f(kDossierFrancais, "", trad);
    QCOMPARE(f.windowTitle(), QString("Liste des lieux"));
    QCOMPARE(Listes(f)->count(), 3);
    QCOMPARE(Listes(f)->itemText(0), QString("Communes"));
    QCOMPARE(Listes(f)->itemText(2), QString("Regions"));
    QCOMPARE(Listes(f)->currentIndex(), 0);
    QStringList lignes = f.LignesAffichees();
    QCOMPARE(lignes.size(), qsizetype(LitListeDeLieux(kDossierFrancais, "Communes").size()));
    QVERIFY(lignes.size() > 30000);
    QVERIFY(lignes.contains(kEcully));
    ChoisitListe(f, "Regions");
    QCOMPARE(f.LignesAffichees().size(), 22);
    QCOMPARE(f.LignesAffichees().first(), QString("FRA,ALS"));
  }

  // Every typed word must appear, whatever its case and accents.
  void filterNarrowsTheList_data() {
    QTest::addColumn<QString>("saisie");
    QTest::addColumn<QStringList>("mots");  // each line shown holds them all
    QTest::addColumn<int>("nombre");        // -1: any number above 0
    QTest::newRow("accents and case ignored") << "ECULLY" << QStringList{kEcully} << 1;
    QTest::newRow("several words") << "lyon f69" << QStringList{"Lyon", "F69"} << -1;
    QTest::newRow("nothing matches") << "zzqx" << QStringList{} << 0;
  }

  void filterNarrowsTheList() {
    QFETCH(QString, saisie);
    QFETCH(QStringList, mots);
    QFETCH(int, nombre);
    TTraduction trad;
    TfmLieuV3 f(kDossierFrancais, "", trad);
    qsizetype tout = f.LignesAffichees().size();
    QTest::keyClicks(Filtre(f), saisie);
    QStringList lignes = f.LignesAffichees();
    QVERIFY(nombre < 0 ? !lignes.isEmpty() : lignes.size() == nombre);
    for (const QString& l : lignes)
      for (const QString& m : mots) QVERIFY2(l.contains(m), qPrintable(l));
    Filtre(f)->clear();
    QCOMPARE(f.LignesAffichees().size(), tout);
  }

  // Typing selects the first match, the arrows move from the filter, Enter accepts.
  void keyboardAlone() {
    TTraduction trad;
    TfmLieuV3 f(kDossierFrancais, "ancien", trad);
    f.show();
    ChoisitListe(f, "Regions");
    QTest::keyClicks(Filtre(f), "FRA,");
    QCOMPARE(Vue(f)->currentIndex().data().toString(), QString("FRA,ALS"));
    QTest::keyClick(Filtre(f), Qt::Key_Down);
    QTest::keyClick(Filtre(f), Qt::Key_Down);
    QTest::keyClick(Filtre(f), Qt::Key_Return);
    QCOMPARE(f.result(), int(QDialog::Accepted));
    QCOMPARE(VersQString(f.Lieu()), QString("FRA,AUV"));
  }

  void clickedLineComesBackOnOkOnly() {
    TTraduction trad;
    for (const char* bouton : {"btOK", "btAnnuler", ""}) {
      TfmLieuV3 f(kDossierFrancais, "Paris", trad);
      f.show();
      ChoisitListe(f, "Departements");
      CliqueLigne(f, "FRA,IDF,F75", !*bouton);
      if (*bouton) QTest::mouseClick(f.findChild<QPushButton*>(bouton), Qt::LeftButton);
      QVERIFY(!f.isVisible());
      QCOMPARE(f.Lieu(), std::string(std::string(bouton) == "btAnnuler" ? "Paris" : "FRA,IDF,F75"));
    }
  }

  void currentPlaceFoundInTheListIsSelected() {
    TTraduction trad;
    TfmLieuV3 f(kDossierFrancais, DepuisQString(kEcully), trad);
    QCOMPARE(Vue(f)->currentIndex().data().toString(), kEcully);
    // Another list does not hold it: nothing selected, OK keeps it.
    ChoisitListe(f, "Regions");
    QVERIFY(Vue(f)->selectionModel()->selectedIndexes().isEmpty());
    f.accept();
    QCOMPARE(VersQString(f.Lieu()), kEcully);
  }

  void missingOrEmptyFolderGivesAnEmptyPicker() {
    QTemporaryDir vide;
    TTraduction trad;
    for (const std::string& dossier : {vide.path().toStdString(), vide.path().toStdString() + "/absent"}) {
      TfmLieuV3 f(dossier, "Ici", trad);
      QCOMPARE(Listes(f)->count(), 0);
      QVERIFY(f.LignesAffichees().isEmpty());
      QTest::keyClicks(Filtre(f), "a");
      f.accept();
      QCOMPARE(f.Lieu(), std::string("Ici"));
    }
  }

  void translationFileGivesTheEnglishTexts() {
    TTraduction trad;
    QVERIFY(trad.ChargeTraduction(std::string(KINDRELA_SOURCE_DIR) + "/data/modele/famora.tra"));
    trad.Langue = 2;
    TfmLieuV3 f(std::string(KINDRELA_SOURCE_DIR) + "/data/modele/2/lieu/", "", trad);
    QCOMPARE(f.windowTitle(), QString("List of places"));
    QCOMPARE(f.findChild<QPushButton*>("btAnnuler")->text(), QString("&Cancel"));
    QCOMPARE(f.findChild<QLabel*>("lbFiltre")->text(), QString("&Find:"));
    QCOMPARE(Listes(f)->itemText(0), QString("Departments"));
  }
};

QTEST_MAIN(PlacePickerTest)
#include "place_picker_test.moc"
