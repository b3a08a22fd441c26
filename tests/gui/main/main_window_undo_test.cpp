// Edit ▸ Undo / Redo: the left menu's commands name the step, Ctrl+Z,
// Ctrl+Y and Ctrl+Shift+Z act in the main window and in the record, and
// the record and the modified flag follow.
#include <QLineEdit>
#include <QPushButton>

#include "core/journal.h"
#include "core/tree_file/tree_file_writer.h"
#include "editing/merge.h"
#include "gui/editing/record_window.h"
#include "gui/editing/source_gallery.h"
#include "gui/main/command_menu.h"
#include "gui/main/main_window.h"
#include "gui_test_support.h"

using namespace kindrela;

namespace {

std::string Octets(const TBD& bd) {
  std::string octets;
  (void)OctetsBase(bd, EnteteArbre{1, {}}, {}, octets);
  return octets;
}

}  // namespace

class MainWindowUndoTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void undoAndRedoFromTheMenuAndTheKeys() {
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
    auto* annule = w.findChild<QPushButton*>("mi1013");
    auto* retablit = w.findChild<QPushButton*>("mi1014");
    QVERIFY(annule && retablit);
    QVERIFY(!annule->isEnabled());

    const std::string avant = Octets(bd);
    const int a = w.SelecPers();
    int b = 1;
    while (b <= bd.NbreFiche() && (b == a || !bd.FicheUtilisee(b) || !VerifieFusion(bd, a, b).ok())) ++b;
    const std::string menu = "Annuler : fusion de " + bd.NomCourt(a) + " et " + bd.NomCourt(b);
    QVERIFY(FusionPersonnes(bd, a, b).ok());
    const std::string apres = Octets(bd);
    w.MetAJourAnnulation();
    QCOMPARE(annule->text(), VersQString(menu));
    QVERIFY(annule->isEnabled());

    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(Octets(bd) == avant);
    QCOMPARE(bd.BaseModifiee, uint8_t(0));
    QVERIFY(retablit->text().startsWith(QString::fromUtf8("Rétablir : fusion de ")));
    QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(Octets(bd) == apres);
    QCOMPARE(bd.BaseModifiee, uint8_t(1));
    annule->click();
    QVERIFY(Octets(bd) == avant);
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(Octets(bd) == apres);
    annule->click();

    // In the record, Ctrl+Z undoes the field's whole edit and the field shows it.
    w.ShowFiche();
    TfmFiche* fiche = w.Fiche();
    QApplication::setActiveWindow(fiche);
    QVERIFY(QTest::qWaitForWindowActive(fiche));
    auto* nom = fiche->findChild<QLineEdit*>("E_Nom");
    const QString nomAvant = nom->text();
    nom->setFocus();
    nom->selectAll();
    QTest::keyClicks(nom, "quenouille");
    QCOMPARE(bd.LitNom(a), std::string("QUENOUILLE"));
    QCOMPARE(bd.Journal().NbreAnnulables(), std::size_t{1});
    w.MetAJourAnnulation();
    QVERIFY(annule->text().startsWith("Annuler : modification du nom de "));
    QTest::keyClick(nom, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(nom->text(), nomAvant);
    QVERIFY(Octets(bd) == avant);
    QCOMPARE(bd.BaseModifiee, uint8_t(0));
    QTest::keyClick(nom, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(nom->text(), QString("QUENOUILLE"));
    w.HideFiche();

    // The shown album loses a source whose creation is undone, and gets it back.
    w.CommandeSource(kCmdAlbum);
    auto* album = w.findChild<TfmSourceVue*>();
    QVERIFY(album && album->isVisible());
    int s = 0;
    {
      TEtapeJournal etape(bd, "source");
      s = bd.NouvelleSrc();
      bd.EcritChampSrc(s, 1, "Registre paroissial");
    }
    album->Reconstruit();
    QVERIFY(album->Tuile(s));
    annule->click();
    QVERIFY(!album->Tuile(s));
    retablit->click();
    QVERIFY(album->Tuile(s));
    album->close();
  }
};

QTEST_MAIN(MainWindowUndoTest)
#include "main_window_undo_test.moc"
