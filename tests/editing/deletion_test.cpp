#include "editing/deletion.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/clock.h"
#include "core/database.h"

namespace kindrela {
namespace {

constexpr int H = 0, F = 1;

// Four generations around P (10), numbered so that the expectations read:
//   GP 1 + GM 2 -> father 3, uncle 4;  uncle 4 + 5 -> cousin 6 -> 7
//   father 3 + mother 8 (daughter of 9) -> P 10, sister 11
//   P 10 + wife 12 (daughter of 16) -> son 13;  13 + 14 (daughter of 17) -> 15
//   18, 19, 20: strangers of different ages.
class Suppression : public testing::Test {
 protected:
  void SetUp() override {
    FixeAujourdhui({2024, 6, 15});
    const int sexes[] = {H, F, H, H, F, H, H, F, H, H, F, F, H, F, H, H, H, H, H, H};
    for (int s : sexes) bd.EcritSexe(bd.NouvelleFiche(), s);
    Parents(3, 1, 2);
    Parents(4, 1, 2);
    Parents(6, 4, 5);
    Parents(7, 6, 0);
    Parents(8, 9, 0);
    Parents(10, 3, 8);
    Parents(11, 3, 8);
    Parents(12, 16, 0);
    Parents(13, 10, 12);
    Parents(14, 17, 0);
    Parents(15, 13, 14);
    for (auto [h, f] : {std::pair{1, 2}, {4, 5}, {3, 8}, {10, 12}, {13, 14}}) bd.CreeUnion(h, f);
    bd.EcritDateNaissance(17, "16/6/1924");  // 99 today
    bd.EcritDateNaissance(18, "1/1/2024");   // not a year old
    bd.EcritDateNaissance(19, "15/6/1924");  // 100 today
    bd.EcritDateNaissance(20, "1994");
    bd.RefPers = 10;
  }
  void TearDown() override { LibereAujourdhui(); }
  void Parents(int n, int p, int m) {
    bd.EcritPere(n, p);
    bd.EcritMere(n, m);
  }
  std::set<int> Marques(const CriteresSuppression& c, const TR& rapport = TR(0)) {
    const auto m = SelectionSuppression(bd, 10, c, rapport);
    std::set<int> s;
    for (size_t i = 0; i < m.size(); ++i)
      if (m[i]) s.insert(static_cast<int>(i));
    return s;
  }
  TBD bd;
};

TEST_F(Suppression, EachRuleMarksItsPersons) {
  struct Cas {
    const char* nom;
    void (*regle)(CriteresSuppression&);
    std::set<int> attendu;
  };
  const Cas cas[] = {
      {"person", [](CriteresSuppression&) {}, {10}},
      {"parents", [](CriteresSuppression& c) { c.pere = c.mere = true; }, {3, 8, 10}},
      {"spouse, siblings, children",
       [](CriteresSuppression& c) { c.conjoints = c.fratrie = c.enfants = true; }, {10, 11, 12, 13}},
      {"two generations of ancestors (the person among them)",
       [](CriteresSuppression& c) { c.personne = false, c.ascendance = true, c.ascGen = 2; },
       {1, 2, 3, 8, 9, 10}},
      {"ancestors and their spouses",
       [](CriteresSuppression& c) { c.ascendance = true, c.ascConj = true; }, {3, 8, 10, 12}},
      {"siblings of the ancestors",
       [](CriteresSuppression& c) { c.ascendance = true, c.ascGen = 2, c.ascFratrie = true; },
       {1, 2, 3, 4, 8, 9, 10, 11}},
      {"and their descendants, with every spouse and the spouses' parents",
       [](CriteresSuppression& c) {
         c.ascendance = c.ascFratrie = c.ascFratrieDes = c.ascConj = c.ascConjAsc = true;
         c.ascGen = 2;
       },
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16}},
      {"two generations of descendants",
       [](CriteresSuppression& c) { c.personne = false, c.descendance = true, c.desGen = 2; }, {13, 15}},
      {"descendants with their spouses and the spouses' parents",
       [](CriteresSuppression& c) {
         c.personne = false, c.descendance = c.desConj = c.desConjAsc = true, c.desGen = 9;
       },
       {13, 14, 15, 17}},
      {"aged 1 to 99 today by the birth date",
       [](CriteresSuppression& c) { c.personne = false, c.age = true; }, {17, 20}},
      {"younger than 31", [](CriteresSuppression& c) { c.personne = false, c.age = true, c.ageMax = 31; }, {20}},
  };
  for (const Cas& c : cas) {
    CriteresSuppression criteres;
    c.regle(criteres);
    EXPECT_EQ(Marques(criteres), c.attendu) << c.nom;
  }
  CriteresSuppression rapport;
  rapport.rapport = true;
  TR liste(10);
  liste.Add(5);
  liste.Add(7);
  EXPECT_EQ(Marques(rapport, liste), (std::set<int>{5, 7, 10}));
}

TEST_F(Suppression, ControlsFollowThePersonAndTheirParentRule) {
  CriteresSuppression c;
  c.pere = c.mere = c.conjoints = c.fratrie = c.enfants = c.rapport = true;
  c.ascendance = c.ascFratrie = c.ascFratrieDes = c.ascConj = c.ascConjAsc = true;
  c.descendance = c.desConj = c.desConjAsc = true;
  CriteresSuppression copie = c;
  ActivationsSuppression a = AppliqueActivations(bd, 10, 2, copie);
  EXPECT_TRUE(a.pere && a.mere && a.conjoints && a.fratrie && a.enfants && a.rapport);
  EXPECT_TRUE(copie.ascConjAsc && copie.desConjAsc);

  // A stranger, no report: the kinship boxes go off; unticking the
  // ancestors and descendants unticks everything hanging on them.
  c.ascendance = c.descendance = false;
  a = AppliqueActivations(bd, 18, 0, c);
  EXPECT_FALSE(a.pere || a.mere || a.conjoints || a.fratrie || a.enfants || a.rapport);
  EXPECT_FALSE(a.ascFratrie || a.ascFratrieDes || a.ascConj || a.ascConjAsc || a.desConj || a.desConjAsc);
  EXPECT_FALSE(c.pere || c.rapport || c.ascFratrie || c.ascFratrieDes || c.ascConj || c.ascConjAsc ||
               c.desConj || c.desConjAsc);

  EXPECT_EQ(LibelleCompte(0), "Liste vide");
  EXPECT_EQ(LibelleCompte(1), "Liste d'une fiche supprim\xE9" "e");
  EXPECT_EQ(LibelleCompte(7), "Liste des 7 fiches supprim\xE9" "es");
}

TEST_F(Suppression, DeletingTheSelectionMovesSelectionAndReference) {
  CriteresSuppression c;  // P alone
  auto m = SelectionSuppression(bd, 10, c, TR(0));
  EXPECT_EQ(NbreASupprimer(bd, m, false), 1);
  EXPECT_EQ(ListeASupprimer(bd, m, true).Count(), 19);
  bd.BaseModifiee = 0;
  EXPECT_EQ(SupprimeSelection(bd, m, false, 10), 3);  // the father
  EXPECT_EQ(bd.RefPers, 3);
  EXPECT_TRUE(bd.BaseModifiee);
  EXPECT_EQ(bd.LitPere(13), 0);
  EXPECT_EQ(SpouseCount(bd, 12), 0);
  EXPECT_EQ(bd.LitMere(13), 12);

  // Without parents the nearest person below goes first, then above.
  m = SelectionSuppression(bd, 9, c, TR(0));
  m[1] = 1;
  EXPECT_EQ(SupprimeSelection(bd, m, false, 9), 8);
  m.assign(m.size(), 0);
  for (int i = 1; i <= 8; ++i) m[i] = 1;
  EXPECT_EQ(SupprimeSelection(bd, m, false, 2), 11);
}

TEST_F(Suppression, KeepOnlyThePersonDeletesEverybodyElseAndTheirLinks) {
  CriteresSuppression c;
  c.conserver = true;
  const auto m = SelectionSuppression(bd, 10, c, TR(0));
  EXPECT_EQ(SupprimeSelection(bd, m, true, 15), 10);
  EXPECT_EQ(bd.NbreFichesUtilisees(), 1);
  EXPECT_EQ(bd.LitPere(10), 0);
  EXPECT_EQ(bd.LitMere(10), 0);
  EXPECT_EQ(bd.NbreUnionsValides(), 0);
  EXPECT_EQ(bd.RefPers, 10);
}

TEST_F(Suppression, OnePersonAndOneLinkFromTheRecord) {
  EXPECT_EQ(SelectionAvantSuppression(bd, 10), 3);
  EXPECT_EQ(SelectionAvantSuppression(bd, 16), 16);   // no parent, no spouse
  EXPECT_EQ(SelectionAvantSuppression(bd, 5), 4);     // her last spouse
  EXPECT_EQ(SupprimePersonne(bd, 10, 3), 3);
  EXPECT_FALSE(bd.FicheUtilisee(10));
  EXPECT_EQ(bd.LitPere(13), 0);
  EXPECT_EQ(bd.RefPers, 3);
  EXPECT_EQ(SupprimePersonne(bd, 9, 9), 8);

  struct Cas {
    ControleFiche controle;
    int x, cible;
    int personne, pere, mere;  // what `personne` has afterwards
  };
  // 21 shares only the mother of 11: erasing it as 11's sibling clears that alone.
  const int demi = bd.NouvelleFiche();
  bd.EcritPere(demi, 16);
  bd.EcritMere(demi, 8);
  const Cas cas[] = {
      {ControleFiche::Fratrie, 11, demi, demi, 16, 0},
      {ControleFiche::Pere, 11, 0, 11, 0, 8},
      {ControleFiche::Mere, 11, 0, 11, 0, 0},
      {ControleFiche::Enfant, 14, 15, 15, 13, 0},  // a woman's child: only the mother link goes...
      {ControleFiche::Enfant, 13, 15, 15, 0, 0},   // ...a man's, the father link
  };
  for (const Cas& c : cas) {
    EffaceLienFiche(bd, c.controle, c.x, c.cible);
    EXPECT_EQ(bd.LitPere(c.personne), c.pere) << c.personne;
    EXPECT_EQ(bd.LitMere(c.personne), c.mere) << c.personne;
  }
  const int u = UnionOfCouple(bd, 13, 14);
  ASSERT_GT(u, 0);
  EXPECT_TRUE(EffaceLienFiche(bd, ControleFiche::Union, 13, u));
  EXPECT_EQ(UnionOfCouple(bd, 13, 14), 0);
  EXPECT_FALSE(EffaceLienFiche(bd, ControleFiche::Union, 13, u));
}

}  // namespace
}  // namespace kindrela
