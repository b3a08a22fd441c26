// The place conversion window driven as a user would: columns dragged in the
// grid's header, then "&Convertir", checked against the tree's places.
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include "core/database.h"
#include "gui/common/qt_text.h"
#include "dates/places.h"
#include "gui/dates/place_convert.h"
#include "i18n/translation.h"

using namespace kindrela;

namespace {

// One person carrying one event per place (empty places included).
void AjoutePlaces(TBD& bd, const std::vector<std::string>& lieux) {
  int n = bd.NouvelleFiche();
  for (const auto& lieu : lieux) {
    int e = bd.AjouteEveFiche(n);
    bd.EcritChampEve(e, 1, "Naissance");
    bd.EcritChampEve(e, 4, lieu);
  }
  bd.BaseModifiee = 0;
}

std::vector<std::string> Lieux(const TBD& bd) {
  std::vector<std::string> lieux;
  for (int e = 1; e <= bd.NbreEve(); ++e)
    if (bd.EveUtilise(e)) lieux.push_back(bd.Eve(e).Lieu.str());
  return lieux;
}

QString TexteVisuel(const QTableWidget* sg, int ligne, int visuel) {
  return sg->item(ligne, sg->horizontalHeader()->logicalIndex(visuel))->text();
}

QString Titre(const QTableWidget* sg, int visuel) {
  return sg->horizontalHeaderItem(sg->horizontalHeader()->logicalIndex(visuel))->text();
}

// Every column back in its own place, whatever the window proposed.
void Identite(QTableWidget* sg) {
  QHeaderView* entete = sg->horizontalHeader();
  for (int v = 0; v < 6; ++v) entete->moveSection(entete->visualIndex(v), v);
}

// Old texts written commune first: "Paris,75001,France". Dragging puts the
// country (field 3) under "Pays", the postcode (2) under "Département" and
// the commune (1) under "Commune"; the empty field 4 lands under "Région".
void RangeCommuneDepartementPays(QTableWidget* sg) {
  Identite(sg);
  QHeaderView* entete = sg->horizontalHeader();
  entete->moveSection(2, 0);  // 3 1 2 4 5 6
  entete->moveSection(3, 1);  // 3 4 1 2 5 6
  entete->moveSection(3, 2);  // 3 4 2 1 5 6
}

}  // namespace

class PlaceConvertTest : public QObject {
  Q_OBJECT

 private slots:
  void previewTitlesAndNumbersFollowTheMovedColumns() {
    TBD bd;
    std::vector<std::string> lieux = {"", "Paris, 75001 ,France"};
    for (int i = 0; i < 120; ++i) lieux.push_back("Lieu" + std::to_string(i));
    AjoutePlaces(bd, lieux);
    TTraduction trad;
    TfmLieuConvert fenetre(bd, trad);
    auto* sg = fenetre.findChild<QTableWidget*>("sg");
    // The first 99 non-empty places, then the number row.
    QCOMPARE(sg->rowCount(), 100);
    QCOMPARE(fenetre.LigneNumeros(), 99);
    QCOMPARE(sg->item(0, 1)->text(), QString("75001"));
    QCOMPARE(sg->item(98, 0)->text(), QString("Lieu97"));
    RangeCommuneDepartementPays(sg);
    QStringList titres, numeros;
    for (int v = 0; v < 6; ++v) {
      titres << Titre(sg, v);
      numeros << TexteVisuel(sg, 99, v);
    }
    QCOMPARE(titres, (QStringList{"Pays", QString::fromUtf8("Région"), QString::fromUtf8("Département"),
                                  "Commune", "Lieux-dit", "Autre"}));
    QCOMPARE(numeros, (QStringList{"3", "4", "2", "1", "5", "6"}));
    QCOMPARE(TexteVisuel(sg, 0, 0), QString("France"));  // the data moved with its number
    QCOMPARE(fenetre.Colonnes(), (std::array<int, 6>{3, 4, 2, 1, 5, 6}));
    // A number cell that does not hold 1..6 counts as field 1.
    sg->item(99, sg->horizontalHeader()->logicalIndex(4))->setText("x");
    sg->item(99, sg->horizontalHeader()->logicalIndex(5))->setText("9");
    QCOMPARE(fenetre.Colonnes(), (std::array<int, 6>{3, 4, 2, 1, 1, 1}));
    // Any title may land over any column: none may be clipped.
    QFontMetrics mesure(sg->horizontalHeader()->font());
    for (int c = 0; c < 5; ++c)  // the last one stretches
      QVERIFY(sg->columnWidth(c) > mesure.horizontalAdvance(QString::fromUtf8("Département")));
  }

