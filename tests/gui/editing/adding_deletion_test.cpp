// Adding and deleting persons from the main window on the example tree:
// "Ajouter une nouvelle fiche" with the identity dialog, the deletion
// dialog with "Conserver seulement", and the record window's person menu
// deleting one person and erasing one link. A tree saved after a deletion
// reads back the same, with no broken link.
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <functional>

#include "chart/kinship.h"
#include "core/tree_file/tree_file_load.h"
#include "core/tree_file/tree_file_save.h"
#include "editing/adding.h"
#include "gui/editing/deletion_dialog.h"
#include "gui/editing/record_window.h"
#include "gui/main/main_window.h"
#include "gui_test_support.h"

using namespace kindrela;

namespace {

std::string CopieExemple(const TApplication& app) {
  const std::string cible = app.dossiers.mesArbres + "Standard.kdg";
  QFile::copy(QString(KINDRELA_SOURCE_DIR) + "/data/modele/1/exemple/Standard.kdg", VersQString(cible));
  return cible;
}

// Runs `action` on the top-level window named `nom` as soon as it shows
// (a modal dialog opened by the code under test).
void QuandVisible(const char* nom, std::function<void(QWidget*)> action) {
  auto* minuterie = new QTimer;
  minuterie->setInterval(10);
  QObject::connect(minuterie, &QTimer::timeout, [minuterie, nom, action] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() != nom || !w->isVisible()) continue;
      minuterie->stop();
      minuterie->deleteLater();
      action(w);
      return;
    }
  });
  minuterie->start();
}

// The links and names of every slot, as the tree file keeps them.
QString Empreinte(const TBD& bd) {
  QString e;
  for (int n = 1; n <= bd.NbreFiche(); ++n) {
    const TFiche& f = bd.Fiche(n);
    e += QString("%1 %2 %3 %4 %5 %6 %7|").arg(n).arg(f.Utilise).arg(VersQString(f.Nom)).arg(VersQString(f.Pre))
             .arg(f.NumP).arg(f.NumM).arg(bd.NbreEveFiche(n));
  }
  for (int u = 1; u <= bd.NbreUnion(); ++u) {
    const TUnion& x = bd.Union(u);
    if (x.Utilise) e += QString("u%1 %2 %3 %4|").arg(u).arg(x.NumH).arg(x.NumF).arg(bd.NbreEveUnion(u));
  }
  return e;
}

}  // namespace

