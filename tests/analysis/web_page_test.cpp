#include "analysis/web_page.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/file_io.h"
#include "report_support.h"

namespace kindrela {
namespace {

using namespace std::string_literals;
using test::ArbreRapport;
using test::F;
using test::H;

struct CasPlace {
  const char* nom;
  int r, p, page, ancre;
};

class PlaceFicheTest : public ::testing::TestWithParam<CasPlace> {};

TEST_P(PlaceFicheTest, PageAndAnchorComeFromTheRecordNumber) {
  const CasPlace& c = GetParam();
  const TPlaceFiche f = PlaceFiche(c.r, c.p);
  EXPECT_EQ(f.page, c.page);
  EXPECT_EQ(f.ancre, c.ancre);
  const std::string lien = LienFiche(c.r, c.p);
  EXPECT_EQ(lien, "page" + std::to_string(c.page) + ".htm#fiche" + std::to_string(c.ancre));
  EXPECT_EQ(PersonneDuLien("file:///tmp/site/" + lien, c.p), c.r);
}

INSTANTIATE_TEST_SUITE_P(WebPage, PlaceFicheTest,
                         ::testing::Values(CasPlace{"First", 1, 25, 1, 1}, CasPlace{"LastOfPage", 25, 25, 1, 25},
                                           CasPlace{"NextPage", 26, 25, 2, 1},
                                           CasPlace{"OnePage", 4321, 0, 1, 4321},
                                           CasPlace{"OnePerPage", 7, 1, 7, 1}),
                         [](const auto& i) { return std::string(i.param.nom); });

TEST(WebPage, TextsThatAreNoCardLinkGiveNobody) {
  for (const char* lien : {"", "page.htm#fiche1", "page2.htm", "pageX.htm#fiche1", "page2.htm#fiche26",
                           "page0.htm#fiche1", "liste.htm", "page1.htm#fiche1x", "page1.htm#fiche-1"})
    EXPECT_EQ(PersonneDuLien(lien, 25), 0) << lien;
  EXPECT_EQ(PersonneDuLien("C:\\site\\page2.htm#fiche3", 25), 28);
  EXPECT_EQ(PersonneDuLien("page2.htm#fiche3", 0), 0);
}

TEST(WebPage, ReplaceAllIgnoresCase) {
  EXPECT_EQ(RemplaceTout("<title>%TITRE%</title><h1>%titre%</h1>", "%titre%", "A&amp;B"),
            "<title>A&amp;B</title><h1>A&amp;B</h1>");
  EXPECT_EQ(RemplaceTout("abc", "", "x"), "abc");
}

TEST(WebPage, FileNamesFromTreeTextStayInTheFolder) {
  for (const char* nom : {"../../etc/passwd", "..\\..\\x.jpg", "C:photo.jpg", "..", ".cache", "", "a/b/<c>.jpg"}) {
    const std::string n = NomFichierSur(nom);
    EXPECT_FALSE(n.empty()) << nom;
    EXPECT_EQ(n.find_first_of("/\\:<>\""), std::string::npos) << nom;
    EXPECT_NE(n.front(), '.') << nom;
  }
  EXPECT_EQ(NomFichierSur("photos/Portrait 1.jpg"), "Portrait 1.jpg");
}

TEST(WebPage, FileLinksAreEncodedForTheUrl) {
  EXPECT_EQ(LienFichier("page1.htm"), "page1.htm");
  EXPECT_EQ(LienFichier("Famille #1 100%.htm"), "Famille%20%231%20100%25.htm");
  EXPECT_EQ(LienFichier("Zoé.htm"_ansi), "Zo%C3%A9.htm");
}

class PagesWebTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modeles.entete = "<html><head><title>%Titre%</title></head><body>";
    modeles.pied = "</body></html>";
    options.auteur = "Jean <Auteur>";
    options.auteurLien = "jean@example.org";
    options.pagePrincipale = "Dupont";
    options.fichesParPage = 25;
    FixeAujourdhui(Jour{2024, 3, 5});
  }
  void TearDown() override { LibereAujourdhui(); }

  ArbreRapport a;
  TModelesWeb modeles;
  TOptionsWeb options;
};

