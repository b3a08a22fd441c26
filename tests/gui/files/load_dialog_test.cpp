// The load dialog driven as a user does: preview, options, "&Charger".
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QtTest>

#include "core/file_io.h"
#include "core/ansi_literal.h"
#include "core/tree_file/tree_file_writer.h"
#include "gui/files/load_dialog.h"
#include "gui/common/radio_group.h"
#include "gui_test_support.h"

using namespace kindrela;
using namespace kindrela::test;

namespace {

// One value of the value stream: 16-bit little-endian length, then the bytes.
QByteArray Valeur(const QByteArray& texte) {
  QByteArray v;
  v.append(static_cast<char>(texte.size() & 0xFF));
  v.append(static_cast<char>(texte.size() >> 8));
  return v + texte;
}

// A version-98 tree holding one person, MERGE Paul.
QByteArray Arbre98() {
  QByteArray o;
  for (const char* v : {"KINDRELA 98.10.05", "1/2/1998", "3/4/1998", "1", "0", "0", "1", "1", "", ""})
    o += Valeur(v);
  for (int code = 1; code <= 22; ++code)
    o += Valeur(code == 1 ? "H" : code == 2 ? "MERGE" : code == 3 ? "Paul" : "");
  o += Valeur("");  // title
  return o;
}

// A GEDCOM file in UTF-8 with a byte-order mark and an accented header note.
QByteArray GedcomUtf8(int personnes = 1) {
  QByteArray g = "\xEF\xBB\xBF";
  g += "0 HEAD\r\n1 SOUR Essai\r\n2 VERS 4.2\r\n2 CORP Atelier\r\n1 DATE 2 JAN 2020\r\n"
       "1 GEDC\r\n2 VERS 5.5\r\n1 CHAR UTF-8\r\n1 LANG French\r\n";
  g += QString::fromUtf8("1 NOTE Café\r\n").toUtf8();
  for (int i = 1; i <= personnes; ++i) {
    g += "0 @I" + QByteArray::number(i) + "@ INDI\r\n";
    g += QString::fromUtf8("1 NAME Zoé%1 /Dupré/\r\n1 SEX F\r\n").arg(i == 1 ? QString() : QString::number(i)).toUtf8();
  }
  g += "0 TRLR\r\n";
  return g;
}

}  // namespace

class LoadDialogTest : public QObject {
  Q_OBJECT

  QTemporaryDir m_maison;
  std::unique_ptr<TApplication> m_app;

  std::string Chemin(const char* nom) { return DepuisQString(m_maison.filePath(nom)); }

  // The tree of ArbreExemple written as `nom`, the selection on person 3.
  std::string ArbreEcrit(const char* nom) {
    TBD bd;
    ArbreExemple(bd);
    bd.RefPers = 2;
    bd.DateCreeBase = "5/3/98";
    std::string chemin = Chemin(nom);
    Statut s = EcritBase(bd, chemin, EnteteArbre{3, "Look"});
    [&] { QVERIFY2(s.ok(), s.message().c_str()); }();
    return chemin;
  }

  template <typename W>
  W* Controle(QWidget* f, const char* nom) {
    W* w = f->findChild<W*>(nom);
    [&] { QVERIFY2(w, nom); }();
    return w;
  }

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  void init() { m_app = Application(m_maison); }

