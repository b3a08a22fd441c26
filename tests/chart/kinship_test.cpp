#include "chart/kinship.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "dates/dates.h"
#include "kinship_tree.h"

namespace kindrela {
namespace {

using test::Arbre;
using test::F;
using test::H;
using test::I;
using test::V;
using Liste = std::vector<int>;

// --- The lists themselves ---------------------------------------------------

TEST(TR, StaysWithinItsSlots) {
  TR l(2);
  l.Set(0, 9);
  l.Set(3, 9);
  l.Set(2, 7);
  EXPECT_EQ(l.Count(), 0);
  EXPECT_EQ(l.Get(2), 7);
  EXPECT_EQ(l.Get(3), 0);
  EXPECT_TRUE(l.Add(5));
  EXPECT_TRUE(l.Add(6));
  EXPECT_FALSE(l.Add(8));  // full: nothing written
  EXPECT_EQ(V(l), (Liste{5, 6}));
  l.Clear();
  EXPECT_EQ(l.Count(), 0);
  EXPECT_EQ(l.Get(2), 6);  // slots keep their values
  TRR court;
  for (int k = 1; k <= 250; ++k) court.Add(k);
  EXPECT_EQ(court.Count(), 200);
  EXPECT_EQ(court.Get(201), 0);
}

TEST(TRR, ShortAnswersStopAtTheirSize) {
  Arbre a;
  int pere = a.Personne(H);
  int mere = a.Personne(F);
  for (int k = 0; k < 230; ++k) a.Personne(H, pere, mere);
  EXPECT_EQ(ChildrenOfCouple(a.bd, pere, mere).Count(), 230);
  TRR court = ChildrenOfCoupleCourt(a.bd, pere, mere);
  EXPECT_EQ(court.Count(), 200);
  EXPECT_EQ(court.Get(200), 202);
}

// --- Person queries on hand-made families ----------------------------------

class Famille : public ::testing::Test {
 protected:
  Arbre a;
  int pere = a.Personne(H);
  int mere = a.Personne(F);
  int autreMere = a.Personne(F);
  int fils = a.Personne(H, pere, mere, "3/4/1920");
  int fille = a.Personne(F, pere, mere, "1/2/1918");
  int demiFrere = a.Personne(H, pere, autreMere);
  int seulAvecPere = a.Personne(I, pere, 0);
  int seulAvecMere = a.Personne(H, 0, mere);
  int orphelin = a.Personne(H);
};

TEST_F(Famille, UnionsInMarriageOrder) {
  int u1 = a.Union(pere, mere, "5/6/1917");
  int u2 = a.Union(pere, autreMere, "1/1/1910");
  int u3 = a.Union(pere, 0);
  EXPECT_EQ(V(UnionsOf(a.bd, pere)), (Liste{u2, u1, u3}));
  // The union without a wife gives a 0 spouse.
  EXPECT_EQ(V(SpousesOf(a.bd, pere)), (Liste{autreMere, mere, 0}));
  EXPECT_EQ(SpouseCount(a.bd, pere), 3);
  EXPECT_EQ(LastUnionOf(a.bd, pere), u3);
  EXPECT_EQ(LastSpouseOf(a.bd, pere), 0);
  EXPECT_EQ(V(SpousesOf(a.bd, mere)), (Liste{pere}));
  EXPECT_TRUE(HasUnion(a.bd, autreMere));
  EXPECT_FALSE(HasUnion(a.bd, orphelin));
}

TEST_F(Famille, UnknownSexCountsAsWife) {
  int u = a.Union(pere, seulAvecPere);
  a.Union(seulAvecPere, orphelin);  // as husband: not seen for a person of unknown sex
  EXPECT_EQ(V(UnionsOf(a.bd, seulAvecPere)), (Liste{u}));
  EXPECT_EQ(V(SpousesOf(a.bd, seulAvecPere)), (Liste{pere}));
  EXPECT_EQ(LastSpouseOf(a.bd, seulAvecPere), 0);
  EXPECT_TRUE(HasUnion(a.bd, seulAvecPere));
}

// --- Indexed answers against plain scans ------------------------------------

// The straightforward scans the indexed queries must agree with: every
// person record from `debut` to the count that passes `garde`, ascending.
template <typename Garde>
Liste Scan(const TBD& bd, int debut, Garde garde) {
  Liste r;
  for (int i = debut; i <= bd.NbreFiche(); ++i)
    if (garde(bd.LitPere(i), bd.LitMere(i), i)) r.push_back(i);
  return r;
}

Liste UnionsScan(const TBD& bd, int p) {
  Liste r;
  for (int u = 1; u <= bd.NbreUnion(); ++u)
    if ((bd.LitSexe(p) == 0 ? bd.LitNumH(u) : bd.LitNumF(u)) == p) r.push_back(u);
  // The exchange sort on the marriage date, as written out for one person.
  for (size_t x = 0; x + 1 < r.size(); ++x)
    for (size_t i = r.size() - 1; i > x; --i) {
      std::string di = bd.LitEveUnionNature(r[i], bd.NatMariage, 2);
      std::string dx = bd.LitEveUnionNature(r[x], bd.NatMariage, 2);
      if (!di.empty() && DateCompare(di, dx) == 2) std::swap(r[x], r[i]);
    }
  return r;
}

class QueriesAgainstScans : public ::testing::TestWithParam<uint32_t> {};

TEST_P(QueriesAgainstScans, SameAnswersInTheSameOrder) {
  Arbre a;
  test::ArbreAuHasard(a, GetParam(), 400);
  const TBD& bd = a.bd;
  for (int p = -1; p <= bd.NbreFiche() + 6; ++p) {
    SCOPED_TRACE(p);
    const bool vide = p <= 0;
    const int f = bd.LitPere(p), m = bd.LitMere(p);
    Liste enfants = Scan(bd, 0, [&](int pp, int mm, int) { return !vide && (pp == p || mm == p); });
    EXPECT_EQ(V(ChildrenOf(bd, p)), enfants);
    EXPECT_EQ(HasChildren(bd, p), !enfants.empty());
    EXPECT_EQ(V(ChildrenWithOneParent(bd, p)), Scan(bd, 1, [&](int pp, int mm, int) {
                return !vide && ((pp == p && mm == 0) || (mm == p && pp == 0));
              }));
    EXPECT_EQ(V(SiblingsOf(bd, p)), Scan(bd, 1, [&](int pp, int mm, int i) {
                return !vide && i != p && ((f > 0 && pp == f) || (m > 0 && mm == m));
              }));
    Liste unions = vide ? Liste{} : UnionsScan(bd, p);
    EXPECT_EQ(V(UnionsOf(bd, p)), unions);
    EXPECT_EQ(HasUnion(bd, p), !unions.empty());
    Liste conjoints;
    for (int u : unions) conjoints.push_back(bd.LitSexe(p) == 0 ? bd.LitNumF(u) : bd.LitNumH(u));
    EXPECT_EQ(V(SpousesOf(bd, p)), conjoints);
    for (int q : conjoints) {
      const int pere = bd.LitSexe(p) == 1 ? q : p, mere = bd.LitSexe(p) == 1 ? p : q;
      EXPECT_EQ(V(ChildrenOfCouple(bd, p, q)), Scan(bd, 0, [&](int pp, int mm, int) {
                  return q > 0 && pp == pere && mm == mere;
                }));
      int derniere = 0;
      for (int u = 1; u <= bd.NbreUnion(); ++u)
        if (q > 0 && bd.LitNumH(u) == pere && bd.LitNumF(u) == mere) derniere = u;
      EXPECT_EQ(UnionOfCouple(bd, p, q), derniere);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(RandomTrees, QueriesAgainstScans, ::testing::Values(1u, 2u, 3u, 4u));

// --- Searching --------------------------------------------------------------

class Recherche : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* nom : {"Martin", "MARTINEZ", "martin", "Durand", "Martin"}) {
      int n = a.Personne(H);
      a.bd.EcritNom(n, nom);
    }
    a.bd.EcritChamp(5, 0, "0");  // the last Martin is not in use
  }
  Arbre a;
};

TEST_F(Recherche, ByColumn) {
  struct Cas {
    int colonne;
    const char* prefixe;
    int exclu, limite;
    bool doublons;
    Liste attendu;
  };
  const Cas cas[] = {
      {2, "mar", 0, 0, true, {1, 2, 3}},   // without regard to case, in use only
      {2, "mar", 1, 0, true, {2, 3}},      // excluded person
      {2, "", 0, 0, true, {1, 2, 3, 4}},
      {2, "mar", 0, 0, false, {1, 2}},     // "martin" repeats "Martin"
      {2, "MAR", 0, 2, true, {1, 2}},      // stops at the limit
      {24, "", 0, 0, true, {}},            // not a searchable column
      {0, "", 0, 0, true, {}},
  };
  for (const Cas& c : cas)
    EXPECT_EQ(V(SearchByColumn(a.bd, c.colonne, c.prefixe, c.exclu, c.limite, c.doublons)),
              c.attendu)
        << c.colonne << " '" << c.prefixe << "' " << c.exclu << " " << c.limite;
}

TEST_F(Recherche, SurnameAndAllPersons) {
  EXPECT_EQ(V(PersonsWithSurname(a.bd, "MARTIN")), (Liste{1, 3}));
  EXPECT_EQ(V(AllPersons(a.bd)), (Liste{1, 2, 3, 4}));
  EXPECT_GE(AllPersons(a.bd).Capacite(), a.bd.Capacites().fiches);
}

// --- Operations on lists ----------------------------------------------------

TR De(const Liste& v) {
  TR l;
  for (int x : v) l.Add(x);
  return l;
}

TEST(ListOperations, IntersectAndMerge) {
  EXPECT_EQ(V(Intersect(De({3, 1, 3, 7}), De({3, 3, 1}))), (Liste{3, 3, 1, 3, 3}));
  EXPECT_EQ(Intersect(De({}), De({1})).Count(), 0);
  EXPECT_EQ(V(Merge(De({4, 2}), De({2, 9, 9, 1}))), (Liste{4, 2, 9, 9, 1}));
}

TEST_F(Famille, ListWideQueriesSkipPersonsNotInUse) {
  a.bd.EcritChamp(fille, 0, "0");
  TR l = De({fils, fille, 0, seulAvecMere, fils});
  EXPECT_EQ(V(ParentsOfList(a.bd, l)), (Liste{pere, mere, mere, pere, mere}));
  EXPECT_EQ(V(ChildrenOfList(a.bd, De({mere, pere}))),
            (Liste{fils, fille, seulAvecMere, fils, fille, demiFrere, seulAvecPere}));
  EXPECT_EQ(V(SiblingsOfList(a.bd, De({seulAvecMere, fille}))), (Liste{fils, fille}));
}

TEST_F(Famille, SpousesOfListOnceEachAscending) {
  a.Union(pere, mere);
  a.Union(pere, autreMere);
  a.Union(orphelin, mere);
  a.Union(0, autreMere);
  EXPECT_EQ(V(SpousesOfList(a.bd, De({mere, pere, autreMere}))),
            (Liste{pere, mere, autreMere, orphelin}));
}

// --- Generational walks -----------------------------------------------------

class Lignes : public ::testing::Test {
 protected:
  // Cousins marrying: 7 descends from 1 and 2 through both its parents.
  Arbre a;
  int gp = a.Personne(H);            // 1
  int gm = a.Personne(F);            // 2
  int f1 = a.Personne(H, gp, gm);    // 3
  int f2 = a.Personne(F, gp, gm);    // 4
  int c1 = a.Personne(H, f1);        // 5
  int c2 = a.Personne(F, 0, f2);     // 6
  int x = a.Personne(H, c1, c2);     // 7
};

TEST_F(Lignes, AncestorsWithinByGeneration) {
  EXPECT_EQ(V(AncestorsWithin(a.bd, x, 0)), (Liste{x}));
  EXPECT_EQ(V(AncestorsWithin(a.bd, x, 1)), (Liste{x, c1, c2}));
  EXPECT_EQ(V(AncestorsWithin(a.bd, x, 9)), (Liste{x, c1, c2, f1, f2, gp, gm, gp, gm}));
  EXPECT_EQ(AncestorsWithin(a.bd, 0, 3).Count(), 0);
}

TEST_F(Lignes, DescendantsWithinDepthFirst) {
  EXPECT_EQ(V(DescendantsWithin(a.bd, gp, 1)), (Liste{f1, f2}));
  EXPECT_EQ(V(DescendantsWithin(a.bd, gp, 9)), (Liste{f1, c1, x, f2, c2, x}));
  EXPECT_EQ(V(DescendantsWithin(a.bd, gp, 2)), (Liste{f1, c1, f2, c2}));
}

TEST_F(Lignes, EndsOfTheLines) {
  EXPECT_EQ(V(TopAncestors(a.bd, x)), (Liste{gp, gm, gp, gm}));
  EXPECT_EQ(V(OpenAncestors(a.bd, x)), (Liste{c1, gp, gm, c2, gp, gm}));
  EXPECT_EQ(V(TopAncestors(a.bd, gp)), (Liste{gp}));
  EXPECT_EQ(V(LeafDescendants(a.bd, gp)), (Liste{x, x}));
  EXPECT_EQ(V(LeafDescendants(a.bd, x)), (Liste{x}));
}

TEST_F(Lignes, CommonAncestor) {
  struct Cas {
    int a, b, g;
    AncetreCommun attendu;
  };
  const Cas cas[] = {
      {c1, c2, 5, {true, gp, 2, 2}},
      {f1, x, 5, {true, f1, 0, 2}},
      {x, x, 0, {true, x, 0, 0}},
      {c1, c2, 1, {false, 0, 0, 0}},
      {c1, 0, 5, {false, 0, 0, 0}},
      {gp, gm, 5, {false, 0, 0, 0}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(std::to_string(c.a) + " " + std::to_string(c.b));
    AncetreCommun r = FindCommonAncestor(a.bd, c.a, c.b, c.g);
    EXPECT_EQ(r.found, c.attendu.found);
    EXPECT_EQ(r.ancestor, c.attendu.ancestor);
    EXPECT_EQ(r.distanceFromA, c.attendu.distanceFromA);
    EXPECT_EQ(r.distanceFromB, c.attendu.distanceFromB);
  }
}

TEST(Boucles, WalksEndOnLinksThatFormALoop) {
  // Each of the four is the father and the mother of the next one: every
  // walk would go round for ever, doubling at each turn.
  Arbre a;
  for (int k = 0; k < 4; ++k) a.Personne(k % 2 ? F : H);
  for (int k = 1; k <= 4; ++k) {
    a.bd.EcritPere(k, k % 4 + 1);
    a.bd.EcritMere(k, (k + 1) % 4 + 1);
  }
  EXPECT_EQ(TopAncestors(a.bd, 1).Count(), 0);
  EXPECT_EQ(OpenAncestors(a.bd, 1).Count(), 0);
  EXPECT_EQ(LeafDescendants(a.bd, 1).Count(), 0);
  EXPECT_GT(DescendantsWithin(a.bd, 1, 1000000).Count(), 0);
  TR anc = AncestorsWithin(a.bd, 1, 1000000);
  EXPECT_EQ(anc.Count(), anc.Capacite());
  EXPECT_TRUE(FindCommonAncestor(a.bd, 1, 3, 100000).found);
  NumberTree(a.bd, 1, 1000000, true, true);
  NumberTree(a.bd, 1, 1000000, true, false);
  EXPECT_EQ(a.Numero(1).substr(0, 2), "1,");
}

}  // namespace
}  // namespace kindrela
