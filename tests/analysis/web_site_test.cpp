#include "analysis/web_site.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>

#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/file_io.h"
#include "report_support.h"

namespace kindrela {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test::ArbreRapport;
using test::F;
using test::H;

// Read by the file system's own name (directory listings give UTF-8 names).
std::string Lit(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  EXPECT_TRUE(f.good()) << p;
  return std::string(std::istreambuf_iterator<char>(f), {});
}

// A link's file name as the file system spells it.
std::string Decode(const std::string& lien) {
  std::string r;
  for (size_t i = 0; i < lien.size(); ++i) {
    if (lien[i] == '%' && i + 2 < lien.size()) {
      r += static_cast<char>(std::stoi(lien.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      r += lien[i];
    }
  }
  return r;
}

// Every href and src of every page of the folder must name a file of the
// folder, and every "#x" fragment an element id (or a name) of that file.
// Returns the broken links, as "page -> link".
std::vector<std::string> LiensCasses(const fs::path& dossier, int* nbreLiens = nullptr) {
  std::map<std::string, std::string> pages;
  for (const auto& e : fs::directory_iterator(dossier))
    if (e.path().extension() == ".htm") pages[e.path().filename().string()] = Lit(e.path());
  const std::regex lien(R"re((?:href|src)="([^"]*)")re", std::regex::icase);
  const std::regex ancre(R"re((?:id|name)="([^"]*)")re", std::regex::icase);
  std::map<std::string, std::set<std::string>> ancres;
  for (const auto& [nom, texte] : pages)
    for (auto i = std::sregex_iterator(texte.begin(), texte.end(), ancre); i != std::sregex_iterator(); ++i)
      ancres[nom].insert((*i)[1]);
  std::vector<std::string> casses;
  int n = 0;
  for (const auto& [nom, texte] : pages) {
    for (auto i = std::sregex_iterator(texte.begin(), texte.end(), lien); i != std::sregex_iterator(); ++i) {
      const std::string cible = (*i)[1];
      if (cible.rfind("mailto:", 0) == 0 || cible.rfind("https://", 0) == 0) continue;
      ++n;
      const size_t diese = cible.find('#');
      const std::string fichier = diese == std::string::npos ? cible : cible.substr(0, diese);
      const std::string fragment = diese == std::string::npos ? "" : cible.substr(diese + 1);
      const std::string vers = fichier.empty() ? nom : Decode(fichier);
      if (fichier.find('/') != std::string::npos || !fs::exists(dossier / vers))
        casses.push_back(nom + " -> " + cible);
      else if (!fragment.empty() && !ancres[vers].count(fragment))
        casses.push_back(nom + " -> " + cible + " (no anchor)");
    }
  }
  if (nbreLiens) *nbreLiens = n;
  return casses;
}

class SiteWebTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FixeAujourdhui(Jour{2024, 3, 5});
    dossier = fs::path(::testing::TempDir()) / ("site_" + std::string(::testing::UnitTest::GetInstance()
                                                                          ->current_test_info()
                                                                          ->name()));
    fs::remove_all(dossier);
    ASSERT_TRUE(ChargeModelesWeb(std::string(KINDRELA_SOURCE_DIR) + "/data/modele/1/ExportHtml/Defaut/",
                                 contexte.modeles)
                    .ok());
    contexte.traduction = &test::TraductionInstallee();
    options.pagePrincipale = "famille";
    options.titre = "Généalogie"_ansi;
    options.fichesParPage = 3;
    // Three Martin, an Élise, a Zola, a person named with a digit, and a
    // free slot in the middle of the records.
    pere = a.Nomme(a.Personne(H, 0, 0, "1/2/1900"), "Martin", "Pierre");
    mere = a.Nomme(a.Personne(F, 0, 0, "1905"), "Durand", "Anne");
    a.Union(pere, mere, "5/6/1929");
    enfant = a.Nomme(a.Personne(H, pere, mere, "3/4/1930"), "Martin", "Jean");
    const int libre = a.Nomme(a.Personne(F), "Libre", "X");
    a.Nomme(a.Personne(F, pere, mere), "martin", "Lucie");
    a.Nomme(a.Personne(F), "Élise"_ansi, "Eva");
    a.Nomme(a.Personne(H), "Zola", "Emile");
    a.Nomme(a.Personne(H), "1er", "Inconnu");
    a.bd.SupprimeFiche(libre);
    a.bd.EcritLieuNaissance(enfant, "Lyon");
    a.bd.RefPers = pere;
  }
  void TearDown() override { LibereAujourdhui(); }

  Statut Exporte() {
    return ExportSite(a.bd, options, contexte, (dossier / "famille.htm").string(), &fichiers);
  }
  std::string Page(const std::string& nom) { return Lit(dossier / nom); }

  ArbreRapport a;
  TOptionsWeb options;
  TContexteSite contexte;
  fs::path dossier;
  std::vector<std::string> fichiers;
  int pere = 0, mere = 0, enfant = 0;
};

TEST_F(SiteWebTest, EveryLinkOfEveryListModeResolves) {
  for (int mode : {0, 1, 2, 3}) {
    for (int parPage : {0, 1, 3}) {
      fs::remove_all(dossier);
      options.modeListe = mode;
      options.personnesParListe = 5;
      options.fichesParPage = parPage;
      ASSERT_TRUE(Exporte().ok()) << mode;
      int n = 0;
      const std::vector<std::string> casses = LiensCasses(dossier, &n);
      EXPECT_TRUE(casses.empty()) << "mode " << mode << " P " << parPage << ": " << casses.front();
      EXPECT_GT(n, 40);
    }
  }
}

TEST_F(SiteWebTest, CardsSitWhereTheirRecordNumberSays) {
  ASSERT_TRUE(Exporte().ok());
  // Record 4 is free: page 2 holds records 5 and 6 only, record 7 opens page 3.
  const std::string p2 = Page("page2.htm");
  EXPECT_EQ(p2.find("id=\"fiche1\""), std::string::npos);
  EXPECT_LT(p2.find("id=\"fiche2\""), p2.find("Martin Lucie"));
  EXPECT_NE(Page("page3.htm").find("id=\"fiche1\""), std::string::npos);
  EXPECT_NE(Page("page1.htm").find("<a href=\"page2.htm#fiche2\">martin Lucie</a>"), std::string::npos);
  EXPECT_NE(Page("famille.htm").find("<h1>Généalogie</h1>"_ansi), std::string::npos);
}

TEST_F(SiteWebTest, AMainPageNameWithSignsIsStillLinked) {
  options.pagePrincipale = "Ma famille #1 à 100%"_ansi;
  ASSERT_TRUE(ExportSite(a.bd, options, contexte, (dossier / options.pagePrincipale).string() + ".htm").ok());
  EXPECT_NE(Page("liste.htm").find("href=\"Ma%20famille%20%231%20%C3%A0%20100%25.htm\""), std::string::npos);
  EXPECT_TRUE(LiensCasses(dossier).empty());
}

TEST_F(SiteWebTest, PerLetterListsAndTheirTable) {
  options.modeListe = 2;
  ASSERT_TRUE(Exporte().ok());
  EXPECT_TRUE(fs::exists(dossier / "listeM.htm"));
  EXPECT_TRUE(fs::exists(dossier / "listeE.htm")) << "Élise is listed under E";
  EXPECT_TRUE(fs::exists(dossier / "liste0.htm")) << "a surname starting with a digit";
  EXPECT_FALSE(fs::exists(dossier / "listeB.htm"));
  const std::string l = Page("liste.htm");
  EXPECT_NE(l.find("<p>Il y a 7 personnes et 1 unions.</p>"), std::string::npos);
  EXPECT_NE(l.find("<td><a href=\"listeM.htm\"> 3 </a></td>"), std::string::npos);
  EXPECT_NE(l.find("<td>0</td>"), std::string::npos);
  const std::string m = Page("listeM.htm");
  EXPECT_LT(m.find("Martin Jean"), m.find("martin Lucie"));
  EXPECT_NE(m.find("Martin Jean</a> ( 3/4/1930 -  )<br>"), std::string::npos);
}

TEST_F(SiteWebTest, PerSurnameListCountsEachSurnameOnce) {
  options.modeListe = 3;
  ASSERT_TRUE(Exporte().ok());
  const std::string l = Page("liste.htm");
  EXPECT_NE(l.find(">Martin</a> (3),<br>"), std::string::npos) << l;
  // Surnames in byte order of their lower case: 1er, durand, martin, zola, élise.
  EXPECT_NE(Page("liste3.htm").find("Les personnes portant le nom Martin"), std::string::npos);
}

TEST_F(SiteWebTest, IndexesAndDynamicPage) {
  ASSERT_TRUE(Exporte().ok());
  const std::string patro = Page("patro.htm");
  EXPECT_NE(patro.find("<div class=\"rapport\">"), std::string::npos);
  EXPECT_NE(patro.find("<a href=\"listeM.htm\">Martin</a>"), std::string::npos);
  EXPECT_NE(patro.find("Lyon"), std::string::npos);
  EXPECT_NE(Page("lieux.htm").find("<td class=\"rowimpair\">Lyon</td>"), std::string::npos);
  const std::string dyna = Page("dyna.htm");
  EXPECT_NE(dyna.find("data-ref=\"1\""), std::string::npos);
  EXPECT_EQ(dyna.find("%Titre%"), std::string::npos);
  EXPECT_TRUE(fs::exists(dossier / "dynafunc.js"));
  const std::string data = Lit(dossier / "dynadata.js");
  EXPECT_NE(data.find("i[3]=new Array(\"Martin Jean\",1,2,\"3/4/1930 Lyon\",\"\");\r\n"), std::string::npos);
  EXPECT_NE(data.find("i[4]=new Array(\"\",0,0,\"\",\"\");"), std::string::npos) << "a free record";
  EXPECT_NE(data.find("u[1]=new Array(1,2,\"5/6/1929\");"), std::string::npos);
  EXPECT_NE(data.find("fichepp=3;"), std::string::npos);
}

TEST_F(SiteWebTest, HostileTreeTextCannotBreakAPageOrTheScript) {
  const std::string hostile = "</script><script>alert(\"x\")</script>\\\r\n<img src=x onerror=alert(1)>";
  const int r = a.Nomme(a.Personne(F, pere, mere, "1931"), hostile, hostile);
  a.bd.EcritChamp(r, 18, hostile);
  a.bd.EcritLieuNaissance(r, hostile);
  options.formeFiche = 1;
  for (int mode : {0, 2, 3}) {
    options.modeListe = mode;
    ASSERT_TRUE(Exporte().ok());
    for (const auto& e : fs::directory_iterator(dossier)) {
      if (e.path().extension() != ".htm") continue;
      const std::string t = Lit(e.path());
      EXPECT_EQ(t.find("<script>alert"), std::string::npos) << e.path();
      EXPECT_EQ(t.find("<img src=x"), std::string::npos) << e.path();
    }
    EXPECT_TRUE(LiensCasses(dossier).empty());
  }
  const std::string data = Lit(dossier / "dynadata.js");
  EXPECT_EQ(data.find("</script"), std::string::npos);
  EXPECT_NE(data.find("i[" + std::to_string(r) + "]=new Array(\"" + ChaineScript(hostile + " " + hostile) +
                      "\",1,2,\"1931 " + ChaineScript(hostile) + "\""),
            std::string::npos);
  for (unsigned char c : data) EXPECT_LT(c, 0x80);
}

TEST_F(SiteWebTest, CancelStopsTheExport) {
  contexte.progression = [](long long, long long) { return false; };
  for (int i = 0; i < 200; ++i) a.Personne(H);
  const Statut s = Exporte();
  EXPECT_TRUE(s.annule());
  EXPECT_FALSE(fs::exists(dossier / "page1.htm"));
}

TEST_F(SiteWebTest, PicturesAreEncodedOnceUnderSafeNames) {
  const fs::path ailleurs = dossier.parent_path() / "site_images";
  fs::create_directories(ailleurs / "a");
  fs::create_directories(ailleurs / "b");
  ASSERT_TRUE(EcritFichierAtomique((ailleurs / "a" / "Photo.PNG").string(), "x").ok());
  ASSERT_TRUE(EcritFichierAtomique((ailleurs / "b" / "photo.jpg").string(), "y").ok());
  std::vector<std::string> encodees;
  contexte.encodeur = [&](const std::string& source, const std::string& cible, int cote, int qualite) {
    encodees.push_back(NomDe(cible) + " " + std::to_string(cote) + " " + std::to_string(qualite));
    EXPECT_EQ(DossierDe(cible), dossier.string() + "/");
    (void)source;
    return EcritFichierAtomique(cible, "jpeg");
  };
  options.formeFiche = 1;
  options.imageTaille = 120;
  options.imageQualite = 80;
  options.imageOriginale = true;
  for (const fs::path& p : {ailleurs / "a" / "Photo.PNG", ailleurs / "b" / "photo.jpg"}) {
    const int s = a.bd.AjouteNouvelleSrc(pere);
    a.bd.EcritChampSrc(s, 1, "Photo");
    a.bd.EcritChampSrc(s, 4, p.string() + "|portrait");
    a.bd.AjouteSrc(enfant, s);
  }
  ASSERT_TRUE(Exporte().ok());
  EXPECT_EQ(encodees, (std::vector<std::string>{"photo.jpg 120 80", "ori_photo.jpg 0 80", "photo_2.jpg 120 80",
                                                "ori_photo_2.jpg 0 80"}));
  EXPECT_NE(Page("page1.htm").find("<a href=\"ori_photo.jpg\"> <img src=\"photo.jpg\""), std::string::npos);
  EXPECT_TRUE(LiensCasses(dossier).empty());
}

TEST(ScriptWeb, StringsAreEscapedForTheScript) {
  struct Cas {
    std::string texte, attendu;
  };
  for (const Cas& c : std::vector<Cas>{{"  Dupont  ", "Dupont"},
                                       {"O\"Neil", "O'Neil"},
                                       {"a\\b", "a\\\\b"},
                                       {"l1\r\nl2\nl3", "l1\\nl2\\nl3"},
                                       {"</script>", "\\x3C/script>"},
                                       {"Zoé"_ansi, "Zo\\u00E9"},
                                       {"Wa&#322;&#281;sa", "Wa\\u0142\\u0119sa"},
                                       {"&#128512;", "\\uD83D\\uDE00"},
                                       {"A&B", "A&B"}})
    EXPECT_EQ(ChaineScript(c.texte), c.attendu) << c.texte;
  EXPECT_EQ(ChaineScript(std::string(70000, 'a')).size(), 65000u);
}

TEST(ScriptWeb, PageTitleIsFoundWithoutRegardToCase) {
  EXPECT_EQ(TitrePage("<html><HEAD><Title>Arbre de X</TITLE>"), "Arbre de X");
  EXPECT_EQ(TitrePage("<html>"), "");
}

}  // namespace
}  // namespace kindrela
