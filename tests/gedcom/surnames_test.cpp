#include "gedcom/surnames.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/ansi_literal.h"
#include "core/file_io.h"

namespace kindrela {
namespace {

struct CasCle {
  const char* nom;
  const char* patronyme;
  const char* cle;
};

class ClePhonetiqueTest : public ::testing::TestWithParam<CasCle> {};

TEST_P(ClePhonetiqueTest, Key) { EXPECT_EQ(ClePhonetique(GetParam().patronyme), GetParam().cle); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cles, ClePhonetiqueTest, ::testing::Values(
  CasCle{"barrault", "BARRAULT", "BARAULT"},
  CasCle{"masson", "MASSON", "MASON"},
  CasCle{"minuscules", "Masson", "MASON"},
  CasCle{"accents_en_majuscules", "Léger"_ansi, "LÉGER"_ansi},
  CasCle{"lettres_non_reduites", "AACCDDGG", "AACCDDGG"},
  CasCle{"toutes_les_reduites", "BBFFLLMMNNPPRRSSTT", "BFLMNPRST"},
  CasCle{"trois_de_suite", "MESSSIER", "MESIER"},
  CasCle{"separees", "SAS", "SAS"}),
  [](const auto& info) { return std::string(info.param.nom); });
// clang-format on

std::vector<std::string> Noms(const ListePatronymes& l) {
  std::vector<std::string> res;
  for (const TPatro& p : l.Entrees()) res.push_back(p.Nom + "=" + std::to_string(p.Nombre));
  return res;
}

TEST(Patronymes, AddCountsExactSurnamesOnly) {
  ListePatronymes l;
  EXPECT_TRUE(AjouterPatronyme(l, "DUPONT"));
  EXPECT_TRUE(AjouterPatronyme(l, "DUPONT"));
  EXPECT_TRUE(AjouterPatronyme(l, "Dupont"));
  EXPECT_FALSE(AjouterPatronyme(l, ""));
  EXPECT_EQ(Noms(l), (std::vector<std::string>{"DUPONT=2", "Dupont=1"}));
  EXPECT_EQ(l.Entrees()[0].Cle, "DUPONT");
  EXPECT_EQ(LignePatronyme(l.Entrees()[0]), "DUPONT (2) DUPONT");
}

TEST(Patronymes, ListHoldsAtMostFiftyThousandSurnames) {
  ListePatronymes l;
  for (int i = 0; i < kMaxPatronymes; ++i) ASSERT_TRUE(AjouterPatronyme(l, "N" + std::to_string(i)));
  EXPECT_FALSE(AjouterPatronyme(l, "NOUVEAU"));
  EXPECT_EQ(l.Taille(), kMaxPatronymes);
  // A surname already there still counts.
  EXPECT_TRUE(AjouterPatronyme(l, "N7"));
  TrierPatronymes(l, false);
  EXPECT_TRUE(AjouterPatronyme(l, "N7"));
  for (const TPatro& p : l.Entrees())
    if (p.Nom == "N7") EXPECT_EQ(p.Nombre, 3);
}

TEST(Patronymes, SortBySurnameOrKeyWithoutRegardToCase) {
  ListePatronymes l;
  for (const char* n : {"martin", "BARRAULT", "Bernard", "BARAULT", "ÉTIENNE"_ansi})
    AjouterPatronyme(l, n);
  TrierPatronymes(l, false);
  EXPECT_EQ(Noms(l), (std::vector<std::string>{"BARAULT=1", "BARRAULT=1", "Bernard=1", "martin=1",
                                               "ÉTIENNE=1"_ansi}));
  TrierPatronymes(l, true);
  EXPECT_EQ(Noms(l)[0], "BARAULT=1");
  EXPECT_EQ(Noms(l)[1], "BARRAULT=1");  // same key, order kept
  // The index follows the new positions.
  AjouterPatronyme(l, "martin");
  EXPECT_EQ(Noms(l)[3], "martin=2");
}

TEST(Patronymes, CompareExactlyAndPhonetically) {
  ListePatronymes a, b;
  for (const char* n : {"MASSON", "DUPONT", "Barrault", "LEROY"}) AjouterPatronyme(a, n);
  for (const char* n : {"MASON", "dupont", "BARAULT", "PETIT"}) AjouterPatronyme(b, n);
  EXPECT_EQ(ComparerPatronymes(a, b, ModeComparaison::Exact), (std::vector<std::string>{"DUPONT"}));
  EXPECT_EQ(ComparerPatronymes(a, b, ModeComparaison::Phonetique),
            (std::vector<std::string>{"Barrault , BARAULT", "DUPONT , dupont", "MASSON , MASON"}));
  // Whatever order the sides are shown in.
  TrierPatronymes(a, true);
  TrierPatronymes(b, false);
  EXPECT_EQ(ComparerPatronymes(a, b, ModeComparaison::Exact), (std::vector<std::string>{"DUPONT"}));
  EXPECT_EQ(ComparerPatronymes(a, b, ModeComparaison::Phonetique).size(), 3u);
  EXPECT_TRUE(ComparerPatronymes(a, ListePatronymes(), ModeComparaison::Exact).empty());
}

struct CasNom {
  const char* nom;
  const char* valeur;
  const char* patronyme;
};

class PatronymeDeNomTest : public ::testing::TestWithParam<CasNom> {};

TEST_P(PatronymeDeNomTest, Surname) {
  EXPECT_EQ(PatronymeDeNom(GetParam().valeur), GetParam().patronyme);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Noms, PatronymeDeNomTest, ::testing::Values(
  CasNom{"usuel", "Jean /DUPONT/", "DUPONT"},
  CasNom{"nom_en_tete", "/DUPONT/ Jean", "DUPONT"},
  CasNom{"suffixe", "Jean /DUPONT/ Jr", "DUPONT"},
  CasNom{"sans_barre", "Dupont", "Dupont"},
  CasNom{"une_barre", "Jean /DUPONT", "DUPONT"},
  CasNom{"vide", "Jean //", ""}),
  [](const auto& info) { return std::string(info.param.nom); });
// clang-format on

constexpr char kGedcom[] =
    "0 HEAD\n1 CHAR ANSEL\n0 @I1@ INDI\n1 NAME Jean /DUPONT/\n2 GIVN Jean\n"
    "0 @I2@ INDI\n1 NAME Pierre /DUPONT/\n0 @I3@ INDI\n1 NAME Ren\xE2" "ee /L\xE2" "EVY/\n"
    "0 @U1@ SUBM\n1 NAME Marie Curie\n0 TRLR\n";

std::string CrLf(const std::string& s) {
  std::string r;
  for (char c : s) {
    if (c == '\n') r += '\r';
    r += c;
  }
  return r;
}

TEST(Patronymes, ReadGedcomSurnamesInTheFileCharacterSet) {
  ListePatronymes l;
  AjouterPatronyme(l, "ANCIEN");
  ASSERT_TRUE(LirePatronymesGedcomTexte(kGedcom, l).ok());
  EXPECT_EQ(Noms(l), (std::vector<std::string>{"DUPONT=2", "LÉVY=1"_ansi}));
  ListePatronymes windows;
  ASSERT_TRUE(LirePatronymesGedcomTexte(CrLf(kGedcom), windows).ok());
  EXPECT_EQ(Noms(windows), Noms(l));
}

TEST(Patronymes, NotAGedcomFileLeavesTheListAsItWas) {
  ListePatronymes l;
  AjouterPatronyme(l, "ANCIEN");
  Statut s = LirePatronymesGedcomTexte("Bonjour\n1 NAME Jean /DUPONT/\n", l);
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message().find("Ce n'est pas un fichier GEDCOM."), std::string::npos);
  EXPECT_NE(s.message().find("Bonjour"), std::string::npos);
  EXPECT_EQ(Noms(l), (std::vector<std::string>{"ANCIEN=1"}));
  s = LirePatronymesGedcom(testing::TempDir() + "absent.ged", l);
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(Noms(l), (std::vector<std::string>{"ANCIEN=1"}));
}

TEST(Patronymes, ReadingCanBeStopped) {
  std::string gros = "0 HEAD\n";
  for (int i = 0; i < 5000; ++i) gros += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME A /N" + std::to_string(i) + "/\n";
  ListePatronymes l;
  int appels = 0;
  Statut s = LirePatronymesGedcomTexte(gros, l, [&](long long, long long) { return ++appels < 10; });
  EXPECT_TRUE(s.annule());
  EXPECT_EQ(appels, 10);
  EXPECT_GT(l.Taille(), 0);
  EXPECT_LT(l.Taille(), 5000);
}

TEST(Patronymes, SavedListLoadsBackWithSurnamesAndCounts) {
  ListePatronymes l;
  for (const char* n : {"DUPONT", "DUPONT", "MASSON", "LÉVY"_ansi, "DUPONT"}) AjouterPatronyme(l, n);
  TrierPatronymes(l, false);
  const std::string chemin = testing::TempDir() + "patronymes.txt";
  ASSERT_TRUE(SauvePatronymes(chemin, LignesPatronymes(l)).ok());
  ListePatronymes relue;
  AjouterPatronyme(relue, "EFFACE");
  ASSERT_TRUE(ChargePatronymes(chemin, relue).ok());
  EXPECT_EQ(Noms(relue), Noms(l));
  EXPECT_EQ(LignesPatronymes(relue), LignesPatronymes(l));
  std::remove(chemin.c_str());
  EXPECT_FALSE(ChargePatronymes(chemin, relue).ok());
  EXPECT_EQ(Noms(relue), Noms(l));
}

TEST(Patronymes, LoadPlainAndDamagedLines) {
  ListePatronymes l;
  ChargePatronymesTexte("MARTIN\r\n\r\nDURAND (x) DURAND\r\nPETIT (4) PETIT\nMARTIN\n", l);
  EXPECT_EQ(Noms(l), (std::vector<std::string>{"DURAND=1", "MARTIN=2", "PETIT=4"}));
  EXPECT_EQ(l.Entrees()[2].Cle, "PETIT");

  // Repeated huge counts saturate instead of overflowing.
  ChargePatronymesTexte("ROUX (2000000000)\nROUX (2000000000)\n", l);
  EXPECT_EQ(Noms(l), (std::vector<std::string>{"ROUX=2147483647"}));
}

}  // namespace
}  // namespace kindrela
