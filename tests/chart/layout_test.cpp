#include "chart/layout.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "kinship_tree.h"

namespace kindrela {
namespace {

using test::F;
using test::H;

// Every case uses boxes 100 wide with one line of font height 20, gaps of
// 50 %: W = 100, H = 20, GH = 50, GV = 10, three generations on each side.
//
// The family (record numbers in brackets):
//   grandparents PP [1] and PM [2] (no parents); MM [3], M's mother;
//   P [4] = PP + PM; M [5] = mother MM only;
//   R [6] (1950) = P + M, the reference person; S [7], R's wife;
//   children of R and S: A [8] (1975), B [9] (1980), C [10] (1978);
//   AS [11], A's wife; A1 [12] (2000) and A2 [13] (2002) = A + AS;
//   Sib [14] (1948) = P + M, R's sister; SibK [15] (1970), Sib's son.
struct Famille {
  test::Arbre a;
  int PP, PM, MM, P, M, R, S, A, B, C, AS, A1, A2, Sib, SibK;
  Famille() {
    PP = a.Personne(H);
    PM = a.Personne(F);
    MM = a.Personne(F);
    P = a.Personne(H, PP, PM);
    M = a.Personne(F, 0, MM);
    R = a.Personne(H, P, M, "1950");
    S = a.Personne(F);
    A = a.Personne(H, R, S, "1975");
    B = a.Personne(F, R, S, "1980");
    C = a.Personne(H, R, S, "1978");
    AS = a.Personne(F);
    A1 = a.Personne(H, A, AS, "2000");
    A2 = a.Personne(F, A, AS, "2002");
    Sib = a.Personne(F, P, M, "1948");
    SibK = a.Personne(H, 0, Sib, "1970");
    a.Union(R, S);
    a.Union(A, AS);
  }
};

T1Aff Moitie(int style) {
  T1Aff aff;
  aff.Style = static_cast<uint8_t>(style);
  aff.LigneNbre = 1;
  aff.Lignes[0].FontHauteur = 20;
  aff.Large = 100;
  aff.EcartHorz = 50;
  aff.EcartVert = 50;
  aff.NbreGen = 3;
  return aff;
}

struct Pos {
  int personne, x, y, moitie;
  friend bool operator==(const Pos&, const Pos&) = default;
};
std::ostream& operator<<(std::ostream& o, const Pos& p) {
  return o << "{" << p.personne << " @" << p.x << "," << p.y << " h" << p.moitie << "}";
}

struct Bout {
  int x1, y1, x2, y2, forme;
  friend bool operator==(const Bout&, const Bout&) = default;
};
std::ostream& operator<<(std::ostream& o, const Bout& b) {
  return o << "{(" << b.x1 << "," << b.y1 << ")-(" << b.x2 << "," << b.y2 << ") f" << b.forme
           << "}";
}

// A build, with every position taken relative to the reference person's box,
// whose position before the move to the margins is given: the hand
// computations start from the layout's own origin.
struct Resultat {
  Arbre arbre;
  std::vector<Pos> boites;
  std::vector<Bout> liens;
};

Resultat Construit(Famille& f, int asc, int desc, int refX, int refY, OptionsArbre o = {},
                   int ref = 0) {
  T1Aff m1 = Moitie(asc), m2 = Moitie(desc);
  Resultat r;
  r.arbre = ConstruitArbre(f.a.bd, ref ? ref : f.R, m1, m2, o);
  const int iref = IndexBoitePersonne(r.arbre, ref ? ref : f.R);
  EXPECT_GE(iref, 0);
  if (iref < 0) return r;
  const int dx = r.arbre.boites[static_cast<size_t>(iref)].x - refX;
  const int dy = r.arbre.boites[static_cast<size_t>(iref)].y - refY;
  for (const BoiteArbre& b : r.arbre.boites) r.boites.push_back({b.personne, b.x - dx, b.y - dy, b.moitie});
  for (const LienArbre& l : r.arbre.liens)
    r.liens.push_back({l.x1 - dx, l.y1 - dy, l.x2 - dx, l.y2 - dy, l.forme});
  return r;
}

// --- Ancestors ---------------------------------------------------------------

TEST(LayoutAncestors, GroupedListGoesDownAndLeft) {
  Famille f;
  // L = max(W/2, W - GH/2) = 75. Each parent one line (H + GV = 30) lower,
  // at x0 - depth·GH; a link from the child's (x + 75, y + 20) to the
  // parent's right middle (px + 100, y + 10).
  //   P  (-50, 30)   link (75, 20)-(50, 40)
  //   PP (-100, 60)  link (25, 50)-(0, 70)
  //   PM (-100, 90)  link (25, 50)-(0, 100)
  //   M  (-50, 120)  link (75, 20)-(50, 130)
  //   MM (-100, 150) link (25, 140)-(0, 160)
  Resultat r = Construit(f, 1, 0, 0, 0);
  EXPECT_EQ(r.boites, (std::vector<Pos>{{f.P, -50, 30, 1}, {f.PP, -100, 60, 1}, {f.PM, -100, 90, 1},
                                        {f.M, -50, 120, 1}, {f.MM, -100, 150, 1}, {f.R, 0, 0, 1}}));
  EXPECT_EQ(r.liens, (std::vector<Bout>{{75, 20, 50, 40, 8}, {25, 50, 0, 70, 8}, {25, 50, 0, 100, 8},
                                        {75, 20, 50, 130, 8}, {25, 140, 0, 160, 8}}));
  // The far end is the parent, the near end the child.
  EXPECT_EQ(r.arbre.liens[0].loin, f.P);
  EXPECT_EQ(r.arbre.liens[0].proche, f.R);
}

TEST(LayoutAncestors, VerticalFanHalvesItsSpreadEachGeneration) {
  Famille f;
  // e = (W + GH)/4 = 37; the parents one level up at y - H - GV = -30,
  // spread d·e with d = 2^(N - depth): 8·37 = 296, then 4·37 = 148.
  //   P  (-296, -30) link (-259, -10)-(0, 10)       x1 < x2: shape 9
  //   PP (-444, -60) link (-407, -40)-(-296, -20)
  //   PM (-148, -60) link (-85, -40)-(-196, -20)    x1 > x2: shape 8
  //   M  (296, -30)  link (359, -10)-(100, 10)
  //   MM (444, -60)  link (507, -40)-(396, -20)
  Resultat r = Construit(f, 4, 0, 0, 0);
  EXPECT_EQ(r.boites, (std::vector<Pos>{{f.P, -296, -30, 1}, {f.PP, -444, -60, 1}, {f.PM, -148, -60, 1},
                                        {f.M, 296, -30, 1}, {f.MM, 444, -60, 1}, {f.R, 0, 0, 1}}));
  EXPECT_EQ(r.liens, (std::vector<Bout>{{-259, -10, 0, 10, 9}, {-407, -40, -296, -20, 9},
                                        {-85, -40, -196, -20, 8}, {359, -10, 100, 10, 8},
                                        {507, -40, 396, -20, 8}}));
}

TEST(LayoutAncestors, HorizontalFanStepsByTheGapAlone) {
  Famille f;
  // e = H/2 + GV = 20; parents at x - GH, y -/+ 2^(N - depth)·e.
  //   P  (-50, -160)  link (50, -150)-(75, 0)      y1 < y2: shape 7
  //   PP (-100, -240) link (0, -230)-(25, -160)
  //   PM (-100, -80)  link (0, -70)-(25, -140)     y1 > y2: shape 8
  //   M  (-50, 160)   link (50, 170)-(75, 20)
  //   MM (-100, 240)  link (0, 250)-(25, 180)
  Resultat r = Construit(f, 5, 0, 0, 0);
  EXPECT_EQ(r.boites, (std::vector<Pos>{{f.P, -50, -160, 1}, {f.PP, -100, -240, 1}, {f.PM, -100, -80, 1},
                                        {f.M, -50, 160, 1}, {f.MM, -100, 240, 1}, {f.R, 0, 0, 1}}));
  EXPECT_EQ(r.liens, (std::vector<Bout>{{50, -150, 75, 0, 7}, {0, -230, 25, -160, 7},
                                        {0, -70, 25, -140, 8}, {50, 170, 75, 20, 8},
                                        {0, 250, 25, 180, 8}}));
}

TEST(LayoutAncestors, CompactVerticalCentresEachChildOverItsParents) {
  Famille f;
  // R at y = (H + GV)·N = 90; running x from 0, step W + GH = 150.
  //   PP leaf at (0, 30); PM: P has a father, x += 150 -> (150, 30);
  //   P midway (75, 60). M has no father: its mother side starts at the
  //   running x (R has a father: x += 150 -> 300) without advancing:
  //   MM (300, 30), M (300, 60). R midway between 75 and 300: 187.
  // Links from the child's top centre to the parent's bottom centre:
  //   P: (125, 60)-(50, 50) shape 2, (125, 60)-(200, 50) shape 1;
  //   M: (350, 60)-(350, 50), the same x: shape 6;
  //   R: (237, 90)-(125, 80) shape 2, (237, 90)-(350, 80) shape 1.
  Resultat r = Construit(f, 2, 0, 187, 90);
  EXPECT_EQ(r.boites, (std::vector<Pos>{{f.PP, 0, 30, 1}, {f.PM, 150, 30, 1}, {f.P, 75, 60, 1},
                                        {f.MM, 300, 30, 1}, {f.M, 300, 60, 1}, {f.R, 187, 90, 1}}));
  EXPECT_EQ(r.liens, (std::vector<Bout>{{125, 60, 50, 50, 2}, {125, 60, 200, 50, 1},
                                        {350, 60, 350, 50, 6}, {237, 90, 125, 80, 2},
                                        {237, 90, 350, 80, 1}}));
  // The vertical link's rectangle is half as wide as it is tall, centred.
  const LienArbre& v = r.arbre.liens[2];
  EXPECT_EQ(v.largeur, 5);
  EXPECT_EQ(v.hauteur, 10);
  EXPECT_EQ(v.gauche - (v.x1 - 2), 0);
}

TEST(LayoutAncestors, CompactHorizontalExchangesTheAxes) {
  Famille f;
  // R at x = 300; parents at x - W - GH = 150, grandparents at 0; running
  // y from 0, step H + GV = 30.
  //   PP (0, 0), PM (0, 30), P midway (150, 15); MM (0, 60) (M has no
  //   father: no advance before it, but R's mother side advanced to 60),
  //   M (150, 60); R midway between 15 and 60: 37.
  // Links from the child's left middle to the parent's right middle:
  //   P: (150, 25)-(100, 10) shape 4, (150, 25)-(100, 40) shape 3;
  //   M: (150, 70)-(100, 70), the same y: shape 5;
  //   R: (300, 47)-(250, 25) shape 4, (300, 47)-(250, 70) shape 3.
  Resultat r = Construit(f, 3, 0, 300, 37);
  EXPECT_EQ(r.boites, (std::vector<Pos>{{f.PP, 0, 0, 1}, {f.PM, 0, 30, 1}, {f.P, 150, 15, 1},
                                        {f.MM, 0, 60, 1}, {f.M, 150, 60, 1}, {f.R, 300, 37, 1}}));
  EXPECT_EQ(r.liens, (std::vector<Bout>{{150, 25, 100, 10, 4}, {150, 25, 100, 40, 3},
                                        {150, 70, 100, 70, 5}, {300, 47, 250, 25, 4},
                                        {300, 47, 250, 70, 3}}));
}

// N = 0 draws no ancestor in any style; N = 1 the parents alone.
class LayoutGenerations : public ::testing::TestWithParam<std::tuple<int, int, int>> {};

TEST_P(LayoutGenerations, StopAtTheGenerationCount) {
  const auto [style, n, attendu] = GetParam();
  Famille f;
  T1Aff m1 = Moitie(style), m2 = Moitie(0);
  m1.NbreGen = n;
  Arbre arbre = ConstruitArbre(f.a.bd, f.R, m1, m2, {});
  EXPECT_EQ(static_cast<int>(arbre.boites.size()), attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, LayoutGenerations,
    ::testing::Values(std::make_tuple(1, 0, 1), std::make_tuple(2, 0, 1), std::make_tuple(3, 0, 1),
                      std::make_tuple(4, 0, 1), std::make_tuple(5, 0, 1), std::make_tuple(2, 1, 3),
                      std::make_tuple(5, 1, 3)),
    [](const auto& info) {
      return "Style" + std::to_string(std::get<0>(info.param)) + "Gen" +
             std::to_string(std::get<1>(info.param));
    });

// --- Descendants ---------------------------------------------------------------

TEST(LayoutDescendants, GroupedListIndentsByGeneration) {
  Famille f;
  // No ancestors: (x0, y0) = (0, 0). Running y from y0 + H1 - H = 0, one
  // line (30) per child, children by birth date (A 1975, C 1978, B 1980);
  // cx = depth·GH; h = GH (GH/2 < W/2): links from (x + 25, y + 20) to the
  // child's left middle (cx, y + 10), shape 9.
  Resultat r = Construit(f, 0, 1, 0, 0);
  EXPECT_EQ(r.boites, (std::vector<Pos>{{f.A, 50, 30, 2}, {f.A1, 100, 60, 2}, {f.A2, 100, 90, 2},
                                        {f.C, 50, 120, 2}, {f.B, 50, 150, 2}, {f.R, 0, 0, 1}}));
  EXPECT_EQ(r.liens, (std::vector<Bout>{{25, 20, 50, 40, 9}, {75, 50, 100, 70, 9},
                                        {75, 50, 100, 100, 9}, {25, 20, 50, 130, 9},
                                        {25, 20, 50, 160, 9}}));
  EXPECT_EQ(r.arbre.liens[0].loin, f.A);
  EXPECT_EQ(r.arbre.liens[0].proche, f.R);
}

TEST(LayoutDescendants, GroupedListWithSpousesPutsRsSpouseBelowUnderVerticalAncestors) {
  Famille f;
  // Compact vertical ancestors with N = 0: R alone at (0, 0). S below R at
  // (0, H1) = (0, 20); the list starts from 20: A at 50 with AS beside it
  // at (50 + W, 50); A1 80, A2 110, C 140, B 170.
  OptionsArbre o;
  o.AfficheConjoint = true;
  T1Aff m1 = Moitie(2), m2 = Moitie(1);
  m1.NbreGen = 0;
  Arbre arbre = ConstruitArbre(f.a.bd, f.R, m1, m2, o);
  std::vector<Pos> boites;
  for (const BoiteArbre& b : arbre.boites) boites.push_back({b.personne, b.x, b.y, b.moitie});
  EXPECT_EQ(boites, (std::vector<Pos>{{f.S, 0, 20, 2}, {f.A, 50, 50, 2}, {f.AS, 150, 50, 2},
                                      {f.A1, 100, 80, 2}, {f.A2, 100, 110, 2}, {f.C, 50, 140, 2},
                                      {f.B, 50, 170, 2}, {f.R, 0, 0, 1}}));
}

TEST(LayoutDescendants, GroupedListWithSpousesPutsRsSpouseBesideUnderGroupedAncestors) {
  Famille f;
  // Grouped ancestors: xd = x0 + W1 = 100 and S at (100, 0); the list is
  // indented from xd: A at 150.
  OptionsArbre o;
  o.AfficheConjoint = true;
  T1Aff m1 = Moitie(1), m2 = Moitie(1);
  m1.NbreGen = 0;
  Arbre arbre = ConstruitArbre(f.a.bd, f.R, m1, m2, o);
  ASSERT_GE(arbre.boites.size(), 2u);
  EXPECT_EQ((Pos{arbre.boites[0].personne, arbre.boites[0].x, arbre.boites[0].y, 2}),
            (Pos{f.S, 100, 0, 2}));
  EXPECT_EQ((Pos{arbre.boites[1].personne, arbre.boites[1].x, arbre.boites[1].y, 2}),
            (Pos{f.A, 150, 30, 2}));
}

TEST(LayoutDescendants, VerticalCentresParentsOverTheirDescendants) {
  Famille f;
  // Slots 150 apart; childless persons one slot each; a parent midway
  // between the first and last slot of its descendants; generations 30
  // apart. Before the shift: A1 (0, 60), A2 (150, 60), A (75, 30),
  // C (300, 30), B (450, 30), R (225, 0); all moved by -225 in x.
  // Links from the child's top centre to the parent's bottom centre.
  Resultat r = Construit(f, 0, 2, 0, 0);
  EXPECT_EQ(r.boites, (std::vector<Pos>{{f.A1, -225, 60, 2}, {f.A2, -75, 60, 2}, {f.A, -150, 30, 2},
                                        {f.C, 75, 30, 2}, {f.B, 225, 30, 2}, {f.R, 0, 0, 1}}));
  EXPECT_EQ(r.liens, (std::vector<Bout>{{-175, 60, -100, 50, 1}, {-25, 60, -100, 50, 2},
                                        {-100, 30, 50, 20, 1}, {125, 30, 50, 20, 2},
                                        {275, 30, 50, 20, 2}}));
}

TEST(LayoutDescendants, VerticalWithSpousesDoublesTheStepAndHangsChildrenBelowTheSpouse) {
  Famille f;
  // H' = 2H: generations 50 apart. AS right under A (y + H); S under R.
  // Children link to the bottom of the spouse box (parent y + 2H).
  OptionsArbre o;
  o.AfficheConjoint = true;
  Resultat r = Construit(f, 0, 2, 0, 0, o);
  EXPECT_EQ(r.boites, (std::vector<Pos>{{f.A1, -225, 100, 2}, {f.A2, -75, 100, 2}, {f.A, -150, 50, 2},
                                        {f.AS, -150, 70, 2}, {f.C, 75, 50, 2}, {f.B, 225, 50, 2},
                                        {f.S, 0, 20, 2}, {f.R, 0, 0, 1}}));
  ASSERT_EQ(r.liens.size(), 5u);
  EXPECT_EQ(r.liens[0], (Bout{-175, 100, -100, 90, 1}));  // A1 to below AS
  EXPECT_EQ(r.liens[2], (Bout{-100, 50, 50, 40, 1}));     // A to below S
}

TEST(LayoutDescendants, VerticalWithSiblingsPutsThemOnTheReferenceLevel) {
  Famille f;
  // [Sib 1948, R 1950] at depth 1; N + 1 levels. Before the shift: SibK
  // (0, 60), Sib (0, 30), A1 (150, 90), A2 (300, 90), A (225, 60),
  // C (450, 60), B (600, 60), R (375, 30). Shift: R to x0 (-375) and
  // H1 - 2H - GV = -30 in y.
  OptionsArbre o;
  o.AfficheFratrie = true;
  Resultat r = Construit(f, 0, 2, 0, 0, o);
  EXPECT_EQ(r.boites, (std::vector<Pos>{{f.SibK, -375, 30, 2}, {f.Sib, -375, 0, 2}, {f.A1, -225, 60, 2},
                                        {f.A2, -75, 60, 2}, {f.A, -150, 30, 2}, {f.C, 75, 30, 2},
                                        {f.B, 225, 30, 2}, {f.R, 0, 0, 1}}));
  // Sib joined to R side to side (a horizontal line: shape 5), then each
  // child to its parent.
  ASSERT_FALSE(r.liens.empty());
  EXPECT_EQ(r.liens[0], (Bout{-275, 10, 0, 10, 5}));
  EXPECT_EQ(r.liens[1], (Bout{-325, 30, -325, 20, 6}));  // SibK to Sib
  EXPECT_EQ(r.liens.size(), 7u);
}

TEST(LayoutDescendants, HorizontalExchangesTheAxes) {
  Famille f;
  // Slots 30 apart across (y), generations W + GH = 150 apart (x).
  // Before the shift: A1 (300, 0), A2 (300, 30), A (150, 15), C (150, 60),
  // B (150, 90), R (0, 45); y moved by -45, x by W1 - W = 0.
  // Links from the child's left middle to the parent's right middle.
  Resultat r = Construit(f, 0, 3, 0, 0);
  EXPECT_EQ(r.boites, (std::vector<Pos>{{f.A1, 300, -45, 2}, {f.A2, 300, -15, 2}, {f.A, 150, -30, 2},
                                        {f.C, 150, 15, 2}, {f.B, 150, 45, 2}, {f.R, 0, 0, 1}}));
  EXPECT_EQ(r.liens, (std::vector<Bout>{{300, -35, 250, -20, 3}, {300, -5, 250, -20, 4},
                                        {150, -20, 100, 10, 3}, {150, 25, 100, 10, 4},
                                        {150, 55, 100, 10, 4}}));
}

TEST(LayoutDescendants, HorizontalWithSpousesPutsThemToTheRight) {
  Famille f;
  OptionsArbre o;
  o.AfficheConjoint = true;
  Resultat r = Construit(f, 0, 3, 0, 0, o);
  // W' = 2W: generations 250 apart; AS at A's x + W, S at R's x + W1.
  auto pos = [&](int p) {
    for (const Pos& b : r.boites)
      if (b.personne == p) return b;
    return Pos{};
  };
  EXPECT_EQ(pos(f.A).x, 250);
  EXPECT_EQ(pos(f.AS), (Pos{f.AS, 350, pos(f.A).y, 2}));
  EXPECT_EQ(pos(f.S), (Pos{f.S, 100, 0, 2}));
  EXPECT_EQ(pos(f.A1).x, 500);
}

// --- Options and awkward trees ---------------------------------------------

TEST(LayoutOptions, CollapsedPersonsEndTheirBranch) {
  Famille f;
  f.a.bd.EcritReplie(f.A, 1);
  f.a.bd.EcritReplie(f.P, 1);
  // Vertical descendants: A takes one slot: A (0, 30), C (150, 30),
  // B (300, 30), R midway (150): shifted by -150.
  Resultat d = Construit(f, 0, 2, 0, 0);
  EXPECT_EQ(d.boites, (std::vector<Pos>{{f.A, -150, 30, 2}, {f.C, 0, 30, 2}, {f.B, 150, 30, 2},
                                        {f.R, 0, 0, 1}}));
  // Grouped ancestors: P shown, its parents not; M's side unchanged.
  Resultat a = Construit(f, 1, 0, 0, 0);
  EXPECT_EQ(a.boites, (std::vector<Pos>{{f.P, -50, 30, 1}, {f.M, -50, 60, 1}, {f.MM, -100, 90, 1},
                                        {f.R, 0, 0, 1}}));
  // The fans do not stop at collapsed persons.
  EXPECT_EQ(Construit(f, 4, 0, 0, 0).boites.size(), 6u);
}

TEST(LayoutOptions, CollapsedReferenceIsAOneBoxChart) {
  Famille f;
  f.a.bd.EcritReplie(f.R, 1);
  T1Aff m1 = Moitie(2), m2 = Moitie(2);
  Arbre arbre = ConstruitArbre(f.a.bd, f.R, m1, m2, {});
  ASSERT_EQ(arbre.boites.size(), 1u);
  EXPECT_EQ((Pos{arbre.boites[0].personne, arbre.boites[0].x, arbre.boites[0].y, arbre.boites[0].moitie}),
            (Pos{f.R, 0, 0, 1}));
  EXPECT_TRUE(arbre.liens.empty());
  EXPECT_EQ(m1.Hauteur, 20);  // sizes are stored all the same
}

TEST(LayoutOptions, BadReferenceOrDanglingLinksMakeNoBox) {
  Famille f;
  T1Aff m1 = Moitie(2), m2 = Moitie(2);
  EXPECT_TRUE(ConstruitArbre(f.a.bd, 0, m1, m2, {}).boites.empty());
  EXPECT_TRUE(ConstruitArbre(f.a.bd, 999, m1, m2, {}).boites.empty());
  // A father number beyond the table: no box, no link for him.
  const int x = f.a.Personne(H, 5000, f.M);
  Arbre arbre = ConstruitArbre(f.a.bd, x, m1, m2, {});
  for (const BoiteArbre& b : arbre.boites) EXPECT_NE(b.personne, 5000);
  for (const LienArbre& l : arbre.liens) EXPECT_NE(l.loin, 5000);
}

TEST(LayoutOptions, UncertainParentLinksAreMarked) {
  Famille f;
  f.a.bd.EcritCertP(f.R, 2);  // R's father uncertain
  f.a.bd.EcritCertM(f.C, 1);  // C's mother uncertain, C's father (R) sure
  f.a.bd.EcritCertP(f.B, 3);  // B's father (R) uncertain: a descendant link
  Resultat a = Construit(f, 1, 1, 0, 0);
  int marques = 0;
  for (const LienArbre& l : a.arbre.liens) {
    const bool attendu = (l.loin == f.P && l.proche == f.R) || (l.loin == f.B && l.proche == f.R);
    marques += l.incertain;
    EXPECT_EQ(l.incertain, attendu) << l.loin << " " << l.proche;
  }
  EXPECT_EQ(marques, 2);
}

TEST(LayoutOptions, LoopsInTheLinksStillEnd) {
  // X is Y's father and Y is X's father (and mother of Z, X's child).
  test::Arbre a;
  const int x = a.Personne(H);
  const int y = a.Personne(H, x, x);
  a.bd.EcritPere(x, y);
  a.bd.EcritMere(x, y);
  a.Personne(F, x, y);
  for (int asc = 0; asc <= 5; ++asc) {
    for (int desc = 0; desc <= 3; ++desc) {
      T1Aff m1 = Moitie(asc), m2 = Moitie(desc);
      m1.NbreGen = 999;
      m2.NbreGen = 999;
      OptionsArbre o;
      o.AfficheConjoint = true;
      o.AfficheFratrie = true;
      Arbre arbre = ConstruitArbre(a.bd, x, m1, m2, o);
      EXPECT_LT(arbre.boites.size(), 100u) << asc << "/" << desc;
      EXPECT_GE(IndexBoitePersonne(arbre, x), 0);
    }
  }
}

TEST(LayoutOptions, ChartsThatExplodeAreBoundedAndSaySo) {
  // Forty generations where each person's father and mother are the same
  // one: every line meets again, 2^40 lines in all.
  test::Arbre a;
  int haut = a.Personne(H);
  for (int g = 0; g < 40; ++g) haut = a.Personne(H, haut, haut);
  for (int style : {1, 2, 4}) {
    T1Aff m1 = Moitie(style), m2 = Moitie(0);
    m1.NbreGen = 999;
    Arbre arbre = ConstruitArbre(a.bd, haut, m1, m2, {});
    EXPECT_LE(arbre.boites.size(), static_cast<size_t>(kBoitesMax) + 1) << style;
    EXPECT_EQ(arbre.boites.back().personne, haut);
    EXPECT_TRUE(arbre.tronque) << style;
  }
  // The tidy placement table: one parent with more children than it holds.
  test::Arbre b;
  const int p = b.Personne(H);
  for (int k = 0; k < kPlacementsMax + 10; ++k) b.Personne(F, p);
  T1Aff m1 = Moitie(0), m2 = Moitie(2);
  Arbre arbre = ConstruitArbre(b.bd, p, m1, m2, {});
  EXPECT_TRUE(arbre.tronque);
  EXPECT_EQ(arbre.boites.size(), static_cast<size_t>(kPlacementsMax) + 1);
  EXPECT_EQ(arbre.boites.back().personne, p);
}

TEST(LayoutOptions, CancellingStopsTheWalksButKeepsTheReference) {
  Famille f;
  T1Aff m1 = Moitie(1), m2 = Moitie(1);
  int appels = 0;
  Arbre arbre = ConstruitArbre(f.a.bd, f.R, m1, m2, {}, {}, [&](long long, long long) {
    return ++appels < 2;
  });
  EXPECT_TRUE(arbre.annule);
  ASSERT_EQ(arbre.boites.size(), 3u);  // two before the stop, then the reference
  EXPECT_EQ(arbre.boites.back().personne, f.R);
}

// No two boxes of a chart overlap, whatever the tree: every pair of
// arrangements the arrangement dialog allows, with and without spouses and
// siblings, centred on many persons of a random tree (shared ancestors,
// half-siblings, persons of unknown sex, dangling links, freed records).
// The horizontal fan steps by the gap alone, so the parents' column reaches
// into the brothers' and sisters' column: that pair is checked without them.
struct CasPaire {
  const char* nom;
  int asc, desc;
  bool fratrie = true;
};

class LayoutNoOverlap : public ::testing::TestWithParam<CasPaire> {};

TEST_P(LayoutNoOverlap, BoxesNeverCoverEachOther) {
  const CasPaire& c = GetParam();
  test::Arbre a;
  test::ArbreAuHasard(a, 11, 400);
  for (int options = 0; options < (c.fratrie ? 4 : 2); ++options) {
    OptionsArbre o;
    o.AfficheConjoint = options & 1;
    o.AfficheFratrie = options & 2;
    for (int ref = 1; ref <= a.bd.NbreFiche(); ref += 3) {
      T1Aff m1 = Moitie(c.asc), m2 = Moitie(c.desc);
      const Arbre arbre = ConstruitArbre(a.bd, ref, m1, m2, o);
      const auto& b = arbre.boites;
      for (size_t i = 0; i < b.size(); ++i)
        for (size_t j = i + 1; j < b.size(); ++j) {
          const bool recouvre = b[i].x < b[j].x + 100 && b[j].x < b[i].x + 100 &&
                                b[i].y < b[j].y + 20 && b[j].y < b[i].y + 20;
          ASSERT_FALSE(recouvre) << "ref " << ref << " options " << options << ": boxes of "
                                 << b[i].personne << " at (" << b[i].x << "," << b[i].y << ") and "
                                 << b[j].personne << " at (" << b[j].x << "," << b[j].y << ")";
        }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, LayoutNoOverlap,
    ::testing::Values(CasPaire{"GroupedGrouped", 1, 1}, CasPaire{"CompactVerticalGrouped", 2, 1},
                      CasPaire{"CompactHorizontalGrouped", 3, 1}, CasPaire{"FanGrouped", 4, 1},
                      CasPaire{"SideFanGrouped", 5, 1}, CasPaire{"CompactVerticalVertical", 2, 2},
                      CasPaire{"FanVertical", 4, 2}, CasPaire{"NoneVertical", 0, 2},
                      CasPaire{"CompactHorizontalHorizontal", 3, 3},
                      CasPaire{"SideFanHorizontal", 5, 3, false}, CasPaire{"NoneHorizontal", 0, 3}),
    [](const auto& info) { return std::string(info.param.nom); });

// --- Sizes, extent, moves, zoom --------------------------------------------

TEST(LayoutSizes, BoxHeightFollowsLinesAndMargins) {
  T1Aff aff = Moitie(1);
  aff.LigneNbre = 2;
  aff.Lignes[0].FontHauteur = 12;
  aff.Lignes[1].FontHauteur = -14;  // a negative height counts by its size
  aff.MargeHaut = 10;
  aff.MargeBas = 10;
  EXPECT_EQ(HauteurBoite(aff), 33);  // 26·100/80 = 32.5
  EXPECT_EQ(HauteurBoite(aff, [](const TLigne&) { return 15; }), 38);  // 37.5
  aff.MargeBas = 95;                                                    // no room left
  EXPECT_EQ(HauteurBoite(aff), 2600);
  aff.LigneNbre = 0;
  EXPECT_EQ(HauteurBoite(aff), 0);
  aff.LigneNbre = 51;
  EXPECT_EQ(HauteurBoite(aff), 0);
}

TEST(LayoutSizes, GapsAreStoredBackRounded) {
  Famille f;
  T1Aff m1 = Moitie(1), m2 = Moitie(1);
  m2.Large = 75;
  m2.EcartHorz = 33;  // 24.75 -> 25
  m2.EcartVert = 13;  // 2.6 -> 3
  ConstruitArbre(f.a.bd, f.R, m1, m2, {});
  EXPECT_EQ(m2.EcartH, 25);
  EXPECT_EQ(m2.EcartV, 3);
  EXPECT_EQ(m2.Hauteur, 20);
  EXPECT_EQ(m1.EcartH, 50);
}

TEST(LayoutExtent, EmptyChartHasTheStartingRectangle) {
  Arbre vide;
  T1Aff m = Moitie(1);
  EXPECT_EQ(GetRect(vide, m, m), (RectArbre{10000, 10000, 0, 0}));
  EXPECT_EQ(CalculZoomAuto(vide, m, m, 800, 600), 100);
}

TEST(LayoutExtent, ScreenRectanglesFollowTheZoomOfEachHalf) {
  Arbre arbre;
  arbre.boites.push_back({100, 40, 1, 1, 0});
  arbre.boites.push_back({300, 200, 2, 1, 0});
  LienArbre l;
  l.x1 = 10;
  l.y1 = 10;
  l.x2 = 10;
  l.y2 = 11;
  l.moitie = 2;
  InitLien(l, 2);
  arbre.liens.push_back(l);
  T1Aff m1 = Moitie(1), m2 = Moitie(1);
  m1.Hauteur = m2.Hauteur = 20;
  m2.Zoom = 50;
  EXPECT_EQ(RectEcran(arbre.boites[0], m1, m2), (RectArbre{100, 40, 200, 60}));
  EXPECT_EQ(RectEcran(arbre.boites[1], m1, m2), (RectArbre{150, 100, 200, 110}));
  EXPECT_EQ(RectEcran(l, m1, m2), (RectArbre{5, 5, 6, 6}));  // at least 1 by 1
  EXPECT_EQ(GetRect(arbre, m1, m2), (RectArbre{5, 5, 200, 110}));
}

TEST(LayoutExtent, ChartFarFromTheOriginKeepsItsOwnEdges) {
  Arbre arbre;
  arbre.boites.push_back({20000, 30000, 1, 1, 0});
  T1Aff m = Moitie(1);
  m.Hauteur = 20;
  EXPECT_EQ(GetRect(arbre, m, m), (RectArbre{20000, 30000, 20100, 30020}));
  DecaleZero(arbre, m, m, 0, 0);
  EXPECT_EQ(arbre.boites[0].x, 0);
  EXPECT_EQ(arbre.boites[0].y, 0);
}

TEST(LayoutMoves, DecaleZeroBringsTheChartToTheMargins) {
  for (int zoom : {100, 200, 50}) {
    Famille f;
    T1Aff m1 = Moitie(2), m2 = Moitie(2);
    m1.Zoom = m2.Zoom = zoom;
    OptionsArbre o;
    o.PrintMargeG = 20;
    o.PrintMargeH = 30;
    Arbre arbre = ConstruitArbre(f.a.bd, f.R, m1, m2, o);
    const RectArbre r = GetRect(arbre, m1, m2);
    EXPECT_NEAR(r.Left, 20, 1) << zoom;
    EXPECT_NEAR(r.Top, 30, 1) << zoom;
  }
}

TEST(LayoutMoves, DecaleZeroWithZoomZeroMovesNothing) {
  Famille f;
  T1Aff m1 = Moitie(2), m2 = Moitie(2);
  Arbre arbre = ConstruitArbre(f.a.bd, f.R, m1, m2, {});
  for (BoiteArbre& b : arbre.boites) b.x += 500;
  const Arbre avant = arbre;
  m1.Zoom = 0;
  DecaleZero(arbre, m1, m2, 0, 0);
  ASSERT_EQ(arbre.boites.size(), avant.boites.size());
  for (size_t i = 0; i < arbre.boites.size(); ++i) EXPECT_EQ(arbre.boites[i].x, avant.boites[i].x);
  for (size_t i = 0; i < arbre.liens.size(); ++i) EXPECT_EQ(arbre.liens[i].gauche, avant.liens[i].gauche);
}

TEST(LayoutZoom, AutomaticZoomFitsTheAreaAndNeverEnlarges) {
  Arbre arbre;
  arbre.boites.push_back({300, 180, 1, 1, 0});  // extent (300,180)-(400,200)
  T1Aff m = Moitie(1);
  m.Hauteur = 20;
  EXPECT_EQ(CalculZoomAuto(arbre, m, m, 200, 300), 50);   // 200·100/400
  EXPECT_EQ(CalculZoomAuto(arbre, m, m, 400, 100), 50);   // 100·100/200
  EXPECT_EQ(CalculZoomAuto(arbre, m, m, 4000, 4000), 100);
  EXPECT_EQ(CalculZoomAuto(arbre, m, m, 1, 1), 1);
  EXPECT_EQ(CalculZoomAuto(arbre, m, m, 0, 100), 100);  // no area: unchanged
}

// The arrow keys: the nearest box that way, those in line first.
TEST(LayoutMoves, NeighbourBoxInEachDirection) {
  Arbre arbre;
  T1Aff m = Moitie(1);
  m.Hauteur = 20;
  //                   box 2 (200,-100)
  //  box 1 (0,0)                          box 4 (600,10)
  //           box 0 (100,100)           box 3 (400,100), person 1 again
  for (auto [x, y, p] : {std::tuple{100, 100, 1}, {0, 0, 2}, {200, -100, 3}, {400, 100, 1}, {600, 10, 4}})
    arbre.boites.push_back({x, y, 1, p, 0});
  EXPECT_EQ(BoiteVoisine(arbre, m, m, 0, Direction::Haut), 1);
  EXPECT_EQ(BoiteVoisine(arbre, m, m, 0, Direction::Droite), 2);  // box 3 is the same person
  EXPECT_EQ(BoiteVoisine(arbre, m, m, 2, Direction::Gauche), 1);
  EXPECT_EQ(BoiteVoisine(arbre, m, m, 1, Direction::Bas), 0);
  EXPECT_EQ(BoiteVoisine(arbre, m, m, 2, Direction::Haut), -1);
  // A box in the same row wins over a nearer one below it.
  EXPECT_EQ(BoiteVoisine(arbre, m, m, 1, Direction::Droite), 4);
  EXPECT_EQ(BoiteVoisine(arbre, m, m, 9, Direction::Haut), -1);
}

// --- Link shapes -----------------------------------------------------------

struct CasLien {
  const char* nom;
  int style, moitie, x1, y1, x2, y2;
  int forme, gauche, haut, largeur, hauteur;
};

class LayoutLinkShape : public ::testing::TestWithParam<CasLien> {};

TEST_P(LayoutLinkShape, FollowsTheStyleAndTheEnds) {
  const CasLien& c = GetParam();
  LienArbre l;
  l.x1 = c.x1;
  l.y1 = c.y1;
  l.x2 = c.x2;
  l.y2 = c.y2;
  l.moitie = c.moitie;
  InitLien(l, c.style);
  EXPECT_EQ(l.forme, c.forme);
  EXPECT_EQ((RectArbre{l.gauche, l.haut, l.gauche + l.largeur, l.haut + l.hauteur}),
            (RectArbre{c.gauche, c.haut, c.gauche + c.largeur, c.haut + c.hauteur}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, LayoutLinkShape,
    ::testing::Values(CasLien{"GroupedAncestors", 1, 1, 10, 0, 0, 20, 8, 0, 0, 10, 20},
                      CasLien{"GroupedDescendants", 1, 2, 0, 0, 10, 20, 9, 0, 0, 10, 20},
                      CasLien{"CompactLeftToRight", 2, 1, 0, 20, 10, 0, 1, 0, 0, 10, 20},
                      CasLien{"CompactRightToLeft", 2, 1, 10, 20, 0, 0, 2, 0, 0, 10, 20},
                      CasLien{"CompactHorizontalUp", 3, 1, 10, 0, 0, 20, 3, 0, 0, 10, 20},
                      CasLien{"CompactHorizontalDown", 3, 1, 10, 20, 0, 0, 4, 0, 0, 10, 20},
                      CasLien{"FanLeft", 4, 1, 0, 0, 10, 20, 9, 0, 0, 10, 20},
                      CasLien{"FanRight", 4, 1, 10, 0, 0, 20, 8, 0, 0, 10, 20},
                      CasLien{"SideFanUp", 5, 1, 0, 0, 10, 20, 7, 0, 0, 10, 20},
                      CasLien{"SideFanDown", 5, 1, 0, 20, 10, 0, 8, 0, 0, 10, 20},
                      CasLien{"SameX", 2, 1, 50, 0, 50, 40, 6, 40, 0, 20, 40},
                      CasLien{"SameY", 2, 1, 0, 50, 40, 50, 5, 0, 40, 40, 20},
                      CasLien{"NoStyle", 0, 1, 0, 0, 10, 20, 0, 0, 0, 10, 20}),
    [](const auto& info) { return std::string(info.param.nom); });

}  // namespace
}  // namespace kindrela
