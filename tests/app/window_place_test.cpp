#include "app/window_place.h"

#include <ostream>

#include <gtest/gtest.h>

namespace kindrela {

std::ostream& operator<<(std::ostream& os, const TRect& r) {
  return os << "{left " << r.left << ", top " << r.top << ", width " << r.width << ", height "
            << r.height << "}";
}

namespace {

struct CasPlace {
  const char* nom;
  TRect zone;
  TTaille actuelle;
  int left, top, height, width;
  TRect attendu;
};

class PlaceFenetreTest : public testing::TestWithParam<CasPlace> {};

TEST_P(PlaceFenetreTest, GivesTheExpectedBounds) {
  const CasPlace& c = GetParam();
  EXPECT_EQ(PlaceFenetre(c.actuelle, c.left, c.top, c.height, c.width, c.zone), c.attendu);
}

constexpr TRect kEcran{0, 0, 1024, 768};
constexpr TRect kDecale{100, 50, 800, 600};  // right 900, bottom 650

INSTANTIATE_TEST_SUITE_P(
    PlaceFenetre, PlaceFenetreTest,
    testing::Values(
        CasPlace{"AllZeroCentresEvenSizes", kEcran, {300, 200}, 0, 0, 0, 0, {362, 284, 300, 200}},
        CasPlace{"AllZeroCentresOddSizesRoundingDown", {0, 0, 1023, 767}, {300, 201}, 0, 0, 0, 0,
                 {361, 283, 300, 201}},
        // (1000 - 1101) / 2 is -50 toward zero, not -51.
        CasPlace{"AllZeroWindowLargerThanZoneRoundsTowardZero", {0, 0, 1000, 700}, {1101, 901},
                 0, 0, 0, 0, {-50, -100, 1101, 901}},
        CasPlace{"AllZeroCentresInZoneNotAtOrigin", kDecale, {301, 201}, 0, 0, 0, 0,
                 {349, 249, 301, 201}},
        CasPlace{"OnlyLeftAndTopZeroIsNotCentred", kEcran, {300, 200}, 0, 10, 0, 0,
                 {0, 10, 300, 200}},
        CasPlace{"InsideStaysWithCurrentSize", kEcran, {300, 200}, 100, 50, 0, 0,
                 {100, 50, 300, 200}},
        CasPlace{"PositiveSizeReplacesCurrent", kEcran, {300, 200}, 10, 20, 250, 400,
                 {10, 20, 400, 250}},
        CasPlace{"NegativeSizeKeepsCurrent", kEcran, {300, 200}, 10, 20, -5, -7,
                 {10, 20, 300, 200}},
        CasPlace{"RightAndBottomEdgesPulledBack", kEcran, {300, 200}, 900, 700, 0, 0,
                 {724, 568, 300, 200}},
        CasPlace{"EdgesExactlyOnZoneStay", kEcran, {300, 200}, 724, 568, 0, 0,
                 {724, 568, 300, 200}},
        CasPlace{"PulledBackWithNewSize", kEcran, {300, 200}, 700, 600, 300, 500,
                 {524, 468, 500, 300}},
        CasPlace{"NegativePositionClampedToZone", kEcran, {300, 200}, -50, -20, 0, 0,
                 {0, 0, 300, 200}},
        CasPlace{"LargerThanZoneAlignsWithLeftTop", kEcran, {300, 200}, 100, 100, 1000, 2000,
                 {0, 0, 2000, 1000}},
        CasPlace{"LargerThanOffsetZoneAlignsWithItsLeftTop", kDecale, {300, 200}, 500, 400, 700,
                 900, {100, 50, 900, 700}},
        CasPlace{"OffsetZonePullsBackToItsEdges", kDecale, {300, 200}, 800, 600, 0, 0,
                 {600, 450, 300, 200}},
        CasPlace{"OffsetZoneRaisesPositionToItsLeftTop", kDecale, {300, 200}, 10, 20, 0, 0,
                 {100, 50, 300, 200}},
        CasPlace{"ZoneLeftOfOriginAcceptsNegativePosition", {-1280, 0, 1280, 1024}, {300, 200},
                 -1000, 5, 0, 0, {-1000, 5, 300, 200}},
        CasPlace{"FarOffScreenToTheLeftComesBack", {-1280, 0, 1280, 1024}, {300, 200}, -5000, 5,
                 0, 0, {-1280, 5, 300, 200}}),
    [](const testing::TestParamInfo<CasPlace>& info) { return std::string(info.param.nom); });

struct CasPrincipale {
  const char* nom;
  int left, top, width, height;
  TRect zone;
  TRect attendu;
};

class RectFenetrePrincipaleTest : public testing::TestWithParam<CasPrincipale> {};

TEST_P(RectFenetrePrincipaleTest, FollowsTheSavedKeys) {
  const CasPrincipale& c = GetParam();
  EXPECT_EQ(RectFenetrePrincipale(c.left, c.top, c.width, c.height, c.zone), c.attendu);
}

constexpr TRect kBureau{0, 0, 1280, 984};          // task bar at the bottom
constexpr TRect kBureauBarreHaut{0, 40, 1280, 984};  // task bar at the top

INSTANTIATE_TEST_SUITE_P(
    RectFenetrePrincipale, RectFenetrePrincipaleTest,
    testing::Values(
        CasPrincipale{"NeverSavedFillsWorkArea", -999, 20, 600, 400, kBureau, kBureau},
        CasPrincipale{"NeverSavedFollowsWorkAreaOffset", -999, 0, 0, 0, kBureauBarreHaut,
                      kBureauBarreHaut},
        CasPrincipale{"SavedBoundsKept", 30, 40, 800, 600, kBureau, {30, 40, 800, 600}},
        CasPrincipale{"TooSmallRaisedToMinimum", 30, 40, 100, 50, kBureau, {30, 40, 400, 300}},
        CasPrincipale{"MinimumExactlyKept", 0, 0, 400, 300, kBureau, {0, 0, 400, 300}},
        CasPrincipale{"WidthAndHeightRaisedSeparately", 10, 10, 399, 301, kBureau,
                      {10, 10, 400, 301}},
        CasPrincipale{"NegativeSizeRaisedToMinimum", 10, 10, -600, -400, kBureau,
                      {10, 10, 400, 300}},
        CasPrincipale{"SavedPositionOffScreenNotMoved", -30, 2000, 800, 600, kBureau,
                      {-30, 2000, 800, 600}},
        CasPrincipale{"OtherNegativeLeftIsAPosition", -998, 20, 600, 400, kBureau,
                      {-998, 20, 600, 400}}),
    [](const testing::TestParamInfo<CasPrincipale>& info) { return std::string(info.param.nom); });

struct CasAccessible {
  const char* nom;
  TRect interieur;
  TRect attendu;
};

class InterieurAccessibleTest : public testing::TestWithParam<CasAccessible> {};

// With a 24-pixel title bar and 4-pixel borders on a 1280 x 800 screen.
TEST_P(InterieurAccessibleTest, KeepsTheTitleBarWithinReach) {
  const CasAccessible& c = GetParam();
  EXPECT_EQ(InterieurAccessible(c.interieur, {0, 0, 1280, 800}, {4, 24, 4, 4}), c.attendu);
}

INSTANTIATE_TEST_SUITE_P(
    InterieurAccessible, InterieurAccessibleTest,
    testing::Values(
        CasAccessible{"InsideUntouched", {100, 100, 800, 600}, {100, 100, 800, 600}},
        CasAccessible{"WholeScreenShrinksInsideTheFrame", {0, 0, 1280, 800}, {4, 24, 1272, 772}},
        CasAccessible{"TitleBarAboveTheScreenComesDown", {300, 10, 600, 400}, {300, 24, 600, 400}},
        CasAccessible{"MayReachPastTheRightEdge", {1000, 100, 600, 400}, {1000, 100, 600, 400}},
        CasAccessible{"FarPastTheRightEdgeComesBack", {5000, 100, 600, 400}, {1180, 100, 600, 400}},
        CasAccessible{"FarBelowComesBack", {100, 3000, 600, 400}, {100, 795, 600, 400}}),
    [](const testing::TestParamInfo<CasAccessible>& info) { return std::string(info.param.nom); });

}  // namespace
}  // namespace kindrela
