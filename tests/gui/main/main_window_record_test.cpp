// The record panes from the main window: F2 and the "Fiche" button show the
// person record, a click on a box shows that person in it, an edit repaints
// the person's box, F4 shows the family window.
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

#include "core/file_io.h"
#include "core/tree_file/tree_file_writer.h"
#include "gui/chart/chart_view.h"
#include "gui/editing/family_window.h"
#include "gui/editing/record_window.h"
#include "gui/main/main_window.h"
#include "gui_test_support.h"

using namespace kindrela;

namespace {

// The lines of the first box of person n on the chart.
QString TexteBoite(TScaWin& w, int n) {
  const TAffArbre& arbre = w.Arbre();
  for (const TBoite* b : arbre.Boites()) {
    if (b->Personne() != n) continue;
    QStringList lignes;
    for (const std::string& l : arbre.Lignes(b->Index())) lignes << VersQString(l);
    return lignes.join('\n');
  }
  return {};
}

// Types `texte` as a keyboard of that alphabet would, one key per letter
// (QTest::keyClicks takes Latin-1 only).
void Tape(QWidget* w, const QString& texte) {
  for (char32_t u : texte.toUcs4())
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString::fromUcs4(&u, 1), Qt::NoModifier);
}

}  // namespace

class MainWindowRecordTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void f2ShowsTheRecordWhichFollowsTheChart() {
    QTemporaryDir maison;
    auto app = test::Application(maison);
    const std::string fichier = test::CopieExemple(*app);
    TScaWin w(*app);
    w.Initialise();
    QVERIFY(w.ChargeFichier(fichier, true));
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    TBD& bd = *app->bd;

    QTest::keyClick(&w, Qt::Key_F2);
    TfmFiche* fiche = w.Fiche();
    QVERIFY(w.FicheVisible());
    QVERIFY(fiche->windowTitle().startsWith("Fiche"));
    QCOMPARE(fiche->Personne(), w.SelecPers());
    QVERIFY(w.findChild<QToolButton*>("btn13")->isChecked());

    // A click on another box shows that person.
    const int pere = bd.LitPere(w.SelecPers());
    QVERIFY(pere > 0);
    w.Arbre().ClicBoite(pere, Qt::LeftButton, QPoint());
    QCOMPARE(w.SelecPers(), pere);
    QCOMPARE(fiche->Personne(), pere);

    // Typing repaints the person's box.
    QApplication::setActiveWindow(fiche);
    QVERIFY(QTest::qWaitForWindowActive(fiche));
    auto* nom = fiche->findChild<QLineEdit*>("E_Nom");
    nom->setFocus();
    nom->selectAll();
    QTest::keyClicks(nom, "quenouille");
    QCOMPARE(bd.LitNom(pere), std::string("QUENOUILLE"));
    QVERIFY(TexteBoite(w, pere).contains("QUENOUILLE"));
    QVERIFY(bd.BaseModifiee);

