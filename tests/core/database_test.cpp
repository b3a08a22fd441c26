#include "core/database.h"

#include <gtest/gtest.h>

#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/text.h"

namespace kindrela {
namespace {

class Database : public ::testing::Test {
 protected:
  // A person in use with the given names and sex (0 man, 1 woman, 2 unknown).
  int Personne(const char* nom, const char* pre = "", int sexe = 0) {
    int n = bd.NouvelleFiche();
    bd.EcritNom(n, nom);
    bd.EcritPrenoms(n, pre);
    bd.EcritSexe(n, sexe);
    return n;
  }
  // An event of the given kind and date appended to person n.
  int Evenement(int n, const std::string& nature, const char* date) {
    int k = bd.NbreEveFiche(n) + 1;
    int e = bd.AjouteEveFiche(n);
    bd.EcritEveFiche(n, k, 1, nature);
    bd.EcritEveFiche(n, k, 2, date);
    return e;
  }
  void Personnes(int nbre) {
    for (int i = 0; i < nbre; ++i) Personne("P");
  }

  TBD bd;
};

// ----- Slot allocation -----

TEST_F(Database, NewPersonTakesTheLowestFreeSlot) {
  Personnes(6);
  bd.SupprimeFiche(5);
  bd.SupprimeFiche(3);
  EXPECT_EQ(bd.NouvelleFiche(), 3);
  EXPECT_EQ(bd.NouvelleFiche(), 5);
  EXPECT_EQ(bd.NbreFiche(), 6);
  EXPECT_EQ(bd.NouvelleFiche(), 7);
  EXPECT_EQ(bd.NbreFiche(), 7);
}

TEST_F(Database, AppendModeTakesCountPlusOne) {
  Personnes(6);
  bd.SupprimeFiche(5);
  bd.ModeAjout = 1;
  EXPECT_EQ(bd.NouvelleFiche(), 7);
  bd.ModeAjout = 0;
  EXPECT_EQ(bd.NouvelleFiche(), 5);
}

TEST_F(Database, ReusedSlotStartsEmptyAndDropsItsOldEvents) {
  int n = Personne("Martin", "Jean", 1);
  int e = Evenement(n, bd.NatNaissance, "1900");
  bd.EcritChamp(n, 0, "0");  // freed without being emptied
  EXPECT_EQ(bd.NouvelleFiche(), n);
  EXPECT_EQ(bd.LitNom(n), "");
  EXPECT_EQ(bd.LitSexe(n), 0);
  EXPECT_EQ(bd.NbreEveFiche(n), 0);
  EXPECT_FALSE(bd.EveUtilise(e));
  EXPECT_TRUE(bd.FicheUtilisee(n));
}

TEST_F(Database, CountsPersonsInUse) {
  Personnes(5);
  bd.SupprimeFiche(2);
  bd.EcritChamp(4, 0, "0");
  EXPECT_EQ(bd.NbreFichesUtilisees(), 3);
  bd.EcritChamp(4, 0, "1");
  EXPECT_EQ(bd.NbreFichesUtilisees(), 4);
}

// ----- Deleting -----

TEST_F(Database, DeletingAFatherUnlinksChildrenAndFreesHisUnions) {
  int pere = Personne("Martin", "Jean", 0);
  int mere = Personne("Durand", "Anne", 1);
  int autre = Personne("Petit", "Rose", 1);
  int enfant1 = Personne("Martin", "Luc");
  int enfant2 = Personne("Martin", "Eve", 1);
  int voisin = Personne("Roux", "Paul");
  for (int c : {enfant1, enfant2}) {
    bd.EcritPere(c, pere);
    bd.EcritMere(c, mere);
  }
  bd.EcritPere(voisin, 99);  // not the deleted person
  int u1 = bd.CreeUnion(pere, mere);
  int u2 = bd.CreeUnion(autre, pere);
  int u3 = bd.CreeUnion(voisin, autre);
  bd.EcritChampUnion(u1, 3, "1920");
  int eveMariage = LitEntree(bd.Union(u1).TabEve, 1);
  int src = bd.AjouteNouvelleSrc(pere);

  EXPECT_EQ(bd.SupprimeFiche(pere), pere);

  EXPECT_EQ(bd.LitPere(enfant1), 0);
  EXPECT_EQ(bd.LitPere(enfant2), 0);
  EXPECT_EQ(bd.LitMere(enfant1), mere);
  EXPECT_EQ(bd.LitPere(voisin), 99);
  EXPECT_FALSE(bd.Union(u1).Utilise);
  EXPECT_FALSE(bd.Union(u2).Utilise);
  EXPECT_TRUE(bd.UnionValide(u3));
  EXPECT_EQ(bd.NbreEveUnion(u1), 0);
  EXPECT_FALSE(bd.EveUtilise(eveMariage));
  EXPECT_TRUE(bd.SrcUtilisee(src));
  EXPECT_FALSE(bd.FicheUtilisee(pere));
  EXPECT_EQ(bd.LitNom(pere), "");
}

TEST_F(Database, ErasingAPersonFreesItsEventsButNotItsSources) {
  int n = Personne("Martin");
  int e1 = Evenement(n, "Naissance", "1900");
  int e2 = Evenement(n, "Mariage", "1920");
  int s = bd.AjouteNouvelleSrc(n);
  bd.EffaceFiche(n);
  EXPECT_FALSE(bd.EveUtilise(e1));
  EXPECT_FALSE(bd.EveUtilise(e2));
  EXPECT_EQ(bd.NbreSrcFiche(n), 0);
  EXPECT_TRUE(bd.SrcUtilisee(s));
  EXPECT_FALSE(bd.FicheUtilisee(n));
}

// ----- Walking the persons -----

struct CasVoisin {
  const char* nom;
  int n;
  int suivante;
  int precedente;
};

class DatabaseNeighbours : public ::testing::TestWithParam<CasVoisin> {
 protected:
  void SetUp() override {
    // Slots 1..7; 1, 3, 4 and 7 free.
    for (int i = 0; i < 7; ++i) bd.NouvelleFiche();
    for (int n : {1, 3, 4, 7}) bd.EffaceFiche(n);
  }
  TBD bd;
};

TEST_P(DatabaseNeighbours, FindsTheNearestPersonInUse) {
  EXPECT_EQ(bd.FicheSuivante(GetParam().n), GetParam().suivante);
  EXPECT_EQ(bd.FichePrecedente(GetParam().n), GetParam().precedente);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, DatabaseNeighbours,
    ::testing::Values(CasVoisin{"BelowRange", -1, 0, 0}, CasVoisin{"Zero", 0, 2, 0},
                      CasVoisin{"FirstUsed", 2, 5, 0}, CasVoisin{"InsideAGap", 3, 5, 2},
                      // NbreFiche - 1 = 6 is used but 7 is not.
                      CasVoisin{"CountMinusOne", 6, 0, 5}, CasVoisin{"Count", 7, 0, 6},
                      CasVoisin{"CountPlusOne", 8, 0, 6}, CasVoisin{"AboveRange", 9, 0, 0}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST_F(Database, NextPersonOfCountMinusOneIsTheLastWhenInUse) {
  Personnes(4);
  EXPECT_EQ(bd.FicheSuivante(bd.NbreFiche() - 1), 4);
}

// ----- Person field codes -----

struct CasChamp {
  const char* nom;
  int code;
  const char* ecrit;
  const char* lu;
};

class DatabaseFieldCode : public ::testing::TestWithParam<CasChamp> {
 protected:
  TBD bd;
};

TEST_P(DatabaseFieldCode, StoresAndReadsBack) {
  int n = bd.NouvelleFiche();
  bd.EcritChamp(n, GetParam().code, GetParam().ecrit);
  EXPECT_EQ(bd.LitChamp(n, GetParam().code), GetParam().lu);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DatabaseFieldCode,
    ::testing::Values(
        CasChamp{"InUseOne", 0, "1", "1"}, CasChamp{"InUseOther", 0, "oui", "0"},
        CasChamp{"SexWoman", 1, "F", "F"}, CasChamp{"SexManLower", 1, "h", "H"},
        CasChamp{"SexUnknown", 1, "x", "I"}, CasChamp{"SexNotJustFirstLetter", 1, "Femme", "I"},
        CasChamp{"Surname", 2, "Martin", "Martin"}, CasChamp{"GivenNames", 3, "Jean Luc", "Jean Luc"},
        CasChamp{"Father", 4, "12", "12"}, CasChamp{"FatherInvalid", 4, "douze", "0"},
        CasChamp{"Mother", 5, " 7 ", "7"}, CasChamp{"MotherEmpty", 5, "", "0"},
        // Codes 6..17 have their own table below.
        CasChamp{"Note", 18, "ligne1\r\nligne2", "ligne1\r\nligne2"},
        CasChamp{"Profession", 19, "Menuisier", "Menuisier"},
        CasChamp{"NoField20", 20, "x", ""}, CasChamp{"Created", 21, "1/2/2003", "1/2/2003"},
        CasChamp{"Changed", 22, "4/5/2006", "4/5/2006"},
        CasChamp{"CustomFields", 23, "d|Bac|1990|", "d|Bac|1990|"},
        CasChamp{"FirstGivenNameReadOnly", 24, "Jean", ""},
        CasChamp{"FullNameReadOnly", 25, "Jean", " "}, CasChamp{"Numbering", 26, "1.2", "1.2"},
        CasChamp{"FatherCertainty", 27, "2", "2"}, CasChamp{"MotherCertaintyInvalid", 28, "?", "0"},
        CasChamp{"AboveLastCode", 29, "x", ""}, CasChamp{"NegativeCode", -1, "x", ""}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST_F(Database, TypedSexMatchesTheCode) {
  int n = bd.NouvelleFiche();
  bd.EcritChamp(n, 1, "F");
  EXPECT_EQ(bd.LitSexe(n), 1);
  bd.EcritSexe(n, 2);
  EXPECT_EQ(bd.LitChamp(n, 1), "I");
}

struct CasEvenement {
  const char* nom;
  int code;
  int nature;  // 0 birth, 1 baptism, 2 death, 3 burial
  int champ;
};

class DatabaseEventCode : public ::testing::TestWithParam<CasEvenement> {
 protected:
  TBD bd;
};

TEST_P(DatabaseEventCode, WritesTheFieldOfTheRightKind) {
  const std::string* natures[] = {&bd.NatNaissance, &bd.NatBapteme, &bd.NatDeces, &bd.NatSepulture};
  int n = bd.NouvelleFiche();
  bd.EcritChamp(n, GetParam().code, "valeur");
  ASSERT_EQ(bd.NbreEveFiche(n), 1);
  EXPECT_EQ(bd.LitEveFiche(n, 1, 1), *natures[GetParam().nature]);
  for (int f = 2; f <= 5; ++f)
    EXPECT_EQ(bd.LitEveFiche(n, 1, f), f == GetParam().champ ? "valeur" : "") << "field " << f;
  EXPECT_EQ(bd.LitEveFiche(n, 1, 6), "0");
  EXPECT_EQ(bd.LitChamp(n, GetParam().code), "valeur");
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DatabaseEventCode,
    ::testing::Values(CasEvenement{"BirthDate", 6, 0, 2}, CasEvenement{"BirthPlace", 7, 0, 4},
                      CasEvenement{"BirthNote", 8, 0, 5}, CasEvenement{"BaptismDate", 9, 1, 2},
                      CasEvenement{"BaptismPlace", 10, 1, 4}, CasEvenement{"BaptismNote", 11, 1, 5},
                      CasEvenement{"DeathDate", 12, 2, 2}, CasEvenement{"DeathPlace", 13, 2, 4},
                      CasEvenement{"DeathNote", 14, 2, 5}, CasEvenement{"BurialDate", 15, 3, 2},
                      CasEvenement{"BurialPlace", 16, 3, 4}, CasEvenement{"BurialNote", 17, 3, 5}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST_F(Database, DerivedNameCodes) {
  int n = Personne("Martin", "Marie \"Lili\" Anne");
  EXPECT_EQ(bd.LitChamp(n, 24), "Lili");
  EXPECT_EQ(bd.LitChamp(n, 25), "Martin Marie \"Lili\" Anne");
  EXPECT_EQ(bd.NomCourt(n), "Martin Lili");
}

TEST_F(Database, NumbersOutOfRangeReadEmptyAndWriteNothing) {
  Personnes(2);
  for (int n : {0, 3, -1}) {
    bd.EcritChamp(n, 2, "X");
    bd.EcritChamp(n, 6, "1900");
    EXPECT_EQ(bd.LitChamp(n, 0), "");
    EXPECT_EQ(bd.LitChamp(n, 4), "");
    EXPECT_EQ(bd.NomCourt(n), "");
    EXPECT_EQ(bd.AjouteEveFiche(n), 0);
    EXPECT_EQ(bd.AjouteNouvelleSrc(n), 0);
    EXPECT_FALSE(bd.AjouteSrc(n, 1));
    EXPECT_FALSE(bd.FicheUtilisee(n));
  }
  EXPECT_EQ(bd.NbreFiche(), 2);
  EXPECT_EQ(bd.NbreEve(), 0);
  EXPECT_EQ(bd.NbreSrc(), 0);
  EXPECT_EQ(bd.LitChampUnion(1, 1), "");
  EXPECT_EQ(bd.EffaceUnion(1), 1);
  EXPECT_FALSE(bd.UnionValide(1));
}

struct CasPrenom {
  const char* nom;
  const char* pre;
  const char* premier;
};

class FirstGivenName : public ::testing::TestWithParam<CasPrenom> {};

TEST_P(FirstGivenName, Extracts) { EXPECT_EQ(PremierPrenom(GetParam().pre), GetParam().premier); }

INSTANTIATE_TEST_SUITE_P(
    Cases, FirstGivenName,
    ::testing::Values(CasPrenom{"SpaceSeparated", "Jean Pierre", "Jean"},
                      CasPrenom{"CommaSeparated", "Jean, Pierre", "Jean"},
                      CasPrenom{"CommaBeforeSpace", "Jean,Pierre Paul", "Jean"},
                      CasPrenom{"Quoted", "Marie \"Lili\" Anne", "Lili"},
                      CasPrenom{"SingleQuote", "Marie \"Lili Anne", "Marie"},
                      CasPrenom{"Single", "Paul", "Paul"}, CasPrenom{"Empty", "", ""},
                      CasPrenom{"LeadingSpace", " Paul", ""}),
    [](const auto& info) { return std::string(info.param.nom); });

// ----- Events by kind -----

TEST_F(Database, KindCodeReadsTheFirstAndWritesTheLast) {
  int n = Personne("Martin");
  Evenement(n, bd.NatNaissance, "1900");
  Evenement(n, "Autre", "1950");
  Evenement(n, bd.NatNaissance, "1901");
  EXPECT_EQ(bd.LitChamp(n, 6), "1900");
  bd.EcritChamp(n, 6, "1902");
  EXPECT_EQ(bd.LitEveFiche(n, 1, 2), "1900");
  EXPECT_EQ(bd.LitEveFiche(n, 3, 2), "1902");
  EXPECT_EQ(bd.LitChamp(n, 6), "1900");
}

TEST_F(Database, EmptyKindWriteCreatesNothing) {
  int n = Personne("Martin");
  bd.EcritChamp(n, 6, "");
  EXPECT_EQ(bd.NbreEveFiche(n), 0);
  EXPECT_EQ(bd.NbreEve(), 0);
  bd.EcritChamp(n, 6, "1900");
  ASSERT_EQ(bd.NbreEveFiche(n), 1);
  EXPECT_EQ(bd.LitEveFiche(n, 1, 1), "Naissance");
  EXPECT_EQ(bd.LitEveFiche(n, 1, 2), "1900");
  EXPECT_EQ(bd.LitEveFiche(n, 1, 6), "0");
  bd.EcritChamp(n, 6, "");
  EXPECT_EQ(bd.NbreEveFiche(n), 1);
  EXPECT_EQ(bd.LitEveFiche(n, 1, 2), "");
}

TEST_F(Database, KindWordsAreFrenchWindows1252AndComparedExactly) {
  EXPECT_EQ(AnsiVersUtf8(bd.NatBapteme), "Baptême");
  EXPECT_EQ(AnsiVersUtf8(bd.NatDeces), "Décès");
  EXPECT_EQ(AnsiVersUtf8(bd.NatSepulture), "Sépulture");
  EXPECT_EQ(bd.NatProfession + bd.NatNaissance + bd.NatMariage + bd.NatDivorce,
            "ProfessionNaissanceMariageDivorce");
  int n = Personne("Martin");
  bd.EcritChamp(n, 12, "1980");
  bd.NatDeces = "Death";
  EXPECT_EQ(bd.LitChamp(n, 12), "");
  bd.EcritChamp(n, 12, "1981");
  EXPECT_EQ(bd.NbreEveFiche(n), 2);
  EXPECT_EQ(bd.LitEveNature(n, "death", 2), "");
}

TEST_F(Database, RemovingAnEventShiftsTheLaterOnes) {
  int n = Personne("Martin");
  Evenement(n, "A", "1");
  int e2 = Evenement(n, "B", "2");
  Evenement(n, "C", "3");
  bd.RetireEveFiche(n, 2);
  EXPECT_EQ(bd.NbreEveFiche(n), 2);
  EXPECT_EQ(bd.LitEveFiche(n, 2, 1), "C");
  EXPECT_FALSE(bd.EveUtilise(e2));
  bd.RetireEveFiche(n, 3);  // out of the list
  EXPECT_EQ(bd.NbreEveFiche(n), 2);
  EXPECT_EQ(bd.AjouteEveFiche(n), e2);  // freed slot reused
}

TEST_F(Database, ErasedEventIsCertaintyZero) {
  int n = Personne("Martin");
  int e = Evenement(n, "A", "1");
  bd.EcritEveFiche(n, 1, 6, "3");
  bd.EcritEveFiche(n, 1, 3, "10h");
  bd.EffaceEve(e);
  EXPECT_EQ(bd.LitChampEve(e, 6), "0");
  EXPECT_EQ(bd.LitChampEve(e, 1), "");
  EXPECT_EQ(bd.LitChampEve(e, 3), "");
  EXPECT_EQ(bd.NbreEveFiche(n), 1);  // the owner's list is not touched
}

// ----- Custom fields -----

TEST_F(Database, ProfessionIsATextTriple) {
  int n = Personne("Martin");
  bd.EcritChamp(n, 19, "Menuisier");
  EXPECT_EQ(bd.LitChamp(n, 23), "t|Profession|Menuisier|");
  bd.EcritChampPerso(n, "Profession", "");
  EXPECT_EQ(bd.LitChamp(n, 23), "");
}

TEST_F(Database, CustomFieldRewriteKeepsOrderAndDropsEmptyValues) {
  int n = Personne("Martin");
  bd.EcritChamp(n, 23, "d|Bac|1990|m|Profession|Menuisier|r|Vide||l|Ville|Nice|");
  EXPECT_EQ(bd.LitChampPerso(n, "Ville"), "Nice");
  EXPECT_EQ(bd.LitChampPerso(n, "Absent"), "");
  bd.EcritChampPerso(n, "Profession", "Maçon"_ansi);
  EXPECT_EQ(bd.LitChamp(n, 23), "d|Bac|1990|t|Profession|Maçon|l|Ville|Nice|"_ansi);
  bd.EcritChampPerso(n, "Taille", "180");
  EXPECT_EQ(bd.LitChamp(n, 23), "d|Bac|1990|t|Profession|Maçon|l|Ville|Nice|t|Taille|180|"_ansi);
  bd.EcritChampPerso(n, "Absent", "");
  EXPECT_EQ(bd.LitChamp(n, 23), "d|Bac|1990|t|Profession|Maçon|l|Ville|Nice|t|Taille|180|"_ansi);
  EXPECT_EQ(bd.LitChampPerso(n, "Bac"), "1990");
}

TEST_F(Database, CustomFieldReadsTheFirstOfTwoEqualKeys) {
  int n = Personne("Martin");
  bd.EcritChamp(n, 23, "t|K|un|t|K|deux|");
  EXPECT_EQ(bd.LitChampPerso(n, "K"), "un");
}

// ----- Unions -----

struct CasUnion {
  const char* nom;
  int sexeA;  // -1: a out of range
  bool aMari;
};

class DatabaseNewUnion : public ::testing::TestWithParam<CasUnion> {
 protected:
  TBD bd;
};

TEST_P(DatabaseNewUnion, HusbandIsTheManWhenTheUnionIsMade) {
  int a = 50;
  if (GetParam().sexeA >= 0) {
    a = bd.NouvelleFiche();
    bd.EcritSexe(a, GetParam().sexeA);
  }
  int b = bd.NouvelleFiche();
  bd.EcritSexe(b, 0);
  int u = bd.CreeUnion(a, b);
  ASSERT_NE(u, 0);
  EXPECT_EQ(bd.LitNumH(u), GetParam().aMari ? a : b);
  EXPECT_EQ(bd.LitNumF(u), GetParam().aMari ? b : a);
}

INSTANTIATE_TEST_SUITE_P(
    BySex, DatabaseNewUnion,
    ::testing::Values(CasUnion{"Man", 0, true}, CasUnion{"Woman", 1, false},
                      CasUnion{"Unknown", 2, false}, CasUnion{"OutOfRange", -1, false}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST_F(Database, UnionThatLostAPartnerIsFreedByTheTest) {
  int h = Personne("Martin", "Jean", 0);
  int f = Personne("Durand", "Anne", 1);
  int u1 = bd.CreeUnion(h, f);
  int u2 = bd.CreeUnion(h, f);
  int u3 = bd.CreeUnion(h, f);
  EXPECT_EQ(bd.NbreUnionsValides(), 3);
  bd.EcritChampUnion(u2, 2, "");
  EXPECT_EQ(bd.LitNumH(u2), h);  // still in use until tested
  EXPECT_FALSE(bd.UnionValide(u2));
  EXPECT_FALSE(bd.Union(u2).Utilise);
  EXPECT_EQ(bd.LitNumH(u2), 0);
  EXPECT_EQ(bd.LitChampUnion(u2, 1), std::to_string(h));
  EXPECT_EQ(bd.NbreUnionsValides(), 2);
  EXPECT_TRUE(bd.UnionValide(u1));
  EXPECT_TRUE(bd.UnionValide(u3));
  EXPECT_EQ(bd.NouvelleUnion(), u2);
}

TEST_F(Database, UnionCodesUseMarriageAndDivorceEvents) {
  int u = bd.CreeUnion(Personne("A"), Personne("B", "", 1));
  bd.EcritChampUnion(u, 3, "1920");
  bd.EcritChampUnion(u, 4, "1930");
  bd.EcritChampUnion(u, 5, "Paris");
  bd.EcritChampUnion(u, 6, "Lyon");
  bd.EcritChampUnion(u, 7, "note");
  ASSERT_EQ(bd.NbreEveUnion(u), 2);
  EXPECT_EQ(bd.LitEveUnion(u, 1, 1), "Mariage");
  EXPECT_EQ(bd.LitEveUnion(u, 1, 2), "1920");
  EXPECT_EQ(bd.LitEveUnion(u, 1, 4), "Paris");
  EXPECT_EQ(bd.LitEveUnion(u, 1, 5), "note");
  EXPECT_EQ(bd.LitEveUnion(u, 2, 1), "Divorce");
  EXPECT_EQ(bd.LitEveUnion(u, 2, 2), "1930");
  EXPECT_EQ(bd.LitEveUnion(u, 2, 4), "Lyon");
  for (int code = 3; code <= 7; ++code) EXPECT_NE(bd.LitChampUnion(u, code), "") << code;
  EXPECT_EQ(bd.LitChampUnion(u, 8), "");
  bd.EcritChampUnion(u, 1, "abc");
  EXPECT_EQ(bd.LitChampUnion(u, 1), "0");
}

TEST_F(Database, NewUnionInAFreedSlotHasNoOldEvents) {
  int h = Personne("Martin", "Jean", 0);
  int f = Personne("Durand", "Anne", 1);
  int u = bd.CreeUnion(h, f);
  bd.EcritChampUnion(u, 3, "1920");
  bd.EcritEveUnion(u, 1, 3, "10h");
  int e = LitEntree(bd.Union(u).TabEve, 1);
  bd.EcritNumF(u, 0);
  ASSERT_FALSE(bd.UnionValide(u));
  EXPECT_EQ(bd.NouvelleUnion(), u);
  EXPECT_EQ(bd.NbreEveUnion(u), 0);
  EXPECT_FALSE(bd.EveUtilise(e));
  EXPECT_EQ(bd.LitChampUnion(u, 1), "0");
}

TEST_F(Database, ErasingAUnionFreesItsEvents) {
  int u = bd.CreeUnion(Personne("A"), Personne("B", "", 1));
  bd.EcritChampUnion(u, 3, "1920");
  int e = LitEntree(bd.Union(u).TabEve, 1);
  EXPECT_EQ(bd.EffaceUnion(u), u);
  EXPECT_FALSE(bd.EveUtilise(e));
  EXPECT_EQ(bd.LitChampUnion(u, 1), "0");
  EXPECT_EQ(bd.LitChampUnion(u, 2), "0");
  EXPECT_EQ(bd.NbreEveUnion(u), 0);
}

// ----- Sources -----

TEST_F(Database, SourceIsAttachedOnce) {
  int n = Personne("Martin");
  int s = bd.NouvelleSrc();
  EXPECT_TRUE(bd.AjouteSrc(n, s));
  EXPECT_FALSE(bd.AjouteSrc(n, s));
  EXPECT_EQ(bd.NbreSrcFiche(n), 1);
  bd.RetireSrc(n, s);
  EXPECT_EQ(bd.NbreSrcFiche(n), 0);
  EXPECT_TRUE(bd.SrcUtilisee(s));
}

TEST_F(Database, SourceFieldsOfAPerson) {
  int n = Personne("Martin");
  int s = bd.AjouteNouvelleSrc(n);
  bd.EcritSrcFiche(n, 1, 1, "Titre");
  bd.EcritSrcFiche(n, 1, 2, "Texte");
  bd.EcritSrcFiche(n, 1, 3, "Abr");
  bd.EcritSrcFiche(n, 1, 4, "photo.jpg|Legende|x");
  bd.EcritSrcFiche(n, 1, 5, "99");  // read only
  EXPECT_EQ(bd.Src(s).SrcTitre, "Titre");
  EXPECT_EQ(bd.Src(s).SrcTexte, "Texte");
  EXPECT_EQ(bd.Src(s).SrcAbrege, "Abr");
  EXPECT_EQ(bd.LitSrcFiche(n, 1, 5), std::to_string(s));
  EXPECT_EQ(bd.LitSrcFiche(n, 1, 6), "photo.jpg");
  bd.EcritSrcFiche(n, 1, 4, "plan.png");
  EXPECT_EQ(bd.LitSrcFiche(n, 1, 6), "plan.png");
  EXPECT_EQ(bd.LitSrcFiche(n, 2, 1), "");
}

TEST_F(Database, SourceByTitleWritesTheLastOneOrCreates) {
  int n = Personne("Martin");
  bd.EcritSrcTitre(n, "Acte", "", 2);
  EXPECT_EQ(bd.NbreSrcFiche(n), 0);
  bd.EcritSrcTitre(n, "Acte", "premier", 2);
  bd.AjouteNouvelleSrc(n);
  bd.EcritSrcFiche(n, 2, 1, "Acte");
  bd.EcritSrcTitre(n, "Acte", "second", 2);
  ASSERT_EQ(bd.NbreSrcFiche(n), 2);
  EXPECT_EQ(bd.LitSrcFiche(n, 1, 2), "premier");
  EXPECT_EQ(bd.LitSrcFiche(n, 2, 2), "second");
  EXPECT_EQ(bd.LitSrcFiche(n, 1, 1), "Acte");
}

TEST_F(Database, ErasedSourceStaysListed) {
  int n = Personne("Martin");
  int s = bd.AjouteNouvelleSrc(n);
  bd.EcritSrcFiche(n, 1, 1, "Titre");
  bd.EffaceSrc(s);
  EXPECT_FALSE(bd.SrcUtilisee(s));
  EXPECT_EQ(bd.NbreSrcFiche(n), 1);
  EXPECT_EQ(bd.LitSrcFiche(n, 1, 1), "");
  EXPECT_EQ(bd.NouvelleSrc(), s);
}

// ----- Whole database -----

TEST_F(Database, EmptyingResetsCountsAndStampsToday) {
  FixeAujourdhui(Jour{2024, 3, 5});
  int n = Personne("Martin");
  bd.EcritChamp(n, 6, "1900");
  bd.CreeUnion(n, Personne("B"));
  bd.NouvelleSrc();
  bd.RefPers = n;
  bd.BaseChargee = 1;
  bd.Vide();
  LibereAujourdhui();
  EXPECT_EQ(bd.NbreFiche(), 0);
  EXPECT_EQ(bd.NbreUnion(), 0);
  EXPECT_EQ(bd.NbreEve(), 0);
  EXPECT_EQ(bd.NbreSrc(), 0);
  EXPECT_EQ(bd.RefPers, 0);
  EXPECT_EQ(bd.BaseChargee, 0);
  EXPECT_EQ(bd.DateCreeBase, "5/3/2024");
  EXPECT_EQ(bd.DateSauveBase, "5/3/2024");
  EXPECT_EQ(bd.NouvelleFiche(), 1);
  EXPECT_EQ(bd.NbreFichesUtilisees(), 1);
}

TEST(PackedList, StoresLittleEndianEntries) {
  std::string tab;
  AjouteEntree(tab, 0x01020304);
  AjouteEntree(tab, -2);
  EXPECT_EQ(tab, std::string("\004\003\002\001þÿÿÿ"_ansi, 8));
  EXPECT_EQ(NbreEntrees(tab), 2);
  EXPECT_EQ(LitEntree(tab, 2), -2);
  EXPECT_EQ(LitEntree(tab, 3), 0);
  RetireEntree(tab, 1);
  EXPECT_EQ(LitEntree(tab, 1), -2);
  EXPECT_EQ(NbreEntrees(tab), 1);
}

}  // namespace
}  // namespace kindrela
