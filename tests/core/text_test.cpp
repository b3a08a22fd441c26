#include "core/text.h"

#include <gtest/gtest.h>

namespace kindrela {
namespace {

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
                      CasConversion{"Latin1", "Bapt\xEAme D\xE9" "c\xE8s", "Baptême Décès"},
                      CasConversion{"Euro", "\x80", "€"},
                      CasConversion{"OeLigature", "\x8C\x9C", "Œœ"},
                      CasConversion{"Quotes", "\x93x\x94", "“x”"},
                      CasConversion{"YDiaeresis", "\x9F\xFF", "Ÿÿ"},
                      CasConversion{"Dashes", "\x96\x97", "–—"}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(Text, CharactersOutsideWindows1252BecomeTheirClosestLetter) {
  int remplaces = 0;
  EXPECT_EQ(Utf8VersAnsi("Łódź Ştefan", '?', &remplaces), "L\xF3" "dz Stefan");
  EXPECT_EQ(remplaces, 3);
  EXPECT_EQ(Utf8VersAnsi("日本"), "??");
}

TEST(Text, InvalidUtf8NeverStopsTheConversion) {
  int remplaces = 0;
  EXPECT_EQ(Utf8VersAnsi("a\xC3(b\xFF" "c\xE2\x82", '?', &remplaces), "a?(b?c??");
  EXPECT_EQ(remplaces, 4);
  // Overlong encoding of "/" must not pass for a slash.
  EXPECT_EQ(Utf8VersAnsi("\xC0\xAF"), "??");
  EXPECT_EQ(Utf8VersAnsi("\xEF\xBB\xBFx"), "x");
}

TEST(Text, CaseMappingCoversAccentedLettersButNotSigns) {
  EXPECT_EQ(MajusculesAnsi("\xE9l\xE8ve \xE7\xE0 \xFF \x9C"), "\xC9L\xC8VE \xC7\xC0 \x9F \x8C");
  EXPECT_EQ(MinusculesAnsi("\xC9L\xC8VE \xC7\xC0 \x9F \x8C"), "\xE9l\xE8ve \xE7\xE0 \xFF \x9C");
  EXPECT_EQ(MajAnsi(0xF7), 0xF7);  // division sign
  EXPECT_EQ(MinAnsi(0xD7), 0xD7);  // multiplication sign
  EXPECT_EQ(MajAnsi(0xDF), 0xDF);  // sharp s has no capital
  EXPECT_TRUE(EgalSansCasse("Num\xE9rote", "NUM\xC9ROTE"));
  EXPECT_FALSE(EgalSansCasse("Numerote", "Num\xE9rote"));
  EXPECT_LT(CompareSansCasse("abc", "ABD"), 0);
  EXPECT_EQ(CompareSansCasse("\xC9t\xE9", "\xE9T\xC9"), 0);
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
