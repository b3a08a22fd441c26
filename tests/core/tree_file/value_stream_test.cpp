#include "core/tree_file/value_stream.h"
#include "core/ansi_literal.h"

#include <gtest/gtest.h>

#include <string>

namespace kindrela {
namespace {

std::string Octets(std::initializer_list<int> liste) {
  std::string s;
  for (int b : liste) s.push_back(static_cast<char>(b));
  return s;
}

TEST(EcrivainValeurs, WritesALittleEndianCountThenTheBytes) {
  EcrivainValeurs e;
  e.Valeur("abc");
  e.Vide();
  e.Entier(-42);
  e.Drapeau(true);
  e.Drapeau(false);
  EXPECT_EQ(e.Octets(), Octets({3, 0, 'a', 'b', 'c', 0, 0, 3, 0, '-', '4', '2', 1, 0, 'O', 1, 0,
                                'N'}));
}

TEST(EcrivainValeurs, CountsAboveOneByteAreLittleEndian) {
  EcrivainValeurs e;
  e.Valeur(std::string(0x1234, 'z'));
  ASSERT_EQ(e.Octets().size(), 2u + 0x1234);
  EXPECT_EQ(static_cast<unsigned char>(e.Octets()[0]), 0x34);
  EXPECT_EQ(static_cast<unsigned char>(e.Octets()[1]), 0x12);
}

TEST(EcrivainValeurs, AValueOfTheLimitIsWrittenWhole) {
  EcrivainValeurs e;
  std::string texte(kLongueurMaxValeur, 'x');
  texte.back() = 'y';
  e.Valeur(texte);
  LecteurValeurs l(e.Octets());
  EXPECT_EQ(l.Valeur(), texte);
  EXPECT_TRUE(l.Fin());
  EXPECT_FALSE(l.Depasse());
}

TEST(EcrivainValeurs, ALongerValueIsCutToTheLimit) {
  EcrivainValeurs e;
  e.Valeur(std::string(kLongueurMaxValeur, 'x') + "reste");
  e.Valeur("suite");
  LecteurValeurs l(e.Octets());
  EXPECT_EQ(l.Valeur(), std::string(kLongueurMaxValeur, 'x'));
  EXPECT_EQ(l.Valeur(), "suite");
}

TEST(LecteurValeurs, ReadsBackWhatWasWritten) {
  EcrivainValeurs e;
  std::string binaire = Octets({0, 1, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F});
  e.Valeur("KINDRELA 2008-01-06");
  e.Entier(100000);
  e.Valeur(binaire);
  e.Valeur("été"_ansi);
  LecteurValeurs l(e.Octets());
  EXPECT_EQ(l.Texte(), "KINDRELA 2008-01-06");
  EXPECT_EQ(l.Entier(), 100000);
  EXPECT_EQ(l.Valeur(), binaire);
  EXPECT_EQ(l.Valeur(), "été"_ansi);
  EXPECT_TRUE(l.Fin());
  EXPECT_FALSE(l.Depasse());
}

TEST(LecteurValeurs, OnlyExactlyOMeansInUse) {
  EcrivainValeurs e;
  for (const char* t : {"O", "N", "o", "O ", "", "1"}) e.Valeur(t);
  LecteurValeurs l(e.Octets());
  EXPECT_TRUE(l.Drapeau());
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(l.Drapeau()) << i;
}

struct CasEntier {
  const char* nom;
  const char* texte;
  int attendu;
};

class LecteurValeursEntier : public ::testing::TestWithParam<CasEntier> {};

TEST_P(LecteurValeursEntier, ReadsDecimalText) {
  EcrivainValeurs e;
  e.Valeur(GetParam().texte);
  LecteurValeurs l(e.Octets());
  EXPECT_EQ(l.Entier(), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(Textes, LecteurValeursEntier,
                         ::testing::Values(CasEntier{"Vide", "", 0}, CasEntier{"Zero", "0", 0},
                                           CasEntier{"Simple", "1234", 1234},
                                           CasEntier{"Negatif", "-7", -7},
                                           CasEntier{"Espaces", " 12 ", 12},
                                           CasEntier{"Grand", "2000000000", 2000000000},
                                           CasEntier{"Lettres", "12a", 0},
                                           CasEntier{"Texte", "abc", 0}),
                         [](const auto& info) { return std::string(info.param.nom); });

TEST(LecteurValeurs, OldStreamsEndAValueAtItsFirstZeroByte) {
  std::string octets = Octets({6, 0, 'a', 'b', 0, 'x', 'y', 'z', 2, 0, 'c', 'd'});
  LecteurValeurs ancien(octets, /*finAuZero=*/true);
  EXPECT_EQ(ancien.Valeur(), "ab");
  EXPECT_EQ(ancien.Valeur(), "cd");
  LecteurValeurs courant(octets);
  EXPECT_EQ(courant.Valeur(), std::string("ab\0xyz", 6));
}

TEST(LecteurValeurs, ACapLimitsWhatIsTakenAndHowFarTheStreamMoves) {
  std::string octets = Octets({5, 0, 'a', 'b', 'c', 'd', 'e'});
  LecteurValeurs l(octets, false, 3);
  EXPECT_EQ(l.Valeur(), "abc");
  EXPECT_EQ(l.Position(), 5u);
}

// --- Damaged input --------------------------------------------------------

TEST(LecteurValeurs, NothingLeftReadsEmpty) {
  LecteurValeurs l(std::string_view{});
  EXPECT_TRUE(l.Fin());
  EXPECT_EQ(l.Valeur(), "");
  EXPECT_EQ(l.Entier(), 0);
  EXPECT_FALSE(l.Drapeau());
  EXPECT_TRUE(l.Depasse());
}

TEST(LecteurValeurs, ACountCutByTheEndReadsEmpty) {
  std::string octets = Octets({1, 0, 'a', 9});
  LecteurValeurs l(octets);
  EXPECT_EQ(l.Valeur(), "a");
  EXPECT_FALSE(l.Depasse());
  EXPECT_EQ(l.Valeur(), "");
  EXPECT_TRUE(l.Depasse());
  EXPECT_TRUE(l.Fin());
}

TEST(LecteurValeurs, AValueCutByTheEndGivesWhatIsThere) {
  std::string octets = Octets({10, 0, 'a', 'b', 'c'});
  LecteurValeurs l(octets);
  EXPECT_EQ(l.Valeur(), "abc");
  EXPECT_TRUE(l.Depasse());
  EXPECT_EQ(l.Valeur(), "");
}

TEST(LecteurValeurs, ACountAboveTheLimitIsReadAsTheLimit) {
  std::string octets = Octets({0xFF, 0xFF}) + std::string(kLongueurMaxValeur, 'q') +
                       Octets({2, 0, 'o', 'k'});
  LecteurValeurs l(octets);
  EXPECT_EQ(l.Valeur().size(), kLongueurMaxValeur);
  // The stream goes on right after the limit.
  EXPECT_EQ(l.Valeur(), "ok");
  EXPECT_FALSE(l.Depasse());
}

}  // namespace
}  // namespace kindrela
