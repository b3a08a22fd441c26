// The merge dialog "Fusion" from the main window on the example tree: a
// duplicate chosen with "Sélectionner" in the person search, looked at with "Voir fiche", merged
// with "Fusionner"; the duplicate then deleted, and the tree
// saved and read back the same with no broken link.
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QPushButton>

#include "chart/kinship.h"
#include "core/tree_file/tree_file_load.h"
#include "core/tree_file/tree_file_save.h"
#include "editing/deletion.h"
#include "editing/merge.h"
#include "gui/common/radio_group.h"
#include "gui/editing/merge_dialog.h"
#include "gui/main/main_window.h"
#include "gui_test_support.h"

using namespace kindrela;

namespace {

// Names, links, events and sources of every slot.
QString Empreinte(const TBD& bd) {
  QString e;
  for (int n = 1; n <= bd.NbreFiche(); ++n) {
    const TFiche& f = bd.Fiche(n);
    e += QString("%1 %2 %3 %4 %5 %6 %7 %8|").arg(n).arg(f.Utilise).arg(VersQString(f.Nom))
             .arg(VersQString(f.Pre)).arg(f.NumP).arg(f.NumM).arg(VersQString(f.Note)).arg(bd.NbreSrcFiche(n));
    for (int k = 1; k <= bd.NbreEveFiche(n); ++k)
      for (int champ = 1; champ <= 5; ++champ) e += VersQString(bd.LitEveFiche(n, k, champ)) + ";";
  }
  for (int u = 1; u <= bd.NbreUnion(); ++u) {
    const TUnion& x = bd.Union(u);
    if (x.Utilise) e += QString("u%1 %2 %3 %4|").arg(u).arg(x.NumH).arg(x.NumF).arg(bd.NbreEveUnion(u));
  }
  return e;
}

// Links to persons that are gone, one line each.
QString LiensRompus(const TBD& bd) {
  QString e;
  for (int n = 1; n <= bd.NbreFiche(); ++n) {
    if (!bd.FicheUtilisee(n)) continue;
    for (int parent : {bd.LitPere(n), bd.LitMere(n)})
      if (parent != 0 && !bd.FicheUtilisee(parent)) e += QString("%1 -> %2\n").arg(n).arg(parent);
  }
  for (int u = 1; u <= bd.NbreUnion(); ++u) {
    const TUnion& x = bd.Union(u);
    if (x.Utilise && (!bd.FicheUtilisee(x.NumH) || !bd.FicheUtilisee(x.NumF)))
      e += QString("u%1 %2 %3\n").arg(u).arg(x.NumH).arg(x.NumF);
  }
  return e;
}

}  // namespace

class MergeDialogTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApplication> m_app;
  std::unique_ptr<TScaWin> m_w;
  QTemporaryDir m_maison;

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void init() {
    m_app = test::Application(m_maison);
    const std::string fichier = m_app->dossiers.mesArbres + "Standard.kdg";
    QFile::copy(QString(KINDRELA_SOURCE_DIR) + "/data/modele/1/exemple/Standard.kdg", VersQString(fichier));
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

  void mergesAChosenDuplicateAndSavesSoundly() {
    TBD& bd = *m_app->bd;
    const int a = m_w->SelecPers();
    QVERIFY(bd.LitPere(a) > 0);
    // The duplicate, as a concatenated file brings it: same person, no parents, a child.
    const int b = bd.NouvelleFiche();
    bd.EcritSexe(b, bd.LitSexe(a));
    bd.EcritNom(b, bd.LitNom(a));
    bd.EcritPrenoms(b, bd.LitPrenoms(a) + " Marie");
    bd.EcritChamp(b, 18, "Doublon");
    const int enfant = bd.NouvelleFiche();
    bd.EcritNom(enfant, "ENFANT");
    if (bd.LitSexe(a) == 0) bd.EcritPere(enfant, b);
    else bd.EcritMere(enfant, b);
    const std::string nomA = bd.LitNom(a), preA = bd.LitPrenoms(a);

    m_w->MenuClick(kCmdFusion);
    TFusion* d = m_w->Fusion();
    QVERIFY(d);
    QCOMPARE(d->windowTitle(), QString("Fusion"));
    auto* boite1 = d->findChild<QLineEdit*>("E_Pers1");
    auto* boite2 = d->findChild<QLineEdit*>("E_Pers2");
    auto* fusionner = d->findChild<QPushButton*>("B_Fusionner");
    QCOMPARE(boite1->text(), VersQString(LibelleFusion(bd, a)));
    QVERIFY(boite2->text().isEmpty());
    QVERIFY(!fusionner->isEnabled());

    test::QuandVisible("fmRechFiche", [&](QWidget* recherche) {
      recherche->findChild<TRadioGroup*>("RG_Forme")->findChildren<QRadioButton*>().first()->click();  // "Liste unique"
      QTest::keyClicks(recherche->findChild<QLineEdit*>("eCommence"), VersQString(nomA));
      auto* liste = recherche->findChild<QListView*>("LB_NomPre");
      const QString ligne = VersQString(nomA + " " + preA + " Marie");
      for (int i = 0; i < liste->model()->rowCount(); ++i)
        if (liste->model()->index(i, 0).data().toString().startsWith(ligne))
          liste->setCurrentIndex(liste->model()->index(i, 0));
      recherche->findChild<QPushButton*>("bOk")->click();
    });
    d->findChild<QPushButton*>("sbSelection2")->click();
    QCOMPARE(d->Personne(1), b);
    QCOMPARE(m_w->SelecPers(), b);
    QCOMPARE(boite2->text(), VersQString(nomA + " " + preA + " Marie "));
    d->findChild<QPushButton*>("sbVoir1")->click();
    QCOMPARE(m_w->SelecPers(), a);
    QVERIFY(m_w->FicheArbreVisible());

    {
      test::Repondeur ok;
      fusionner->click();
      QCOMPARE(ok.Nbre(), 1);
      QCOMPARE(ok.Texte(), VersQString("Fusion Terminée"_ansi));
    }
    QCOMPARE(bd.LitNom(a), nomA);
    QCOMPARE(bd.LitPrenoms(a), preA + " | " + preA + " Marie");
    QCOMPARE(bd.LitNom(b), std::string(kMarqueDouble) + nomA);
    QVERIFY(bd.LitChamp(a, 18).find("Doublon") != std::string::npos);
    QVERIFY(bd.LitPere(enfant) == a || bd.LitMere(enfant) == a);
    QCOMPARE(bd.LitPere(b), bd.LitPere(a));
    QCOMPARE(m_w->SelecPers(), a);
    QCOMPARE(boite2->text(), VersQString(LibelleFusion(bd, b)));

    d->findChild<QPushButton*>("B_Annuler")->click();
    QTRY_VERIFY(m_w->Fusion() == nullptr);

    // The duplicate goes; saved and read back: the same tree, nothing broken.
    SupprimePersonne(bd, b, a);
    QVERIFY(LiensRompus(bd).isEmpty());
    OptionsSauvegarde o;
    o.dossier = m_app->dossiers.mesArbres;
    o.nom = "Fusion";
    ResultatSauvegarde r;
    QVERIFY(SauveNatif(bd, o, r).ok());
    TBD relu;
    ResultatChargement lu;
    QVERIFY(ChargeFichierArbre(relu, r.fichierCourant, {}, lu).ok());
    QCOMPARE(Empreinte(relu), Empreinte(bd));
    QCOMPARE(LiensRompus(relu), QString());
    QCOMPARE(relu.VerifieBase([](const std::string&) { return true; }), std::string(kAucunProblemeConstate));
  }
};

QTEST_MAIN(MergeDialogTest)
#include "merge_dialog_test.moc"
