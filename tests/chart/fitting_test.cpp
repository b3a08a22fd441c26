#include "chart/fitting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kindrela {
namespace {

// One half: boxes 100 wide and 20 high, one line of font height `police`.
T1Aff Moitie(int police, int style = kAscCompactVertical) {
  T1Aff m;
  m.Style = static_cast<uint8_t>(style);
  m.Large = 100;
  m.Hauteur = 20;
  m.LigneNbre = 1;
  m.Lignes[0].FontHauteur = police;
  return m;
}

// Two boxes of half 1 whose extent is (0, 0) to (1000, 200) at zoom 100.
Arbre Large() {
  Arbre a;
  a.boites.push_back({0, 0, 1, 1, 0});
  a.boites.push_back({900, 180, 1, 2, 0});
  return a;
}

// --- Automatic zoom ----------------------------------------------------------

struct CasZoom {
  const char* nom;
  int largeur, hauteur;  // the chart area
  int police;            // font height of the only line
  int zoomActuel;
  int attendu;
};

class FittingZoom : public ::testing::TestWithParam<CasZoom> {};

TEST_P(FittingZoom, FitsTheWholeChartButStaysReadable) {
  const CasZoom& c = GetParam();
  T1Aff m = Moitie(c.police);
  m.Zoom = c.zoomActuel;
  EXPECT_EQ(ZoomAutoLisible(Large(), m, m, c.largeur, c.hauteur), c.attendu);
}

// The area loses kMargeVue (12) on every side. A font of 20 is read down to
// 7·100/20 = 35 %.
INSTANTIATE_TEST_SUITE_P(
    Table, FittingZoom,
    ::testing::Values(CasZoom{"WidthDecides", 524, 1024, 20, 100, 50},     // 500·100/1000
                      CasZoom{"HeightDecides", 2024, 124, 20, 100, 50},    // 100·100/200
                      CasZoom{"NeverEnlarges", 3000, 3000, 20, 100, 100},
                      CasZoom{"PreciseAtASmallCurrentZoom", 524, 1024, 20, 3, 50},
                      CasZoom{"TooLargeScrollsAtTheReadableZoom", 124, 1024, 20, 100, 35},
                      CasZoom{"AStripIsNotAnAnswer", 10024, 36, 20, 100, 35},
                      CasZoom{"SmallFontsKeepFullSize", 124, 124, 5, 100, 100},
                      CasZoom{"NoAreaKeepsTheZoom", 0, 500, 20, 70, 70},
                      CasZoom{"NoAreaAndNoZoom", 500, 0, 20, 0, 100}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(FittingZoom, ReadableZoomLooksAtTheLinesThatShow) {
  T1Aff m1 = Moitie(20), m2 = Moitie(7, kDescVertical);
  Arbre a = Large();
  // Half 2 has no box: its small font does not count.
  EXPECT_EQ(ZoomLisible(a, m1, m2), 35);
  a.boites.push_back({0, 300, 2, 3, 0});
  EXPECT_EQ(ZoomLisible(a, m1, m2), 100);
  // Empty lines and pictures have no letters to read.
  m2.LigneNbre = 3;
  m2.Lignes[0].Modele = "";
  m2.Lignes[1].Modele = "@<photo>";
  m2.Lignes[2].FontHauteur = 14;
  m2.Lignes[2].Modele = "<nom>";
  EXPECT_EQ(ZoomLisible(a, m1, m2), 50);
  EXPECT_EQ(ZoomLisible(Arbre{}, m1, m2), 1);
  EXPECT_EQ(ZoomAutoLisible(Arbre{}, m1, m2, 800, 600), 100);
}

// --- Keeping a box in sight ----------------------------------------------------

struct CasDefile {
  const char* nom;
  RectArbre vue, cible, scene;
  PointArbre attendu;
};

class FittingScroll : public ::testing::TestWithParam<CasDefile> {};

TEST_P(FittingScroll, CentresOnlyWhatIsNotSeen) {
  const CasDefile& c = GetParam();
  EXPECT_EQ(DefilePourVoir(c.vue, c.cible, c.scene), c.attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FittingScroll,
    ::testing::Values(
        CasDefile{"SeenStaysPut", {100, 50, 500, 350}, {120, 60, 220, 80}, {-12, -12, 3000, 2000}, {100, 50}},
        CasDefile{"HalfSeenIsCentred", {0, 0, 400, 300}, {350, 100, 450, 120}, {-12, -12, 3000, 2000}, {200, -12}},
        CasDefile{"FarIsCentred", {0, 0, 400, 300}, {2000, 1500, 2100, 1520}, {-12, -12, 3000, 2000}, {1850, 1360}},
        CasDefile{"KeptInsideTheScene", {0, 0, 400, 300}, {2900, 1980, 3000, 2000}, {-12, -12, 3000, 2000}, {2600, 1700}},
        CasDefile{"NotBeforeTheSceneStart", {500, 500, 900, 800}, {-12, -12, 88, 8}, {-12, -12, 3000, 2000}, {-12, -12}},
        CasDefile{"SceneSmallerThanTheView", {100, 100, 500, 400}, {0, 0, 100, 20}, {-12, -12, 300, 200}, {-12, -12}}),
    [](const auto& info) { return std::string(info.param.nom); });

// --- Lines of a box ------------------------------------------------------------

TEST(FittingLines, ShareTheTextAreaInProportion) {
  EXPECT_EQ(HautsLignes({11, 10, 9}, 30), (std::vector<int>{0, 11, 21, 30}));
  EXPECT_EQ(HautsLignes({11, 10, 9}, 15), (std::vector<int>{0, 6, 11, 15}));
  // Rounding never lets the last line out of the box.
  EXPECT_EQ(HautsLignes({13, 12, 11}, 10).back(), 10);
  EXPECT_EQ(HautsLignes({0, 5}, 12), (std::vector<int>{0, 2, 12}));
  EXPECT_EQ(HautsLignes({11, 10}, 0), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(HautsLignes({}, 20), (std::vector<int>{20}));
}

struct CasTexte {
  const char* nom;
  int align, gauche, largeur, largeurTexte, attendu;
};

class FittingText : public ::testing::TestWithParam<CasTexte> {};

TEST_P(FittingText, StaysInsideItsLine) {
  const CasTexte& c = GetParam();
  EXPECT_EQ(XTexte(c.align, c.gauche, c.largeur, c.largeurTexte), c.attendu);
  EXPECT_LE(c.largeurTexte, LargeurTexte(c.largeur)) << "the case must be a text that fits";
}

INSTANTIATE_TEST_SUITE_P(
    Table, FittingText,
    ::testing::Values(CasTexte{"Left", kAlignGauche, 10, 100, 40, 12},
                      CasTexte{"Right", kAlignDroite, 10, 100, 40, 68},
                      CasTexte{"Centred", kAlignCentre, 10, 100, 40, 40},
                      CasTexte{"CentredFullWidth", kAlignCentre, 10, 100, 96, 12},
                      CasTexte{"RightFullWidth", kAlignDroite, 10, 100, 96, 12},
                      CasTexte{"TinyBox", kAlignCentre, 10, 3, 1, 11}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(FittingLines, TextWidthLeavesRoomOnBothSides) {
  EXPECT_EQ(LargeurTexte(100), 100 - 2 * kRetraitTexte);
  EXPECT_EQ(LargeurTexte(3), 1);
}

// --- The side of a collapsed branch --------------------------------------------

struct CasCote {
  const char* nom;
  int moitie;
  bool reference;
  int styleAsc, styleDesc;
  Cote attendu;
};

class FittingBranch : public ::testing::TestWithParam<CasCote> {};

TEST_P(FittingBranch, MarkGoesWhereTheBranchWouldBe) {
  const CasCote& c = GetParam();
  BoiteArbre b;
  b.moitie = c.moitie;
  EXPECT_EQ(CoteBranche(b, c.reference, Moitie(10, c.styleAsc), Moitie(10, c.styleDesc)),
            c.attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FittingBranch,
    ::testing::Values(CasCote{"CompactVertical", 1, false, kAscCompactVertical, kDescVertical, Cote::Haut},
                      CasCote{"Fan", 1, false, kAscVertical, kDescVertical, Cote::Haut},
                      CasCote{"CompactHorizontal", 1, false, kAscCompactHorizontal, kDescHorizontal, Cote::Gauche},
                      CasCote{"SideFan", 1, true, kAscHorizontal, kDescHorizontal, Cote::Gauche},
                      CasCote{"GroupedAncestors", 1, false, kAscGroupe, kDescGroupe, Cote::Bas},
                      CasCote{"Descendant", 2, false, kAscCompactVertical, kDescVertical, Cote::Bas},
                      CasCote{"DescendantHorizontal", 2, false, kAscHorizontal, kDescHorizontal, Cote::Droite},
                      CasCote{"ReferenceWithoutAncestors", 1, true, kStyleAucun, kDescHorizontal, Cote::Droite}),
    [](const auto& info) { return std::string(info.param.nom); });

// --- Pictures ------------------------------------------------------------------

TEST(FittingPicture, SizeFollowsTheResolution) {
  Arbre a;
  a.boites.push_back({0, 0, 1, 1, 0});
  T1Aff m = Moitie(10);
  m.Large = 1000;
  m.Hauteur = 200;
  m.Zoom = 37;  // the screen's zoom plays no part
  TailleImage t = CalculeTailleImage(a, m, m, kDpiEcran, 10);
  EXPECT_EQ(t.zoom, 100);
  EXPECT_EQ(t.largeur, 1020);
  EXPECT_EQ(t.hauteur, 220);
  EXPECT_FALSE(t.tropGrande);
  t = CalculeTailleImage(a, m, m, 150, 10);  // zoom 156
  EXPECT_EQ(t.zoom, 156);
  EXPECT_EQ(t.marge, 15);
  EXPECT_EQ(t.largeur, 1590);
  EXPECT_EQ(t.hauteur, 342);
  // 30 000 units wide: too large at 150 dpi, fits up to 105 dpi (zoom 109).
  m.Large = 30000;
  EXPECT_TRUE(CalculeTailleImage(a, m, m, 150, 10).tropGrande);
  EXPECT_EQ(DpiMaxImage(a, m, m, 10), 105);
  EXPECT_FALSE(CalculeTailleImage(a, m, m, 105, 10).tropGrande);
  EXPECT_TRUE(CalculeTailleImage(a, m, m, 106, 10).tropGrande);
  // The area counts as well as the sides.
  m.Large = 20000;
  m.Hauteur = 20000;
  EXPECT_TRUE(CalculeTailleImage(a, m, m, 96, 0).tropGrande);
  // No resolution makes a picture of this one.
  m.Large = 200000;
  m.Hauteur = 200;
  EXPECT_EQ(DpiMaxImage(a, m, m, 10), 0);
  m.Large = 100;
  EXPECT_EQ(DpiMaxImage(a, m, m, 10), kDpiImageMax);
}

// --- Link paths ----------------------------------------------------------------

struct CasTrace {
  const char* nom;
  int forme;
  bool brise;
  std::vector<PointArbre> attendu;
};

class FittingLinkPath : public ::testing::TestWithParam<CasTrace> {};

// A 40 x 20 rectangle at (10, 100): the path runs through its corners and
// middles exactly, whatever the pen.
TEST_P(FittingLinkPath, RunsThroughTheEndPoints) {
  const CasTrace& c = GetParam();
  LienArbre l;
  l.gauche = 10;
  l.haut = 100;
  l.largeur = 40;
  l.hauteur = 20;
  l.forme = c.forme;
  EXPECT_EQ(TraceLien(l, c.brise), c.attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FittingLinkPath,
    ::testing::Values(
        CasTrace{"Straight1", 1, false, {{10, 120}, {50, 100}}},
        CasTrace{"Broken1", 1, true, {{10, 120}, {10, 110}, {50, 110}, {50, 100}}},
        CasTrace{"Broken2", 2, true, {{10, 100}, {10, 110}, {50, 110}, {50, 120}}},
        CasTrace{"Broken3", 3, true, {{10, 120}, {30, 120}, {30, 100}, {50, 100}}},
        CasTrace{"Broken4", 4, true, {{10, 100}, {30, 100}, {30, 120}, {50, 120}}},
        CasTrace{"Horizontal5", 5, true, {{10, 110}, {50, 110}}},
        CasTrace{"Vertical6", 6, true, {{30, 100}, {30, 120}}},
        CasTrace{"Broken7", 7, true, {{10, 100}, {50, 100}, {50, 120}}},
        CasTrace{"Broken8", 8, true, {{50, 100}, {50, 120}, {10, 120}}},
        CasTrace{"Straight9", 9, false, {{10, 100}, {50, 120}}},
        CasTrace{"Unknown", 0, true, {}}),
    [](const auto& info) { return std::string(info.param.nom); });

// A child's two parents in the compact arrangement: both links leave the
// child's top centre at the same point and share their way up to the
// middle, so they are drawn as one line.
TEST(FittingLinkPath, AChildsTwoParentLinksShareTheirStem) {
  LienArbre pere, mere;
  pere.x1 = mere.x1 = 150;  // the child's top centre
  pere.y1 = mere.y1 = 60;
  pere.x2 = 50;             // the father's bottom centre
  mere.x2 = 250;            // the mother's
  pere.y2 = mere.y2 = 20;
  InitLien(pere, kAscCompactVertical);
  InitLien(mere, kAscCompactVertical);
  const std::vector<PointArbre> p = TraceLien(pere, true), m = TraceLien(mere, true);
  ASSERT_EQ(p.size(), 4u);
  ASSERT_EQ(m.size(), 4u);
  EXPECT_EQ(p[3], m[0]);  // both at the child
  EXPECT_EQ(p[2], m[1]);  // and at the same height in the middle
  EXPECT_EQ(p[3], (PointArbre{150, 60}));
}

}  // namespace
}  // namespace kindrela
