#include "editing/record_dates.h"

#include <gtest/gtest.h>

#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/database.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

TTraduction Traduction() {
  TTraduction t;
  t.ChargeTexte(
      "107;Age\r\n108;an\r\n109;ans\r\n110;Décès à l'âge de\r\n111;jour\r\n112;jours\r\n"
      "113;vers\r\n"_ansi);
  return t;
}

class DatesFiche : public ::testing::Test {
 protected:
  void SetUp() override {
    FixeAujourdhui({2024, 6, 15});
    m_n = m_bd.NouvelleFiche();
  }
  void TearDown() override { LibereAujourdhui(); }
  TBD m_bd;
  TTraduction m_t = Traduction();
  int m_n = 0;
};

// The person's birth and death, the event kind, what is typed, what the date becomes.
struct CasSortie {
  const char* nom;
  const char* naissance;
  const char* deces;
  const char* nature;
  const char* saisi;
  const char* attendu;
};

class SortieDate : public DatesFiche, public ::testing::WithParamInterface<CasSortie> {};

TEST_P(SortieDate, CompletesTwoDigitYearsAgainstTheRightDate) {
  const CasSortie& c = GetParam();
  m_bd.EcritDateNaissance(m_n, c.naissance);
  m_bd.EcritDateDeces(m_n, c.deces);
  const DateSortie s = SortieDateEve(m_bd, m_n, c.nature, c.saisi, "j/m/a");
  EXPECT_TRUE(s.reconnue);
  EXPECT_EQ(s.date, c.attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, SortieDate,
    ::testing::Values(
        CasSortie{"BirthBeforeTheDeath", "", "3/2/1920", "Naissance", "1/1/05", "1/1/1905"},
        CasSortie{"BirthNotAfterTheDeathYear", "", "3/2/1920", "Naissance", "1/1/25", "1/1/1825"},
        CasSortie{"BaptismLikeTheBirth", "", "1950", "Baptême"_ansi, "5/6/49", "5/6/1949"},
        CasSortie{"DeathAfterTheBirth", "1/1/1905", "", "Décès"_ansi, "3/2/20", "3/2/1920"},
        CasSortie{"BurialNotBeforeTheBirthYear", "1/1/1905", "", "Sépulture"_ansi, "12", "1912"},
        CasSortie{"OtherKindAfterTheBirth", "1890", "", "Profession", "1/10", "1/1910"},
        CasSortie{"NoReferenceIsToday", "", "", "Naissance", "vers 30", "vers 1930"},
        CasSortie{"FourDigitsStay", "", "3/2/1920", "Naissance", "1/1/1705", "1/1/1705"},
        CasSortie{"Normalised", "", "", "Décès"_ansi, "05.03.1900", "5/3/1900"},
        CasSortie{"EmptyStaysEmpty", "1900", "", "Décès"_ansi, "  ", ""}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST_F(DatesFiche, TextHoldingNoDateIsKeptAsTyped) {
  const DateSortie s = SortieDateEve(m_bd, m_n, "Naissance", "au printemps", "j/m/a");
  EXPECT_FALSE(s.reconnue);
  EXPECT_EQ(s.date, "au printemps");
}

TEST_F(DatesFiche, UnionDateAfterTheBirthAndDisplayOrder) {
  m_bd.EcritDateNaissance(m_n, "1/1/1905");
  EXPECT_EQ(SortieDateEveUnion(m_bd, m_n, "6/30/30", "m/j/a").date, "30/6/1930");
}

TEST_F(DatesFiche, InformationLine) {
  EXPECT_EQ(LigneJour(m_bd, m_n, "Profession", "5/3/1900", m_t), "Lundi 5 mars 1900. ");
  EXPECT_EQ(LigneJour(m_bd, m_n, "Profession", "vers 3/1900", m_t), "Mars 1900. ");
  EXPECT_EQ(LigneJour(m_bd, m_n, "Profession", "1900", m_t), "");
  // Alive: the current age.
  m_bd.EcritDateNaissance(m_n, "20/6/1950");
  EXPECT_EQ(LigneJour(m_bd, m_n, "Naissance", "20/6/1950", m_t), "Mardi 20 juin 1950. Age: 73 ans.");
  EXPECT_EQ(LigneJour(m_bd, m_n, "Baptême"_ansi, "20/6/1950", m_t), "Mardi 20 juin 1950. ");
  m_bd.EcritDateNaissance(m_n, "1/1/2023");
  EXPECT_EQ(LigneJour(m_bd, m_n, "Naissance", "1/1/2023", m_t), "Dimanche 1 janvier 2023. Age: 1 an.");
  // Dead: the age at death, or the days lived under a year.
  m_bd.EcritDateNaissance(m_n, "1/1/1900");
  m_bd.EcritDateDeces(m_n, "3/2/1920");
  EXPECT_EQ(LigneJour(m_bd, m_n, "Décès"_ansi, "1920", m_t), "Décès à l'âge de 20 ans."_ansi);
  m_bd.EcritDateDeces(m_n, "11/1/1900");
  EXPECT_EQ(LigneJour(m_bd, m_n, "Naissance", "", m_t), "Décès à l'âge de 10 jours."_ansi);
  m_bd.EcritDateDeces(m_n, "2/1/1900");
  EXPECT_EQ(LigneJour(m_bd, m_n, "Naissance", "", m_t), "Décès à l'âge de 1 jour."_ansi);
  m_bd.EcritDateDeces(m_n, "1/1/1900");
  EXPECT_EQ(LigneJour(m_bd, m_n, "Naissance", "", m_t), "");
}

struct CasNiveau {
  const char* nom;
  const char* date;
  int stocke;
  int propose;
};

class Proposition : public ::testing::TestWithParam<CasNiveau> {};

TEST_P(Proposition, FollowsThePrecisionOfTheDate) {
  const TTraduction t = Traduction();
  EXPECT_EQ(NiveauPropose(GetParam().date, GetParam().stocke, t), GetParam().propose);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, Proposition,
    ::testing::Values(CasNiveau{"ApproximateYearOfASureEvent", "vers 1900", 0, 2},
                      CasNiveau{"ApproximateYearAlreadyRated", "vers 1900", 3, 3},
                      CasNiveau{"ApproximateMonth", "vers 3/1900", 0, 0},
                      CasNiveau{"BeforeAYear", "avant 1900", 0, 0},
                      CasNiveau{"ExactDate", "5/3/1900", 3, 0},
                      CasNiveau{"YearOnly", "1900", 1, 1},
                      CasNiveau{"NoDate", "", 2, 2}),
    [](const auto& info) { return std::string(info.param.nom); });

}  // namespace
}  // namespace kindrela
