#include "analysis/report_predefined.h"

#include <gtest/gtest.h>

#include "analysis/report_support.h"
#include "core/ansi_literal.h"

namespace kindrela {
namespace {

using test::ArbreRapport;
using test::F;
using test::H;
using test::TraductionInstallee;

const TTraduction& T() { return TraductionInstallee(); }

class Predefini : public ::testing::Test {
 protected:
  // MARTIN Jean and DURAND Marie married in 1900 at Paris; their children
  // Paul and Anne; Anne marries LEROY Luc, Paul's son, so that the couple
  // shares Jean and Marie. A lone person, and a second "MARTIN Jean".
  // Paul has two birth events: one dated, one at Concarneau without a date.
  void SetUp() override {
    jean = a.Nomme(a.Personne(H, 0, 0, "5/3/1870"), "MARTIN", "Jean");
    marie = a.Nomme(a.Personne(F, 0, 0, "1872"), "DURAND", "Marie");
    a.Union(jean, marie, "2/6/1900");
    a.bd.EcritChampUnion(1, 5, "FRA,IDF,F75,001 Paris");
    paul = a.Nomme(a.Personne(H, jean, marie, "1/8/1901"), "MARTIN", "Paul");
    anne = a.Nomme(a.Personne(F, jean, marie, "10/8/1903"), "MARTIN", "Anne Louise");
    luc = a.Nomme(a.Personne(H, paul, 0, "1925"), "LEROY", "Luc");
    a.Union(luc, anne, "1950");
    seul = a.Nomme(a.Personne(F), "SEUL", "Zoé"_ansi);
    double_ = a.Nomme(a.Personne(H, 0, 0, "1950"), "martin", "Jean Pierre");
    a.Eve(jean, a.bd.NatDeces, "1940", "FRA,IDF,F75,001 Paris");
    a.Eve(jean, a.bd.NatSepulture, "", "FRA,IDF,F75,001 Paris");
    a.Eve(paul, a.bd.NatNaissance, "", "FRA,BRE,F29,900 Concarneau");
    a.bd.EcritChamp(paul, 7, "FRA,BRE,F29,900 Concarneau");
    a.bd.EcritProfession(jean, "Boulanger");
    a.bd.EcritProfession(paul, "Boulanger");
    a.bd.EcritProfession(luc, "Marin");
  }
  TGrilleRapport Lance(int n, TOptionsPredefini o = {}) {
    TGrilleRapport g;
    r = RapportPredefini(a.Ctx(), T(), n, o, g);
    return g;
  }
  std::vector<std::string> Colonne(const TGrilleRapport& g, int c) {
    std::vector<std::string> v;
    for (int l = 0; l < g.NbreLignes(); ++l) v.push_back(g.Cellule(l, c));
    return v;
  }
  ArbreRapport a;
  TResultatPredefini r;
  int jean = 0, marie = 0, paul = 0, anne = 0, luc = 0, seul = 0, double_ = 0;
};

TEST_F(Predefini, EventsPerSurnameWithThePlacePrefix) {
  TGrilleRapport g = Lance(0);
  ASSERT_EQ(g.NbreLignes(), 1);  // only MARTIN has events with a place
  EXPECT_EQ(g.Cellule(0, 0), "MARTIN");
  EXPECT_EQ(Colonne(g, 1)[0], "3");
  EXPECT_EQ(g.Cellule(0, 2), "1");  // Paul's birth (its one event holds both date and place)
  EXPECT_EQ(g.Cellule(0, 4), "1");
  EXPECT_EQ(r.legende, FormateMsg(T().Msg(581), {"1"}));
  TOptionsPredefini o;
  o.tousLesLieux = false;
  o.prefixe = "fra,idf";
  g = Lance(0, o);
  EXPECT_EQ(g.Cellule(0, 1), "2");
  EXPECT_EQ(r.legende, FormateMsg(T().Msg(582), {"fra,idf", "1"}));
}

TEST_F(Predefini, PersonsWithoutAnyLinkBecomeTheReportList) {
  TGrilleRapport g = Lance(1);
  EXPECT_EQ(Colonne(g, 0), (std::vector<std::string>{"martin", "SEUL"}));
  EXPECT_TRUE(r.avecListe);
  EXPECT_EQ(r.liste.Vecteur(), (std::vector<int>{double_, seul}));
  EXPECT_EQ(g.Personne(1), seul);
}

TEST_F(Predefini, UnionsWithAgesAndPlaceFormats) {
  TOptionsPredefini o;
  o.formatLieu = kLieuCommuneDepartement;
  TGrilleRapport g = Lance(2, o);
  ASSERT_EQ(g.NbreLignes(), 2);
  EXPECT_EQ(g.Cellule(0, 0), "MARTIN Jean");
  EXPECT_EQ(g.Cellule(0, 1), "30");
  EXPECT_EQ(g.Cellule(0, 4), "2/6/1900");
  EXPECT_EQ(g.Cellule(0, 5), "001 Paris (75)");
  EXPECT_EQ(g.Personne(1), luc);
  EXPECT_EQ(r.legende, FormateMsg(T().Msg(614), {"2"}));
}

TEST(FormateLieu, EachFormat) {
  struct Cas {
    const char* lieu;
    int format;
    const char* attendu;
  };
  for (const Cas& c : {Cas{"FRA,IDF,F75,001 Paris", kLieuSaisie, "FRA,IDF,F75,001 Paris"},
                       Cas{"FRA,IDF,F75,001 Paris", kLieuCommune, "001 Paris"},
                       Cas{"FRA,IDF,F75001,Paris", kLieuCodePostalCommune, "75001 Paris"},
                       Cas{"FRA,BRE,F29,900 Concarneau", kLieuCodePostalCommune, "29900 Concarneau"},
                       Cas{"FRA,BRE,F29,Concarneau", kLieuCodePostalCommune, "Concarneau"},
                       Cas{"FRA,IDF,F75001,Paris", kLieuCommuneDepartement, "Paris (75)"},
                       Cas{"Paris", kLieuCommuneDepartement, ""}, Cas{"Paris", kLieuCommune, ""}})
    EXPECT_EQ(FormateLieu(c.lieu, c.format), c.attendu) << c.lieu << " " << c.format;
}

TEST_F(Predefini, MarriagesBetweenRelatives) {
  TGrilleRapport g = Lance(3);
  ASSERT_EQ(g.NbreLignes(), 1);
  EXPECT_EQ(g.Cellule(0, 0), "LEROY Luc");
  EXPECT_EQ(g.Cellule(0, 3), "MARTIN Jean");
  EXPECT_EQ(g.Cellule(0, 4), "2");
  EXPECT_EQ(g.Cellule(0, 5), "1");
  TOptionsPredefini o;
  o.generations = 1;
  EXPECT_EQ(Lance(3, o).NbreLignes(), 0);
  EXPECT_EQ(r.legende, FormateMsg(T().Msg(598), {"1", "0"}));
}

TEST(AncetresCommuns, AgreesWithTheSearchOfOneCouple) {
  // The report's search reuses its marks from couple to couple: every union
  // of a random tree gives the answer of FindCommonAncestor.
  for (uint32_t graine : {1u, 7u, 42u}) {
    ArbreRapport a;
    test::ArbreAuHasard(a, graine, 300);
    for (int u = 1; u <= a.bd.NbreUnion(); ++u) a.bd.UnionValide(u);
    TOptionsPredefini o;
    o.generations = 6;
    TGrilleRapport g;
    RapportPredefini(a.Ctx(), T(), 3, o, g);
    int attendues = 0, k = 0;
    for (int u = 1; u <= a.bd.NbreUnion(); ++u) {
      const TUnion& x = a.bd.Union(u);
      if (!x.Utilise || x.NumH <= 0 || x.NumF <= 0) continue;
      const AncetreCommun c = FindCommonAncestor(a.bd, x.NumH, x.NumF, 6);
      if (!c.found) continue;
      ++attendues;
      ASSERT_LT(k, g.NbreLignes());
      EXPECT_EQ(g.Cellule(k, 3), a.bd.NomCourt(c.ancestor)) << "union " << u;
      EXPECT_EQ(g.Cellule(k, 4), std::to_string(c.distanceFromA)) << "union " << u;
      EXPECT_EQ(g.Cellule(k, 5), std::to_string(c.distanceFromB)) << "union " << u;
      ++k;
    }
    EXPECT_EQ(g.NbreLignes(), attendues) << graine;
  }
}

TEST_F(Predefini, EventListsSortedByDate) {
  TGrilleRapport g = Lance(4);
  const std::vector<std::string> dates = Colonne(g, 0);
  // Six births typed with the persons, Paul's second birth, Jean's death and burial.
  ASSERT_EQ(g.NbreLignes(), 9);
  EXPECT_EQ(dates.front(), "5/3/1870");
  EXPECT_EQ(dates.back(), "");
  EXPECT_EQ(g.Cellule(0, 3), "MARTIN Jean");
  g = Lance(5);
  EXPECT_EQ(Colonne(g, 0), (std::vector<std::string>{"2/6/1900", "1950"}));
  EXPECT_EQ(g.Cellule(1, 3), "LEROY Luc");
  EXPECT_EQ(g.Cellule(1, 4), "MARTIN Anne");
}

TEST_F(Predefini, DuplicatesAreRunsOfEqualShortNames) {
  TGrilleRapport g = Lance(6);
  // "martin Jean Pierre" and "MARTIN Jean" sort next to each other.
  ASSERT_EQ(g.NbreLignes(), 2);
  EXPECT_EQ(g.Personne(0), jean);
  EXPECT_EQ(g.Personne(1), double_);
  const int entre = a.Nomme(a.Personne(H), "MARTIN", "Jean Baptiste");
  EXPECT_EQ(Lance(6).NbreLignes(), 3);
  // A person sorting between them under another usual name breaks the run.
  a.bd.EcritPrenoms(entre, "Jean \"Albert\"");
  EXPECT_EQ(Lance(6).NbreLignes(), 0);
}

TEST_F(Predefini, PlacesOccupationsAndTheFlashList) {
  TGrilleRapport g = Lance(7);
  EXPECT_EQ(Colonne(g, 0), (std::vector<std::string>{"FRA,BRE,F29,900 Concarneau", "FRA,IDF,F75,001 Paris"}));
  EXPECT_EQ(Colonne(g, 1), (std::vector<std::string>{"1", "3"}));
  g = Lance(8);
  EXPECT_EQ(Colonne(g, 0), (std::vector<std::string>{"Boulanger", "Marin"}));
  EXPECT_EQ(Colonne(g, 1), (std::vector<std::string>{"2", "1"}));
  g = Lance(9);
  // Dated events with a place: Jean's death (1940) and the 1900 marriage,
  // which counts for both surnames.
  ASSERT_EQ(g.NbreLignes(), 2);
  EXPECT_EQ(g.Cellule(0, 0), "DURAND");
  EXPECT_EQ(g.Cellule(1, 0), "MARTIN");
  EXPECT_EQ(g.Cellule(1, 2), "1900");
  EXPECT_EQ(g.Cellule(1, 3), "1940");
}

TEST_F(Predefini, ZodiacSign) {
  TOptionsPredefini o;
  o.signe = "lion";
  TGrilleRapport g = Lance(10, o);
  EXPECT_EQ(g.Personne(0), paul);
  EXPECT_EQ(g.Personne(1), anne);
  EXPECT_EQ(r.legende, FormateMsg(T().Msg(632), {"lion", "2"}));
}

TEST_F(Predefini, SurnameAndPlaceCrossTables) {
  TGrilleRapport g = Lance(11);
  // DURAND at Paris: Marie, through her union (1900); MARTIN at Concarneau:
  // Paul, whose event there has no date; MARTIN at Paris: Jean, 1900..1940.
  ASSERT_EQ(g.NbreLignes(), 3);
  EXPECT_EQ(Colonne(g, 0), (std::vector<std::string>{"DURAND", "MARTIN", "MARTIN"}));
  EXPECT_EQ(Colonne(g, 1)[1], "FRA,BRE,F29,900 Concarneau");
  EXPECT_EQ(g.Cellule(2, 2), "1900");
  EXPECT_EQ(g.Cellule(2, 3), "1940");
  EXPECT_EQ(g.Cellule(2, 4), "1");
  EXPECT_EQ(g.Cellule(2, 5), "0");
  EXPECT_EQ(g.Cellule(1, 4), "0");
  EXPECT_EQ(g.Cellule(1, 5), "1");
  g = Lance(12);
  EXPECT_EQ(Colonne(g, 0)[0], "FRA,BRE,F29,900 Concarneau");
  EXPECT_EQ(Colonne(g, 1), (std::vector<std::string>{"MARTIN", "DURAND", "MARTIN"}));
  // An undated place counts in the last column.
  a.Eve(seul, "Recensement", "", "Lyon");
  std::vector<TLigneCroisee> t = TableCroisee(a.bd, false, {});
  ASSERT_EQ(t.back().nom, "SEUL");
  EXPECT_EQ(t.back().nonDatees, 1);
  EXPECT_EQ(t.back().premiere, 99999);
}

TEST(RapportPredefini, CancelledReportLeavesAnEmptyGrid) {
  ArbreRapport a;
  test::ArbreAuHasard(a, 3, 2100);
  for (int n = 0; n < kNbrePredefinis; ++n) {
    TGrilleRapport g;
    TOptionsPredefini o;
    o.signe = "Lion";
    int appels = 0;
    TResultatPredefini res = RapportPredefini(a.Ctx(), T(), n, o, g, [&](long long, long long) { return ++appels < 1; });
    EXPECT_TRUE(res.annule) << n;
    EXPECT_EQ(g.NbreLignes(), 0) << n;
    EXPECT_TRUE(res.legende.empty()) << n;
  }
}

}  // namespace
}  // namespace kindrela
