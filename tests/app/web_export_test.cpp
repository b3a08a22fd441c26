#include "app/web_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <regex>

#include "analysis/report_grid.h"
#include "analysis/report_support.h"
#include "app/settings.h"
#include "app/web_pictures.h"
#include "core/ansi_literal.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

namespace fs = std::filesystem;

// A folder of this test's own: ctest runs the cases of a suite side by side.
fs::path DossierDuTest(const char* prefixe) {
  return fs::path(::testing::TempDir()) /
         (std::string(prefixe) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
}

// Width and height from a JPEG's first frame header.
bool TailleJpeg(const std::string& o, int& l, int& h) {
  for (size_t i = 2; i + 9 < o.size();) {
    if (static_cast<unsigned char>(o[i]) != 0xFF) return false;
    const auto m = static_cast<unsigned char>(o[i + 1]);
    const size_t n = (static_cast<unsigned char>(o[i + 2]) << 8) | static_cast<unsigned char>(o[i + 3]);
    if (m == 0xC0 || m == 0xC2) {
      h = (static_cast<unsigned char>(o[i + 5]) << 8) | static_cast<unsigned char>(o[i + 6]);
      l = (static_cast<unsigned char>(o[i + 7]) << 8) | static_cast<unsigned char>(o[i + 8]);
      return true;
    }
    i += 2 + n;
  }
  return false;
}

class ImagesWebTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dossier = DossierDuTest("web_pictures_test");
    fs::remove_all(dossier);
    fs::create_directories(dossier);
  }
  std::string Dans(const char* nom) { return (dossier / nom).string(); }
  fs::path dossier;
};

TEST_F(ImagesWebTest, PngIsFittedIntoTheSquareThenJpegKeepsItsSize) {
  const std::string png = std::string(KINDRELA_SOURCE_DIR) + "/data/modele/2/arbre/Parchment.png";
  ASSERT_TRUE(EncodeImageJpeg(png, Dans("petit.jpg"), 64, 80).ok());
  std::string o;
  ASSERT_TRUE(LitFichier(Dans("petit.jpg"), o).ok());
  int l = 0, h = 0;
  ASSERT_TRUE(TailleJpeg(o, l, h));
  EXPECT_EQ(std::max(l, h), 64);
  // Re-encoding the JPEG at its own size, then at a larger square: never enlarged.
  ASSERT_TRUE(EncodeImageJpeg(Dans("petit.jpg"), Dans("meme.jpg"), 500, 50).ok());
  ASSERT_TRUE(LitFichier(Dans("meme.jpg"), o).ok());
  int l2 = 0, h2 = 0;
  ASSERT_TRUE(TailleJpeg(o, l2, h2));
  EXPECT_EQ(l2, l);
  EXPECT_EQ(h2, h);
}

TEST_F(ImagesWebTest, AFileThatIsNoPictureIsAnErrorAndWritesNothing) {
  ASSERT_TRUE(EcritFichierAtomique(Dans("faux.jpg"), "pas une image").ok());
  const Statut s = EncodeImageJpeg(Dans("faux.jpg"), Dans("sortie.jpg"), 100, 75);
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.message().find("faux.jpg"), std::string::npos);
  EXPECT_FALSE(FichierExiste(Dans("sortie.jpg")));
  EXPECT_FALSE(EncodeImageJpeg(Dans("absent.png"), Dans("sortie.jpg"), 100, 75).ok());
}

