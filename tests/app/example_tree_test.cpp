// The example trees shipped with the program: what a newcomer sees first.
#include <gtest/gtest.h>

#include <set>

#include "chart/kinship.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/text.h"
#include "core/tree_file/tree_file_load.h"
#include "dates/dates.h"
#include "dates/places.h"

namespace kindrela {
namespace {

struct CasExemple {
  const char* nom;
  const char* fichier;
  const char* naissance;  // the event-kind words of that language
  const char* bapteme;
  const char* mariage;
  const char* profession;
};

class ArbreExemple : public testing::TestWithParam<CasExemple> {
 protected:
  void SetUp() override {
    const CasExemple& c = GetParam();
    bd.NatNaissance = c.naissance;
    bd.NatBapteme = c.bapteme;
    bd.NatMariage = c.mariage;
    bd.NatProfession = c.profession;
    ResultatChargement r;
    Statut s = ChargeFichierArbre(bd, std::string(KINDRELA_SOURCE_DIR) + "/data/modele/" + c.fichier, {}, r);
    ASSERT_TRUE(s.ok()) << s.message();
  }
  TBD bd;
};

TEST_P(ArbreExemple, IsAFamilyOverSixGenerations) {
  const int personnes = bd.NbreFichesUtilisees();
  EXPECT_GE(personnes, 50);
  EXPECT_LE(personnes, 150);
  ASSERT_TRUE(bd.FicheUtilisee(bd.RefPers));
  EXPECT_EQ(bd.LitChamp(bd.RefPers, 26), "1");
  // Sosa numbers of generation 6 are 64..127.
  bool sixieme = false;
  for (int n : AllPersons(bd)) {
    const std::string numero = bd.LitChamp(n, 26);
    if (numero.find('/') == std::string::npos && !numero.empty() && std::stoi(numero) >= 64) sixieme = true;
  }
  EXPECT_TRUE(sixieme);
}

TEST_P(ArbreExemple, NoOneBearsTheSameGivenNameTwice) {
  for (int n : AllPersons(bd)) {
    std::set<std::string> vus;
    for (const std::string& prenom : Decoupe(bd.LitPrenoms(n), ' '))
      EXPECT_TRUE(vus.insert(prenom).second) << bd.LitPrenoms(n);
  }
}

TEST_P(ArbreExemple, EventsArePlausibleAndPlacesCoded) {
  int baptemes = 0, professions = 0, notes = 0;
  for (int n : AllPersons(bd)) {
    const std::string naissance = bd.LitDateNaissance(n);
    ASSERT_FALSE(naissance.empty()) << n;
    if (!bd.LitEveNature(n, bd.NatBapteme, 2).empty()) ++baptemes;
    if (!bd.LitProfession(n).empty()) ++professions;
    if (!bd.LitChamp(n, 18).empty()) ++notes;
    for (int k = 1; k <= bd.NbreEveFiche(n); ++k) {
      const std::string lieu = bd.LitEveFiche(n, k, 4);
      EXPECT_EQ(LieuNormalise(lieu), lieu);
      EXPECT_EQ(lieu.rfind("FRA,", 0), 0u) << lieu;
    }
    // Parents are born before their children, and not too long before.
    for (int parent : {bd.LitPere(n), bd.LitMere(n)}) {
      if (parent == 0) continue;
      const int age = AgeEntre(bd.LitDateNaissance(parent), naissance);
      EXPECT_GE(age, 17) << n;
      EXPECT_LE(age, 50) << n;
    }
  }
  EXPECT_GT(baptemes, 50);
  EXPECT_GT(professions, 50);
  EXPECT_GT(notes, 3);
  int mariages = 0;
  for (int u = 1; u <= bd.NbreUnion(); ++u)
    if (!bd.LitEveUnionNature(u, bd.NatMariage, 2).empty()) ++mariages;
  EXPECT_GT(mariages, 20);
  EXPECT_GE(bd.NbreSrc(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Exemples, ArbreExemple,
    testing::Values(CasExemple{"French", "1/exemple/Standard.kdg", "Naissance", "Baptême"_ansi, "Mariage", "Profession"},
                    CasExemple{"English", "2/exemple/Default.kdg", "Birth", "Baptism", "Marriage", "Occupation"}),
    [](const auto& info) { return std::string(info.param.nom); });

}  // namespace
}  // namespace kindrela
