#include "dates/dates.h"

#include <gtest/gtest.h>

#include <string>

#include "core/ansi_literal.h"
#include "core/clock.h"

namespace kindrela {
namespace {

const std::string kApresTexte(kApres);

auto NomCas = [](const auto& info) { return std::string(info.param.nom); };

struct CasPhrase {
  const char* nom;
  std::string entree;
  std::string attendu;
};

class VersGedcom : public ::testing::TestWithParam<CasPhrase> {
 protected:
  void SetUp() override { FixeAujourdhui(Jour{2026, 12, 8}); }
  void TearDown() override { LibereAujourdhui(); }
};

TEST_P(VersGedcom, WritesAGedcomPhrase) {
  EXPECT_EQ(DateVersGedcom(GetParam().entree), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, VersGedcom,
    ::testing::Values(
        CasPhrase{"Range", kApresTexte + " 1900 avant 1910", "BET 1900 AND 1910"},
        CasPhrase{"AboutMonth", "vers 3/1900", "ABT MAR 1900"},
        CasPhrase{"BeforeDay", "avant 5/3/1900", "BEF 5 MAR 1900"},
        CasPhrase{"After", kApresTexte + " 1900", "AFT 1900"},
        CasPhrase{"PlainMonth", "12/1850", "DEC 1850"},
        CasPhrase{"PlainYear", "1900", "1900"},
        CasPhrase{"UnknownQualifier", "le 1900", "1900"},
        CasPhrase{"Empty", "", ""},
        CasPhrase{"NoYear", "vers 0", ""},
        CasPhrase{"TwoDigitsThisCentury", "5/3/26", "5 MAR 2026"},
        CasPhrase{"TwoDigitsLastCentury", "5/3/27", "5 MAR 1927"},
        CasPhrase{"RangeWithoutLowerYear", kApresTexte + " 0 avant 1900", "BEF 1900"},
        CasPhrase{"RangeWithoutUpperYear", kApresTexte + " 1900 avant 0", "AFT 1900"}),
    NomCas);

class DeGedcom : public ::testing::TestWithParam<CasPhrase> {};

TEST_P(DeGedcom, ReadsAGedcomPhrase) {
  const std::string lue = DateDeGedcom(GetParam().entree);
  EXPECT_EQ(lue, GetParam().attendu);
  EXPECT_EQ(DateNormalise(lue), lue) << "in stored form";
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DeGedcom,
    ::testing::Values(
        CasPhrase{"Between", "BET 1900 AND 1910", kApresTexte + " 1900 avant 1910"},
        CasPhrase{"FromTo", "FROM 1900 TO 1910", kApresTexte + " 1900 avant 1910"},
        CasPhrase{"BetweenReversed", "BET 1910 AND 1900", kApresTexte + " 1900 avant 1910"},
        CasPhrase{"BetweenFullDates", "BET 1 JAN 1900 AND 5 OCT 1910",
                  kApresTexte + " 1/1/1900 avant 5/10/1910"},
        CasPhrase{"FromOnly", "FROM 1900", kApresTexte + " 1900"},
        CasPhrase{"BetweenWithoutEnd", "BET 1900 AND", kApresTexte + " 1900"},
        CasPhrase{"About", "ABT 12 MAR 1900", "vers 12/3/1900"},
        CasPhrase{"Estimated", "EST 1900", "vers 1900"},
        CasPhrase{"Calculated", "CAL MAR 1900", "vers 3/1900"},
        CasPhrase{"Before", "BEF 1900", "avant 1900"},
        CasPhrase{"After", "AFT 1900", kApresTexte + " 1900"},
        CasPhrase{"Interpreted", "INT 1900", kApresTexte + " 1900"},
        CasPhrase{"And", "AND 1900", "avant 1900"},
        CasPhrase{"FullWordsByFirstLetters", "after 1900", kApresTexte + " 1900"},
        CasPhrase{"UnknownKeywordStays", "ABOUT 1900", "1900"},
        CasPhrase{"Plain", "12 MAR 1900", "12/3/1900"},
        CasPhrase{"LowerCaseAndSpaces", "  12  mar 1900 \r", "12/3/1900"},
        CasPhrase{"UnknownMonth", "1 XYZ 1900", "1900"},
        CasPhrase{"BadDay", "32 JAN 1900", "1/1900"},
        CasPhrase{"BadYear", "5 MAR 99999", ""},
        CasPhrase{"CalendarEscape", "@#DJULIAN@ 12 MAR 1700", ""},
        CasPhrase{"Empty", "", ""},
        CasPhrase{"OnlyKeyword", "BEF", ""}),
    NomCas);

TEST(Gedcom, StoredDatesSurviveARoundTrip) {
  for (const char* d : {"5/3/1900", "3/1900", "1900", "vers 12/3/1900", "avant 1/1/1800",
                        "après 1900"_ansi, "après 5/3/1900 avant 12/1910"_ansi}) {
    EXPECT_EQ(DateDeGedcom(DateVersGedcom(d)), d);
  }
}

// --- numbered labels ------------------------------------------------------

struct CasNumeros {
  const char* nom;
  const char* texte1;
  const char* texte2;
  int attendu;
};

class Numeros : public ::testing::TestWithParam<CasNumeros> {};

TEST_P(Numeros, CompareNumeros) {
  const CasNumeros& c = GetParam();
  EXPECT_EQ(CompareNumeros(c.texte1, c.texte2), c.attendu);
  EXPECT_EQ(CompareNumeros(c.texte2, c.texte1), -c.attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, Numeros,
    ::testing::Values(CasNumeros{"NumbersNotText", "12", "3", 1},
                      CasNumeros{"Equal", "4", "4", 0},
                      CasNumeros{"BothEmpty", "", "", 0},
                      CasNumeros{"EmptyFirst", "", "1", -1},
                      CasNumeros{"TailsAsNumbers", "3/2", "3/10", -1},
                      CasNumeros{"DottedTails", "3.2", "3.10", -1},
                      CasNumeros{"DeepTails", "3/2/10", "3/2/9", 1},
                      CasNumeros{"LongerIsLater", "3/2", "3", 1},
                      CasNumeros{"CutAtComma", "12, Dupont", "12, Martin", 0},
                      CasNumeros{"CommaBeforeTail", "12,3", "12/1", -1},
                      CasNumeros{"TextIgnoringCase", "abc", "ABD", -1},
                      CasNumeros{"SameTextOtherCase", "a", "A", 0},
                      CasNumeros{"HeadNotANumber", "10", "9b", -1},
                      CasNumeros{"TailsAsText", "3/x", "3/Y", -1},
                      CasNumeros{"HugeHeadIsText", "99999999999", "5", 1}),
    NomCas);

}  // namespace
}  // namespace kindrela
