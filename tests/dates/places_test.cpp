#include "dates/places.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/ansi_literal.h"
#include "core/database.h"

namespace kindrela {
namespace {

struct CasLieu {
  const char* nom;
  std::string entree;
  std::string attendu;
};

void PrintTo(const CasLieu& c, std::ostream* os) { *os << '"' << c.entree << '"'; }

auto NomCasLieu = [](const auto& info) { return std::string(info.param.nom); };

// --- splitting ------------------------------------------------------------

TEST(DecoupeLieu, TrimsFieldsAndFillsMissingOnes) {
  EXPECT_EQ(DecoupeLieu("a, b ,c"), (ChampsLieu{"a", "b", "c", "", "", ""}));
  EXPECT_EQ(DecoupeLieu(""), (ChampsLieu{}));
  EXPECT_EQ(DecoupeLieu(" ,\t,x"), (ChampsLieu{"", "", "x", "", "", ""}));
}

TEST(DecoupeLieu, DropsFieldsBeyondTheSixth) {
  EXPECT_EQ(DecoupeLieu("1,2,3,4,5,6,7,8"), (ChampsLieu{"1", "2", "3", "4", "5", "6"}));
  EXPECT_EQ(DecoupeLieu("1,2,3,4,5,"), (ChampsLieu{"1", "2", "3", "4", "5", ""}));
}

TEST(JoinLieu, WritesNoTrailingComma) {
  EXPECT_EQ(JoinLieu({"F", "", "75", "", "", ""}), "F,,75");
  EXPECT_EQ(JoinLieu({"", "", "", "Paris", "", ""}), ",,,Paris");
  EXPECT_EQ(JoinLieu({}), "");
}

// --- regions and normalisation --------------------------------------------

TEST(RegionDepartement, CoversTheTableAndNothingElse) {
  EXPECT_EQ(RegionDepartement(75), "IDF");
  EXPECT_EQ(RegionDepartement(1), "RAL");
  EXPECT_EQ(RegionDepartement(20), "COR");
  EXPECT_EQ(RegionDepartement(95), "IDF");
  for (int n : {0, -1, 96, 97, 100, 1000}) EXPECT_EQ(RegionDepartement(n), "") << n;
  // Every number from 1 to 95 belongs to exactly one region.
  for (int n = 1; n <= 95; ++n) EXPECT_EQ(RegionDepartement(n).size(), 3u) << n;
}

class LieuNormaliseCas : public testing::TestWithParam<CasLieu> {};

TEST_P(LieuNormaliseCas, GivesTheCodedShape) {
  EXPECT_EQ(LieuNormalise(GetParam().entree), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Formes, LieuNormaliseCas,
    testing::Values(
        CasLieu{"Departement", "F,75,Paris", "FRA,IDF,F75,Paris"},
        CasLieu{"RegionVide", "F,,75,Paris", "FRA,IDF,F75,Paris"},
        CasLieu{"CodePostal", "F,75001,Paris", "FRA,IDF,F75,001 Paris"},
        CasLieu{"DepartementSeul", "F,75", "FRA,IDF,F75"},
        CasLieu{"ZeroDevant", "F,05,Gap", "FRA,PCA,F05,Gap"},
        CasLieu{"HorsTable", "F,97,X", "FRA,,F97,X"},
        CasLieu{"Minuscule", "f,13,Marseille", "FRA,PCA,F13,Marseille"},
        CasLieu{"ChampsSuivantsGardes", "F,29,Brest,Recouvrance", "FRA,BRE,F29,Brest,Recouvrance"},
        CasLieu{"CommuneCourteAvantLieuDit", "F,51,Ay,Bisseuil", "FRA,CHA,F51,Ay,Bisseuil"},
        CasLieu{"UnChiffre", "F,1,X", "F,1,X"},
        CasLieu{"Corse", "F,2A,Ajaccio", "F,2A,Ajaccio"},
        CasLieu{"PaysEnToutesLettres", "France,75,Paris", "France,75,Paris"},
        CasLieu{"DejaNormalise", "FRA,IDF,F75,Paris", "FRA,IDF,F75,Paris"},
        CasLieu{"DepartementNul", "F,00,X", "F,00,X"},
        CasLieu{"RegionVideDepartementNul", "F,,00,X", "F,,00,X"},
        CasLieu{"TroisChiffres", "F,750,Paris", "F,750,Paris"},
        CasLieu{"CodeNonNumerique", "F,75ab1,Paris", "F,75ab1,Paris"},
        CasLieu{"CodeSansCommune", "F,75001", "F,75001"},
        CasLieu{"Vide", "", ""}, CasLieu{"UneLettre", "F", "F"}),
    NomCasLieu);

TEST(LieuDepuisDepartement, OnlyTwoDigitsWithAPositiveValue) {
  EXPECT_EQ(LieuDepuisDepartement("75"), "FRA,IDF,F75");
  EXPECT_EQ(LieuDepuisDepartement("05"), "FRA,PCA,F05");
  EXPECT_EQ(LieuDepuisDepartement("97"), "FRA,,F97");
  for (const char* s : {"7", "7a", "a7", "00", "075", "", " 7", "-7"})
    EXPECT_FALSE(LieuDepuisDepartement(s)) << s;
}

// --- conversion ------------------------------------------------------------

OptionsConversionLieux Options(std::array<int, 6> colonnes, bool normaliser = true,
                               bool france = true) {
  OptionsConversionLieux o;
  o.colonnes = colonnes;
  o.normaliser = normaliser;
  o.franceParDefaut = france;
  return o;
}

TEST(ConvertitLieu, MovesFieldsByTheColumnNumbers) {
  // Old texts hold country, department, commune: the department goes to
  // field 3, the commune to field 4; the empty field 4 lands on the region.
  const auto o = Options({1, 4, 2, 3, 5, 6});
  EXPECT_EQ(ConvertitLieu("F,75,Paris", o), "FRA,IDF,F75,Paris");
  EXPECT_EQ(ConvertitLieu("France,13001,Marseille", o), "FRA,PCA,F13,001 Marseille");
  EXPECT_EQ(ConvertitLieu("F,75,Paris", Options({1, 4, 2, 3, 5, 6}, false)), "F,,75,Paris");
  // Numbers out of 1..6 read field 1.
  EXPECT_EQ(ConvertitLieu("a,b", Options({9, 0, 2, 2, 2, 2}, false, false)), "a,a,b,b,b,b");
}

TEST(ConvertitLieu, CountryRule) {
  const auto identite = Options({1, 2, 3, 4, 5, 6});
  EXPECT_EQ(ConvertitLieu(",,75,Paris", identite), "FRA,IDF,F75,Paris");
  EXPECT_EQ(ConvertitLieu(",,75,Paris", Options({1, 2, 3, 4, 5, 6}, true, false)), ",,75,Paris");
  EXPECT_EQ(ConvertitLieu(",,,Paris", Options({1, 2, 3, 4, 5, 6}, false, true)), "F,,,Paris");
  EXPECT_EQ(ConvertitLieu("fRaNcE,,75,Paris", identite), "FRA,IDF,F75,Paris");
  EXPECT_EQ(ConvertitLieu("Allemagne,,,Berlin", identite), "Allemagne,,,Berlin");
  EXPECT_EQ(ConvertitLieu("", identite), "");
  // A region with no department to regenerate it from is kept.
  EXPECT_EQ(ConvertitLieu("F,Bretagne,,Rennes", identite), "F,Bretagne,,Rennes");
  EXPECT_EQ(ConvertitLieu("FRA,ALS", identite), "FRA,ALS");
  EXPECT_EQ(ConvertitLieu("F,Bretagne,35,Rennes", identite), "FRA,BRE,F35,Rennes");
  EXPECT_EQ(ConvertitLieu("F,75,,Paris", identite), "F,75,,Paris");
  // Without normalisation the region and the country word stay.
  EXPECT_EQ(ConvertitLieu("France,IDF,75", Options({1, 2, 3, 4, 5, 6}, false)), "France,IDF,75");
}

TEST(ConvertitLieu, UndoesAnEarlierNormalisation) {
  const auto identite = Options({1, 2, 3, 4, 5, 6});
  for (const char* s : {"FRA,IDF,F75,Paris", "FRA,IDF,F75,001 Paris", "FRA,,F97,110 Basse-Terre",
                        "FRA,BRE,F29,Brest,Recouvrance,Autre"})
    EXPECT_EQ(ConvertitLieu(s, identite), s);
  EXPECT_EQ(ConvertitLieu("FRA,IDF,F75,Paris", Options({1, 2, 3, 4, 5, 6}, false)),
            "F,IDF,75,Paris");
}

class ConversionArbre : public testing::Test {
 protected:
  void Lieux(const std::vector<std::string>& lieux) {
    int e = 0;
    for (const auto& l : lieux) {
      TEve eve;
      eve.Utilise = 1;
      eve.Lieu = l;
      ASSERT_TRUE(bd.PlaceEve(++e, eve));
    }
  }
  std::vector<std::string> Lieux() const {
    std::vector<std::string> v;
    for (int e = 1; e <= bd.NbreEve(); ++e) v.push_back(bd.Eve(e).Lieu.str());
    return v;
  }
  TBD bd;
};

TEST_F(ConversionArbre, TwiceGivesTheSameTexts) {
  Lieux({"F,,75001,Paris", "France,,13,Marseille", ",,29,Brest", "Allemagne,,,Berlin", "",
         "F,,2A,Ajaccio", "FRA,IDF,F92,Sceaux"});
  const auto o = Options({1, 2, 3, 4, 5, 6});
  auto r = ConvertitLieux(bd, o);
  EXPECT_FALSE(r.annule);
  const std::vector<std::string> une = Lieux();
  EXPECT_EQ(une, (std::vector<std::string>{"FRA,IDF,F75,001 Paris", "FRA,PCA,F13,Marseille",
                                           "FRA,BRE,F29,Brest", "Allemagne,,,Berlin", "",
                                           "F,,2A,Ajaccio", "FRA,IDF,F92,Sceaux"}));
  EXPECT_EQ(r.nbreModifies, 3);
  EXPECT_EQ(bd.BaseModifiee, 1);
  bd.BaseModifiee = 0;
  r = ConvertitLieux(bd, o);
  EXPECT_EQ(Lieux(), une);
  EXPECT_EQ(r.nbreModifies, 0);
  EXPECT_EQ(bd.BaseModifiee, 0);
}

TEST_F(ConversionArbre, ProgressEveryFiftyEventsAndCancel) {
  Lieux(std::vector<std::string>(120, "F,,75,Paris"));
  std::vector<long long> appels;
  auto r = ConvertitLieux(bd, Options({1, 2, 3, 4, 5, 6}), [&](long long fait, long long total) {
    EXPECT_EQ(total, 120);
    appels.push_back(fait);
    return fait < 100;
  });
  EXPECT_TRUE(r.annule);
  EXPECT_EQ(appels, (std::vector<long long>{50, 100}));
  // Events 1..99 were converted before the stop, the rest kept their text.
  EXPECT_EQ(r.nbreModifies, 99);
  EXPECT_EQ(bd.Eve(99).Lieu, "FRA,IDF,F75,Paris");
  EXPECT_EQ(bd.Eve(100).Lieu, "F,,75,Paris");
}

TEST_F(ConversionArbre, PreviewSkipsEmptyAndFreePlaces) {
  std::vector<std::string> lieux(150, "a,b");
  lieux[0] = "";
  lieux[1] = "x, y ,z";
  Lieux(lieux);
  bd.EffaceEve(3);
  const auto apercu = ApercuLieux(bd);
  ASSERT_EQ(apercu.size(), 99u);
  EXPECT_EQ(apercu[0], (ChampsLieu{"x", "y", "z", "", "", ""}));
  EXPECT_EQ(apercu[1], (ChampsLieu{"a", "b", "", "", "", ""}));
}

// --- place lists -----------------------------------------------------------

TEST(ListesDeLieux, ListsTxtFilesSortedWithoutCase) {
  namespace fs = std::filesystem;
  const fs::path dossier = fs::temp_directory_path() / "kindrela_places_test";
  fs::remove_all(dossier);
  fs::create_directories(dossier / "sous.txt");
  for (const char* nom : {"b.txt", "A.TXT", "Régions.txt", "c.csv", ".txt"})
    std::ofstream(dossier / nom) << "F,75\r\nF,13\n\nF,29\r\n";
  const std::string chemin = dossier.string();
  EXPECT_EQ(ListesDeLieux(chemin), (std::vector<std::string>{"A", "b", "Régions"_ansi}));
  EXPECT_EQ(LitListeDeLieux(chemin + "/", "Régions"_ansi),
            (std::vector<std::string>{"F,13", "F,29", "F,75"}));
  EXPECT_EQ(LitListeDeLieux(chemin, "A").size(), 3u);
  EXPECT_TRUE(LitListeDeLieux(chemin, "absent").empty());
  fs::remove_all(dossier);
  EXPECT_TRUE(ListesDeLieux(chemin).empty());
}

// The shipped lists: every line is in the coded shape that normalising its
// plain form gives, and converting it again leaves it as it is.
TEST(ListesLivrees, HoldKnownCommunesInTheCodedShape) {
  const auto identite = Options({1, 2, 3, 4, 5, 6});
  for (const char* langue : {"1", "2"}) {
    const std::string dossier = std::string(KINDRELA_SOURCE_DIR) + "/data/modele/" + langue + "/lieu";
    const auto listes = ListesDeLieux(dossier);
    ASSERT_EQ(listes.size(), 3u) << langue;
    std::size_t total = 0;
    bool paris = false, gap = false, ajaccio = false, pointeAPitre = false;
    for (const auto& liste : listes) {
      const auto lignes = LitListeDeLieux(dossier, liste);
      total += lignes.size();
      for (const auto& l : lignes) {
        const ChampsLieu f = DecoupeLieu(l);
        ASSERT_EQ(f[0], "FRA") << l;
        ASSERT_EQ(JoinLieu(f), l) << l;
        ASSERT_EQ(ConvertitLieu(l, identite), l) << l;
        if (f[2].empty()) continue;
        // The plain form "F,<department>[<code>],<commune>" normalises to the line.
        std::string plain = "F," + f[2].substr(1);
        if (!f[3].empty()) {
          const bool code = f[3].size() > 4 && f[3][3] == ' ' &&
                            f[3].find_first_not_of("0123456789") == 3;
          plain += code ? f[3].substr(0, 3) + "," + f[3].substr(4) : "," + f[3];
        }
        ASSERT_EQ(LieuNormalise(plain), l) << plain;
        paris = paris || l == "FRA,IDF,F75,001 Paris";
        gap = gap || l == "FRA,PCA,F05,000 Gap";
        ajaccio = ajaccio || l == "FRA,COR,F20,000 Ajaccio";
        pointeAPitre = pointeAPitre || l == "FRA,,F97,110 Pointe-à-Pitre"_ansi;
      }
    }
    EXPECT_GT(total, 35000u);
    EXPECT_TRUE(paris && gap && ajaccio && pointeAPitre) << langue;
  }
}

TEST(LieuLisible, ReadsCodedPlacesAsPeopleWriteThem) {
  EXPECT_EQ(LieuLisible("FRA,BRE,F29,000 Quimper"), "Quimper (29)");
  EXPECT_EQ(LieuLisible("FRA,IDF,F75,014 Paris,Montparnasse"), "Montparnasse, Paris (75)");
  EXPECT_EQ(LieuLisible("FRA,IDF,F75"), "(75)");
  EXPECT_EQ(LieuLisible("Aberdeen, Scotland"), "Aberdeen, Scotland");
  EXPECT_EQ(LieuLisible("F,,75,Paris"), "F, 75, Paris");
  EXPECT_EQ(LieuLisible(""), "");
}

struct CasProposition {
  const char* nom;
  std::vector<std::string> lieux;
  std::array<int, kNbreChampsLieu> colonnes;
  bool france;
};

class OptionsProposeesTest : public testing::TestWithParam<CasProposition> {};

// The conversion window starts from what the places look like.
TEST_P(OptionsProposeesTest, FollowTheShapeOfThePlaces) {
  const CasProposition& c = GetParam();
  std::vector<ChampsLieu> apercu;
  for (const std::string& l : c.lieux) apercu.push_back(DecoupeLieu(l));
  const OptionsConversionLieux o = OptionsProposees(apercu);
  EXPECT_EQ(o.colonnes, c.colonnes);
  EXPECT_EQ(o.franceParDefaut, c.france);
}

INSTANTIATE_TEST_SUITE_P(
    Lieux, OptionsProposeesTest,
    testing::Values(
        CasProposition{"FrenchWidestFirst", {"F,75,Paris", "France,29,Quimper", "F,44000,Nantes"},
                       {1, 2, 3, 4, 5, 6}, true},
        CasProposition{"TownsAloneStayFrench", {"Paris", "Lyon"}, {1, 2, 3, 4, 5, 6}, true},
        CasProposition{"GedcomFourFields",
                       {"Aberdeen, Aberdeenshire, Scotland, UK", "Leeds, Yorkshire, England, UK",
                        "Paris"},
                       {4, 3, 2, 1, 5, 6}, false},
        CasProposition{"GedcomTwoFields", {"Praha, Czech Republic", "Kraków, Polska"_ansi},
                       {2, 3, 4, 1, 5, 6}, false},
        CasProposition{"GedcomThreeFieldsOfFrance", {"Quimper, Finistère, France"_ansi,
                                                     "Nantes, Loire-Atlantique, France"},
                       {3, 4, 2, 1, 5, 6}, true},
        CasProposition{"GedcomFiveFields", {"Le Bourg, Locronan, 29, Bretagne, France"},
                       {5, 4, 3, 2, 1, 6}, true},
        CasProposition{"Empty", {}, {1, 2, 3, 4, 5, 6}, true}),
    [](const testing::TestParamInfo<CasProposition>& info) { return std::string(info.param.nom); });

}  // namespace
}  // namespace kindrela
