#include "core/text.h"
#include "core/ansi_literal.h"
#include "core/letters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kindrela {
namespace {

// The compiler's table and the run-time one must agree on every letter a
// program text can hold.
TEST(AnsiLiteral, AgreesWithTheRunTimeConversion) {
  constexpr std::string_view lettres = "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ ¡¢£¤¥¦§¨©ª«¬­®¯°±²³´µ¶·¸¹º»¼½¾¿ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖ×ØÙÚÛÜÝÞßàáâãäåæçèéêëìíîïðñòóôõö÷øùúûüýþÿ"_ansi;
  EXPECT_EQ(lettres, Utf8VersAnsi(AnsiVersUtf8(std::string(lettres))));
  EXPECT_EQ(lettres, Utf8VersAnsi("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ ¡¢£¤¥¦§¨©ª«¬­®¯°±²³´µ¶·¸¹º»¼½¾¿ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖ×ØÙÚÛÜÝÞßàáâãäåæçèéêëìíîïðñòóôõö÷øùúûüýþÿ"));
  EXPECT_EQ(lettres.size(), 123u);
  static_assert(std::string_view("Numérote"_ansi) == "Num\xE9rote");
}

TEST(Text, EveryByteSurvivesTheRoundTripThroughUtf8) {
  std::string tous;
  for (int c = 1; c < 256; ++c) tous += static_cast<char>(c);
  EXPECT_EQ(Utf8VersAnsi(AnsiVersUtf8(tous)), tous);
}

struct CasConversion {
  const char* nom;
  const char* ansi;
  const char* utf8;
};

class TextConversion : public ::testing::TestWithParam<CasConversion> {};

TEST_P(TextConversion, ConvertsBothWays) {
  EXPECT_EQ(AnsiVersUtf8(GetParam().ansi), GetParam().utf8);
  EXPECT_EQ(Utf8VersAnsi(GetParam().utf8), GetParam().ansi);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, TextConversion,
    ::testing::Values(CasConversion{"Ascii", "Jean Dupont", "Jean Dupont"},
                      CasConversion{"Latin1", "Baptême Décès"_ansi, "Baptême Décès"},
                      CasConversion{"Euro", "€"_ansi, "€"},
                      CasConversion{"OeLigature", "Œœ"_ansi, "Œœ"},
                      CasConversion{"Quotes", "“x”"_ansi, "“x”"},
                      CasConversion{"YDiaeresis", "Ÿÿ"_ansi, "Ÿÿ"},
                      CasConversion{"Dashes", "–—"_ansi, "–—"}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(Text, CharactersOutsideWindows1252BecomeReferencesAndComeBack) {
  int remplaces = 0;
  EXPECT_EQ(Utf8VersAnsi("Łódź Ştefan", '?', &remplaces), "&#321;ód&#378; &#350;tefan"_ansi);
  EXPECT_EQ(remplaces, 0);
  EXPECT_EQ(Utf8VersAnsi("日本"), "&#26085;&#26412;");
  for (const char* texte : {"Łódź Ştefan", "日本 👪", "&#322; &#38; &#65; &#0322; & &#", "Wałęsa &#x142;"})
    EXPECT_EQ(AnsiVersUtf8(Utf8VersAnsi(texte)), texte);
  // Where no reference can go, the closest letter.
  long nb = 0;
  std::string lettres;
  EXPECT_EQ(SansReferences(Utf8VersAnsi("Łódź Ştefan Жук 日 &#322;"), '?', &nb, &lettres),
            "Lódz Stefan Zhuk ? &#322;"_ansi);
  EXPECT_EQ(nb, 7);
  EXPECT_EQ(lettres, "&#321; (L), &#378; (z), &#350; (S), &#1046; (Zh), &#1091; (u), &#1082; (k), &#26085; (?)");
}

TEST(Text, InvalidUtf8NeverStopsTheConversion) {
  int remplaces = 0;
  EXPECT_EQ(Utf8VersAnsi("aÃ(bÿcâ‚"_ansi, '?', &remplaces), "a?(b?c??");
  EXPECT_EQ(remplaces, 4);
  // Overlong encoding of "/" must not pass for a slash.
  EXPECT_EQ(Utf8VersAnsi("À¯"_ansi), "??");
  EXPECT_EQ(Utf8VersAnsi("\xEF\xBB\xBFx"), "x");
}

TEST(Text, CaseMappingCoversAccentedLettersButNotSigns) {
  EXPECT_EQ(MajusculesAnsi("élève çà ÿ œ"_ansi), "ÉLÈVE ÇÀ Ÿ Œ"_ansi);
  EXPECT_EQ(MinusculesAnsi("ÉLÈVE ÇÀ Ÿ Œ"_ansi), "élève çà ÿ œ"_ansi);
  EXPECT_EQ(MajAnsi(0xF7), 0xF7);  // division sign
  EXPECT_EQ(MinAnsi(0xD7), 0xD7);  // multiplication sign
  EXPECT_EQ(MajAnsi(0xDF), 0xDF);  // sharp s has no capital
  EXPECT_TRUE(EgalSansCasse("Numérote"_ansi, "NUMÉROTE"_ansi));
  EXPECT_FALSE(EgalSansCasse("Numerote", "Numérote"_ansi));
  EXPECT_LT(CompareSansCasse("abc", "ABD"), 0);
  EXPECT_EQ(CompareSansCasse("Été"_ansi, "éTÉ"_ansi), 0);
  EXPECT_GT(CompareSansCasse("abcd", "ABC"), 0);
}

// A reference is one letter to the user: counted, cut, cased, compared and
// sorted as the letter it stands for.
struct CasLettres {
  const char* nom;
  const char* utf8;
  std::size_t lettres;
  const char* majuscules;  // UTF-8
  const char* minuscules;
};

class Lettres : public ::testing::TestWithParam<CasLettres> {};

TEST_P(Lettres, CountAndCaseAsTheLettersTheyStandFor) {
  const std::string s = Utf8VersAnsi(GetParam().utf8);
  EXPECT_EQ(NbreLettres(s), GetParam().lettres);
  EXPECT_EQ(AnsiVersUtf8(MajusculesAnsi(s)), GetParam().majuscules);
  EXPECT_EQ(AnsiVersUtf8(MinusculesAnsi(s)), GetParam().minuscules);
  EXPECT_TRUE(EgalSansCasse(MajusculesAnsi(s), MinusculesAnsi(s)));
  EXPECT_EQ(CompareSansCasse(MajusculesAnsi(s), s), 0);
  // However short the allowed length, a cut never leaves half a reference.
  for (std::size_t max = 0; max <= s.size(); ++max) {
    const std::size_t n = LongueurSansCouper(s, max);
    ASSERT_LE(n, max);
    EXPECT_EQ(AnsiVersUtf8(s).rfind(AnsiVersUtf8(s.substr(0, n)), 0), 0u) << max;
    EXPECT_GT(n + 10, max);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Alphabets, Lettres,
    ::testing::Values(CasLettres{"Polonais", "Wałęsa Łukasz", 13, "WAŁĘSA ŁUKASZ", "wałęsa łukasz"},
                      CasLettres{"Tcheque", "Dvořák", 6, "DVOŘÁK", "dvořák"},
                      CasLettres{"Roumain", "Ștefan Țepeș", 12, "ȘTEFAN ȚEPEȘ", "ștefan țepeș"},
                      CasLettres{"Vietnamien", "Nguyễn Thị", 10, "NGUYỄN THỊ", "nguyễn thị"},
                      CasLettres{"Cyrillique", "Анна Иванова", 12, "АННА ИВАНОВА", "анна иванова"},
                      CasLettres{"Grec", "Γιώργος", 7, "ΓΙΏΡΓΟΣ", "γιώργος"},
                      CasLettres{"Chinois", "李小龍", 3, "李小龍", "李小龍"},
                      CasLettres{"Emoji", "Zoé 👪", 5, "ZOÉ 👪", "zoé 👪"},
                      CasLettres{"Tape", "&#322;x", 7, "&#322;X", "&#322;x"}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(Lettres, SortWithTheirPlainLetterAndOtherAlphabetsLast) {
  std::vector<std::string> noms;
  for (const char* n : {"Lyon", "Zola", "Анна", "Łukasz", "lucas", "Ludwik", "łaba", "Laba", "李"})
    noms.push_back(Utf8VersAnsi(n));
  std::stable_sort(noms.begin(), noms.end(),
                   [](const std::string& a, const std::string& b) { return CleTri(a) < CleTri(b); });
  std::vector<std::string> lus;
  for (const std::string& n : noms) lus.push_back(AnsiVersUtf8(n));
  EXPECT_EQ(lus, (std::vector<std::string>{"łaba", "Laba", "lucas", "Ludwik", "Łukasz", "Lyon", "Zola",
                                           "Анна", "李"}));
  // Searching ignores case on these letters as on the others.
  EXPECT_TRUE(EgalSansCasse(Utf8VersAnsi("ŁUKASZ"), Utf8VersAnsi("łukasz")));
  EXPECT_NE(MinusculesAnsi(Utf8VersAnsi("Wałęsa")).find(MinusculesAnsi(Utf8VersAnsi("ŁĘ"))),
            std::string::npos);
  EXPECT_LT(CompareSansCasse(Utf8VersAnsi("Zola"), Utf8VersAnsi("Łukasz")), 0);
}

TEST(Text, TrimsKeepTheLastCharacterOnTheLeft) {
  EXPECT_EQ(TrimGauche("   "), " ");
  EXPECT_EQ(TrimGauche("  a b "), "a b ");
  EXPECT_EQ(TrimGauche(""), "");
  EXPECT_EQ(TrimDroite("  a b   "), "  a b");
  EXPECT_EQ(TrimDroite("   "), "");
  EXPECT_EQ(Trim(" \t x \r\n"), "x");
}

TEST(Text, SplitKeepsEmptyFieldsAndStopsAt1001) {
  EXPECT_EQ(Decoupe("a;;b;", ';'), (std::vector<std::string>{"a", "", "b", ""}));
  EXPECT_EQ(Decoupe("", ';'), (std::vector<std::string>{""}));
  std::string long_;
  for (int i = 0; i < 1500; ++i) long_ += std::to_string(i) + ",";
  auto champs = Decoupe(long_, ',');
  ASSERT_EQ(champs.size(), 1001u);
  EXPECT_EQ(champs[1000], "1000");
}

TEST(Text, DetectsTheDateSeparator) {
  EXPECT_EQ(DetecteSeparateur("1-2/3"), '/');
  EXPECT_EQ(DetecteSeparateur("1-2 3"), '-');
  EXPECT_EQ(DetecteSeparateur("1 2"), ' ');
  EXPECT_EQ(DetecteSeparateur("1900"), '/');
}

TEST(Text, FormatsTwoDecimalsInWidthFour) {
  EXPECT_EQ(Format2Decimales(1.5), "1.50");
  EXPECT_EQ(Format2Decimales(0.005), "0.01");
  EXPECT_EQ(Format2Decimales(123.456), "123.46");
  EXPECT_EQ(Format2Decimales(-2), "-2.00");
}

TEST(Text, IntegerConversionFallsBackToTheDefault) {
  EXPECT_EQ(TexteVersEntier(" 42 "), 42);
  EXPECT_EQ(TexteVersEntier("-7"), -7);
  EXPECT_EQ(TexteVersEntier("0x1F"), 31);
  EXPECT_EQ(TexteVersEntier("12a", -1), -1);
  EXPECT_EQ(TexteVersEntier("", 5), 5);
  EXPECT_EQ(TexteVersEntier("99999999999", 3), 3);
  EXPECT_EQ(TexteVersEntier("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(TexteVersEntier("2147483648", 0), 0);
}

}  // namespace
}  // namespace kindrela