  void kdgIsPreviewedThenLoaded() {
    const std::string chemin = ArbreEcrit("famille.kdg");
    m_app->bd->BaseModifiee = 1;  // left over from the tree before
    TfmIOCharge dlg(*m_app);
    QVERIFY(dlg.Prepare(chemin, 0));
    QCOMPARE(dlg.objectName(), QString("fmIOCharge"));
    auto* pages = Controle<QStackedWidget>(&dlg, "pcCharge");
    QCOMPARE(pages->currentWidget()->objectName(), QString("pKindrela"));
    QCOMPARE(Controle<QLineEdit>(&dlg, "E_FileName")->text(), VersQString(chemin));
    QCOMPARE(Controle<QLineEdit>(&dlg, "E_Ver")->text(), QString("KINDRELA 2008-01-06"));
    QCOMPARE(Controle<QLineEdit>(&dlg, "E_Nbre")->text(), QString("3"));
    QCOMPARE(Controle<QLineEdit>(&dlg, "E_Cree")->text(), QString("5/3/98"));
    QVERIFY(Controle<QCheckBox>(&dlg, "cbFusion")->isHidden());

    dlg.show();
    auto* charger = Controle<QPushButton>(&dlg, "bCharge");
    QVERIFY(charger->isDefault());
    QTest::mouseClick(charger, Qt::LeftButton);
    QVERIFY(dlg.Charge());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    TBD& bd = *m_app->bd;
    QCOMPARE(bd.NbreFiche(), 3);
    QCOMPARE(VersQString(bd.NomCourt(3)), QString::fromUtf8("MARTIN Zoé"));
    QCOMPARE(bd.RefPers, 2);
    QCOMPARE(dlg.SelecPers(), 3);
    QCOMPARE(dlg.Look(), std::string("Look"));
    QCOMPARE(m_app->fichierCourant, chemin);
    QCOMPARE(int(bd.BaseChargee), 1);
    QCOMPARE(int(bd.BaseModifiee), 0);  // the tree is its file
  }

