#include "dates/dates.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/ini_file.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

auto NomCas = [](const auto& info) { return std::string(info.param.nom); };

// --- Julian day numbers ---------------------------------------------------

struct CasJulien {
  const char* nom;
  const char* date;
  double jd;
};

class Julien : public ::testing::TestWithParam<CasJulien> {};

TEST_P(Julien, ConvertsBothWays) {
  EXPECT_DOUBLE_EQ(DateVersJulien(GetParam().date), GetParam().jd);
  EXPECT_EQ(JulienVersDate(GetParam().jd), GetParam().date);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, Julien,
    ::testing::Values(CasJulien{"Y2000", "1/1/2000", 2451544.5},
                      CasJulien{"FirstGregorianDay", "15/10/1582", 2299160.5},
                      CasJulien{"LastJulianDay", "4/10/1582", 2299159.5},
                      CasJulien{"JulianLeapDay1500", "29/2/1500", 2268991.5},
                      CasJulien{"YearOne", "1/1/1", 1721423.5},
                      CasJulien{"Republic", "22/9/1792", 2375839.5},
                      CasJulien{"GregorianLeapDay", "29/2/2000", 2451603.5}),
    NomCas);

TEST(Julien, RoundTripsEveryDayAroundTheSwitchAndCenturies) {
  for (double debut : {2299160.5 - 800, 2415020.5 - 800, 2451544.5 - 800}) {
    for (int i = 0; i < 1600; ++i) {
      double jd = debut + i;
      std::string date = JulienVersDate(jd);
      ASSERT_DOUBLE_EQ(DateVersJulien(date), jd) << date;
    }
  }
}

TEST(Julien, ConsecutiveDaysAreConsecutiveDates) {
  // 28/2/1900 is followed by 1/3/1900: 1900 is not a Gregorian leap year.
  EXPECT_EQ(JulienVersDate(DateVersJulien("28/2/1900") + 1), "1/3/1900");
  EXPECT_EQ(JulienVersDate(DateVersJulien("28/2/2000") + 1), "29/2/2000");
  EXPECT_EQ(JulienVersDate(DateVersJulien("31/12/1999") + 1), "1/1/2000");
}

TEST(JulienVersDate, FractionOfADayStaysOnThatDay) {
  EXPECT_EQ(JulienVersDate(2451545.0), "1/1/2000");   // noon
  EXPECT_EQ(JulienVersDate(2451545.49), "1/1/2000");  // just before midnight
  EXPECT_EQ(JulienVersDate(2451544.49), "31/12/1999");
}

TEST(JulienVersDate, NonsenseNumbersGiveEmptyText) {
  EXPECT_EQ(JulienVersDate(std::numeric_limits<double>::quiet_NaN()), "");
  EXPECT_EQ(JulienVersDate(std::numeric_limits<double>::infinity()), "");
  EXPECT_EQ(JulienVersDate(-1), "");
  EXPECT_EQ(JulienVersDate(1e300), "");
}

// --- French Republican calendar -------------------------------------------

struct CasRepublicain {
  const char* nom;
  const char* date;
  int jour, mois, annee;
};

class Republicain : public ::testing::TestWithParam<CasRepublicain> {};

TEST_P(Republicain, DateVersRepublicain) {
  DateRepublicaine r = DateVersRepublicain(GetParam().date);
  EXPECT_EQ(r.jour, GetParam().jour);
  EXPECT_EQ(r.mois, GetParam().mois);
  EXPECT_EQ(r.annee, GetParam().annee);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, Republicain,
    ::testing::Values(CasRepublicain{"FirstDay", "22/9/1792", 1, 1, 1},
                      CasRepublicain{"SecondDay", "23/9/1792", 2, 1, 1},
                      CasRepublicain{"DayBefore", "21/9/1792", 0, 0, 0},
                      CasRepublicain{"LongBefore", "1/1/1700", 0, 0, 0},
                      CasRepublicain{"EighteenBrumaireVIII", "9/11/1799", 18, 2, 8},
                      CasRepublicain{"LastDayOfLeapYearIII", "22/9/1795", 6, 13, 3},
                      CasRepublicain{"FirstDayOfYearIV", "23/9/1795", 1, 1, 4},
                      CasRepublicain{"ElevenNivoseXIV", "1/1/1806", 11, 4, 14},
                      CasRepublicain{"LongAfter", "1/1/1900", 0, 0, 0}),
    NomCas);

TEST(Republicain, ReverseConversionMeetsTheGregorianDate) {
  EXPECT_EQ(JulienVersDate(RepublicainVersJulien(1, 1, 2)), "22/9/1793");
  EXPECT_DOUBLE_EQ(RepublicainVersJulien(18, 2, 8), DateVersJulien("9/11/1799"));
  EXPECT_DOUBLE_EQ(RepublicainVersJulien(1, 1, 1), kDebutRepublicain);
}