    // The main window's keys act in the record too: F2 there hides it.
    QTest::keyClick(nom, Qt::Key_F2);
    QVERIFY(!w.FicheVisible());
    QVERIFY(!w.findChild<QToolButton*>("btn13")->isChecked());
    // The pane button brings it back.
    w.findChild<QToolButton*>("btn13")->click();
    QVERIFY(w.FicheVisible());
    w.HideFiche();
  }

  // Letters of other alphabets typed in the record reach the tree as
  // references, the chart as letters, and the tree file as written.
  void lettersOfEveryAlphabetReachTheChartAndTheFile() {
    QTemporaryDir maison;
    auto app = test::Application(maison);
    const std::string fichier = test::CopieExemple(*app);
    TScaWin w(*app);
    w.Initialise();
    QVERIFY(w.ChargeFichier(fichier, true));
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    TBD& bd = *app->bd;
    const int n = w.SelecPers();
    w.ShowFiche();
    TfmFiche* fiche = w.Fiche();
    QApplication::setActiveWindow(fiche);
    QVERIFY(QTest::qWaitForWindowActive(fiche));

    auto* nom = fiche->findChild<QLineEdit*>("E_Nom");
    nom->setFocus();
    nom->selectAll();
    Tape(nom, QString::fromUtf8("wałęsa"));
    auto* prenoms = fiche->findChild<QLineEdit*>("E_Pre");
    prenoms->setFocus();
    prenoms->selectAll();
    Tape(prenoms, QString::fromUtf8("łukasz &#322; Анна 李 👪"));
    // Capitals as for any letter; a typed "&#322;" stays as typed.
    QCOMPARE(bd.LitNom(n), std::string("WA&#321;&#280;SA"));
    QCOMPARE(bd.LitPrenoms(n), std::string("&#321;ukasz &#38;#322; &#1040;&#1085;&#1085;&#1072; &#26446; &#128106;"));
    QCOMPARE(nom->text(), QString::fromUtf8("WAŁĘSA"));
    const QString boite = TexteBoite(w, n);
    QVERIFY2(boite.contains(QString::fromUtf8("WAŁĘSA")), qPrintable(boite));
    QVERIFY2(boite.contains(QString::fromUtf8("Łukasz")), qPrintable(boite));

    const std::string sauve = app->dossiers.mesArbres + "Lettres.kdg";
    QVERIFY(EcritBase(bd, sauve, EnteteArbre{n, {}}).ok());
    std::string octets;
    QVERIFY(LitFichier(sauve, octets).ok());
    QVERIFY(octets.find("WA&#321;&#280;SA") != std::string::npos);
    QVERIFY(w.ChargeFichier(sauve, true));
    QCOMPARE(VersQString(app->bd->LitPrenoms(n)), QString::fromUtf8("Łukasz &#322; Анна 李 👪"));
    w.HideFiche();
  }

  void f4ShowsTheFamilyAroundTheSelection() {
    QTemporaryDir maison;
    auto app = test::Application(maison);
    const std::string fichier = test::CopieExemple(*app);
    TScaWin w(*app);
    w.Initialise();
    QVERIFY(w.ChargeFichier(fichier, true));
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    TBD& bd = *app->bd;
    const int pere = bd.LitPere(w.SelecPers());
    w.SetSelecPers(pere);

    QTest::keyClick(&w, Qt::Key_F4);
    QVERIFY(w.FicheArbreVisible());
    TfmFicheArbre* famille = w.FicheArbre();
    auto* reference = famille->findChild<QListWidget*>("lbReference");
    QVERIFY(reference->item(0)->text().startsWith(VersQString(bd.LitNom(pere))));
    auto* enfants = famille->findChild<QListWidget*>("lbEnfants");
    QCOMPARE(enfants->count(), ChildrenOf(bd, pere).Count());
    // A double click on a child selects it; the window follows.
    enfants->setCurrentRow(0);
    emit enfants->itemDoubleClicked(enfants->item(0));
    QVERIFY(w.SelecPers() != pere);
    QCOMPARE(bd.LitPere(w.SelecPers()), pere);
    QCOMPARE(famille->Personne(), w.SelecPers());
    QTest::keyClick(&w, Qt::Key_F4);
    QVERIFY(!w.FicheArbreVisible());
    QVERIFY(!w.findChild<QToolButton*>("btn14")->isChecked());
  }

  void reloadingForgetsTheRecordShown() {
    QTemporaryDir maison;
    auto app = test::Application(maison);
    const std::string fichier = test::CopieExemple(*app);
    TScaWin w(*app);
    w.Initialise();
    QVERIFY(w.ChargeFichier(fichier, true));
    w.show();
    w.ShowFiche();
    const int n = w.SelecPers();
    QVERIFY(app->bd->NbreEveFiche(n) > 0);
    const std::string date = app->bd->LitEveFiche(n, 1, 2);
    // A date left half typed: its exit step would complete it on leaving.
    w.Fiche()->findChild<QLineEdit*>("eveDate")->setText("1/1/05");
    QCOMPARE(app->bd->LitEveFiche(n, 1, 2), std::string("1/1/05"));
    app->bd->BaseModifiee = 0;
    // Whatever the record held is not written into the tree loaded next.
    QVERIFY(w.ChargeFichier(fichier, true));
    QCOMPARE(app->bd->LitEveFiche(n, 1, 2), date);
    QCOMPARE(app->bd->BaseModifiee, uint8_t(0));
    QCOMPARE(w.Fiche()->Personne(), w.SelecPers());
  }
};

QTEST_MAIN(MainWindowRecordTest)
#include "main_window_record_test.moc"