  void entryPointReturnsTheSelectionAndLook() {
    const std::string chemin = ArbreEcrit("entree.kdg");
    QTimer::singleShot(0, [] {
      auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dlg && dlg->objectName() == "fmIOCharge")
        QTest::keyClick(dlg, Qt::Key_Return);  // Enter = "&Charger"
    });
    int selec = 0;
    std::string look;
    QVERIFY(DialogueChargement(nullptr, *m_app, chemin, selec, &look));
    QCOMPARE(selec, 3);
    QCOMPARE(look, std::string("Look"));
    QCOMPARE(m_app->fichierCourant, chemin);
  }

  void escapeCancelsWithoutLoading() {
    const std::string chemin = ArbreEcrit("echap.kdg");
    ArbreExemple(*m_app->bd);
    m_app->bd->EcritNom(1, "GARDE");
    m_app->fichierCourant = "avant.kdg";
    QTimer::singleShot(0, [] {
      if (QWidget* dlg = QApplication::activeModalWidget()) QTest::keyClick(dlg, Qt::Key_Escape);
    });
    int selec = 1;
    QVERIFY(!DialogueChargement(nullptr, *m_app, chemin, selec));
    QCOMPARE(m_app->bd->LitNom(1), std::string("GARDE"));
    QCOMPARE(m_app->fichierCourant, std::string("avant.kdg"));
    QCOMPARE(selec, 1);
  }

  // A file the dialog cannot take is refused with a message naming the file
  // and the reason; the tree in memory stays as it was.
  void filesTheDialogDoesNotHandleAreRefusedWithoutShowing_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QString>("raison");
    QByteArray hasard;
    for (int i = 0; i < 4096; ++i) hasard.append(static_cast<char>((i * 7919 + 13) % 251));
    QTest::newRow("unknown extension") << "arbre.txt" << QByteArray("0 HEAD\r\n") << "ni un arbre";
    QTest::newRow("kdg of no known version") << "faux.kdg" << QByteArray("ceci n'est pas un arbre")
                                             << "version connue";
    QTest::newRow("kdg of random bytes") << "hasard.kdg" << hasard << "version connue";
    QTest::newRow("empty kdg") << "vide.kdg" << QByteArray("") << "est vide";
    QTest::newRow("missing kdg") << "absent.kdg" << QByteArray() << "n'existe pas";
    QTest::newRow("ged of random bytes") << "hasard.ged" << hasard << "0 HEAD";
    QTest::newRow("empty ged") << "vide.ged" << QByteArray("") << "est vide";
    QTest::newRow("missing ged") << "absent.ged" << QByteArray() << "n'existe pas";
  }
  void filesTheDialogDoesNotHandleAreRefusedWithoutShowing() {
    QFETCH(QString, nom);
    QFETCH(QByteArray, contenu);
    QFETCH(QString, raison);
    if (!contenu.isNull()) Ecrit(m_maison.filePath(nom), contenu);
    ArbreExemple(*m_app->bd);
    m_app->fichierCourant = "avant.kdg";
    bool montre = false;
    QTimer espion;
    connect(&espion, &QTimer::timeout, [&] {
      QWidget* w = QApplication::activeModalWidget();
      if (w && w->objectName() == "fmIOCharge") {
        montre = true;
        w->close();
      }
    });
    espion.start(5);
    Repondeur ok;
    int selec = 2;
    QVERIFY(!DialogueChargement(nullptr, *m_app, DepuisQString(m_maison.filePath(nom)), selec));
    QVERIFY(!montre);
    QCOMPARE(ok.Nbre(), 1);
    QVERIFY2(ok.Texte().contains(m_maison.filePath(nom)) && ok.Texte().contains(raison),
             qPrintable(ok.Texte()));
    QCOMPARE(m_app->bd->NbreFiche(), 3);
    QCOMPARE(int(m_app->bd->BaseChargee), 1);
    QCOMPARE(m_app->fichierCourant, std::string("avant.kdg"));
    QCOMPARE(selec, 2);
  }

  void gedcomWithByteOrderMarkPreselectsUtf8AndImports() {
    const QString chemin = m_maison.filePath("import.ged");
    Ecrit(chemin, GedcomUtf8());
    TfmIOCharge dlg(*m_app);
    QVERIFY(dlg.Prepare(DepuisQString(chemin), 0));
    QCOMPARE(Controle<QStackedWidget>(&dlg, "pcCharge")->currentWidget()->objectName(), QString("pGedcom"));
    auto* jeu = Controle<TRadioGroup>(&dlg, "rgJeu");
    QCOMPARE(jeu->itemIndex(), int(JeuCaracteres::Utf8));
    QCOMPARE(jeu->items().at(jeu->itemIndex()), QString("UTF-8"));
    QCOMPARE(Controle<QLineEdit>(&dlg, "E_Source")->text(), QString("Essai"));
    QCOMPARE(Controle<QLineEdit>(&dlg, "E_VersionSource")->text(), QString("4.2"));
    QCOMPARE(Controle<QLineEdit>(&dlg, "E_Societe")->text(), QString("Atelier"));
    QCOMPARE(Controle<QLineEdit>(&dlg, "E_VersionGedcom")->text(), QString("5.5"));
    QCOMPARE(Controle<QLineEdit>(&dlg, "E_Jeu")->text(), QString("UTF-8"));
    QCOMPARE(Controle<QLineEdit>(&dlg, "E_Langue")->text(), QString("French"));
    auto* note = Controle<QPlainTextEdit>(&dlg, "M_Note");
    QVERIFY2(note->toPlainText().startsWith(QString::fromUtf8("Café")), qPrintable(note->toPlainText()));
    // No tree open: nothing to append to.
    QVERIFY(!Controle<QCheckBox>(&dlg, "cbConcatene")->isEnabled());

    // Another set re-reads the header with it.
    QTest::mouseClick(Controle<QRadioButton>(&dlg, "rgJeu_1"), Qt::LeftButton);
    QCOMPARE(jeu->itemIndex(), int(JeuCaracteres::Windows));
    QVERIFY(!note->toPlainText().startsWith(QString::fromUtf8("Café")));
    QTest::mouseClick(Controle<QRadioButton>(&dlg, "rgJeu_3"), Qt::LeftButton);
    QVERIFY(note->toPlainText().startsWith(QString::fromUtf8("Café")));

    dlg.show();
    QTest::mouseClick(Controle<QPushButton>(&dlg, "bCharge"), Qt::LeftButton);
    QVERIFY(dlg.Charge());
    TBD& bd = *m_app->bd;
    QCOMPARE(bd.NbreFichesUtilisees(), 1);
    QCOMPARE(bd.LitNom(1), std::string("Dupré"_ansi));
    QCOMPARE(bd.LitPrenoms(1), std::string("Zoé"_ansi));
    QCOMPARE(int(bd.BaseChargee), 1);
    QCOMPARE(bd.RefPers, 1);
    QCOMPARE(dlg.SelecPers(), 1);
    QCOMPARE(m_app->fichierCourant, DepuisQString(chemin));
    QCOMPARE(int(bd.BaseModifiee), 1);  // not in any tree file yet
  }

  void stoppedConcatenationPutsTheTreeBack() {
    ArbreExemple(*m_app->bd);
    m_app->bd->BaseModifiee = 1;
    const QString chemin = m_maison.filePath("long.ged");
    Ecrit(chemin, GedcomUtf8(20000));
    TfmIOCharge dlg(*m_app);
    dlg.DelaiProgression(0);
    QVERIFY(dlg.Prepare(DepuisQString(chemin), 1));
    Controle<QCheckBox>(&dlg, "cbConcatene")->setChecked(true);
    dlg.show();
    // Cancel as soon as the progress window shows.
    QTimer arret;
    connect(&arret, &QTimer::timeout, [&] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<QProgressDialog*>(w); p && p->isVisible()) p->cancel();
    });
    arret.start(0);
    QTest::mouseClick(Controle<QPushButton>(&dlg, "bCharge"), Qt::LeftButton);
    arret.stop();
    QVERIFY(!dlg.Charge());
    TBD& bd = *m_app->bd;
    QCOMPARE(bd.NbreFichesUtilisees(), 3);
    QCOMPARE(VersQString(bd.NomCourt(3)), QString::fromUtf8("MARTIN Zoé"));
    QCOMPARE(bd.Fiche(1).NumM, 3);
    QCOMPARE(int(bd.BaseChargee), 1);
    QCOMPARE(int(bd.BaseModifiee), 1);
  }

  void mergeBoxOnlyForVersion98WithATreeOpen_data() {
    QTest::addColumn<bool>("version98");
    QTest::addColumn<bool>("arbreOuvert");
    QTest::addColumn<bool>("visible");
    QTest::newRow("98, tree open") << true << true << true;
    QTest::newRow("98, no tree") << true << false << false;
    QTest::newRow("current, tree open") << false << true << false;
  }
  void mergeBoxOnlyForVersion98WithATreeOpen() {
    QFETCH(bool, version98);
    QFETCH(bool, arbreOuvert);
    QFETCH(bool, visible);
    std::string chemin = version98 ? Chemin("vieux.kdg") : ArbreEcrit("courant.kdg");
    if (version98) Ecrit(VersQString(chemin), Arbre98());
    if (arbreOuvert) ArbreExemple(*m_app->bd);
    TfmIOCharge dlg(*m_app);
    QVERIFY(dlg.Prepare(chemin, 0));
    QCOMPARE(dlg.Info().version, version98 ? 98 : 52);
    QCOMPARE(!Controle<QCheckBox>(&dlg, "cbFusion")->isHidden(), visible);
  }

  void mergeAppendsTheOldTreeAndKeepsTheSelection() {
    const std::string chemin = Chemin("fusion.kdg");
    Ecrit(VersQString(chemin), Arbre98());
    ArbreExemple(*m_app->bd);
    TfmIOCharge dlg(*m_app);
    QVERIFY(dlg.Prepare(chemin, 2));
    Controle<QCheckBox>(&dlg, "cbFusion")->setChecked(true);
    dlg.show();
    QTest::mouseClick(Controle<QPushButton>(&dlg, "bCharge"), Qt::LeftButton);
    QVERIFY(dlg.Charge());
    QCOMPARE(m_app->bd->NbreFiche(), 4);
    QCOMPARE(m_app->bd->LitNom(1), std::string("DUPONT"));
    QCOMPARE(m_app->bd->LitNom(4), std::string("MERGE"));
    QCOMPARE(dlg.SelecPers(), 2);
    QCOMPARE(int(m_app->bd->BaseModifiee), 1);
  }

  // Old versions hold places in their old form; a GEDCOM import asks for
  // the conversion with its option.
  void placeConversionFollowsOldVersionsAndTheGedcomOption_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<bool>("option");
    QTest::addColumn<bool>("conversion");
    const QByteArray v30 =
        "[KINDRELA 3.0B]\r\nVersion=30\r\nRefPers=1\r\n[Ligne]\r\nNbreFiche=1\r\n"
        "[Nom]\r\n1=ANCIEN\r\n[Pre]\r\n1=Louis\r\n[DdN]\r\n1=1/2/1850\r\n[LdN]\r\n1=Paris\r\n";
    QTest::newRow("version 30") << "ancien.kdg" << v30 << false << true;
    QTest::newRow("current version") << "courant.kdg" << QByteArray() << true << false;
    QTest::newRow("GEDCOM with the option") << "avec.ged" << GedcomUtf8() << true << true;
    QTest::newRow("GEDCOM without it") << "sans.ged" << GedcomUtf8() << false << false;
  }
  void placeConversionFollowsOldVersionsAndTheGedcomOption() {
    QFETCH(QString, nom);
    QFETCH(QByteArray, contenu);
    QFETCH(bool, option);
    QFETCH(bool, conversion);
    std::string chemin = contenu.isEmpty() ? ArbreEcrit("courant.kdg") : Chemin(qPrintable(nom));
    if (!contenu.isEmpty()) Ecrit(VersQString(chemin), contenu);
    TfmIOCharge dlg(*m_app);
    QVERIFY(dlg.Prepare(chemin, 0));
    if (auto* c = dlg.findChild<QCheckBox*>("cbConvLieux")) c->setChecked(option);
    int montree = 0;
    QTimer espion;
    connect(&espion, &QTimer::timeout, [&] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "fmLieuConvert" && w->isVisible()) {
          ++montree;
          QTest::keyClick(w, Qt::Key_Escape);  // "&Ne pas convertir"
        }
    });
    espion.start(5);
    dlg.show();
    QTest::mouseClick(Controle<QPushButton>(&dlg, "bCharge"), Qt::LeftButton);
    espion.stop();
    QVERIFY(dlg.Charge());
    QCOMPARE(montree, conversion ? 1 : 0);
    if (nom == "ancien.kdg") QCOMPARE(m_app->bd->LitNom(1), std::string("ANCIEN"));
  }

  void failedImportIsReportedAndLeavesTheTree() {
    ArbreExemple(*m_app->bd);
    m_app->bd->BaseModifiee = 1;
    m_app->fichierCourant = "avant.kdg";
    const std::string chemin = Chemin("disparu.ged");
    Ecrit(VersQString(chemin), GedcomUtf8());
    TfmIOCharge dlg(*m_app);
    QVERIFY(dlg.Prepare(chemin, 1));
    // The file goes between the preview and the load.
    QVERIFY(QFile::remove(VersQString(chemin)));
    Repondeur ok;
    dlg.show();
    QTest::mouseClick(Controle<QPushButton>(&dlg, "bCharge"), Qt::LeftButton);
    QVERIFY(!dlg.Charge());
    QCOMPARE(ok.Nbre(), 1);
    QVERIFY2(ok.Texte().contains("disparu.ged"), qPrintable(ok.Texte()));
    QCOMPARE(m_app->bd->NbreFichesUtilisees(), 3);
    QCOMPARE(VersQString(m_app->bd->NomCourt(3)), QString::fromUtf8("MARTIN Zoé"));
    QCOMPARE(int(m_app->bd->BaseChargee), 1);
    QCOMPARE(int(m_app->bd->BaseModifiee), 1);
    QCOMPARE(m_app->fichierCourant, std::string("avant.kdg"));
  }
};

QTEST_MAIN(LoadDialogTest)
#include "load_dialog_test.moc"
