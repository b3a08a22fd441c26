#include "editing/merge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chart/kinship.h"
#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/database.h"

namespace kindrela {
namespace {

constexpr int H = 0, F = 1, I = 2;

class Fusion : public testing::Test {
 public:
  void SetUp() override { FixeAujourdhui({2024, 6, 15}); }
  void TearDown() override { LibereAujourdhui(); }

  int Personne(int sexe, const char* nom, const char* pre = "Jean") {
    const int n = bd.NouvelleFiche();
    bd.EcritSexe(n, sexe);
    bd.EcritNom(n, nom);
    bd.EcritPrenoms(n, pre);
    return n;
  }
  int Evenement(int n, const std::string& nature, const char* date, const char* lieu = "",
                const char* note = "") {
    const int e = bd.AjouteEveFiche(n);
    bd.EcritChampEve(e, 1, nature);
    bd.EcritChampEve(e, 2, date);
    bd.EcritChampEve(e, 4, lieu);
    bd.EcritChampEve(e, 5, note);
    return e;
  }
  std::vector<int> Evenements(int n) const {
    std::vector<int> v;
    for (int k = 1; k <= bd.NbreEveFiche(n); ++k) v.push_back(LitEntree(bd.Fiche(n).TabEve, k));
    return v;
  }
  // The reverse indexes answer as a scan of the tables would.
  void IndexCoherents() const {
    for (int p = 1; p <= bd.NbreFiche(); ++p) {
      std::vector<int> parPere, parMere, maris, femmes, v;
      for (int n = 1; n <= bd.NbreFiche(); ++n) {
        if (bd.Fiche(n).NumP == p) parPere.push_back(n);
        if (bd.Fiche(n).NumM == p) parMere.push_back(n);
      }
      for (int u = 1; u <= bd.NbreUnion(); ++u) {
        if (bd.Union(u).NumH == p) maris.push_back(u);
        if (bd.Union(u).NumF == p) femmes.push_back(u);
      }
      auto egal = [&](auto requete, const std::vector<int>& attendu) {
        requete(p, v);
        std::sort(v.begin(), v.end());
        EXPECT_EQ(v, attendu) << "person " << p;
      };
      egal([&](int q, std::vector<int>& s) { bd.EnfantsDuPere(q, s); }, parPere);
      egal([&](int q, std::vector<int>& s) { bd.EnfantsDeLaMere(q, s); }, parMere);
      egal([&](int q, std::vector<int>& s) { bd.UnionsDuMari(q, s); }, maris);
      egal([&](int q, std::vector<int>& s) { bd.UnionsDeLaFemme(q, s); }, femmes);
    }
  }
  TBD bd;
};

// ----- Refusals: nothing changes -------------------------------------------

struct CasRefus {
  const char* nom;
  int a, b;
  RefusFusion refus;
  const char* message;
};

// 1 and 2 men of fathers 5 and 6; 3 a woman; 4 father of 7, father of 8; 9 freed.
class FusionRefusee : public Fusion, public testing::WithParamInterface<CasRefus> {
 public:
  void SetUp() override {
    Fusion::SetUp();
    for (int sexe : {H, H, F, H, H, H, H, H, H}) Personne(sexe, "X");
    bd.EcritPere(1, 5);
    bd.EcritPere(2, 6);
    bd.EcritPere(7, 4);
    bd.EcritPere(8, 7);
    bd.EffaceFiche(9);
  }
};

TEST_P(FusionRefusee, ChangesNothingAndSaysWhy) {
  std::vector<TFiche> avant;
  for (int n = 1; n <= bd.NbreFiche(); ++n) avant.push_back(bd.Fiche(n));
  const ResultatFusion r = FusionPersonnes(bd, GetParam().a, GetParam().b);
  EXPECT_EQ(r.refus, GetParam().refus);
  EXPECT_EQ(r.message, GetParam().message);
  for (int n = 1; n <= bd.NbreFiche(); ++n) {
    EXPECT_EQ(bd.Fiche(n).Nom, avant[n - 1].Nom);
    EXPECT_EQ(bd.Fiche(n).NumP, avant[n - 1].NumP);
  }
  EXPECT_EQ(bd.NbreUnion() + bd.NbreEve() + bd.BaseModifiee, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Refus, FusionRefusee,
    testing::Values(
        CasRefus{"ManWithWoman", 1, 3, RefusFusion::SexeDifferent,
                 "Cette fusion ne peut se faire, les personnes ne sont pas du même sexe"_ansi},
        CasRefus{"DifferentFathers", 1, 2, RefusFusion::ParentsDifferents,
                 "Cette fusion ne peut se faire, les parents sont différents, supprimer les liens "
                 "parents d'une des personnes"_ansi},
        CasRefus{"DuplicateIsAGrandfather", 8, 4, RefusFusion::Ascendance,
                 "Cette fusion ne peut se faire, une des personnes descend de l'autre"},
        CasRefus{"KeptIsTheFather", 4, 7, RefusFusion::Ascendance,
                 "Cette fusion ne peut se faire, une des personnes descend de l'autre"},
        CasRefus{"SamePerson", 1, 1, RefusFusion::MemePersonne,
                 "Cette fusion ne peut se faire, il faut deux personnes différentes"_ansi},
        CasRefus{"FreedDuplicate", 1, 9, RefusFusion::PersonneAbsente,
                 "Cette fusion ne peut se faire, une des personnes n'existe pas"},
        CasRefus{"OutOfRange", 99, 1, RefusFusion::PersonneAbsente,
                 "Cette fusion ne peut se faire, une des personnes n'existe pas"}),
    [](const testing::TestParamInfo<CasRefus>& i) { return std::string(i.param.nom); });

// ----- What a merge copies ---------------------------------------------------

TEST_F(Fusion, NamesJoinWhenTheyDifferAndTheDuplicateIsMarked) {
  const int a = Personne(H, "DUPONT"), b = Personne(H, "DUPOND");
  const ResultatFusion r = FusionPersonnes(bd, a, b);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.message, "Fusion Terminée"_ansi);
  EXPECT_EQ(bd.LitNom(a), "DUPONT | DUPOND");
  EXPECT_EQ(bd.LitPrenoms(a), "Jean");
  EXPECT_EQ(bd.LitNom(b), "(double a supprimer) DUPOND");
  EXPECT_EQ(bd.LitChamp(a, 22), "15/6/2024");
  EXPECT_EQ(bd.BaseModifiee, 1);
  const int c = Personne(H, "DUPONT", "Paul");
  ASSERT_TRUE(FusionPersonnes(bd, c, Personne(H, "DUPONT", "Jean")).ok());
  EXPECT_EQ(bd.LitNom(c), "DUPONT");
  EXPECT_EQ(bd.LitPrenoms(c), "Paul | Jean");
}

TEST_F(Fusion, KeptPersonTakesTheParentsAndTheyBecomeACouple) {
  const int a = Personne(H, "A"), b = Personne(H, "B");
  const int pere = Personne(H, "P"), mere = Personne(F, "M");
  bd.EcritChamp(mere, 26, "3");
  bd.EcritPere(b, pere);
  bd.EcritCertP(b, 2);
  bd.EcritMere(b, mere);
  ASSERT_TRUE(FusionPersonnes(bd, a, b).ok());
  EXPECT_EQ(bd.LitPere(a), pere);
  EXPECT_EQ(bd.LitMere(a), mere);
  EXPECT_EQ(bd.LitCertP(a), 2);
  const int u = UnionOfCouple(bd, pere, mere);
  ASSERT_NE(u, 0);
  EXPECT_EQ(bd.Fiche(pere).Numero, "2");
  // A second merge finds the couple instead of making another; the
  // duplicate takes the parent only the kept person has.
  const int c = Personne(H, "C"), d = Personne(H, "D");
  bd.EcritPere(d, pere);
  ASSERT_TRUE(FusionPersonnes(bd, d, c).ok());
  EXPECT_EQ(bd.LitPere(c), pere);
  ASSERT_TRUE(FusionPersonnes(bd, c, b).ok());
  EXPECT_EQ(bd.NbreUnionsValides(), 1);
  IndexCoherents();
}

TEST_F(Fusion, ChildrenOfTheDuplicateBecomeChildrenOfTheKeptPerson) {
  const int a = Personne(F, "A"), b = Personne(F, "B"), pere = Personne(H, "P");
  const int e1 = Personne(H, "E1"), e2 = Personne(F, "E2");
  bd.EcritMere(e1, b);
  bd.EcritPere(e1, pere);
  bd.EcritMere(e2, b);
  ASSERT_TRUE(FusionPersonnes(bd, a, b).ok());
  EXPECT_EQ(bd.LitMere(e1), a);
  EXPECT_EQ(bd.LitPere(e1), pere);
  EXPECT_EQ(bd.LitMere(e2), a);
  EXPECT_EQ(ChildrenOf(bd, b).Count(), 0);
  EXPECT_EQ(ChildrenOf(bd, a).Count(), 2);
  IndexCoherents();
}

TEST_F(Fusion, EventRuleKeepsTakesAndNotes) {
  const int a = Personne(H, "A"), b = Personne(H, "B");
  const int na = Evenement(a, bd.NatNaissance, "1900");
  Evenement(b, bd.NatNaissance, "5/3/1900", "Paris");
  Evenement(b, bd.NatDeces, "1970", "Lyon", "Acte 12");
  bd.EcritChampEve(Evenements(b)[1], 6, "2");
  ASSERT_TRUE(FusionPersonnes(bd, a, b).ok());
  ASSERT_EQ(bd.NbreEveFiche(a), 2);
  EXPECT_EQ(bd.LitChampEve(na, 2), "1900");
  EXPECT_EQ(bd.LitChampEve(na, 4), "Paris");
  EXPECT_EQ(bd.LitChampEve(na, 5), "5/3/1900");
  const int deces = Evenements(a)[1];
  EXPECT_EQ(bd.LitChampEve(deces, 1), bd.NatDeces);
  EXPECT_EQ(bd.LitChampEve(deces, 2), "1970");
  EXPECT_EQ(bd.LitChampEve(deces, 4), "Lyon");
  EXPECT_EQ(bd.LitChampEve(deces, 5), "Acte 12");
  EXPECT_EQ(bd.LitChampEve(deces, 6), "2");
  // The duplicate keeps its own events.
  EXPECT_EQ(bd.NbreEveFiche(b), 2);
  // An event with a note says where the rest comes from.
  const int c = Personne(H, "C");
  bd.EcritChampEve(na, 5, "Registre");
  Evenement(c, bd.NatNaissance, "1901", "Paris", "Copie");
  ASSERT_TRUE(FusionPersonnes(bd, a, c).ok());
  EXPECT_EQ(bd.LitChampEve(na, 5), "Registre\r\nIssue de la fusion\r\n1901\r\nCopie");
}

TEST_F(Fusion, NoteAndSourcesCarryOver) {
  const int a = Personne(H, "A"), b = Personne(H, "B");
  bd.EcritChamp(a, 18, "Notaire");
  bd.EcritChamp(b, 18, "Cultivateur");
  const int commune = bd.AjouteNouvelleSrc(a);
  bd.AjouteSrc(b, commune);
  const int propre = bd.AjouteNouvelleSrc(b);
  ASSERT_TRUE(FusionPersonnes(bd, a, b).ok());
  EXPECT_EQ(bd.LitChamp(a, 18), "Notaire\r\nIssue de la fusion\r\nCultivateur");
  ASSERT_EQ(bd.NbreSrcFiche(a), 2);
  EXPECT_EQ(LitEntree(bd.Fiche(a).TabSrc, 1), commune);
  EXPECT_EQ(LitEntree(bd.Fiche(a).TabSrc, 2), propre);
  EXPECT_EQ(bd.NbreSrcFiche(b), 2);
}

TEST_F(Fusion, UnionsOfTheDuplicateAreJoinedWithTheirEvents) {
  const int a = Personne(H, "A"), b = Personne(H, "B"), c = Personne(F, "C"), d = Personne(F, "D");
  const int ub = bd.CreeUnion(b, c);
  const int m = bd.AjouteEveUnion(ub);
  bd.EcritChampEve(m, 1, bd.NatMariage);
  bd.EcritChampEve(m, 2, "1925");
  bd.EcritChampEve(m, 4, "Rouen");
  // A is already married to D: that union receives D's wedding from B's side.
  const int ua = bd.CreeUnion(a, d);
  const int ubd = bd.CreeUnion(b, d);
  const int m2 = bd.AjouteEveUnion(ubd);
  bd.EcritChampEve(m2, 1, bd.NatMariage);
  bd.EcritChampEve(m2, 2, "1930");
  ASSERT_TRUE(FusionPersonnes(bd, a, b).ok());
  const int v = UnionOfCouple(bd, a, c);
  ASSERT_NE(v, 0);
  EXPECT_EQ(bd.LitNumH(v), a);
  EXPECT_EQ(bd.LitNumF(v), c);
  EXPECT_EQ(bd.LitChampUnion(v, 3), "1925");
  EXPECT_EQ(bd.LitChampUnion(v, 5), "Rouen");
  EXPECT_EQ(UnionOfCouple(bd, a, d), ua);
  EXPECT_EQ(bd.LitChampUnion(ua, 3), "1930");
  // B's unions are still there.
  EXPECT_TRUE(bd.UnionValide(ub));
  EXPECT_EQ(bd.NbreEveUnion(ub), 1);
  IndexCoherents();
}

TEST_F(Fusion, UnionAssureeFollowsTheSexesAndTheNumbers) {
  const int h = Personne(H, "H"), f = Personne(F, "F"), h2 = Personne(H, "H2"), i = Personne(I, "I");
  EXPECT_EQ(UnionAssuree(bd, h, h2), 0);
  EXPECT_EQ(UnionAssuree(bd, h, 0), 0);
  EXPECT_EQ(UnionAssuree(bd, 0, f), 0);
  EXPECT_EQ(bd.NbreUnion(), 0);

  bd.EcritChamp(h, 26, "4");
  const int u = UnionAssuree(bd, f, h);
  ASSERT_NE(u, 0);
  EXPECT_EQ(bd.LitNumH(u), h);
  EXPECT_EQ(bd.LitNumF(u), f);
  EXPECT_EQ(bd.Fiche(f).Numero, "5");
  EXPECT_EQ(UnionAssuree(bd, h, f), u);

  // Unknown sex: placed by the other partner, and found again either way round.
  const int v = UnionAssuree(bd, i, h2);
  ASSERT_NE(v, 0);
  EXPECT_EQ(bd.LitNumH(v), h2);
  EXPECT_EQ(bd.LitNumF(v), i);
  EXPECT_EQ(UnionAssuree(bd, i, h2), v);
  EXPECT_EQ(UnionAssuree(bd, h2, i), v);
  IndexCoherents();
}

}  // namespace
}  // namespace kindrela
