#include "chart/pages.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kindrela {
namespace {

ReglagesPage Imprimante(int largeur, int hauteur, int zoom = 100, int croise = 0) {
  ReglagesPage r;
  r.imprimante = true;
  r.largeurPage = largeur;
  r.hauteurPage = hauteur;
  r.PrintZoom = zoom;
  r.PrintCroise = croise;
  return r;
}

// The grid walked page by page, testing every object's corners against each
// page: the plain reading of the rule, to check the indexed one against.
std::vector<RectArbre> PagesParBalayage(const ReglagesPage& r, int largeur, int hauteur,
                                        const std::vector<RectArbre>& objets) {
  std::vector<RectArbre> pages;
  const long long z = r.PrintZoom;
  const long long croise = static_cast<long long>(r.largeurPage) * r.PrintCroise / 100;
  const long long pw = r.largeurPage * 100LL / z, ph = r.hauteurPage * 100LL / z;
  const long long sx = (r.largeurPage - croise) * 100 / z, sy = (r.hauteurPage - croise) * 100 / z;
  auto dedans = [](long long x, long long y, long long l, long long t, long long rr, long long b) {
    return x >= l && x <= rr && y >= t && y <= b;
  };
  for (long long y = 0; y < hauteur; y += sy)
    for (long long x = 0; x < largeur; x += sx) {
      bool compte = false;
      for (const RectArbre& o : objets)
        for (auto [cx, cy] : {std::pair{o.Left, o.Top}, std::pair{o.Right, o.Top},
                              std::pair{o.Left, o.Bottom}, std::pair{o.Right, o.Bottom}})
          compte = compte || dedans(cx, cy, x, y, x + pw, y + ph);
      if (compte)
        pages.push_back({static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(x + pw),
                         static_cast<int32_t>(y + ph)});
    }
  return pages;
}

TEST(Pages, OnlyPagesHoldingACornerCountInRowOrder) {
  // Pages 1000 x 1500 at 100 %: a 3 x 2 grid over a 2500 x 2000 control.
  const std::vector<RectArbre> objets{{1500, 1600, 1600, 1700}, {100, 100, 200, 150}};
  GrillePages g(Imprimante(1000, 1500), 2500, 2000, objets);
  ASSERT_EQ(g.NbrePages(), 2);
  EXPECT_EQ(g.GetCoord(1), (RectArbre{0, 0, 1000, 1500}));
  EXPECT_EQ(g.GetCoord(2), (RectArbre{1000, 1500, 2000, 3000}));
  EXPECT_EQ(g.GetPrintCoord(2), (RectArbre{1000, 1500, 2000, 3000}));
  EXPECT_EQ(g.Pages()[1].colonne, 1);
  EXPECT_EQ(g.Pages()[1].ligne, 1);
}

TEST(Pages, ZoomAndOverlapScaleTheGrid) {
  // 200 %: pages of 500 x 750 on screen. 10 % overlap of the width (100
  // printer pixels) in both directions: steps 450 x 700 on screen, 900 x
  // 1400 on paper.
  GrillePages g(Imprimante(1000, 1500, 200, 10), 1000, 1000, {{460, 10, 470, 20}});
  EXPECT_EQ(g.pw(), 500);
  EXPECT_EQ(g.ph(), 750);
  EXPECT_EQ(g.sx(), 450);
  EXPECT_EQ(g.sy(), 700);
  // x = 460..470 lies in column 0 (0..500) and column 1 (450..950).
  ASSERT_EQ(g.NbrePages(), 2);
  EXPECT_EQ(g.GetCoord(2), (RectArbre{450, 0, 950, 750}));
  EXPECT_EQ(g.GetPrintCoord(2), (RectArbre{900, 0, 1800, 1400}));
}

TEST(Pages, NoGridWithoutPrinterOrZoom) {
  const std::vector<RectArbre> objets{{10, 10, 20, 20}};
  ReglagesPage sans = Imprimante(1000, 1500);
  sans.imprimante = false;
  EXPECT_EQ(GrillePages(sans, 2000, 2000, objets).NbrePages(), 0);
  EXPECT_EQ(GrillePages(Imprimante(1000, 1500, 0), 2000, 2000, objets).NbrePages(), 0);
  // Steps of 1 pixel or less: no grid either.
  EXPECT_EQ(GrillePages(Imprimante(1, 1), 2000, 2000, objets).NbrePages(), 0);
  GrillePages g(Imprimante(1000, 1500), 2000, 2000, objets);
  EXPECT_EQ(g.GetCoord(0), RectArbre{});
  EXPECT_EQ(g.GetCoord(2), RectArbre{});
  EXPECT_EQ(g.GetPrintCoord(-1), RectArbre{});
}

struct CasGrille {
  const char* nom;
  int largeur, hauteur, zoom, croise;
};

class PagesAgainstAFullWalk : public ::testing::TestWithParam<CasGrille> {};

TEST_P(PagesAgainstAFullWalk, FindTheSamePages) {
  const CasGrille& c = GetParam();
  std::mt19937 gen(7);
  std::vector<RectArbre> objets;
  // Some corners fall on page edges (multiples of the steps) and some
  // beyond the control.
  for (int i = 0; i < 300; ++i) {
    int x = static_cast<int>(gen() % 6000) - 200, y = static_cast<int>(gen() % 5000) - 200;
    if (i % 10 == 0) x = x / 1000 * 1000;
    objets.push_back({x, y, x + 1 + static_cast<int>(gen() % 150), y + 1 + static_cast<int>(gen() % 60)});
  }
  const ReglagesPage r = Imprimante(c.largeur, c.hauteur, c.zoom, c.croise);
  GrillePages g(r, 5500, 4600, objets);
  const std::vector<RectArbre> attendu = PagesParBalayage(r, 5500, 4600, objets);
  ASSERT_EQ(g.NbrePages(), static_cast<int>(attendu.size()));
  for (int n = 1; n <= g.NbrePages(); ++n) EXPECT_EQ(g.GetCoord(n), attendu[static_cast<size_t>(n - 1)]);
}

INSTANTIATE_TEST_SUITE_P(Table, PagesAgainstAFullWalk,
                         ::testing::Values(CasGrille{"Plain", 1000, 1400, 100, 0},
                                           CasGrille{"Enlarged", 1000, 1400, 250, 0},
                                           CasGrille{"Reduced", 3000, 4200, 30, 0},
                                           CasGrille{"Overlap", 1000, 1400, 100, 25},
                                           CasGrille{"WideOverlap", 700, 900, 180, 49},
                                           CasGrille{"Odd", 997, 1301, 73, 13}),
                         [](const auto& info) { return std::string(info.param.nom); });

TEST(PagesZoom, OnePageZoomRoundsDownToTens) {
  const ReglagesPage r = Imprimante(1000, 1500, 70);
  EXPECT_EQ(CalculZoomImpression(r, {0, 0, 2500, 1000}), 40);   // 40 across, 150 down
  EXPECT_EQ(CalculZoomImpression(r, {0, 0, 3000, 1000}), 30);   // 33 -> 30
  EXPECT_EQ(CalculZoomImpression(r, {0, 0, 500, 5000}), 30);    // 200 across, 30 down
  EXPECT_EQ(CalculZoomImpression(r, {0, 0, 20000, 100}), 5);    // below 10: kept
  EXPECT_EQ(CalculZoomImpression(r, {0, 0, 500000, 100}), 1);
  EXPECT_EQ(CalculZoomImpression(r, {10000, 10000, 0, 0}), 70);  // empty chart
  ReglagesPage sans = r;
  sans.imprimante = false;
  EXPECT_EQ(CalculZoomImpression(sans, {0, 0, 2500, 1000}), 70);
}

TEST(PagesPrint, ObjectsArePlacedOnTheirPage) {
  // b = 200 · 100: a box at logical (1200, 50), 100 x 20, on the page
  // starting at printer x 2000: (2400 - 2000, 100) size 200 x 40.
  EXPECT_EQ(RectImpression(1200, 50, 100, 20, 100, 200, {2000, 0, 3000, 1500}),
            (RectArbre{400, 100, 600, 140}));
  // Half zoom 50 at print zoom 100: half scale.
  EXPECT_EQ(RectImpression(1000, 0, 100, 20, 50, 100, {}), (RectArbre{500, 0, 550, 10}));
  // Huge values stay within 32 bits.
  EXPECT_EQ(RectImpression(2000000000, 0, 10, 10, 1000, 1000, {}).Left, 2147483647);
}

}  // namespace
}  // namespace kindrela