TEST(OptionsWebReglages, EveryOptionGoesBackToTheSettings) {
  TTraduction t;
  TReglages r;
  r.ChargeReglages(FichierIni{}, t, "");
  TOptionsWeb o = OptionsWeb(r, "m/j/a");
  EXPECT_EQ(o.modeListe, 2);
  EXPECT_EQ(o.fichesParPage, 25);
  EXPECT_EQ(o.formatDate, "m/j/a");
  o.modeListe = 3;
  o.fichesParPage = 0;
  o.formeFiche = 0;
  o.ficheCalcules = false;
  o.imageOriginale = true;
  o.imageQualite = 40;
  o.texteLibre = {"a", "b"};
  o.dyna = false;
  EcritOptionsWeb(r, o);
  const TOptionsWeb lu = OptionsWeb(r, "m/j/a");
  EXPECT_EQ(lu.modeListe, 3);
  EXPECT_TRUE(r.Bool(kSectionSauve, "HtmlListe4"));
  EXPECT_FALSE(r.Bool(kSectionSauve, "HtmlListe3"));
  EXPECT_EQ(lu.fichesParPage, 0);
  EXPECT_EQ(lu.formeFiche, 0);
  EXPECT_FALSE(lu.ficheCalcules);
  EXPECT_TRUE(lu.imageOriginale);
  EXPECT_EQ(lu.imageQualite, 40);
  EXPECT_EQ(lu.texteLibre, o.texteLibre);
  EXPECT_FALSE(lu.dyna);
}

// ---------------------------------------------------------------------------
// The pages of single views, written by the site's writer

class VuesWebTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modeles = DossierDuTest("vues_web_modeles").string() + "/";
    sortie = DossierDuTest("vues_web_sortie").string() + "/";
    fs::remove_all(modeles);
    fs::remove_all(sortie);
    fs::create_directories(modeles);
    fs::create_directories(sortie);
    ASSERT_TRUE(EcritFichierAtomique(modeles + "header.txt", "<html><title>%titre%</title>\n").ok());
    ASSERT_TRUE(EcritFichierAtomique(modeles + "footer.txt", "</html>\n").ok());
    ASSERT_TRUE(EcritFichierAtomique(modeles + "style.css", "body {}").ok());
    // Pierre (1) and Anne (2), parents of Jean (3); slot 4 is free; Luc (5)
    // a son of Pierre.
    pierre = a.Nomme(a.Personne(test::H), "Martin", "Pierre");
    anne = a.Nomme(a.Personne(test::F), "Durand", "Anne");
    jean = a.Nomme(a.Personne(test::H, pierre, anne), "Martin", "Jean Paul");
    const int libre = a.Personne(test::H);
    luc = a.Nomme(a.Personne(test::H, pierre), "Martin", "Luc");
    a.Union(pierre, anne);
    a.bd.SupprimeFiche(libre);
    options.fichesParPage = 2;
    options.tousPrenoms = false;
  }
  std::unique_ptr<TVuesWeb> Vues() {
    std::unique_ptr<TVuesWeb> v;
    EXPECT_TRUE(TVuesWeb::Ouvre(a.bd, test::TraductionInstallee(), options, modeles, {}, v).ok());
    return v;
  }

  test::ArbreRapport a;
  TOptionsWeb options;
  std::string modeles, sortie;
  int pierre = 0, anne = 0, jean = 0, luc = 0;
};

// Every card link of a page leads, as the site and the built-in browser
// read it, to the person whose name it shows.
void LiensMenentAuxFiches(const std::string& page, const TPagesWeb& pages, int fichesParPage, size_t auMoins) {
  static const std::regex lien("<a href=\"(page[0-9]+\\.htm#fiche[0-9]+)\">([^<]*)</a>");
  size_t n = 0;
  for (auto i = std::sregex_iterator(page.begin(), page.end(), lien); i != std::sregex_iterator(); ++i, ++n) {
    const int r = PersonneDuLien((*i)[1].str(), fichesParPage);
    EXPECT_GT(r, 0) << (*i)[1];
    EXPECT_EQ((*i)[2].str(), pages.PersonName(r)) << (*i)[1];
  }
  EXPECT_GE(n, auMoins) << page;
}

