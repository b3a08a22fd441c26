#include "dates/event_calendar.h"

#include <gtest/gtest.h>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "dates/dates.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

// A person with one event of `nature` dated `date`; returns its number.
int Personne(TBD& bd, const std::string& nom, const std::string& nature, const std::string& date) {
  const int n = bd.NouvelleFiche();
  bd.EcritNom(n, nom);
  bd.EcritPrenoms(n, "Jean");
  const int e = bd.AjouteEveFiche(n);
  bd.EcritChampEve(e, 1, nature);
  bd.EcritChampEve(e, 2, date);
  return n;
}

struct CasDate {
  const char* nom;
  const char* date;
  int mois, jour;  // 0, 0: not marked
};

class CalendrierDates : public ::testing::TestWithParam<CasDate> {};

// Which dates fall in the 1950..2010 window and where.
TEST_P(CalendrierDates, MarksOnlyPlainDatesOfTheSpan) {
  const CasDate& c = GetParam();
  TBD bd;
  const int n = Personne(bd, "DUPONT", "Mariage", c.date);
  TReglagesCalendrier r;  // every kind, 1950..2010
  const TCalendrier cal = RemplirCalendrier(bd, r);
  int marques = 0;
  for (int m = 1; m <= 12; ++m)
    for (int j = 1; j <= 31; ++j) marques += static_cast<int>(cal.Case(m, j).size());
  if (c.mois == 0) {
    EXPECT_EQ(marques, 0);
    return;
  }
  EXPECT_EQ(marques, 1);
  ASSERT_EQ(cal.Case(c.mois, c.jour).size(), 1u);
  EXPECT_EQ(cal.Case(c.mois, c.jour).front(), n);
}

