#include "analysis/web_views.h"

#include <gtest/gtest.h>

#include "analysis/report_html.h"
#include "chart/kinship_tree.h"
#include "core/database.h"

namespace kindrela {
namespace {

using test::Arbre;
using test::F;
using test::H;

// ---------------------------------------------------------------------------
// The person of a card link

struct CasLien {
  const char* nom;
  const char* lien;
  int fichesParPage;
  int attendu;
};

class PersonneDuLienTest : public ::testing::TestWithParam<CasLien> {};

TEST_P(PersonneDuLienTest, GivesTheCardsPerson) {
  const CasLien& c = GetParam();
  EXPECT_EQ(PersonneDuLien(c.lien, c.fichesParPage, 100), c.attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Liens, PersonneDuLienTest,
    ::testing::Values(CasLien{"SecondPageFirstCard", "page2.htm#fiche1", 25, 26},
                      CasLien{"FileUrl", "file:///home/a/site/page1.htm#fiche3", 25, 3},
                      CasLien{"WindowsPath", "C:\\site\\page3.htm#fiche25", 25, 75},
                      CasLien{"AnchorBeyondThePage", "page2.htm#fiche26", 25, 0},
                      CasLien{"UpperCase", "PAGE2.HTM#FICHE1", 25, 0},
                      CasLien{"AllOnOnePage", "page1.htm#fiche40", 0, 40},
                      CasLien{"BeyondTheCount", "page5.htm#fiche1", 25, 0},
                      CasLien{"PageZero", "page0.htm#fiche1", 25, 0},
                      CasLien{"NoAnchorNumber", "page2.htm#fiche", 25, 0},
                      CasLien{"NoAnchor", "page2.htm", 25, 0},
                      CasLien{"OtherPage", "liste.htm", 25, 0},
                      CasLien{"OtherExtension", "page2.html#fiche1", 25, 0},
                      CasLien{"TrailingText", "page2.htm#fiche1x", 25, 0},
                      CasLien{"HugeNumber", "page99999999999999999999999.htm#fiche1", 25, 0},
                      CasLien{"FolderNamedLikeAPage", "page1.htm#fiche2/liste.htm", 25, 0}),
    [](const ::testing::TestParamInfo<CasLien>& i) { return std::string(i.param.nom); });

// ---------------------------------------------------------------------------
// Pages of a small tree

class PagesWeb : public ::testing::Test {
 protected:
  // 1 Paul Durand, son of 2 Jean Durand and 3 Marie Martin; 5 Luc is his
  // brother; 4 Louis Durand is Jean's father; Jean also married 6 Anne Petit.
  PagesWeb() {
    louis = Nomme(a.Personne(H), "Durand", "Louis");
    jean = Nomme(a.Personne(H, louis), "Durand", "Jean");
    marie = Nomme(a.Personne(F), "Martin", "Marie");
    paul = Nomme(a.Personne(H, jean, marie), "Durand", "Paul");
    luc = Nomme(a.Personne(H, jean, marie), "Durand", "Luc");
    anne = Nomme(a.Personne(F), "Petit", "Anne");
    a.Union(jean, marie);
    a.Union(jean, anne);
    g.entete = [](std::string_view titre) { return "<html><title>" + EchappeHtml(titre) + "</title>"; };
    g.pied = [] { return std::string("</html>"); };
    g.nomPersonne = [this](int r) { return a.bd.LitNom(r) + " " + a.bd.LitPrenoms(r); };
    g.lienPersonne = [this](int r) { return "[" + EchappeHtml(g.nomPersonne(r)) + "]"; };
    g.adresseFiche = [](int r) { return "page1.htm#fiche" + std::to_string(r); };
  }
  int Nomme(int p, const std::string& nom, const std::string& prenoms) {
    a.bd.EcritNom(p, nom);
    a.bd.EcritPrenoms(p, prenoms);
    return p;
  }
  int Source(const std::string& titre, const std::string& abrege, const std::string& texte, const std::string& media) {
    const int s = a.bd.NouvelleSrc();
    a.bd.EcritChampSrc(s, 1, titre);
    a.bd.EcritChampSrc(s, 2, texte);
    a.bd.EcritChampSrc(s, 3, abrege);
    a.bd.EcritChampSrc(s, 4, media);
    return s;
  }
  std::string Ascendance(ModeAscendance mode, int generations, int p = 0) {
    TOptionsAscendance o;
    o.mode = mode;
    o.generations = generations;
    return PageAscendance(a.bd, g, p ? p : paul, o);
  }
  static size_t Compte(const std::string& texte, const std::string& motif) {
    size_t n = 0;
    for (size_t i = texte.find(motif); i != std::string::npos; i = texte.find(motif, i + 1)) ++n;
    return n;
  }

  Arbre a;
  TGabaritPage g;
  int louis, jean, marie, paul, luc, anne;
};

TEST_F(PagesWeb, AncestryByGenerationListsKnownPositionsWithSosaNumbers) {
  const std::string p = Ascendance(ModeAscendance::ParGeneration, 3);
  EXPECT_EQ(p.find("<html><title>Rapport</title><h2>Ascendance de Durand Paul</h2>Sur 3 générations."_ansi), 0u);
  EXPECT_NE(p.find("<h3>Génération 1 (1/1 : 100%)</h3><ul>"_ansi), std::string::npos);
  EXPECT_NE(p.find("<h3>Génération 2 (2/2 : 100%)</h3><ul>"_ansi), std::string::npos);
  EXPECT_NE(p.find("<li type=\"square\">2 - [Durand Jean]</li><li type=\"circle\">3 - [Martin Marie]</li>"),
            std::string::npos);
  EXPECT_NE(p.find("<h3>Génération 3 (1/4 : 25%)</h3><ul>\r\n<li type=\"square\">4 - [Durand Louis]</li></ul>"_ansi),
            std::string::npos);
  EXPECT_NE(p.find("Il y a 4 personnes.\r\n</html>"), std::string::npos);
  EXPECT_NE(Ascendance(ModeAscendance::ParGeneration, 1).find("</h2>Sur 1 génération.\r\n"_ansi), std::string::npos);
}

TEST_F(PagesWeb, AncestryWithAbsentsListsEveryPosition) {
  const std::string p = Ascendance(ModeAscendance::AvecAbsents, 3);
  EXPECT_NE(p.find("<li type=\"circle\">5 - </li><li type=\"square\">6 - </li><li type=\"circle\">7 - </li>"),
            std::string::npos);
  EXPECT_NE(p.find("Il y a 7 personnes."), std::string::npos);
}

TEST_F(PagesWeb, MissingAncestorsNameThePersonsWithoutParentsAndTheLonePartners) {
  const std::string p = Ascendance(ModeAscendance::Manquants, 3);
  EXPECT_NE(p.find("s.<br>Les ascendants manquant."), std::string::npos);
  EXPECT_NE(p.find("<li type=\"circle\">3 - Les parents de [Martin Marie]</li>"), std::string::npos);
  EXPECT_NE(p.find("<li type=\"square\">4 - Les parents de [Durand Louis]</li>"
                   "<li type=\"circle\">5 - Conjoint de [Durand Louis]</li>"),
            std::string::npos);
  EXPECT_EQ(p.find("[Durand Jean]"), std::string::npos);
  EXPECT_NE(p.find("Il y a 3 personnes."), std::string::npos);
}

TEST_F(PagesWeb, AncestryAddsSiblingsOtherSpousesAndTheComplementEscaped) {
  TOptionsAscendance o;
  o.generations = 2;
  o.fratrie = true;
  o.conjoints = true;
  o.complement = [this](int r) { return r == paul ? std::string() : "<né>"_ansi; };
  const std::string p = PageAscendance(a.bd, g, paul, o);
  // Same surname: the given names alone.
  EXPECT_NE(p.find("1 - [Durand Paul]  <small> (Fratrie: <a href=\"page1.htm#fiche5\">Luc</a>)</small></li>"),
            std::string::npos);
  // Generation 2 on: the spouses other than the partner of the pair, with
  // their surname when it differs.
  EXPECT_NE(p.find("2 - [Durand Jean] &lt;né&gt; <small> (Autres conjoints: "
                   "<a href=\"page1.htm#fiche6\">Petit Anne</a>)</small></li>"_ansi),
            std::string::npos);
}

TEST_F(PagesWeb, AncestryCutsALoopOfParentsAndKeepsTheAskedGenerations) {
  a.bd.EcritPere(louis, paul);
  const std::string p = Ascendance(ModeAscendance::ParGeneration, 10);
  EXPECT_NE(p.find("<h3>Génération 4 (0/8 : 0%)</h3>"_ansi), std::string::npos);
  EXPECT_NE(p.find("<h3>Génération 10 (0/512 : 0%)</h3>"_ansi), std::string::npos);
  EXPECT_NE(p.find("Il y a 4 personnes."), std::string::npos);
}

TEST_F(PagesWeb, AncestryWithAbsentsStopsWhereOnlyEmptyLinesWouldFollow) {
  const std::string p = Ascendance(ModeAscendance::AvecAbsents, 99);
  EXPECT_NE(p.find("Sur 99 générations."_ansi), std::string::npos);
  EXPECT_NE(p.find("<h3>Génération 17 (0/65536 : 0%)</h3>"_ansi), std::string::npos);
  EXPECT_EQ(p.find("Génération 18"_ansi), std::string::npos);
  EXPECT_NE(p.find("Il y a 131071 personnes."), std::string::npos);
}

TEST_F(PagesWeb, SourcesOfAllPersonsListEverySourceWithItsPersons) {
  const int acte = Source("<Acte> & co", "AN", "note", "scan.jpg|recto");
  const int recensement = Source("Recensement", "", "", "");
  a.bd.AjouteSrc(paul, acte);
  a.bd.AjouteSrc(luc, acte);
  a.bd.AjouteSrc(luc, recensement);
  std::vector<std::string> images;
  const std::string p = PageSources(a.bd, g, {}, {"Sources", "Toutes", "Du rapport"}, nullptr, {},
                                    [&](const std::string& f) {
                                      images.push_back(f);
                                      return "<img src=\"scan.jpg\">";
                                    });
  EXPECT_EQ(p.find("<html><title>Sources</title><h3>Toutes</h3>"), 0u);
  EXPECT_NE(p.find("<tr><td width=\"30%\"><img src=\"scan.jpg\"></td><td><b>&lt;Acte&gt; &amp; co</b>"
                   "<br><br>AN<br><br>note<br><br>[Durand Paul], [Durand Luc]</td></tr></table>"),
            std::string::npos);
  EXPECT_NE(p.find("<td><b>Recensement</b><br><br>[Durand Luc]</td>"), std::string::npos);
  EXPECT_EQ(images, std::vector<std::string>({"scan.jpg"}));
}

TEST_F(PagesWeb, SourcesOfTheReportsPersonsKeepOnlyTheirSourcesAndTheChosenParts) {
  const int acte = Source("Acte", "AN", "note", "");
  const int recensement = Source("Recensement", "", "", "");
  a.bd.AjouteSrc(paul, acte);
  a.bd.AjouteSrc(luc, recensement);
  TOptionsPageSources o;
  o.sorte = false;
  o.personnes = false;
  const std::vector<int> rapport{paul};
  const std::string p = PageSources(a.bd, g, o, {"Sources", "Toutes", "Du rapport :"}, &rapport, "Cousins",
                                    [](const std::string&) { return std::string("<img>"); });
  EXPECT_NE(p.find("<h3>Du rapport : Cousins</h3>"), std::string::npos);
  EXPECT_NE(p.find("<tr><td><b>Acte</b><br><br>note</td></tr>"), std::string::npos);
  EXPECT_EQ(p.find("Recensement"), std::string::npos);
}

TEST_F(PagesWeb, ChartPageShowsThePictureOfTheReference) {
  a.bd.EcritNom(paul, "Du<r>and");
  const std::string p = PageArbre(g, "Arbre de", paul);
  EXPECT_EQ(p, "<html><title>Arbre de Du&lt;r&gt;and Paul.</title><H3>Arbre de Du&lt;r&gt;and Paul</H3>\r\n"
               "<p align=\"center\"><img src=\"arbre4.jpg\"></p>\r\n</html>");
}

TEST_F(PagesWeb, StatisticsAndMapPagesEscapeTheirTextsAroundThePicture) {
  struct Cas {
    std::string page, attendu;
  };
  const std::vector<Cas> cas = {
      {PageStatistique(g, "Age <moyen>", "Tous & co", "stat1.png", {"1 < 2", "fin"}),
       "<html><title>Age &lt;moyen&gt;</title><h1>Age &lt;moyen&gt;</h1>\r\n<p>Tous &amp; co</p>\r\n"
       "<img src=\"stat1.png\" alt=\"\">\r\n<p>1 &lt; 2</p>\r\n<p>fin</p>\r\n</html>"},
      {PageCarte(g, "France \"1900\"", "carte7.png", "<France>", {"Ain", "<b>Paris</b>"}),
       "<html><title>France &quot;1900&quot;</title><h1>France &quot;1900&quot;</h1>\r\n"
       "<p><img src=\"carte7.png\" alt=\"&lt;France&gt;\"></p>\r\n<ul>\r\n<li>Ain</li>\r\n"
       "<li><b>Paris</b></li>\r\n</ul>\r\n</html>"},
      {PageCarte(g, "En ligne", "", "France", {}), "<html><title>En ligne</title><h1>En ligne</h1>\r\n<ul>\r\n</ul>\r\n</html>"},
  };
  for (const Cas& c : cas) EXPECT_EQ(c.page, c.attendu);
}

TEST(FichiersSupplementaires, KeepEachPageOnceInTheOrderMade) {
  std::vector<std::string> f;
  AjouteFichierSupplementaire(f, "/w/arbre1.htm");
  AjouteFichierSupplementaire(f, "/w/source1.htm");
  AjouteFichierSupplementaire(f, "/w/arbre1.htm");
  EXPECT_EQ(f, std::vector<std::string>({"/w/arbre1.htm", "/w/source1.htm"}));
}

}  // namespace
}  // namespace kindrela
