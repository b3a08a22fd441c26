#include "core/text.h"
#include "core/ansi_literal.h"

#include <gtest/gtest.h>

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

TEST(Text, CharactersOutsideWindows1252BecomeTheirClosestLetter) {
  int remplaces = 0;
  EXPECT_EQ(Utf8VersAnsi("Łódź Ştefan", '?', &remplaces), "Lódz Stefan"_ansi);
  EXPECT_EQ(remplaces, 3);
  EXPECT_EQ(Utf8VersAnsi("日本"), "??");
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