TEST_F(PagesWebTest, NamesAreEscapedAndLinkedToTheirCard) {
  for (int i = 0; i < 25; ++i) a.Personne(H);
  const int r = a.Nomme(a.Personne(F), "<script>alert(1)</script>", "Marie \"Jo\" Anne");
  TPagesWeb pages(a.bd, test::TraductionInstallee(), options, modeles);
  EXPECT_EQ(pages.PersonName(r), "&lt;script&gt;alert(1)&lt;/script&gt; Marie &quot;Jo&quot; Anne");
  EXPECT_EQ(pages.PersonLink(r), "<a href=\"page2.htm#fiche1\">" + pages.PersonName(r) + "</a>");
  options.tousPrenoms = false;
  EXPECT_EQ(pages.PersonName(r), "&lt;script&gt;alert(1)&lt;/script&gt; Jo");
  options.liensFiches = false;
  EXPECT_EQ(pages.PersonLink(r), pages.PersonName(r));
  EXPECT_EQ(pages.PersonLink(0), "");
  EXPECT_EQ(pages.PersonLink(999), "");
}

TEST_F(PagesWebTest, HeaderFooterAndHomeLink) {
  TPagesWeb pages(a.bd, test::TraductionInstallee(), options, modeles);
  EXPECT_EQ(pages.PageHeader("Fiche <1>"), "<html><head><title>Fiche &lt;1&gt;</title></head><body>");
  EXPECT_EQ(pages.HomeLink(),
            "<p align=\"center\" class=\"accueil\"><a href=\"Dupont.htm\">"s + "Retour à la page principale"_ansi +
                "</a></p>");
  const std::string pied = pages.PageFooter();
  EXPECT_NE(pied.find("<a href=\"mailto:jean@example.org\">Jean &lt;Auteur&gt;</a>"), std::string::npos);
  EXPECT_NE(pied.find(" le 05/03/2024."), std::string::npos);
  EXPECT_EQ(pied.substr(pied.size() - modeles.pied.size()), modeles.pied);
}

TEST_F(PagesWebTest, LineWriterSavesThePageAndTheStyleSheet) {
  const std::filesystem::path dossier = std::filesystem::path(::testing::TempDir()) / "web_page_test";
  std::filesystem::remove_all(dossier);
  std::filesystem::create_directories(dossier);
  modeles.style = "body{}";
  modeles.styleExiste = true;
  TPagesWeb pages(a.bd, test::TraductionInstallee(), options, modeles);
  THtml h(pages);
  h.Entete("T");
  h.DebutTable();
  h.DebutLigne();
  h.Cellule("");
  h.Cellule("x");
  h.FinLigne();
  h.FinTable();
  h.Pied(false);
  const std::string chemin = dossier.string() + "/a.htm";
  ASSERT_TRUE(h.Sauve(chemin).ok());
  std::string page, style;
  ASSERT_TRUE(LitFichier(chemin, page).ok());
  EXPECT_NE(page.find("<tr>\r\n<td>&nbsp;</td>\r\n<td>x</td>\r\n</tr>\r\n</table>"), std::string::npos);
  EXPECT_EQ(page.find(pages.HomeLink()), std::string::npos);
  ASSERT_TRUE(LitFichier(dossier.string() + "/style.css", style).ok());
  EXPECT_EQ(style, "body{}");
}

TEST(ModelesWeb, MissingHeaderIsAnErrorAndMissingStyleIsSkipped) {
  const std::filesystem::path dossier = std::filesystem::path(::testing::TempDir()) / "web_modeles_test";
  std::filesystem::remove_all(dossier);
  std::filesystem::create_directories(dossier);
  const std::string d = dossier.string() + "/";
  TModelesWeb m;
  const Statut manque = ChargeModelesWeb(d, m, false);
  EXPECT_FALSE(manque.ok());
  EXPECT_NE(manque.message().find("header.txt"), std::string::npos);
  ASSERT_TRUE(EcritFichierAtomique(d + "header.txt", "h").ok());
  ASSERT_TRUE(EcritFichierAtomique(d + "footer.txt", "f").ok());
  ASSERT_TRUE(ChargeModelesWeb(d, m, false).ok());
  EXPECT_FALSE(m.styleExiste);
  EXPECT_FALSE(ChargeModelesWeb(d, m, true).ok());
}

TEST(ModelesWeb, InstalledTemplatesLoad) {
  for (const char* langue : {"1", "2"}) {
    TModelesWeb m;
    ASSERT_TRUE(ChargeModelesWeb(std::string(KINDRELA_SOURCE_DIR) + "/data/modele/" + langue +
                                     "/ExportHtml/Defaut/", m)
                    .ok());
    EXPECT_TRUE(m.styleExiste);
    EXPECT_NE(RemplaceTout(m.entete, "%titre%", "").find("<body"), std::string::npos);
  }
}

}  // namespace
}  // namespace kindrela