class AddingDeletionTest : public QObject {
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
    m_app->bd->BaseModifiee = 0;  // no save question at the close
    m_w.reset();
    m_app.reset();
  }

  void addDialogAddsAChildWithItsIdentity() {
    TBD& bd = *m_app->bd;
    m_app->reglages.SetBool(kSectionOptions, "AjoutePers", true);
    m_app->reglages.SetBool(kSectionOptions, "LienAuto", true);
    const int p = m_w->SelecPers();
    QVERIFY(bd.LitPere(p) > 0);
    const int avant = bd.NbreFichesUtilisees();
    bool pereActif = true;
    QuandVisible("fmAjoute", [&](QWidget* d) {
      pereActif = d->findChild<QRadioButton*>("RB_Pere")->isEnabled();
      d->findChild<QRadioButton*>("RB_Enfant")->click();
      // The identity dialog opens during the addition.
      QuandVisible("fmAjoutePers", [](QWidget* i) {
        QTest::keyClicks(i->findChild<QLineEdit*>("E_Pre"), "Hortense");
        i->findChild<QPushButton*>("sbSexe")->click();
        i->findChild<QCheckBox*>("cbSelec")->setChecked(true);
        i->findChild<QPushButton*>("btOk")->click();
      });
      d->findChild<QPushButton*>("B_Ok")->click();
    });
    test::Repondeur non(QMessageBox::No);  // a second parent may be offered
    m_w->MenuClick(kCmdAjouteFiche);
    QVERIFY(!pereActif);
    QCOMPARE(bd.NbreFichesUtilisees(), avant + 1);
    const int enfant = m_w->SelecPers();
    QVERIFY(enfant != p);
    QCOMPARE(bd.LitPrenoms(enfant), std::string("Hortense"));
    QCOMPARE(bd.LitSexe(enfant), 1);
    QVERIFY(bd.LitPere(enfant) == p || bd.LitMere(enfant) == p);
    QVERIFY(m_w->FicheVisible());
    QCOMPARE(m_w->Fiche()->windowTitle(),
             VersQString(m_app->traduction.Msg(307) + " " + bd.NomCourt(p)));
  }

  void deletionKeepsOnlyTheAncestorsAndSavesSoundly() {
    TBD& bd = *m_app->bd;
    const int p = m_w->SelecPers();
    m_w->MenuClick(kCmdSupprimeFiche);
    TfmSupprime* d = m_w->Suppression();
    QVERIFY(d);
    auto* liste = d->findChild<QPushButton*>("sbListe");
    QCOMPARE(liste->text(), VersQString("Liste d'une fiche supprimée"_ansi));
    // A second request opens no second dialog.
    m_w->MenuClick(kCmdSupprimeFiche);
    QCOMPARE(m_w->findChildren<TfmSupprime*>().size(), 1);

    auto* asc = d->findChild<QCheckBox*>("CB_Asc");
    auto* fratrie = d->findChild<QCheckBox*>("cbAscFratrie");
    QVERIFY(!fratrie->isEnabled());
    asc->click();
    QVERIFY(fratrie->isEnabled());
    d->findChild<QSpinBox*>("eAscGen")->setValue(2);
    d->findChild<QRadioButton*>("rbConserver")->click();
    const int gardes = static_cast<int>(AncestorsWithin(bd, p, 2).Count());
    const int total = bd.NbreFichesUtilisees();
    QCOMPARE(liste->text(), VersQString("Liste des " + std::to_string(total - gardes) + " fiches supprimées"_ansi));
    d->findChild<QPushButton*>("B_Ok")->click();
    QCOMPARE(bd.NbreFichesUtilisees(), gardes);
    QCOMPARE(m_w->SelecPers(), p);
    QTRY_VERIFY(m_w->Suppression() == nullptr);

    // Saved and read back: the same tree, and nothing for the check to repair.
    OptionsSauvegarde o;
    o.dossier = m_app->dossiers.mesArbres;
    o.nom = "Gardes";
    ResultatSauvegarde r;
    QVERIFY(SauveNatif(bd, o, r).ok());
    TBD relu;
    ResultatChargement lu;
    QVERIFY(ChargeFichierArbre(relu, r.fichierCourant, {}, lu).ok());
    QCOMPARE(Empreinte(relu), Empreinte(bd));
    QCOMPARE(relu.VerifieBase([](const std::string&) { return true; }), std::string(kAucunProblemeConstate));
  }

  void recordMenuDeletesOnePersonAndErasesOneLink() {
    TBD& bd = *m_app->bd;
    m_w->ShowFiche();
    TfmFiche* fiche = m_w->Fiche();
    const int p = m_w->SelecPers();
    const int pere = bd.LitPere(p), mere = bd.LitMere(p);
    QVERIFY(pere > 0 && mere > 0);
    {
      test::Repondeur ok(QMessageBox::Ok);
      std::unique_ptr<QMenu> menu(fiche->CreeMenuPersonne(ControleFiche::Pere));
      menu->findChild<QAction*>("psSupprimer")->trigger();
      QCOMPARE(ok.Nbre(), 1);
    }
    QVERIFY(!bd.FicheUtilisee(pere));
    QCOMPARE(bd.LitPere(p), 0);
    QCOMPARE(m_w->SelecPers(), p);
    std::unique_ptr<QMenu> menu(fiche->CreeMenuPersonne(ControleFiche::Mere));
    menu->findChild<QAction*>("psEffacerLien")->trigger();
    QCOMPARE(bd.LitMere(p), 0);
    QVERIFY(bd.FicheUtilisee(mere));

    // Deleting the person shown: the selection moves first, and a "Cancel" deletes nothing.
    const int enfant = bd.NouvelleFiche();
    bd.EcritNom(enfant, "ENFANT");
    bd.EcritPere(enfant, p);
    m_w->SetSelecPers(enfant);
    {
      test::Repondeur annule(QMessageBox::Cancel);
      std::unique_ptr<QMenu> m(fiche->CreeMenuPersonne(ControleFiche::Nom));
      m->findChild<QAction*>("psSupprimer")->trigger();
      QCOMPARE(annule.Nbre(), 1);
    }
    QVERIFY(bd.FicheUtilisee(enfant));
    QCOMPARE(m_w->SelecPers(), p);
  }
};

QTEST_MAIN(AddingDeletionTest)
#include "adding_deletion_test.moc"
