#include "app/help_pages.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

namespace kindrela {
namespace {

namespace fs = std::filesystem;

struct CasPage {
  std::vector<std::string> noms;  // from the control with focus up to its window
  const char* page;
};

TEST(PageAide, TheNearestDocumentedControlDecides) {
  const CasPage cas[] = {
      {{"Page", "Arbre", "Centre", "ScaWin"}, "arbre.html"},
      {{"", "qt_spinbox_lineedit", "fmFiche"}, "fiche.html"},
      {{"fmIOCharge"}, "gedcom.html"},
      {{"fmRapport", "ScaWin"}, "rapports.html"},
      {{"cbConcatene", "fmIOCharge"}, "gedcom.html"},
      {{"ScaWin"}, "index.html"},
      {{"fmInconnue"}, "index.html"},
      {{}, "index.html"},
  };
  for (const CasPage& c : cas) EXPECT_EQ(PageAide(c.noms), c.page) << c.noms.size();
}

std::string Lit(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

// The shipped manual has every page in both languages, each linked from the
// table of contents, each picture it shows present beside it.
TEST(PageAide, EveryPageIsShippedInBothLanguages) {
  const fs::path modele = fs::path(KINDRELA_SOURCE_DIR) / "data" / "modele";
  for (const char* langue : {"1", "2"}) {
    const fs::path aide = modele / langue / "aide";
    const std::string sommaire = Lit(aide / kPageAideSommaire);
    for (const std::string& page : PagesAide()) {
      ASSERT_TRUE(fs::exists(aide / page)) << langue << "/" << page;
      EXPECT_NE(sommaire.find("href=\"" + page + "\""), std::string::npos) << langue << "/" << page;
      const std::string texte = Lit(aide / page);
      for (size_t i = texte.find("src=\""); i != std::string::npos; i = texte.find("src=\"", i + 1)) {
        const size_t debut = i + 5;
        const std::string image = texte.substr(debut, texte.find('"', debut) - debut);
        EXPECT_TRUE(fs::exists(aide / image)) << langue << "/" << page << ": " << image;
      }
    }
  }
}

class FichierAideTest : public testing::Test {
 protected:
  void SetUp() override {
    m_racine = fs::temp_directory_path() / ("kindrela_aide_" + std::to_string(::getpid()));
    m_dossiers.modele = m_racine.string() + "/modele/";
    m_dossiers.langue = m_dossiers.modele + "2/";
  }
  void TearDown() override { fs::remove_all(m_racine); }
  void Cree(const std::string& rel) {
    fs::path p = m_racine / "modele" / rel;
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "<html></html>";
  }
  fs::path m_racine;
  TDossiers m_dossiers;
};

TEST_F(FichierAideTest, TheLanguageThenFrenchThenTheContents) {
  EXPECT_EQ(FichierAide(m_dossiers, "fiche.html"), "");
  Cree("2/aide/index.html");
  EXPECT_EQ(FichierAide(m_dossiers, "fiche.html"), m_dossiers.modele + "2/aide/index.html");
  Cree("1/aide/fiche.html");
  EXPECT_EQ(FichierAide(m_dossiers, "fiche.html"), m_dossiers.modele + "1/aide/fiche.html");
  Cree("2/aide/fiche.html");
  EXPECT_EQ(FichierAide(m_dossiers, "fiche.html"), m_dossiers.modele + "2/aide/fiche.html");
}

}  // namespace
}  // namespace kindrela
