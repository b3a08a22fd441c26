#include "dates/calendar_converter.h"

#include <gtest/gtest.h>

namespace kindrela {
namespace {

TEST(ConvertisseurCalendrier, FirstDayOfTheRepublic) {
  const VuesCalendrier v = VuesDepuisGregorien("22/9/1792");
  EXPECT_EQ(v.julien, "2375839.50");
  EXPECT_EQ(v.republicain.jour, 1);
  EXPECT_EQ(v.republicain.mois, 1);
  EXPECT_EQ(v.republicain.annee, 1);
  EXPECT_EQ(v.jourSemaine, "samedi");
  // 1 Vendémiaire of year II.
  const auto an2 = VuesDepuisRepublicain(1, 1, 2);
  ASSERT_TRUE(an2);
  EXPECT_EQ(an2->gregorien, "22/9/1793");
}

TEST(ConvertisseurCalendrier, JulianDayTyped) {
  const auto v = VuesDepuisJulien(" 2375839,5 ");
  ASSERT_TRUE(v);
  EXPECT_EQ(v->gregorien, "22/9/1792");
  EXPECT_FALSE(VuesDepuisJulien("abc"));
  EXPECT_FALSE(VuesDepuisJulien(""));
  EXPECT_FALSE(VuesDepuisJulien("-5"));
}

TEST(ConvertisseurCalendrier, OutsideTheRepublicAndWithoutYear) {
  const VuesCalendrier hors = VuesDepuisGregorien("1/1/1900");
  EXPECT_EQ(hors.republicain.annee, 0);
  EXPECT_FALSE(hors.julien.empty());
  const VuesCalendrier vide = VuesDepuisGregorien("");
  EXPECT_TRUE(vide.julien.empty());
  EXPECT_FALSE(VuesDepuisRepublicain(0, 1, 2));
  EXPECT_EQ(TexteJulien(5.5), "      5.50");
}

}  // namespace
}  // namespace kindrela