TEST(Republicain, EveryDayOfTheSpanRoundTrips) {
  for (double jd = kDebutRepublicain; jd <= kFinRepublicain; jd += 1) {
    DateRepublicaine r = DateVersRepublicain(JulienVersDate(jd));
    ASSERT_NE(r.annee, 0) << jd;
    ASSERT_DOUBLE_EQ(RepublicainVersJulien(r.jour, r.mois, r.annee), jd);
  }
  DateRepublicaine apres = DateVersRepublicain(JulienVersDate(kFinRepublicain + 1));
  EXPECT_EQ(apres.annee, 0);
  DateRepublicaine fin = DateVersRepublicain(JulienVersDate(kFinRepublicain));
  EXPECT_EQ(fin.annee, 15);
  EXPECT_EQ(fin.mois, 4);
  EXPECT_EQ(fin.jour, 10);
}

TEST(Republicain, HugeNumbersDoNotOverflow) {
  double jd = RepublicainVersJulien(INT_MAX, INT_MAX, INT_MAX);
  EXPECT_TRUE(std::isfinite(jd));
  EXPECT_GT(jd, 8e11);  // 365 x INT_MAX, not a wrapped-around int
}

// --- weekdays -------------------------------------------------------------

struct CasSemaine {
  const char* nom;
  int jour, mois, annee;
  int attendu;
};

class Semaine : public ::testing::TestWithParam<CasSemaine> {};

