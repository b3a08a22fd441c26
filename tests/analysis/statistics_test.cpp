#include "analysis/statistics.h"

#include <gtest/gtest.h>

#include <numeric>

#include "analysis/bar_graph.h"
#include "analysis/report_grid.h"
#include "analysis/report_support.h"
#include "core/ansi_literal.h"

namespace kindrela {
namespace {

using test::ArbreRapport;
using test::F;
using test::H;
using test::I;
using test::TraductionInstallee;

TStatistique Calcule(ArbreRapport& a, int entree, TFenetre ages = kFenetreAgesDefaut,
                     TFenetre annees = kFenetreAnneesDefaut, int colonne = -1) {
  return CalculeStatistique(a.bd, TraductionInstallee(), entree, AllPersons(a.bd), ages, annees, colonne);
}

TEST(Statistique, SexSplitCountsUnknownWithWomen) {
  ArbreRapport a;
  a.Personne(H);
  a.Personne(F);
  const int inconnu = a.Personne(I);
  TStatistique s = Calcule(a, 0, kFenetreAgesDefaut, kFenetreAnneesDefaut, 1);
  EXPECT_EQ(s.valY, (std::vector<long long>{1, 2}));
  EXPECT_EQ(s.valX[1], FormateMsg(TraductionInstallee().Msg(801), {"2"}));
  EXPECT_EQ(s.collectes.Vecteur(), (std::vector<int>{2, inconnu}));
  ASSERT_EQ(s.commentaire.size(), 3u);
  EXPECT_EQ(s.commentaire[1], FormateMsg(TraductionInstallee().Msg(803), {"1", "33.33"}));
}

TEST(Statistique, AgeAtDeathWithTheDefaultWindow) {
  ArbreRapport a;
  auto mort = [&](const char* naissance, const char* deces) {
    const int p = a.Personne(H, 0, 0, naissance);
    a.bd.EcritDateDeces(p, deces);
    return p;
  };
  mort("1/1/1900", "1/1/1905");    // 5
  const int p95 = mort("1/1/1800", "1/1/1895");  // 95
  mort("1/1/1800", "2/1/1900");    // exactly 100: in no column
  a.Personne(H, 0, 0, "1900");     // alive
  TStatistique s = Calcule(a, 7, kFenetreAgesDefaut, kFenetreAnneesDefaut, 9);
  ASSERT_EQ(s.valX.size(), 10u);
  EXPECT_EQ(s.valX.front(), "0+");
  EXPECT_EQ(s.valX.back(), "90+");
  EXPECT_EQ(std::accumulate(s.valY.begin(), s.valY.end(), 0LL), 2);
  EXPECT_EQ(s.valY[0], 1);
  EXPECT_EQ(s.valY[9], 1);
  EXPECT_EQ(s.collectes.Vecteur(), (std::vector<int>{p95}));
  // T = 2 of the 4 persons; the mean is over the ages shown.
  EXPECT_EQ(s.commentaire[0], FormateMsg(TraductionInstallee().Msg(850), {"0", "100", "2", "4", "50.00"}));
  EXPECT_EQ(s.commentaire[1], FormateMsg(TraductionInstallee().Msg(851), {"50.00"}));
  // Seventeen columns: no labels.
  s = Calcule(a, 7, {0, 170, 10});
  EXPECT_EQ(s.valX.size(), 17u);
  EXPECT_EQ(s.valX[0], "");
}

TEST(Statistique, BirthYearsAndTheLastBinOfTheWindow) {
  ArbreRapport a;
  a.Personne(H, 0, 0, "5/3/2000");
  a.Personne(H, 0, 0, "1905");
  TStatistique s = Calcule(a, 13);
  ASSERT_EQ(s.valX.size(), 10u);
  EXPECT_EQ(std::accumulate(s.valY.begin(), s.valY.end(), 0LL), 1);
  s = Calcule(a, 13, kFenetreAgesDefaut, {1900, 2001, 10});
  ASSERT_EQ(s.valX.size(), 11u);
  EXPECT_EQ(s.valX.back(), "2000+");
  EXPECT_EQ(s.valY.back(), 1);
  EXPECT_EQ(s.commentaire[0], "L'année de naissance est connue pour 2 personnes sur 2 entre 1900 et 2001"_ansi);
}

TEST(Statistique, MarriageBetweenTwoPersonsOfThePopulationCountsTwice) {
  ArbreRapport a;
  const int h = a.Personne(H, 0, 0, "1870"), f = a.Personne(F, 0, 0, "1875");
  a.Union(h, f, "3/6/1900");  // a Sunday
  a.bd.EcritChampUnion(1, 4, "3/1910");
  TStatistique s = Calcule(a, 23, kFenetreAgesDefaut, kFenetreAnneesDefaut, 0);
  ASSERT_EQ(s.valX.size(), 7u);
  EXPECT_EQ(s.valX[0], "dimanche(2)");
  EXPECT_EQ(s.collectes.Vecteur(), (std::vector<int>{h, f}));
  s = Calcule(a, 27);  // divorces by month
  EXPECT_EQ(s.valY[2], 2);
  EXPECT_EQ(s.valX[2], "mar(2)");
  EXPECT_EQ(s.commentaire[1], "La répartition des divorces dans un mois varie entre 0 et 2, la moyenne étant à 0.17."_ansi);
  s = Calcule(a, 8);  // age at marriage: 30 and 25
  EXPECT_EQ(s.valY[2], 1);
  EXPECT_EQ(s.valY[3], 1);
}

TEST(Statistique, ParentsChildrenUnionsAndKnownEvents) {
  ArbreRapport a;
  const int p = a.Personne(H), m = a.Personne(F);
  a.Personne(H, p, m, "1900");
  a.Personne(F, p, 0);
  a.Personne(F, 0, m);
  a.Union(p, m);
  TStatistique s = Calcule(a, 3);
  EXPECT_EQ(s.valY, (std::vector<long long>{1, 2, 1, 1}));
  s = Calcule(a, 4);
  EXPECT_EQ(s.valY, (std::vector<long long>{3, 0, 2}));
  EXPECT_EQ(s.valX[2], "2 (2)");
  s = Calcule(a, 5);
  EXPECT_EQ(s.valY, (std::vector<long long>{3, 2}));
  s = Calcule(a, 1);
  EXPECT_EQ(s.valY, (std::vector<long long>{1, 0, 0, 0}));
  // One event of the four known for one of five persons: 5 %.
  EXPECT_EQ(s.commentaire[1], FormateMsg(TraductionInstallee().Msg(810), {"5.00"}));
}

TEST(Statistique, WindowsEntriesAndPopulations) {
  struct Cas {
    const char *min, *max, *pas;
    TFenetre attendu;
  };
  for (const Cas& c : {Cas{"2000", "1950", "10", {2000, 2001, 10}}, Cas{"0", "100", "0", {0, 100, 1}},
                       Cas{"x", "", "-3", {0, 1, 1}}, Cas{" 10 ", "20", "5", {10, 20, 5}}}) {
    const TFenetre f = CorrigeFenetre(c.min, c.max, c.pas);
    EXPECT_EQ((std::vector<int>{f.min, f.max, f.pas}), (std::vector<int>{c.attendu.min, c.attendu.max, c.attendu.pas}))
        << c.min << " " << c.max << " " << c.pas;
  }
  EXPECT_EQ(EntreeStatValide(2), 0);
  EXPECT_EQ(EntreeStatValide(29), 0);
  EXPECT_EQ(EntreeStatValide(28), 28);
  EXPECT_EQ(FenetreDe(8), FenetreStat::Ages);
  EXPECT_EQ(FenetreDe(16), FenetreStat::Annees);
  EXPECT_EQ(FenetreDe(15), FenetreStat::Aucune);
  ArbreRapport a;
  a.Personne(H, 0, 0, "1/1/1900");
  const int b = a.Personne(H, 0, 0, "2/1/1900");
  const int c = a.Personne(H, 0, 0, "31/12/1950");
  a.Personne(H, 0, 0, "1/1/1951");
  a.Personne(H);
  EXPECT_EQ(PopulationNesEntre(a.bd, 1900, 1951).Vecteur(), (std::vector<int>{b, c, 4}));
  EXPECT_EQ(PopulationNesEntre(a.bd, 1900, 1950).Vecteur(), (std::vector<int>{b}));
  EXPECT_EQ(LegendeColonneStat(7, "50+", 33), "Age au décès : 50+=33"_ansi);
}

TEST(Statistique, CancelledComputationSaysSo) {
  ArbreRapport a;
  for (int i = 0; i < 2000; ++i) a.Personne(H);
  TStatistique s = CalculeStatistique(a.bd, TraductionInstallee(), 0, AllPersons(a.bd), kFenetreAgesDefaut,
                                      kFenetreAnneesDefaut, -1, [](long long, long long) { return false; });
  EXPECT_TRUE(s.annule);
  EXPECT_TRUE(s.valY.empty());
}

// ---------------------------------------------------------------------------

TEST(Graphe, DrawingGeometry) {
  TGraphe g;
  g.valX = {"a", "b", "c", "d"};
  g.valY = {"10", "0", "x", "40"};
  g.margeX = 42;
  // W 243: pitch (243 - 42 - 1) / 4 = 50, inset round(25 * 50 / 200) = 6.
  const TDessinGraphe d = DessineGraphe(g, 10, 20, 243, 220);
  EXPECT_EQ(d.fond, (TRectangle{10, 20, 253, 240}));
  EXPECT_EQ(d.base, 20 + 220 - 20);
  EXPECT_EQ(d.axeX, 52);
  ASSERT_EQ(d.barres.size(), 2u);  // "0" and "x" give no bar
  EXPECT_EQ(d.barres[0].rect, (TRectangle{52 + 0 + 6, 220 - 50, 52 + 50 - 6 + 1, 221}));
  EXPECT_EQ(d.barres[1].colonne, 3);
  EXPECT_EQ(d.barres[1].rect.top, 20);  // the largest value reaches the top
  EXPECT_EQ(d.barres[1].couleur, CouleurPalette(3));
  // h 200 over 40: step 5 is 25 pixels; ticks 5..35.
  ASSERT_EQ(d.graduations.size(), 7u);
  EXPECT_EQ(d.graduations[0].texte, "5");
  EXPECT_EQ(d.graduations[0].y, 220 - 25);
  EXPECT_EQ(d.graduations[0].x1, 52 - 8);
  // Column width 50 >= 40: every label.
  ASSERT_EQ(d.etiquettes.size(), 4u);
  EXPECT_EQ(d.etiquettes[1].centreX, 52 + 75);
  EXPECT_EQ(d.etiquettes[1].centreY, 230);
  // A bar colour other than white is used for every bar.
  g.colorBar = Rgb(1, 2, 3);
  EXPECT_EQ(DessineGraphe(g, 0, 0, 243, 220).barres[0].couleur, Rgb(1, 2, 3));
  // Narrow columns: one label in two.
  g.valX.assign(8, "x");
  g.valY.assign(8, "1");
  EXPECT_EQ(DessineGraphe(g, 0, 0, 243, 220).etiquettes.size(), 4u);
}

TEST(Graphe, OnlyTheBackgroundWithoutValues) {
  TGraphe g;
  g.valY = {"0", "0", "0"};
  TDessinGraphe d = DessineGraphe(g, 0, 0, 150, 150);
  EXPECT_FALSE(d.axes);
  EXPECT_TRUE(d.barres.empty());
  g.valX.clear();
  g.valY = {"4"};
  EXPECT_FALSE(DessineGraphe(g, 0, 0, 150, 150).axes);
  // The sample columns of a new control, with a scale top of 10.
  TGraphe n;
  n.maxiY = 10;
  d = DessineGraphe(n, 0, 0, 150, 150);
  EXPECT_EQ(d.barres.size(), 3u);
  EXPECT_EQ(d.barres[1].rect.top, 130 - 65);
  EXPECT_FALSE(n.FixeColLarge(101));
  EXPECT_EQ(n.colLarge, 75);
  EXPECT_TRUE(n.FixeColLarge(100));
}

TEST(Graphe, HitTestUsesTheLargestValueAsTop) {
  TGraphe g;
  g.valX = {"a", "b", "c"};
  g.valY = {"3", "0", "6"};
  g.margeX = 41;
  g.maxiY = 100;  // ignored by the hit test
  // W 192: pitch 50, inset 6; h 130.
  struct Cas {
    int x, y;
    int colonne;
  };
  for (const Cas& c : {Cas{47, 129, 0}, Cas{86, 100, 0}, Cas{87, 100, -1}, Cas{46, 100, -1}, Cas{60, 64, -1},
                       Cas{60, 65, 0}, Cas{100, 120, -1}, Cas{150, 0, 2}, Cas{150, 131, 2}, Cas{150, 132, -1},
                       Cas{20, 100, -1}}) {
    long long v = -1;
    EXPECT_EQ(ColonneSous(g, 192, 150, c.x, c.y, &v), c.colonne) << c.x << "," << c.y;
    if (c.colonne >= 0) EXPECT_EQ(v, c.colonne == 0 ? 3 : 6);
  }
}

}  // namespace
}  // namespace kindrela