INSTANTIATE_TEST_SUITE_P(
    Fenetre, CalendrierDates,
    ::testing::Values(CasDate{"Plain", "5/3/1960", 3, 5}, CasDate{"FirstYear", "1/1/1950", 1, 1},
                      CasDate{"LastYear", "31/12/2010", 12, 31}, CasDate{"YearBefore", "5/3/1949", 0, 0},
                      CasDate{"YearAfter", "5/3/2011", 0, 0}, CasDate{"About", "vers 5/3/1960", 0, 0},
                      CasDate{"Before", "avant 5/3/1960", 0, 0}, CasDate{"MonthOnly", "3/1960", 0, 0},
                      CasDate{"YearOnly", "1960", 0, 0}, CasDate{"Range", "après 1/1/1960 avant 2/2/1960"_ansi, 0, 0},
                      CasDate{"LeapDay", "29/2/1960", 2, 29}, CasDate{"Empty", "", 0, 0}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(Calendrier, OriginsKindsAndBirthdays) {
  TBD bd;
  const int vivant = Personne(bd, "VIVANT", "Naissance", "5/3/1960");
  const int mort = Personne(bd, "MORT", "Naissance", "5/3/1961");
  bd.EcritDateDeces(mort, "1/1/2000");
  Personne(bd, "AUTRE", "Baptême"_ansi, "5/3/1962");
  const int u = bd.CreeUnion(vivant, mort);
  const int e = bd.AjouteEveUnion(u);
  bd.EcritChampEve(e, 1, "Mariage");
  bd.EcritChampEve(e, 2, "6/3/1980");

  TReglagesCalendrier r;
  EXPECT_EQ(RemplirCalendrier(bd, r).Case(3, 5).size(), 3u);
  r.nature = "Naissance";
  EXPECT_EQ(RemplirCalendrier(bd, r).Case(3, 5), (std::vector<int32_t>{vivant, mort}));
  r.origine = OrigineCalendrier::EnVie;
  EXPECT_EQ(RemplirCalendrier(bd, r).Case(3, 5), (std::vector<int32_t>{vivant}));
  r.origine = OrigineCalendrier::Rapport;
  const int32_t rapport[] = {mort};
  EXPECT_EQ(RemplirCalendrier(bd, r, rapport).Case(3, 5), (std::vector<int32_t>{mort}));
  // Unions mark their own events only, by union number.
  r = {};
  r.origine = OrigineCalendrier::Unions;
  const TCalendrier unions = RemplirCalendrier(bd, r);
  EXPECT_TRUE(unions.Unions());
  EXPECT_TRUE(unions.Case(3, 5).empty());
  EXPECT_EQ(unions.Case(3, 6), (std::vector<int32_t>{u}));
  // Birthday mode forces the living and their births, whatever was chosen.
  r.anniversaires = true;
  r.nature = "Mariage";
  EXPECT_EQ(RemplirCalendrier(bd, r).Case(3, 5), (std::vector<int32_t>{vivant}));
}

TEST(Calendrier, LeapDaysAndWeekEnds) {
  EXPECT_TRUE(JourExiste(29, 2, 2000));
  EXPECT_FALSE(JourExiste(29, 2, 1900));
  EXPECT_FALSE(JourExiste(29, 2, 2010));
  EXPECT_FALSE(JourExiste(31, 4, 2010));
  EXPECT_FALSE(JourExiste(30, 2, 2012));
  EXPECT_TRUE(EstWeekEnd(2, 1, 2010));   // a Saturday
  EXPECT_TRUE(EstWeekEnd(3, 1, 2010));   // a Sunday
  EXPECT_FALSE(EstWeekEnd(4, 1, 2010));  // a Monday
  EXPECT_FALSE(EstWeekEnd(31, 2, 2010)); // no such day: never coloured
}

TEST(Calendrier, CellsOfTheWindowAndBack) {
  // 12 x 31 cells in 625 x 325: 50 x 10 pixels each, borders shared.
  const TRectCase r = RectCase(2, 3, 625, 325);
  EXPECT_EQ(r.gauche, 75);
  EXPECT_EQ(r.droite, 126);
  EXPECT_EQ(r.haut, 35);
  EXPECT_EQ(r.bas, 46);
  for (int m = 1; m <= 12; ++m) {
    for (int j = 1; j <= 31; j += 5) {
      const TRectCase c = RectCase(m, j, 625, 325);
      const TCaseCalendrier p = CaseAuPoint(c.gauche + 1, c.haut + 1, 625, 325);
      EXPECT_EQ(p.mois, m);
      EXPECT_EQ(p.jour, j);
    }
  }
  EXPECT_EQ(CaseAuPoint(10, 100, 625, 325).mois, 0);  // the day numbers
  EXPECT_EQ(CaseAuPoint(100, 5, 625, 325).mois, 0);   // the month names
  EXPECT_EQ(CaseAuPoint(700, 100, 625, 325).mois, 0);
}

TEST(Calendrier, CaptionsClicksAndPage) {
  TTraduction t;
  t.ChargeTexte("fmCal.Caption;Calendrier\r\n700;Tous les événements\r\n702;Personnes ayant l'événement\r\n"
                "704;entre %s et %s, un %s %s\r\n705;le\r\n706;Anniversaires du\r\n709;personnes\r\n"
                "710;unions\r\n711;et\r\n"_ansi);
  TBD bd;
  const int a = Personne(bd, "DUPONT", "Naissance", "5/3/1960");
  const int b = Personne(bd, "MARTIN", "Naissance", "5/3/1970");
  TReglagesCalendrier r;
  const TCalendrier cal = RemplirCalendrier(bd, r);
  EXPECT_EQ(LegendeCase(bd, cal, 3, 5, t), "Calendrier : 2 personnes");
  EXPECT_EQ(LegendeCase(bd, cal, 3, 6, t), "Calendrier");

  TClicCalendrier clic = ClicCase(bd, cal, r, 3, 5, t);
  EXPECT_EQ(clic.personne, 0);
  EXPECT_EQ(clic.liste, (std::vector<int32_t>{a, b}));
  EXPECT_EQ(clic.titre, "Personnes ayant l'événement Tous les événements entre 1950 et 2010, un 5 mars"_ansi);
  r.debut = r.fin = 1960;
  const TCalendrier seul = RemplirCalendrier(bd, r);
  EXPECT_EQ(LegendeCase(bd, seul, 3, 5, t), "Calendrier : DUPONT Jean");
  EXPECT_EQ(ClicCase(bd, seul, r, 3, 5, t).personne, a);
  r.debut = 1950;
  r.anniversaires = true;
  EXPECT_EQ(ClicCase(bd, cal, r, 3, 5, t).titre, "Anniversaires du Samedi 5 mars 1960");

  // The page: three tables of four months, the age reached in the last year.
  r.fin = 2010;
  const std::string page = CalendrierHtml(bd, cal, r, "Tous", "Naissance", 3, true, ".calcase{}");
  size_t tables = 0;
  for (size_t p = page.find("<table>"); p != std::string::npos; p = page.find("<table>", p + 1)) ++tables;
  EXPECT_EQ(tables, 3u);
  EXPECT_NE(page.find("Calendrier des anniversaires"), std::string::npos);
  EXPECT_NE(page.find("DUPONT Jean (50)<br>MARTIN Jean (40)"), std::string::npos);
  EXPECT_NE(page.find("<td class=\"calmois\">Mai</td>"), std::string::npos);
  EXPECT_NE(page.find("<td class=\"calweekend\">"), std::string::npos);
}

}  // namespace
}  // namespace kindrela