TEST_P(Semaine, JourSemaine) {
  const CasSemaine& c = GetParam();
  EXPECT_EQ(JourSemaine(c.jour, c.mois, c.annee), c.attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, Semaine,
    ::testing::Values(CasSemaine{"Y2000Saturday", 1, 1, 2000, 6},
                      CasSemaine{"BastilleTuesday", 14, 7, 1789, 2},
                      CasSemaine{"LeapDay2000", 29, 2, 2000, 2},
                      CasSemaine{"March1900", 1, 3, 1900, 4},
                      CasSemaine{"Today", 8, 12, 2026, 2},
                      CasSemaine{"FarCentury", 1, 3, 3000, 6},
                      CasSemaine{"DayZero", 0, 1, 2000, 7},
                      CasSemaine{"Day32", 32, 1, 2000, 7},
                      CasSemaine{"Month13", 1, 13, 2000, 7},
                      CasSemaine{"NegativeYear", 1, 1, -1, 7}),
    NomCas);

TEST(Semaine, AgreesWithJulianDayNumbers) {
  for (int annee = 1600; annee <= 9999; annee += 37) {
    for (int mois = 1; mois <= 12; ++mois) {
      for (int jour : {1, 28}) {
        std::string date = DateFormate(jour, mois, annee);
        int attendu = static_cast<int>(static_cast<long long>(DateVersJulien(date) + 1.5) % 7);
        ASSERT_EQ(JourSemaine(jour, mois, annee), attendu) << date;
      }
    }
  }
}

TEST(NomJourSemaine, NamesTheDayOfAStoredDate) {
  EXPECT_EQ(NomJourSemaine("1/1/2000"), "samedi");
  EXPECT_EQ(NomJourSemaine("vers 14/7/1789"), "mardi");
  EXPECT_EQ(NomJourSemaine("7/1789"), "");
  EXPECT_EQ(NomJourSemaine("5/3/0"), "");
  EXPECT_EQ(NomJourSemaine(""), "");
}

TEST(DateLongue, WritesWeekdayDayMonthYear) {
  EXPECT_EQ(DateLongue(14, 7, 1789), "Mardi 14 juillet 1789");
  EXPECT_EQ(DateLongue(1, 2, 2000), "Mardi 1 février 2000"_ansi);
  EXPECT_EQ(DateLongue(25, 12, 2000), "Lundi 25 décembre 2000"_ansi);
  EXPECT_EQ(DateLongue(0, 7, 1789), "");
  EXPECT_EQ(DateLongue(14, 0, 1789), "");
  EXPECT_EQ(DateLongue(5, 3, -1), "");
}

// --- zodiac ---------------------------------------------------------------

struct CasZodiaque {
  const char* nom;
  const char* date;
  const char* attendu;
};

class Zodiaque : public ::testing::TestWithParam<CasZodiaque> {
 protected:
  static TTraduction& Traduction() {
    static TTraduction t = [] {
      TTraduction tr;
      std::string texte;
      const char* signes[] = {"Capricorne", "Verseau", "Poissons", "Belier",
                              "Taureau",    "Gemeaux", "Cancer",   "Lion",
                              "Vierge",     "Balance", "Scorpion", "Sagittaire"};
      for (int i = 0; i < 12; ++i)
        texte += "fmRapportCritere.cbZodiaque.C " + std::to_string(i) + ";" + signes[i] + "\r\n";
      tr.ChargeTexte(texte);
      return tr;
    }();
    return t;
  }
};

TEST_P(Zodiaque, SigneZodiaque) {
  EXPECT_EQ(SigneZodiaque(GetParam().date, Traduction()), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, Zodiaque,
    ::testing::Values(CasZodiaque{"January20", "20/1/2000", "Capricorne"},
                      CasZodiaque{"January21", "21/1/2000", "Verseau"},
                      CasZodiaque{"February20", "20/2/2000", "Poissons"},
                      CasZodiaque{"June21", "21/6/2000", "Gemeaux"},
                      CasZodiaque{"June22", "22/6/2000", "Cancer"},
                      CasZodiaque{"July24", "24/7/2000", "Lion"},
                      CasZodiaque{"November23", "23/11/2000", "Sagittaire"},
                      CasZodiaque{"December20", "20/12/2000", "Sagittaire"},
                      CasZodiaque{"December21", "21/12/2000", "Capricorne"},
                      CasZodiaque{"QualifiedDate", "vers 14/7/1789", "Cancer"},
                      CasZodiaque{"NoDay", "7/1789", ""},
                      CasZodiaque{"Empty", "", ""}),
    NomCas);

// --- name days ------------------------------------------------------------

class Fetes : public ::testing::Test {
 protected:
  Fetes() {
    FixeAujourdhui(Jour{2026, 12, 8});
    FichierIni ini;
    ini.ChargeTexte(
        "[Autre]\r\nm1j1=Faux\r\n"
        "[Fêtes]\r\n"
        "m1j1=Marie\r\n"
        "m1j2=Basile,jean\r\n"
        "m2j2=Jean\r\n"
        "m3j5=Olivia, Olive\r\n"
        "M12J31=Sylvestre\r\n"
        "m2j30=Personne\r\n"
        "m1j3=Al\r\n"_ansi);
    m_table.Charge(ini);
  }
  ~Fetes() override { LibereAujourdhui(); }
  TTableFetes m_table;
};

TEST_F(Fetes, TableReadsItsSectionOnly) {
  EXPECT_EQ(m_table.Fete(1, 1), "Marie");
  EXPECT_EQ(m_table.Fete(12, 31), "Sylvestre");
  EXPECT_EQ(m_table.Fete(4, 1), "");
  EXPECT_EQ(m_table.Fete(0, 1), "");
  EXPECT_EQ(m_table.Fete(13, 1), "");
  EXPECT_EQ(m_table.Fete(1, 32), "");
}

TEST_F(Fetes, FeteDuJourNeedsAnUnqualifiedDayAndMonth) {
  EXPECT_EQ(FeteDuJour("1/1/1900", m_table), "Marie");
  EXPECT_EQ(FeteDuJour("31/12/1999", m_table), "Sylvestre");
  EXPECT_EQ(FeteDuJour("vers 1/1/1900", m_table), "");
  EXPECT_EQ(FeteDuJour("1/1900", m_table), "");
  EXPECT_EQ(FeteDuJour("32/1/1900", m_table), "");
  EXPECT_EQ(FeteDuJour("", m_table), "");
}

TEST_F(Fetes, DateDeFeteScansDayByDayAcrossMonths) {
  // Day 2 of January comes before day 2 of February.
  EXPECT_EQ(DateDeFete("JEAN", m_table), "2/1/2026");
  EXPECT_EQ(DateDeFete("Olive", m_table), "5/3/2026");
  EXPECT_EQ(DateDeFete("olivia", m_table), "5/3/2026");
  EXPECT_EQ(DateDeFete("Personne", m_table), "30/2/2026");
  EXPECT_EQ(DateDeFete("Mari", m_table), "");
  EXPECT_EQ(DateDeFete("Inconnu", m_table), "");
}

TEST_F(Fetes, DateDeFeteIgnoresShortNames) { EXPECT_EQ(DateDeFete("Al", m_table), ""); }

TEST(TableFetes, ChargeReadsAFileAndReportsAMissingOne) {
  namespace fs = std::filesystem;
  fs::path dossier = fs::temp_directory_path() / "kindrela_dates_fetes";
  fs::create_directories(dossier);
  fs::path chemin = dossier / "defaut.kd";
  {
    std::ofstream f(chemin, std::ios::binary);
    f << "[Fêtes]\r\nm6j24=Jean-Baptiste\r\n"_ansi;
  }
  TTableFetes table;
  EXPECT_TRUE(table.Charge(chemin.string()));
  EXPECT_EQ(table.Fete(6, 24), "Jean-Baptiste");
  EXPECT_FALSE(table.Charge((dossier / "absent.kd").string()));
  EXPECT_EQ(table.Fete(6, 24), "");
  fs::remove_all(dossier);
}

}  // namespace
}  // namespace kindrela