  void keyboardMovesTheCurrentColumn() {
    TBD bd;
    AjoutePlaces(bd, {"Paris,75001,France"});
    TTraduction trad;
    TfmLieuConvert fenetre(bd, trad);
    fenetre.show();
    auto* sg = fenetre.findChild<QTableWidget*>("sg");
    Identite(sg);
    sg->setCurrentCell(0, 2);  // "France", field 3
    for (int i = 0; i < 3; ++i) QTest::keyClick(sg, Qt::Key_Left, Qt::ControlModifier);  // stops first
    QCOMPARE(fenetre.Colonnes(), (std::array<int, 6>{3, 1, 2, 4, 5, 6}));
    sg->setCurrentCell(0, 3);
    QTest::keyClick(sg, Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(fenetre.Colonnes(), (std::array<int, 6>{3, 1, 2, 5, 4, 6}));
  }

  // The window starts from what the places look like: a GEDCOM file's
  // "town, county, country" puts the town under "Commune" and, without a
  // French place, does not make every place French.
  void startsFromTheShapeOfThePlaces_data() {
    QTest::addColumn<QStringList>("lieux");
    QTest::addColumn<QString>("commune");
    QTest::addColumn<QString>("pays");
    QTest::addColumn<bool>("france");
    QTest::newRow("GEDCOM, abroad") << QStringList{"Aberdeen, Aberdeenshire, Scotland", "Leeds, Yorkshire, England"}
                                    << "Aberdeen" << "Scotland" << false;
    QTest::newRow("GEDCOM, France") << QStringList{"Quimper, 29, France"} << "Quimper" << "France" << true;
    QTest::newRow("written by the program") << QStringList{"FRA,IDF,F75,Paris", "F,44,Nantes"} << "Paris"
                                            << "FRA" << true;
  }
  void startsFromTheShapeOfThePlaces() {
    QFETCH(QStringList, lieux);
    QFETCH(QString, commune);
    QFETCH(QString, pays);
    QFETCH(bool, france);
    TBD bd;
    std::vector<std::string> textes;
    for (const QString& l : lieux) textes.push_back(DepuisQString(l));
    AjoutePlaces(bd, textes);
    TTraduction trad;
    TfmLieuConvert fenetre(bd, trad);
    auto* sg = fenetre.findChild<QTableWidget*>("sg");
    QCOMPARE(Titre(sg, 0), QString("Pays"));
    QCOMPARE(TexteVisuel(sg, 0, 0), pays);
    QCOMPARE(Titre(sg, 3), QString("Commune"));
    QCOMPARE(TexteVisuel(sg, 0, 3), commune);
    QCOMPARE(fenetre.findChild<QCheckBox*>("cbFrance")->isChecked(), france);
    QCOMPARE(fenetre.Options().franceParDefaut, france);
  }

  void convertRewritesEveryPlace_data() {
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<bool>("normaliser");
    QTest::addColumn<bool>("france");
    QTest::addColumn<QStringList>("attendus");
    const QString convertir = "btConvertir";
    QTest::newRow("normalised, France by default") << convertir << true << true
        << QStringList{"FRA,IDF,F75,001 Paris", "FRA,RAL,F69,Lyon", "FRA,PCA,F05,Gap", "", "GB,,,Londres"};
    QTest::newRow("normalised, country left empty") << convertir << true << false
        << QStringList{"FRA,IDF,F75,001 Paris", "FRA,RAL,F69,Lyon", ",,05,Gap", "", "GB,,,Londres"};
    QTest::newRow("fields moved only") << convertir << false << false
        << QStringList{"France,,75001,Paris", "F,,69,Lyon", ",,05,Gap", "", "GB,,,Londres"};
    QTest::newRow("declined") << "btNePasConvertir" << true << true
        << QStringList{"Paris,75001,France", "Lyon, 69 ,F", "Gap,05", "", "Londres,,GB"};
  }

  void convertRewritesEveryPlace() {
    QFETCH(QString, bouton);
    QFETCH(bool, normaliser);
    QFETCH(bool, france);
    QFETCH(QStringList, attendus);
    TBD bd;
    AjoutePlaces(bd, {"Paris,75001,France", "Lyon, 69 ,F", "Gap,05", "", "Londres,,GB"});
    TTraduction trad;
    TfmLieuConvert fenetre(bd, trad);
    fenetre.show();
    RangeCommuneDepartementPays(fenetre.findChild<QTableWidget*>("sg"));
    auto* cbNormaliser = fenetre.findChild<QCheckBox*>("cbNormaliser");
    auto* cbFrance = fenetre.findChild<QCheckBox*>("cbFrance");
    if (cbNormaliser->isChecked() != normaliser) QTest::keyClick(cbNormaliser, Qt::Key_Space);
    if (cbFrance->isChecked() != france) QTest::keyClick(cbFrance, Qt::Key_Space);
    QCOMPARE(fenetre.Options().normaliser, normaliser);
    QCOMPARE(fenetre.Options().franceParDefaut, france);
    QTest::mouseClick(fenetre.findChild<QPushButton*>(bouton), Qt::LeftButton);
    bool converti = bouton == "btConvertir";
    QCOMPARE(fenetre.result(), int(converti ? QDialog::Accepted : QDialog::Rejected));
    QVERIFY(!fenetre.isVisible());
    QStringList obtenus;
    for (const auto& l : Lieux(bd)) obtenus << VersQString(l);
    QCOMPARE(obtenus, attendus);
    QCOMPARE(int(bd.BaseModifiee), converti ? 1 : 0);
    QCOMPARE(fenetre.NbreModifies(), converti ? 4 : 0);
  }

  // Stopping half way must not leave some places converted and others not:
  // a later conversion would then move the fields of the converted ones again.
  void stoppingUnderWayPutsEveryPlaceBack() {
    TBD bd;
    std::vector<std::string> lieux;
    for (int i = 0; i < 400; ++i) lieux.push_back("Commune" + std::to_string(i) + ",75001,F");
    AjoutePlaces(bd, lieux);
    TTraduction trad;
    TfmLieuConvert fenetre(bd, trad);
    fenetre.show();
    RangeCommuneDepartementPays(fenetre.findChild<QTableWidget*>("sg"));
    // Escape arrives while the first progress step lets events through.
    QTimer::singleShot(0, &fenetre, [&] { QTest::keyClick(&fenetre, Qt::Key_Escape); });
    fenetre.Convertit();
    QCOMPARE(fenetre.result(), int(QDialog::Rejected));
    QCOMPARE(Lieux(bd), lieux);
    QCOMPARE(int(bd.BaseModifiee), 0);
    QCOMPARE(fenetre.NbreModifies(), 0);
  }

  void translationFileGivesTheEnglishTexts() {
    TTraduction trad;
    QVERIFY(trad.ChargeTraduction(std::string(KINDRELA_SOURCE_DIR) + "/data/modele/famora.tra"));
    trad.Langue = 2;
    TBD bd;
    TfmLieuConvert fenetre(bd, trad);
    QCOMPARE(fenetre.windowTitle(), QString("Place conversion"));
    QCOMPARE(fenetre.findChild<QPushButton*>("btConvertir")->text(), QString("&Convert"));
    for (auto* l : fenetre.findChildren<QLabel*>())
      QVERIFY2(!l->text().contains(QChar(0xE9)), qPrintable(l->objectName() + " left in French"));
  }
};

QTEST_MAIN(PlaceConvertTest)
#include "place_convert_test.moc"