TEST_F(VuesWebTest, RecordPagesAreTheSitesCardsWithLinksIntoTheSite) {
  struct Cas {
    const char* nom;
    int forme;
    bool rapport;
    std::vector<std::string> contient;
    size_t cartes;  // cards on the page
    size_t liens;   // card links at least
  };
  const std::vector<Cas> cas = {
      {"LiteraryRecord", 0, false,
       {"<html><title>Fiche de Martin Jean.</title>\n<div class=\"fichelitteraire\">\r\n"
        "<h3><a href=\"page2.htm#fiche1\">Martin Jean</a></h3>",
        "Il est le fils de <a href=\"page1.htm#fiche1\">Martin Pierre</a>", "Page créée par"_ansi, "</html>\n"},
       1, 3},
      {"TableRecord", 1, false, {"<div class=\"fichetableau\">"}, 1, 2},
      // The report's cards, each in its paragraph; the free slot is skipped.
      {"ReportCards", 0, true,
       {"<html><title>Cousins</title>\n<p><div class=\"fichelitteraire\">\r\n"
        "<h3><a href=\"page1.htm#fiche1\">Martin Pierre</a></h3>",
        "</div>\r\n</p>\r\n<p><div class=\"fichelitteraire\">\r\n<h3><a href=\"page3.htm#fiche1\">Martin Luc</a>"},
       3, 9},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    options.formeFiche = c.forme;
    auto vues = Vues();
    ASSERT_TRUE(vues);
    const std::string page = c.rapport ? vues->PageFichesRapport({pierre, 4, jean, luc}, "Cousins", sortie)
                                       : vues->PageFiche(jean, "Fiche de", sortie);
    for (const std::string& m : c.contient) EXPECT_NE(page.find(m), std::string::npos) << m << "\n" << page;
    const std::string classe = c.forme == 0 ? "<div class=\"fichelitteraire\">" : "<div class=\"fichetableau\">";
    size_t cartes = 0;
    for (size_t i = page.find(classe); i != std::string::npos; i = page.find(classe, i + 1)) ++cartes;
    EXPECT_EQ(cartes, c.cartes);
    LiensMenentAuxFiches(page, vues->Pages(), options.fichesParPage, c.liens);
  }
}

TEST_F(VuesWebTest, AHostileNameIsEscapedInTheTitleTheCardAndTheLinks) {
  a.bd.EcritNom(pierre, "<script>alert(\"x\")</script>&");
  auto vues = Vues();
  ASSERT_TRUE(vues);
  for (int r : {pierre, jean}) {
    const std::string page = vues->PageFiche(r, "Fiche de", sortie);
    EXPECT_EQ(page.find("<script"), std::string::npos) << page;
    EXPECT_NE(page.find("&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;&amp; Pierre"), std::string::npos) << page;
  }
  EXPECT_EQ(vues->PageFiche(pierre, "Fiche de", sortie)
                .find("<html><title>Fiche de &lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;&amp; Pierre.</title>"),
            0u);
}

TEST_F(VuesWebTest, PagesGoWithTheStyleSheetAndMissingTemplatesWriteNothing) {
  auto vues = Vues();
  ASSERT_TRUE(vues);
  ASSERT_TRUE(vues->Ecrit(sortie + "fiche3.htm", vues->PageFiche(jean, "Fiche de", sortie)).ok());
  std::string css;
  EXPECT_TRUE(LitFichier(sortie + "style.css", css).ok());
  EXPECT_EQ(css, "body {}");
  // The report grid: the site's grid page, rows painted as the window does.
  TGrilleRapport g;
  g.DefinitColonnes({{"Nom"}});
  g.AjouteLigne({"<Martin>"}, pierre);
  g.AjouteLigne({"Durand"}, anne);
  const std::string grille = vues->PageGrilleRapport("Liste", g, 1);
  EXPECT_NE(grille.find("<td class=\"rowPair\">&lt;Martin&gt;</td></tr>\r\n<tr><td class=\"rowImpair\">Durand</td>"),
            std::string::npos)
      << grille;
  EXPECT_NE(grille.find("<div class=\"rapport\">"), std::string::npos);
  EXPECT_NE(vues->PageGrilleRapport("Liste", g, 2).find("<td class=\"rowHomme\">&lt;Martin&gt;</td>"),
            std::string::npos);

  fs::remove(modeles + "footer.txt");
  std::unique_ptr<TVuesWeb> sans;
  const Statut s = TVuesWeb::Ouvre(a.bd, test::TraductionInstallee(), options, modeles, {}, sans);
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.message().find("footer.txt"), std::string::npos);
  EXPECT_FALSE(sans);
}

}  // namespace
}  // namespace kindrela
