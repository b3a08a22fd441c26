// The person record window driven as a user does, on the example tree:
// names, dates, places, events, the sex rule, custom fields; after each
// step the database holds what was typed, and so does the saved file.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <functional>

#include "core/clock.h"
#include "core/ini_file.h"
#include "core/tree_file/tree_file_load.h"
#include "core/tree_file/tree_file_writer.h"
#include "editing/record.h"
#include "gui/editing/custom_field_panel.h"
#include "gui/editing/record_window.h"
#include "gui_test_support.h"

using namespace kindrela;

namespace {

// Acts once on the first visible top-level window named `nom` (a modal
// dialog the action under test opens).
class Pilote : public QObject {
 public:
  Pilote(const char* nom, std::function<void(QWidget*)> action) : m_nom(nom), m_action(std::move(action)) {
    m_minuterie.setInterval(10);
    connect(&m_minuterie, &QTimer::timeout, this, [this] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (m_fait || w->objectName() != m_nom || !w->isVisible()) continue;
        m_fait = true;
        m_action(w);
      }
    });
    m_minuterie.start();
  }
  bool Fait() const { return m_fait; }

 private:
  QString m_nom;
  std::function<void(QWidget*)> m_action;
  QTimer m_minuterie;
  bool m_fait = false;
};

// The run's state on a copy of the example tree, with the record window shown.
struct Banc {
  QTemporaryDir maison;
  std::unique_ptr<TApplication> app;
  std::unique_ptr<TfmFiche> fiche;
  std::string fichier;

  Banc() {
    app = test::Application(maison);
    app->reglages.ChargeReglages(FichierIni(), app->traduction, app->dossiers.programme);
    fichier = app->dossiers.mesArbres + "Standard.kdg";
    QFile::copy(QString(KINDRELA_SOURCE_DIR) + "/data/modele/1/exemple/Standard.kdg",
                VersQString(fichier));
    ResultatChargement r;
    if (!ChargeFichierArbre(*app->bd, fichier, {}, r).ok()) qFatal("example tree unreadable");
    app->bd->BaseChargee = 1;
    app->bd->BaseModifiee = 0;
    fiche = std::make_unique<TfmFiche>(*app);
  }
  TBD& bd() { return *app->bd; }
  template <typename T>
  T* Controle(const char* nom) {
    T* c = fiche->findChild<T*>(nom);
    if (!c) qFatal("no control %s", nom);
    return c;
  }
  void Montre(int n) {
    fiche->Affiche(n);
    fiche->show();
    QApplication::setActiveWindow(fiche.get());
    QVERIFY(QTest::qWaitForWindowActive(fiche.get()));
  }
  void Onglet(const char* page) {
    auto* onglets = Controle<QTabWidget>("PageControl");
    onglets->setCurrentWidget(fiche->findChild<QWidget*>(page));
  }
  // Gives the control the focus, as a click would.
  void Focus(QWidget* w) {
    w->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(w->hasFocus());
  }
  void Tape(QLineEdit* e, const QString& texte) {
    Focus(e);
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, texte);
  }
  // The tree as the saved file gives it back.
  std::unique_ptr<TBD> Relu() {
    if (!EcritBase(bd(), fichier, {}).ok()) qFatal("save failed");
    auto relu = std::make_unique<TBD>();
    ResultatChargement r;
    if (!ChargeFichierArbre(*relu, fichier, {}, r).ok()) qFatal("reload failed");
    return relu;
  }
  // A person of the example tree matching `test`.
  int Personne(const std::function<bool(int)>& test) {
    for (int n = 1; n <= bd().NbreFiche(); ++n)
      if (bd().FicheUtilisee(n) && test(n)) return n;
    qFatal("no such person in the example tree");
  }
  QStringList Lignes(const char* liste) {
    QStringList l;
    auto* w = Controle<QListWidget>(liste);
    for (int i = 0; i < w->count(); ++i) l << w->item(i)->text();
    return l;
  }
};

void Clique(QWidget* fenetre, const char* bouton) {
  auto* b = fenetre->findChild<QAbstractButton*>(bouton);
  QVERIFY2(b, bouton);
  QVERIFY2(b->isEnabled(), bouton);
  b->click();
}

}  // namespace

class RecordWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    FixeAujourdhui({2024, 6, 15});
  }
  void cleanupTestCase() { LibereAujourdhui(); }

  void showsThePersonAndItsFamily() {
    Banc b;
    TBD& bd = b.bd();
    const int n = b.Personne([&](int p) { return bd.LitPere(p) > 0 && HasUnion(bd, p); });
    b.Montre(n);
    QVERIFY(b.fiche->windowTitle().startsWith("Fiche de " + VersQString(bd.LitNom(n))));
    QCOMPARE(b.Controle<QLineEdit>("E_Nom")->text(), VersQString(bd.LitNom(n)));
    QVERIFY(b.Controle<QLineEdit>("E_Pere")->text().startsWith(VersQString(bd.LitNom(bd.LitPere(n)) + " ")));
    // Every list ends with the placeholder; the events tab says it has some.
    QCOMPARE(b.Lignes("lbEve").size(), bd.NbreEveFiche(n) + 1);
    QCOMPARE(b.Lignes("LB_Union").last(), VersQString(kEntreeCreer));
    auto* onglets = b.Controle<QTabWidget>("PageControl");
    QVERIFY(onglets->tabText(1).endsWith("+"));
    QVERIFY(!onglets->isTabVisible(onglets->indexOf(b.fiche->findChild<QWidget*>("tsPhoto"))));
    QVERIFY(b.Controle<QLabel>("L_Date")->text().startsWith(VersQString(b.app->traduction.Msg(105))));
    // Showing writes nothing.
    QCOMPARE(bd.BaseModifiee, uint8_t(0));
  }

  void typedNamesGoStraightIntoTheTree() {
    Banc b;
    TBD& bd = b.bd();
    const int n = bd.RefPers;
    int modifiees = 0;
    connect(b.fiche.get(), &TfmFiche::PersonneModifiee, [&](int p) { modifiees += p == n; });
    b.Montre(n);
    auto* nom = b.Controle<QLineEdit>("E_Nom");
    auto* pre = b.Controle<QLineEdit>("E_Pre");
    b.Tape(nom, "de la fontaine");
    QCOMPARE(bd.LitNom(n), std::string("DE LA FONTAINE"));
    QCOMPARE(nom->text(), QString("DE LA FONTAINE"));  // capitals while typing
    b.Tape(pre, "jean-paul  ");
    QCOMPARE(bd.LitPrenoms(n), std::string("Jean-Paul"));
    QCOMPARE(pre->text(), QString("jean-paul  "));
    b.Focus(nom);  // leaving the given names capitalises them in the edit too
    QCOMPARE(pre->text(), QString("Jean-Paul  "));
    QVERIFY(b.fiche->windowTitle().contains("DE LA FONTAINE Jean-Paul"));
    QVERIFY(modifiees > 20);
    QCOMPARE(bd.BaseModifiee, uint8_t(1));
    QCOMPARE(bd.LitChamp(n, 22), std::string("15/6/2024"));

    // Both options off: stored exactly as typed, less the trailing blanks.
    b.app->reglages.SetBool(kSectionOptions, "NomMaj", false);
    b.app->reglages.SetBool(kSectionOptions, "PreMaj", false);
    b.fiche->Affiche(n);
    b.Tape(nom, "van Gogh ");
    b.Tape(pre, "vincent WILLEM");
    QCOMPARE(bd.LitNom(n), std::string("van Gogh"));
    QCOMPARE(bd.LitPrenoms(n), std::string("vincent WILLEM"));
    auto relu = b.Relu();
    QCOMPARE(relu->LitNom(n), std::string("van Gogh"));
    QCOMPARE(relu->LitPrenoms(n), std::string("vincent WILLEM"));
  }

  void twoDigitYearsAreCompletedOnLeavingTheDate() {
    Banc b;
    TBD& bd = b.bd();
    const int n = bd.NouvelleFiche();
    bd.EcritNom(n, "ESSAI");
    b.Montre(n);
    b.Onglet("TS_Evenement");
    auto* date = b.Controle<QLineEdit>("eveDate");
    // Ctrl+D: the death event, then its date.
    QTest::keyClick(b.Controle<QLineEdit>("E_Nom"), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(bd.NbreEveFiche(n), 1);
    QTRY_VERIFY(date->hasFocus());
    QTest::keyClicks(date, "3/2/1920");
    QCOMPARE(bd.LitDateDeces(n), std::string("3/2/1920"));
    // Ctrl+N: the birth; what is typed is stored as it stands until the field is left.
    QTest::keyClick(date, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(bd.NbreEveFiche(n), 2);
    QTRY_VERIFY(date->hasFocus());
    QTest::keyClicks(date, "1/1/05");
    QCOMPARE(bd.LitDateNaissance(n), std::string("1/1/05"));
    QTest::keyClick(date, Qt::Key_Return);  // Enter moves on
    QVERIFY(!date->hasFocus());
    QCOMPARE(bd.LitDateNaissance(n), std::string("1/1/1905"));
    QCOMPARE(date->text(), QString("1/1/1905"));
    QCOMPARE(b.Controle<QLabel>("lJour")->text(),
             VersQString("Dimanche 1 janvier 1905. Décès à l'âge de 15 ans."_ansi));
    // An exact date proposes the certain level, shown until the button stores it.
    QCOMPARE(b.Controle<QLabel>("pEveSta")->text(), VersQString(b.app->traduction.Msg(120)));
    b.Controle<QToolButton>("sbEveSta")->click();
    QCOMPARE(bd.LitEveNature(n, bd.NatNaissance, 6), std::string("1"));

    // A death typed with two digits for a person born in 1905.
    auto* liste = b.Controle<QListWidget>("lbEve");
    liste->setCurrentRow(0);
    b.Tape(date, "3/2/20");
    b.Focus(b.Controle<QLineEdit>("eveTime"));
    QCOMPARE(bd.LitDateDeces(n), std::string("3/2/1920"));
    // Words that hold no date are kept and said so.
    b.Tape(date, "au printemps");
    b.Focus(b.Controle<QLineEdit>("eveTime"));
    QCOMPARE(bd.LitDateDeces(n), std::string("au printemps"));
    QVERIFY(b.Controle<QLabel>("lJour")->text().contains("non reconnue"));

    auto relu = b.Relu();
    QCOMPARE(relu->LitDateNaissance(n), std::string("1/1/1905"));
    QCOMPARE(relu->LitDateDeces(n), std::string("au printemps"));
  }

  void twoDigitsInAPlaceNameADepartment() {
    Banc b;
    TBD& bd = b.bd();
    const int n = b.Personne([&](int p) { return bd.NbreEveFiche(p) > 0; });
    b.Montre(n);
    b.Onglet("TS_Evenement");
    b.Controle<QListWidget>("lbEve")->setCurrentRow(0);
    auto* lieu = b.Controle<QLineEdit>("eveLieu");
    b.Tape(lieu, "75");
    QCOMPARE(lieu->text(), QString("FRA,IDF,F75"));
    QCOMPARE(lieu->cursorPosition(), 11);
    QCOMPARE(bd.LitEveFiche(n, 1, 4), std::string("FRA,IDF,F75"));
    QTest::keyClicks(lieu, ",Paris");
    QCOMPARE(bd.LitEveFiche(n, 1, 4), std::string("FRA,IDF,F75,Paris"));
    for (const char* tel : {"0", "00", "ab"}) {
      b.Tape(lieu, tel);
      QCOMPARE(bd.LitEveFiche(n, 1, 4), std::string(tel));
    }
    b.Tape(lieu, "13");
    auto relu = b.Relu();
    QCOMPARE(relu->LitEveFiche(n, 1, 4), std::string("FRA,PCA,F13"));

    // The map button opens the online map on this place and this person.
    QTest::keyClicks(lieu, ",000 Marseille");
    QString ouvert;
    b.fiche->SetOuvreurCarte([&](const QString& chemin) {
      ouvert = chemin;
      return true;
    });
    Clique(b.fiche.get(), "iMaps");
    QFile page(ouvert);
    QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(ouvert));
    const QByteArray texte = page.readAll();
    QVERIFY(texte.contains("plotadd('Marseille,13000,France','<a href=\"" + QByteArray::number(n) + "\">"));
  }

  void anEventAddedAndLeftEmptyGoesAway() {
    Banc b;
    TBD& bd = b.bd();
    const int n = b.Personne([&](int p) { return bd.NbreEveFiche(p) > 0; });
    const int avant = bd.NbreEveFiche(n);
    b.Montre(n);
    b.Onglet("TS_Evenement");
    auto* liste = b.Controle<QListWidget>("lbEve");
    auto ajoute = [&](const QString& nature) {
      Pilote choix("fmFicheEve", [nature](QWidget* d) {
        d->findChild<QComboBox*>("cbEve")->setEditText(nature);
        Clique(d, "btOk");
      });
      QListWidgetItem* creer = liste->item(liste->count() - 1);
      QCOMPARE(creer->text(), VersQString(kEntreeCreer));
      const QPoint centre = liste->visualItemRect(creer).center();
      QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, centre);
      QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, centre);
      QTRY_VERIFY(choix.Fait());
    };
    ajoute("Communion");
    QCOMPARE(bd.NbreEveFiche(n), avant + 1);
    QCOMPARE(liste->currentItem()->text(), QString("Communion"));
    // The new kind joins the table of person events.
    QVERIFY(b.app->tables.Natures(b.app->traduction.Msg(707)).back() == "Communion");
    // Another event chosen: the empty one is gone, the one chosen stays chosen.
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualItemRect(liste->item(0)).center());
    QCOMPARE(bd.NbreEveFiche(n), avant);
    QCOMPARE(liste->count(), avant + 1);
    QCOMPARE(liste->currentRow(), 0);
    // One with a note is kept.
    ajoute("Confirmation");
    QTest::keyClicks(b.Controle<QPlainTextEdit>("eveNote"), "chez les Jacobins");
    liste->setCurrentRow(0);
    QCOMPARE(bd.NbreEveFiche(n), avant + 1);
    QCOMPARE(bd.LitEveNature(n, "Confirmation", 5), std::string("chez les Jacobins"));
    // Events of the tree that hold no data are never removed by moving on.
    const int vide = bd.AjouteEveFiche(n);
    bd.EcritChampEve(vide, 1, "Service militaire");
    b.fiche->Affiche(n);
    liste->setCurrentRow(liste->count() - 2);
    liste->setCurrentRow(0);
    QCOMPARE(bd.NbreEveFiche(n), avant + 2);
    auto relu = b.Relu();
    QCOMPARE(relu->NbreEveFiche(n), avant + 2);
  }

  void ctrlNTwiceMakesOneBirth() {
    Banc b;
    TBD& bd = b.bd();
    const int n = bd.NouvelleFiche();
    bd.EcritNom(n, "SANS");
    b.Montre(n);
    auto* nom = b.Controle<QLineEdit>("E_Nom");
    b.Focus(nom);
    QTest::keyClick(nom, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(bd.NbreEveFiche(n), 1);
    QCOMPARE(bd.LitEveFiche(n, 1, 1), bd.NatNaissance);
    auto* onglets = b.Controle<QTabWidget>("PageControl");
    QCOMPARE(onglets->currentWidget()->objectName(), QString("TS_Evenement"));
    QTest::keyClicks(b.Controle<QLineEdit>("eveDate"), "1900");
    QTest::keyClick(b.Controle<QLineEdit>("eveDate"), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(bd.NbreEveFiche(n), 1);
    QCOMPARE(bd.LitDateNaissance(n), std::string("1900"));
    auto relu = b.Relu();
    QCOMPARE(relu->NbreEveFiche(n), 1);
    QCOMPARE(relu->LitDateNaissance(n), std::string("1900"));
  }

  void aMotherKeepsHerSexAndAnUnknownOneBecomesAMan() {
    Banc b;
    TBD& bd = b.bd();
    const int mere = b.Personne([&](int p) { return bd.LitSexe(p) == 1 && HasChildren(bd, p); });
    b.Montre(mere);
    auto* sexe = b.Controle<QToolButton>("sbSexe");
    QCOMPARE(b.Controle<QLabel>("pSexe")->text(), QString("Femme"));
    QVERIFY(!sexe->isEnabled());
    sexe->click();
    QCOMPARE(bd.LitSexe(mere), 1);

    const int inconnu = bd.NouvelleFiche();
    bd.EcritSexe(inconnu, 2);
    b.fiche->Affiche(inconnu);
    QCOMPARE(b.Controle<QLabel>("pSexe")->text(), QString("Femme"));
    QVERIFY(sexe->isEnabled());
    sexe->click();
    QCOMPARE(bd.LitSexe(inconnu), 0);
    QCOMPARE(b.Controle<QLabel>("pSexe")->text(), QString("Homme"));
    sexe->click();
    QCOMPARE(bd.LitSexe(inconnu), 1);
    QCOMPARE(b.Relu()->LitSexe(inconnu), 1);
  }

  void aCustomFieldAddedThenEmptied() {
    Banc b;
    TBD& bd = b.bd();
    const int n = bd.RefPers;
    const std::string avant = bd.LitChamp(n, 23);
    b.Montre(n);
    auto* panneau = b.Controle<TChamp>("PChp");
    const int champs = panneau->NbreChamps();
    Pilote ajout("fmChampAjoute", [](QWidget* d) {
      d->findChild<QComboBox*>("cbLibelle")->setEditText("Surnom|du village");
      Clique(d, "btOk");
    });
    b.Controle<QPushButton>("btAjouteChamp")->click();
    QTRY_VERIFY(ajout.Fait());
    QCOMPARE(panneau->NbreChamps(), champs + 1);
    auto* edit = qobject_cast<QLineEdit*>(panneau->Editeur(champs));
    QVERIFY(edit);
    QCOMPARE(b.fiche->focusWidget(), edit);
    QCOMPARE(bd.LitChamp(n, 23), avant);  // an empty field is not stored
    QTest::keyClicks(edit, "Jojo|le grand");
    QCOMPARE(edit->text(), QString("Jojo le grand"));
    QCOMPARE(bd.LitChamp(n, 23), avant + "t|Surnom du village|Jojo le grand|");
    QCOMPARE(b.Relu()->LitChamp(n, 23), avant + "t|Surnom du village|Jojo le grand|");
    // The label joined the custom-field table, not offered to everybody.
    const auto& grille = b.app->tables.Grille(SorteTable::Champs);
    QCOMPARE(grille.back()[1], std::string("Surnom du village"));
    QCOMPARE(grille.back()[0], std::string("NON"));
    // Emptied: the field is no longer stored.
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(bd.LitChamp(n, 23), avant);
    QCOMPARE(b.Relu()->LitChamp(n, 23), avant);
  }

  void personMenuFollowsTheControl() {
    Banc b;
    TBD& bd = b.bd();
    const int n = b.Personne([&](int p) { return bd.LitPere(p) > 0 && bd.LitMere(p) == 0; });
    b.Montre(n);
    int reference = 0, choisie = 0;
    connect(b.fiche.get(), &TfmFiche::ReferenceChoisie, [&](int p) { reference = p; });
    connect(b.fiche.get(), &TfmFiche::PersonneChoisie, [&](int p) { choisie = p; });
    b.fiche->SetArbreVisible([] { return true; });
    std::unique_ptr<QMenu> pere(b.fiche->CreeMenuPersonne(ControleFiche::Pere));
    auto action = [](QMenu* m, const char* nom) { return m->findChild<QAction*>(nom); };
    QVERIFY(action(pere.get(), "psSelectionner")->isVisible());
    QVERIFY(!action(pere.get(), "psCreer")->isVisible());
    // The add, search and delete windows are not there: their entries say so.
    QVERIFY(!action(pere.get(), "psSupprimer")->isEnabled());
    QVERIFY(!action(pere.get(), "psSupprimer")->toolTip().isEmpty());
    action(pere.get(), "psReference")->trigger();
    QCOMPARE(reference, bd.LitPere(n));
    action(pere.get(), "psSelectionner")->trigger();
    QCOMPARE(choisie, bd.LitPere(n));
    std::unique_ptr<QMenu> mere(b.fiche->CreeMenuPersonne(ControleFiche::Mere));
    QVERIFY(action(mere.get(), "psCreer")->isVisible());
    QVERIFY(!action(mere.get(), "psCreer")->isEnabled());
    // Once the operation is connected, the entry works.
    int demande = 0;
    TActionsPersonne actions;
    actions.ajoute = [&](ControleFiche c, int p) {
      demande = c == ControleFiche::Mere ? p : -1;
      const int m = bd.NouvelleFiche();
      bd.EcritSexe(m, 1);
      bd.EcritMere(p, m);
      return m;
    };
    b.fiche->SetActions(actions);
    mere.reset(b.fiche->CreeMenuPersonne(ControleFiche::Mere));
    QVERIFY(action(mere.get(), "psCreer")->isEnabled());
    action(mere.get(), "psCreer")->trigger();
    QCOMPARE(demande, n);
    QVERIFY(b.Controle<QLineEdit>("E_Mere")->text() != VersQString(kEntreeCreer));
  }

  void levelButtonsAndNote() {
    Banc b;
    TBD& bd = b.bd();
    const int n = b.Personne([&](int p) { return bd.LitPere(p) > 0; });
    b.Montre(n);
    int arbre = 0;
    connect(b.fiche.get(), &TfmFiche::ArbreModifie, [&] { ++arbre; });
    const int niveau = bd.LitCertP(n);
    b.Controle<QToolButton>("sbStaP")->click();
    QCOMPARE(bd.LitCertP(n), (niveau + 1) % 4);
    QCOMPARE(arbre, 1);
    b.Onglet("TS_Note");
    auto* note = b.Controle<QPlainTextEdit>("M_Note");
    note->clear();
    QTest::keyClicks(note, "Ligne une ");
    QTest::keyClick(note, Qt::Key_Return);
    QTest::keyClicks(note, "ligne deux  ");
    QCOMPARE(bd.LitChamp(n, 18), std::string("Ligne une \r\nligne deux"));
    auto* onglets = b.Controle<QTabWidget>("PageControl");
    QVERIFY(onglets->tabText(onglets->indexOf(b.fiche->findChild<QWidget*>("TS_Note"))).endsWith("+"));
    QCOMPARE(b.Relu()->LitChamp(n, 18), std::string("Ligne une \r\nligne deux"));
  }
};

QTEST_MAIN(RecordWindowTest)
#include "record_window_test.moc"
