// Searching from the main window on the example tree: "Rechercher une
// fiche" selects the person found by its surname, a father search offers
// only plausible fathers and links the one chosen (cancel links nothing),
// the surname edits of the record window and of an addition's identity
// dialog drop the assisted-entry list, and
// "Remplacer des fiches" rewrites a surname and lists the surnames in the
// report window.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "editing/adding.h"
#include "editing/search.h"
#include "gui/analysis/report_window.h"
#include "gui/common/radio_group.h"
#include "gui/editing/assisted_entry_list.h"
#include "gui/editing/record_window.h"
#include "gui/editing/replace_window.h"
#include "gui/main/main_window.h"
#include "gui_test_support.h"

using namespace kindrela;

namespace {

std::string CopieExemple(const TApplication& app) {
  const std::string cible = app.dossiers.mesArbres + "Standard.kdg";
  QFile::copy(QString(KINDRELA_SOURCE_DIR) + "/data/modele/1/exemple/Standard.kdg", VersQString(cible));
  return cible;
}

QStringList Lignes(QListView* v) {
  QStringList l;
  for (int i = 0; i < v->model()->rowCount(); ++i) l << v->model()->index(i, 0).data().toString();
  return l;
}

void Choisit(QListView* v, const QString& debut) {
  for (int i = 0; i < v->model()->rowCount(); ++i)
    if (v->model()->index(i, 0).data().toString().startsWith(debut)) return v->setCurrentIndex(v->model()->index(i, 0));
  QFAIL(qPrintable("no line " + debut));
}

}  // namespace

class PersonSearchTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApplication> m_app;
  std::unique_ptr<TScaWin> m_w;
  QTemporaryDir m_maison;

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void init() {
    m_app = test::Application(m_maison);
    const std::string fichier = CopieExemple(*m_app);
    m_w = std::make_unique<TScaWin>(*m_app);
    m_w->Initialise();
    QVERIFY(m_w->ChargeFichier(fichier, true));
    m_w->show();
  }
  void cleanup() {
    m_app->bd->BaseModifiee = 0;
    m_w.reset();
    m_app.reset();
  }

  void searchCommandSelectsThePersonFound() {
    const int avant = m_w->SelecPers();
    QStringList noms, prenoms;
    QString libelle, prefixe;
    test::QuandVisible("fmRechFiche", [&](QWidget* d) {
      auto* edit = d->findChild<QLineEdit*>("eCommence");
      QTest::keyClicks(edit, "cha");
      prefixe = edit->text();
      noms = Lignes(d->findChild<QListView*>("LB_Nom"));
      libelle = d->findChild<QLabel*>("lNom")->text();
      auto* pre = d->findChild<QListView*>("LB_Pre");
      prenoms = Lignes(pre);
      Choisit(pre, "Yves");
      QVERIFY(d->findChild<QPushButton*>("bOk")->isEnabled());
      d->findChild<QPushButton*>("bOk")->click();
    });
    m_w->MenuClick(kCmdRechercheFiche);
    QCOMPARE(prefixe, QString("CHA"));
    QCOMPARE(noms, QStringList{"CHAUVEAU"});
    QVERIFY2(libelle.endsWith("(1)"), qPrintable(libelle));
    QCOMPARE(prenoms, (QStringList{"Louise Rose  4/4/1807", "Yves  1/11/1971"}));
    QVERIFY(m_w->SelecPers() != avant);
    QCOMPARE(m_app->bd->LitPrenoms(m_w->SelecPers()), std::string("Yves"));
  }

  void fatherSearchOffersPlausibleFathersAndLinksTheChosenOne() {
    TBD& bd = *m_app->bd;
    const int p = bd.NouvelleFiche();
    bd.EcritNom(p, "ESSAI");
    bd.EcritPrenoms(p, "Paul");
    bd.EcritDateNaissance(p, "1900");
    QString groupe;
    QStringList lignes;
    bool tousVisible = false;
    test::QuandVisible("fmRechFiche", [&](QWidget* d) {
      groupe = d->findChild<QGroupBox*>("gbListe")->title();
      tousVisible = d->findChild<QCheckBox*>("cbTous")->isVisible();
      d->findChild<TRadioGroup*>("RG_Forme")->findChildren<QRadioButton*>().first()->click();  // "Liste unique"
      QTest::keyClicks(d->findChild<QLineEdit*>("eCommence"), "boss");
      auto* liste = d->findChild<QListView*>("LB_NomPre");
      lignes = Lignes(liste);
      Choisit(liste, "BOSSARD Jean Mathurin");
      d->findChild<QPushButton*>("bOk")->click();
    });
    test::Repondeur non(QMessageBox::No);
    const int pere = m_w->RecherchePersonne(ModeRecherche::Pere, p);
    QVERIFY2(groupe.contains("1830") && groupe.contains("1885"), qPrintable(groupe));
    QVERIFY(tousVisible);
    QVERIFY(lignes.contains(VersQString("BOSSARD Jean Mathurin  27/2/1858")));
    QVERIFY(!lignes.contains(VersQString("BOSSARD Marie  13/7/1858")));  // a woman
    QVERIFY(!lignes.contains(VersQString("BOSSARD Pierre  18/2/1913")));  // born too late
    QCOMPARE(bd.LitPere(p), pere);
    QCOMPARE(bd.LitPrenoms(pere), std::string("Jean Mathurin"));

    // Cancelled: no link.
    test::QuandVisible("fmRechFiche", [](QWidget* d) { d->findChild<QPushButton*>("bAnnuler")->click(); });
    QCOMPARE(m_w->RecherchePersonne(ModeRecherche::Mere, p), 0);
    QCOMPARE(bd.LitMere(p), 0);
  }

  void surnameEditOffersTheSurnamesOfTheTree() {
    m_app->reglages.SetBool(kSectionOptions, "SaisieNom", true);
    m_w->ShowFiche();
    auto* nom = m_w->Fiche()->findChild<QLineEdit*>("E_Nom");
    nom->setFocus();
    nom->selectAll();
    QTest::keyClicks(nom, "BRE");
    auto* liste = m_w->findChild<TfmListe*>();
    QVERIFY(liste);
    QTRY_VERIFY(liste->isVisible());
    QCOMPARE(liste->Liste()->count(), 1);
    QCOMPARE(liste->Liste()->item(0)->text(), QString("BRETAUDEAU"));
    QTest::keyClick(nom, Qt::Key_Return);
    QCOMPARE(nom->text(), QString("BRETAUDEAU"));
    QVERIFY(!liste->isVisible());
    QCOMPARE(m_app->bd->LitNom(m_w->SelecPers()), std::string("BRETAUDEAU"));
  }

  void identityDialogOfAnAdditionOffersTheSurnames() {
    m_app->reglages.SetBool(kSectionOptions, "AjoutePers", true);
    m_app->reglages.SetBool(kSectionOptions, "SaisieNom", true);
    QString copie;
    test::QuandVisible("fmAjoutePers", [&](QWidget* d) {
      auto* nom = d->findChild<QLineEdit*>("E_Nom");
      nom->setFocus();
      nom->selectAll();
      QTest::keyClicks(nom, "CHA");
      QTest::keyClick(nom, Qt::Key_Return);  // takes the one suggestion, the dialog stays
      copie = nom->text();
      d->findChild<QPushButton*>("btOk")->click();
    });
    test::Repondeur non(QMessageBox::No);
    const int n = m_w->AjoutePersonne(SorteAjout::Enfant, m_w->SelecPers());
    QCOMPARE(copie, QString("CHAUVEAU"));
    QCOMPARE(m_app->bd->LitNom(n), std::string("CHAUVEAU"));
  }

  void replaceRewritesASurnameAndListsTheSurnames() {
    TBD& bd = *m_app->bd;
    m_w->MenuClick(kCmdRemplace);
    TfmRemp* r = m_w->Remplacement();
    QVERIFY(r && r->isVisible());
    auto* ok = r->findChild<QPushButton*>("bOk");
    QVERIFY(!ok->isEnabled());
    r->findChild<QListWidget*>("lb")->setCurrentRow(0);  // "Nom"
    r->findChild<QRadioButton*>("rb3")->click();
    QTest::keyClicks(r->findChild<QLineEdit*>("e1"), "chauveau");
    QVERIFY(!ok->isEnabled());
    QTest::keyClicks(r->findChild<QLineEdit*>("e2"), "Chauvot");
    r->findChild<QCheckBox*>("cbVoir")->setChecked(true);
    QVERIFY(ok->isEnabled());
    ok->click();
    int chauvot = 0, chauveau = 0;
    for (int n = bd.FicheSuivante(0); n != 0; n = bd.FicheSuivante(n)) {
      chauvot += bd.LitNom(n) == "Chauvot";
      chauveau += bd.LitNom(n) == "CHAUVEAU";
    }
    QCOMPARE(chauvot, 2);
    QCOMPARE(chauveau, 0);
    QVERIFY(m_w->RapportVisible());
    QVERIFY2(m_w->Rapport().windowTitle().startsWith("Liste des patronymes ("),
             qPrintable(m_w->Rapport().windowTitle()));
    const TGrilleRapport& g = m_app->rapport.grille;
    QCOMPARE(g.NbreColonnes(), 2);
    bool trouve = false;
    for (int l = 0; l < g.NbreLignes(); ++l)
      if (g.Cellule(l, 0) == "Chauvot") trouve = g.Cellule(l, 1) == "2";
    QVERIFY(trouve);
  }
};

QTEST_MAIN(PersonSearchTest)
#include "person_search_test.moc"
