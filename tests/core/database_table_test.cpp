// Table-level behaviour of the database: capacities, the change counter,
// bulk loading, and slot allocation against a plain model.
#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "core/database.h"

namespace kindrela {
namespace {

CapacitesBD Petites(int fiches, int unions, int eves, int srcs) {
  CapacitesBD c;
  c.fiches = fiches;
  c.unions = unions;
  c.eves = eves;
  c.srcs = srcs;
  return c;
}

// ----- Full tables -----

TEST(DatabaseCapacity, FullPersonTableAllocatesNothingButStillReusesFreeSlots) {
  TBD bd(Petites(3, 1, 1, 1));
  EXPECT_EQ(bd.NouvelleFiche(), 1);
  EXPECT_EQ(bd.NouvelleFiche(), 2);
  EXPECT_EQ(bd.NouvelleFiche(), 3);
  EXPECT_EQ(bd.NouvelleFiche(), 0);
  EXPECT_EQ(bd.NbreFiche(), 3);
  bd.SupprimeFiche(2);
  EXPECT_EQ(bd.NouvelleFiche(), 2);
  bd.SupprimeFiche(2);
  bd.ModeAjout = 1;
  EXPECT_EQ(bd.NouvelleFiche(), 0);
  EXPECT_FALSE(bd.FicheUtilisee(2));
}

TEST(DatabaseCapacity, FullUnionAndSourceTablesAllocateNothing) {
  TBD bd(Petites(5, 1, 5, 1));
  int a = bd.NouvelleFiche();
  int b = bd.NouvelleFiche();
  EXPECT_EQ(bd.CreeUnion(a, b), 1);
  EXPECT_EQ(bd.CreeUnion(a, b), 0);
  EXPECT_EQ(bd.NouvelleUnion(), 0);
  EXPECT_EQ(bd.NbreUnion(), 1);
  EXPECT_EQ(bd.AjouteNouvelleSrc(a), 1);
  EXPECT_EQ(bd.AjouteNouvelleSrc(a), 0);
  EXPECT_EQ(bd.NouvelleSrc(), 0);
  EXPECT_EQ(bd.NbreSrcFiche(a), 1);
  EXPECT_EQ(bd.NbreSrc(), 1);
}

TEST(DatabaseCapacity, FullEventTableWritesNothingAnywhere) {
  TBD bd(Petites(5, 2, 1, 1));
  int a = bd.NouvelleFiche();
  int b = bd.NouvelleFiche();
  bd.EcritChamp(a, 6, "1900");  // takes the only event
  int u = bd.CreeUnion(a, b);
  const uint64_t generation = bd.Generation();

  bd.EcritChamp(b, 12, "1980");
  bd.EcritEveNature(b, "Autre", 4, "Paris");
  bd.EcritChampUnion(u, 3, "1920");
  EXPECT_EQ(bd.AjouteEveFiche(b), 0);
  EXPECT_EQ(bd.AjouteEveUnion(u), 0);

  EXPECT_EQ(bd.NbreEveFiche(b), 0);
  EXPECT_EQ(bd.NbreEveUnion(u), 0);
  EXPECT_EQ(bd.NbreEve(), 1);
  EXPECT_EQ(bd.LitEveFiche(a, 1, 1), "Naissance");
  EXPECT_EQ(bd.LitEveFiche(a, 1, 2), "1900");
  EXPECT_EQ(bd.LitEveFiche(a, 1, 4), "");
  EXPECT_EQ(bd.Generation(), generation);
  // An existing event of the kind is still written.
  bd.EcritChamp(a, 7, "Lyon");
  EXPECT_EQ(bd.LitChamp(a, 7), "Lyon");
}

TEST(DatabaseCapacity, FullSourceTableLeavesTitledWritesUndone) {
  TBD bd(Petites(5, 1, 1, 1));
  int a = bd.NouvelleFiche();
  int b = bd.NouvelleFiche();
  bd.EcritSrcTitre(a, "Acte", "texte", 2);
  bd.EcritSrcTitre(b, "Acte", "autre", 2);
  EXPECT_EQ(bd.NbreSrcFiche(b), 0);
  EXPECT_EQ(bd.LitSrcFiche(a, 1, 2), "texte");
  EXPECT_EQ(bd.LitSrcFiche(a, 1, 1), "Acte");
}

TEST(DatabaseCapacity, StorageFollowsTheCountNotTheCapacity) {
  TBD bd;
  EXPECT_EQ(bd.Capacites().fiches, 1000000);
  EXPECT_EQ(bd.Capacites().unions, 500000);
  EXPECT_EQ(bd.Capacites().eves, 5000000);
  EXPECT_EQ(bd.Capacites().srcs, 500000);
  EXPECT_EQ(bd.NbreFiche(), 0);
  EXPECT_EQ(bd.FicheSuivante(0), 0);
}

// ----- Change counter -----

struct CasGeneration {
  const char* nom;
  std::function<void(TBD&)> ecrit;
  bool change;
};

class DatabaseGeneration : public ::testing::TestWithParam<CasGeneration> {
 protected:
  void SetUp() override {
    // Persons 1 (man) and 2 (woman), union 1 with a marriage event, person 1
    // with a birth event and a source.
    bd.NouvelleFiche();
    bd.NouvelleFiche();
    bd.EcritSexe(2, 1);
    bd.CreeUnion(1, 2);
    bd.EcritChampUnion(1, 3, "1920");
    bd.EcritChamp(1, 6, "1900");
    bd.AjouteNouvelleSrc(1);
  }
  TBD bd;
};

TEST_P(DatabaseGeneration, IncreasesOnLinkWritesOnly) {
  uint64_t avant = bd.Generation();
  GetParam().ecrit(bd);
  if (GetParam().change)
    EXPECT_GT(bd.Generation(), avant);
  else
    EXPECT_EQ(bd.Generation(), avant);
}

INSTANTIATE_TEST_SUITE_P(
    Writes, DatabaseGeneration,
    ::testing::Values(
        CasGeneration{"FatherCode", [](TBD& b) { b.EcritChamp(2, 4, "1"); }, true},
        CasGeneration{"MotherTyped", [](TBD& b) { b.EcritMere(1, 2); }, true},
        CasGeneration{"Sex", [](TBD& b) { b.EcritChamp(1, 1, "F"); }, true},
        CasGeneration{"InUseCode", [](TBD& b) { b.EcritChamp(2, 0, "0"); }, true},
        CasGeneration{"Husband", [](TBD& b) { b.EcritChampUnion(1, 1, "2"); }, true},
        CasGeneration{"WifeTyped", [](TBD& b) { b.EcritNumF(1, 0); }, true},
        CasGeneration{"NewPerson", [](TBD& b) { b.NouvelleFiche(); }, true},
        CasGeneration{"DeletePerson", [](TBD& b) { b.SupprimeFiche(2); }, true},
        CasGeneration{"AddEvent", [](TBD& b) { b.AjouteEveFiche(2); }, true},
        CasGeneration{"RemoveEvent", [](TBD& b) { b.RetireEveFiche(1, 1); }, true},
        CasGeneration{"NewKindEvent", [](TBD& b) { b.EcritChamp(2, 12, "1980"); }, true},
        CasGeneration{"AttachSource", [](TBD& b) { b.AjouteSrc(2, 1); }, true},
        CasGeneration{"DetachSource", [](TBD& b) { b.RetireSrc(1, 1); }, true},
        CasGeneration{"EraseSource", [](TBD& b) { b.EffaceSrc(1); }, true},
        CasGeneration{"Empty", [](TBD& b) { b.Vide(); }, true},
        CasGeneration{"Surname", [](TBD& b) { b.EcritChamp(1, 2, "Martin"); }, false},
        CasGeneration{"Note", [](TBD& b) { b.EcritChamp(1, 18, "note"); }, false},
        CasGeneration{"ExistingBirthDate", [](TBD& b) { b.EcritChamp(1, 6, "1901"); }, false},
        CasGeneration{"MarriagePlace", [](TBD& b) { b.EcritChampUnion(1, 5, "Nice"); }, false},
        CasGeneration{"Profession", [](TBD& b) { b.EcritChamp(1, 19, "Menuisier"); }, false},
        CasGeneration{"SourceText", [](TBD& b) { b.EcritSrcFiche(1, 1, 2, "x"); }, false},
        CasGeneration{"SameFather", [](TBD& b) { b.EcritChamp(1, 4, "0"); }, false},
        CasGeneration{"Reads", [](TBD& b) { b.LitChamp(1, 6); b.FicheSuivante(0); }, false}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(DatabaseGenerationUnion, ValidityTestThatFreesAUnionCounts) {
  TBD bd;
  int u = bd.NouvelleUnion();
  uint64_t avant = bd.Generation();
  EXPECT_FALSE(bd.UnionValide(u));
  EXPECT_GT(bd.Generation(), avant);
  avant = bd.Generation();
  EXPECT_FALSE(bd.UnionValide(u));
  EXPECT_EQ(bd.Generation(), avant);
}

// ----- Bulk loading -----

TEST(DatabaseBulkLoad, PlacedRecordsKeepIndexesCoherent) {
  TBD bd;
  TFiche pere;
  pere.Utilise = 1;
  pere.Nom = "Martin";
  TFiche enfant;
  enfant.Utilise = 1;
  enfant.NumP = 4;  // placed before its father
  ASSERT_TRUE(bd.PlaceFiche(2, enfant));
  ASSERT_TRUE(bd.PlaceFiche(4, pere));
  TUnion u;
  u.Utilise = 1;
  u.NumH = 4;
  u.NumF = 9;
  ASSERT_TRUE(bd.PlaceUnion(3, u));
  EXPECT_EQ(bd.NbreFiche(), 4);
  EXPECT_EQ(bd.NbreUnion(), 3);
  EXPECT_EQ(bd.NbreFichesUtilisees(), 2);
  EXPECT_EQ(bd.FicheSuivante(0), 2);
  EXPECT_EQ(bd.FicheSuivante(2), 4);

  bd.SupprimeFiche(4);
  EXPECT_EQ(bd.LitPere(2), 0);
  EXPECT_FALSE(bd.Union(3).Utilise);
  EXPECT_EQ(bd.NouvelleFiche(), 1);
  EXPECT_EQ(bd.NouvelleFiche(), 3);
  EXPECT_EQ(bd.NouvelleFiche(), 4);
  EXPECT_EQ(bd.NouvelleUnion(), 1);
}

TEST(DatabaseBulkLoad, RawFillNeedsOneRebuild) {
  TBD bd;
  ASSERT_TRUE(bd.FixeNbreFiche(5));
  ASSERT_TRUE(bd.FixeNbreEve(2));
  for (int n : {1, 2, 4, 5}) bd.FicheBrute(n).Utilise = 1;
  bd.FicheBrute(5).NumM = 1;
  bd.EveBrute(2).Utilise = 1;
  bd.ReconstruitIndex();
  EXPECT_EQ(bd.NbreFichesUtilisees(), 4);
  EXPECT_EQ(bd.FichePrecedente(4), 2);
  EXPECT_EQ(bd.NouvelleFiche(), 3);
  EXPECT_EQ(bd.NouvelleFiche(), 6);
  EXPECT_EQ(bd.AjouteEveFiche(1), 1);
  EXPECT_EQ(bd.AjouteEveFiche(1), 3);
  bd.SupprimeFiche(1);
  EXPECT_EQ(bd.LitMere(5), 0);
}

TEST(DatabaseBulkLoad, ShrinkingACountDropsSlotsAndTheirLinks) {
  TBD bd;
  for (int i = 0; i < 6; ++i) bd.NouvelleFiche();
  bd.EcritPere(6, 1);
  bd.EffaceFiche(3);
  ASSERT_TRUE(bd.FixeNbreFiche(4));
  EXPECT_EQ(bd.NbreFichesUtilisees(), 3);
  bd.SupprimeFiche(1);
  EXPECT_EQ(bd.NouvelleFiche(), 1);
  EXPECT_EQ(bd.NouvelleFiche(), 3);
  EXPECT_EQ(bd.NouvelleFiche(), 5);
  EXPECT_EQ(bd.LitPere(6), 0);  // a fresh slot, not the dropped record
}

TEST(DatabaseBulkLoad, ShrinkingThroughAFreeRunKeepsTheCountOfPersons) {
  TBD bd;
  for (int i = 0; i < 7; ++i) bd.NouvelleFiche();
  for (int n : {4, 5, 6}) bd.EffaceFiche(n);
  ASSERT_TRUE(bd.FixeNbreFiche(5));
  EXPECT_EQ(bd.NbreFichesUtilisees(), 3);
  EXPECT_EQ(bd.FicheSuivante(3), 0);
  ASSERT_TRUE(bd.FixeNbreFiche(8));
  EXPECT_EQ(bd.NbreFichesUtilisees(), 3);
  EXPECT_EQ(bd.NouvelleFiche(), 4);
}

TEST(DatabaseBulkLoad, RefusesNumbersOutsideTheCapacity) {
  TBD bd(Petites(3, 3, 3, 3));
  EXPECT_FALSE(bd.PlaceFiche(0, TFiche()));
  EXPECT_FALSE(bd.PlaceFiche(4, TFiche()));
  EXPECT_FALSE(bd.PlaceEve(4, TEve()));
  EXPECT_FALSE(bd.PlaceSrc(-1, TSrc()));
  EXPECT_FALSE(bd.FixeNbreUnion(4));
  EXPECT_FALSE(bd.FixeNbreSrc(-1));
  EXPECT_EQ(bd.NbreFiche(), 0);
  EXPECT_TRUE(bd.PlaceFiche(3, TFiche()));
  EXPECT_EQ(bd.NbreFiche(), 3);
  EXPECT_EQ(bd.NbreFichesUtilisees(), 0);
}

// ----- Allocation against a plain model -----

// Random creations, deletions, in-use writes and append-mode runs; after each
// step the allocation, the neighbours and the count must match a direct scan
// of the Utilise flags.
TEST(DatabaseAllocation, MatchesAScanOfTheInUseFlags) {
  TBD bd(Petites(400, 1, 1, 1));
  std::mt19937 aleatoire(12345);
  auto scanLibre = [&] {
    if (bd.ModeAjout == 0)
      for (int n = 1; n <= bd.NbreFiche(); ++n)
        if (!bd.Fiche(n).Utilise) return n;
    return bd.NbreFiche() < 400 ? bd.NbreFiche() + 1 : 0;
  };
  for (int etape = 0; etape < 4000; ++etape) {
    int action = static_cast<int>(aleatoire() % 10);
    int n = bd.NbreFiche() > 0 ? 1 + static_cast<int>(aleatoire() % bd.NbreFiche()) : 0;
    if (action < 5) {
      int attendu = scanLibre();
      ASSERT_EQ(bd.NouvelleFiche(), attendu) << "step " << etape;
    } else if (action < 8) {
      bd.SupprimeFiche(n);
    } else if (action < 9) {
      bd.EcritChamp(n, 0, aleatoire() % 2 ? "1" : "0");
    } else {
      bd.ModeAjout = bd.ModeAjout ? 0 : 1;
    }
    int k = static_cast<int>(aleatoire() % (bd.NbreFiche() + 2));
    int suivante = 0;
    for (int j = k + 1; j <= bd.NbreFiche() && k < bd.NbreFiche(); ++j)
      if (bd.Fiche(j).Utilise) { suivante = j; break; }
    int precedente = 0;
    for (int j = k - 1; j >= 1; --j)
      if (bd.Fiche(j).Utilise) { precedente = j; break; }
    ASSERT_EQ(bd.FicheSuivante(k), suivante) << "step " << etape;
    ASSERT_EQ(bd.FichePrecedente(k), k >= 1 ? precedente : 0) << "step " << etape;
    int utilisees = 0;
    for (int j = 1; j <= bd.NbreFiche(); ++j) utilisees += bd.Fiche(j).Utilise ? 1 : 0;
    ASSERT_EQ(bd.NbreFichesUtilisees(), utilisees) << "step " << etape;
  }
}

// Random link writes and deletions; deleting a person must clear exactly the
// links a full scan finds.
TEST(DatabaseAllocation, DeletionClearsTheLinksAScanFinds) {
  TBD bd(Petites(60, 200, 10, 1));
  std::mt19937 aleatoire(777);
  for (int i = 0; i < 60; ++i) bd.NouvelleFiche();
  for (int etape = 0; etape < 3000; ++etape) {
    int n = 1 + static_cast<int>(aleatoire() % 60);
    int m = static_cast<int>(aleatoire() % 62);  // 0 and 61 are no person
    switch (aleatoire() % 6) {
      case 0: bd.EcritPere(n, m); break;
      case 1: bd.EcritChamp(n, 5, std::to_string(m)); break;
      case 2: bd.CreeUnion(n, m); break;
      case 3: if (bd.NbreUnion() > 0) bd.EcritNumH(1 + static_cast<int>(aleatoire() % bd.NbreUnion()), m); break;
      case 4: if (!bd.FicheUtilisee(n)) bd.NouvelleFiche(); break;
      default: {
        bd.SupprimeFiche(n);
        for (int j = 1; j <= bd.NbreFiche(); ++j) {
          ASSERT_NE(bd.Fiche(j).NumP, n) << "step " << etape;
          ASSERT_NE(bd.Fiche(j).NumM, n) << "step " << etape;
        }
        for (int u = 1; u <= bd.NbreUnion(); ++u) {
          ASSERT_NE(bd.Union(u).NumH, n) << "step " << etape;
          ASSERT_NE(bd.Union(u).NumF, n) << "step " << etape;
        }
      }
    }
  }
}

}  // namespace
}  // namespace kindrela
