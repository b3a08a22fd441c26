#include "analysis/web_cards.h"

#include <gtest/gtest.h>

#include "core/ansi_literal.h"
#include "core/clock.h"
#include "report_support.h"

namespace kindrela {
namespace {

using namespace std::string_literals;
using test::ArbreRapport;
using test::F;
using test::H;

class CartesWebTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FixeAujourdhui(Jour{2024, 3, 5});
    options.fichesParPage = 10;
    // Pierre (1) and Anne (2) marry; their children Jean (3) and Luc (4).
    pierre = a.Nomme(a.Personne(H, 0, 0, "1/2/1900"), "Martin", "Pierre");
    a.bd.EcritProfession(pierre, "Meunier");
    anne = a.Nomme(a.Personne(F, 0, 0, "1905"), "Durand", "Anne");
    jean = a.Nomme(a.Personne(H, pierre, anne, "3/4/1930"), "Martin", "Jean");
    luc = a.Nomme(a.Personne(H, pierre, anne, "1935"), "Martin", "Luc");
    const int u = a.Union(pierre, anne, "5/6/1929");
    a.bd.EcritChampUnion(u, 5, "Paris");
    a.bd.EcritDateDeces(pierre, "2/2/1960");
  }
  void TearDown() override { LibereAujourdhui(); }
  TPagesWeb Pages() { return TPagesWeb(a.bd, test::TraductionInstallee(), options, modeles); }

  ArbreRapport a;
  TOptionsWeb options;
  TModelesWeb modeles;
  int pierre = 0, anne = 0, jean = 0, luc = 0;
};

TEST_F(CartesWebTest, LiteraryCardTellsParentsChildrenAndUnions) {
  const TPagesWeb pages = Pages();
  const std::string carte = CardLiterary(pages, jean);
  EXPECT_NE(carte.find("<p>Il est le fils de <a href=\"page1.htm#fiche1\">Martin Pierre</a>, Meunier, "
                       "âgé de 30 ans, et de <a href=\"page1.htm#fiche2\">Durand Anne</a>, âgée de 25 ans.</p>"_ansi),
            std::string::npos)
      << carte;
  const std::string pere = CardLiterary(pages, pierre);
  EXPECT_NE(pere.find("Ses enfants sont <a href=\"page1.htm#fiche3\">Martin Jean</a> et "
                      "<a href=\"page1.htm#fiche4\">Martin Luc</a>."),
            std::string::npos);
  EXPECT_NE(pere.find("Le 5/6/1929 à Paris, il épouse <a href=\"page1.htm#fiche2\">Durand Anne</a>. "
                      "De cette union naitront "_ansi),
            std::string::npos);
  EXPECT_EQ(CardLiterary(pages, 99), "");
}

TEST_F(CartesWebTest, ChronologyIsSortedWithComputedEventsOfRelatives) {
  a.Eve(jean, "Service militaire", "");
  a.Eve(jean, "Mariage", "12/5/1955", "Lyon");
  const TPagesWeb pages = Pages();
  const std::string c = Chronologie(pages, jean);
  const size_t inconnue = c.find("A une date non connue, Service militaire.");
  const size_t naissance = c.find("Le 3/4/1930, Naissance.");
  const size_t frere = c.find("A 4 ans, en 1935, naissance d'un frère "_ansi);
  const size_t mariage = c.find("A 25 ans, le 12/5/1955, Mariage à Lyon."_ansi);
  const size_t pere = c.find("A 29 ans, le 2/2/1960, décès de son père "_ansi
                             "<a href=\"page1.htm#fiche1\">Martin Pierre</a> à l'âge de 60 ans."_ansi);
  ASSERT_NE(inconnue, std::string::npos) << c;
  ASSERT_NE(naissance, std::string::npos) << c;
  ASSERT_NE(frere, std::string::npos) << c;
  ASSERT_NE(mariage, std::string::npos) << c;
  ASSERT_NE(pere, std::string::npos) << c;
  EXPECT_LT(inconnue, naissance);
  EXPECT_LT(naissance, frere);
  EXPECT_LT(frere, mariage);
  EXPECT_LT(mariage, pere);
  options.ficheCalcules = false;
  EXPECT_EQ(Chronologie(pages, jean).find("de son père"_ansi), std::string::npos);
  options.ficheEvenements = false;
  EXPECT_EQ(Chronologie(pages, jean), "");
}

TEST_F(CartesWebTest, TableCardHasItsColumnsAndSources) {
  const int s = a.bd.AjouteNouvelleSrc(jean);
  a.bd.EcritChampSrc(s, 1, "Acte <n°3>"_ansi);
  a.bd.EcritChampSrc(s, 3, "Etat civil");
  const TPagesWeb pages = Pages();
  const std::string c = CardTable(pages, jean, "", nullptr);
  for (const std::string& mot : {"Parents"s, std::string("Frères et soeurs"_ansi), "Enfants"s, "Conjoints"s, "Sources"s})
    EXPECT_NE(c.find("<td>" + mot + "</td>"), std::string::npos) << mot;
  EXPECT_NE(c.find("<a href=\"page1.htm#fiche4\">Martin Luc</a>"), std::string::npos);
  EXPECT_NE(c.find("<b>Acte &lt;n°3&gt;</b> (Etat civil)"_ansi), std::string::npos) << c;
  options.ficheSources = false;
  EXPECT_EQ(CardTable(pages, jean, "", nullptr).find("Acte"), std::string::npos);
}

TEST_F(CartesWebTest, HostileTreeTextNeverBecomesMarkup) {
  const int r = a.Nomme(a.Personne(F, pierre, anne), "<img src=x onerror=alert(1)>", "\"><script>x</script>");
  a.bd.EcritChamp(r, 18, "Note </div><script>alert(2)</script>\r\nfin");
  a.bd.EcritChampPerso(r, "<b>champ</b>", "<i>valeur</i>");
  a.Eve(r, "<svg onload=alert(3)>", "1940", "<Lieu & co>");
  const TPagesWeb pages = Pages();
  for (int forme : {0, 1}) {
    options.formeFiche = forme;
    const std::string c = Card(pages, r, "", nullptr);
    for (const char* brut : {"<img", "<script", "<svg", "<b>champ", "<i>", "<Lieu", "</div><script"})
      EXPECT_EQ(c.find(brut), std::string::npos) << forme << " " << brut << "\n" << c;
    EXPECT_NE(c.find("Note &lt;/div&gt;&lt;script&gt;alert(2)&lt;/script&gt;<br>fin"), std::string::npos) << c;
  }
}

TEST(CartesWeb, ListsAreJoinedWithEt) {
  EXPECT_EQ(JointListe({}), "");
  EXPECT_EQ(JointListe({"a"}), "a");
  EXPECT_EQ(JointListe({"a", "b"}), "a et b");
  EXPECT_EQ(JointListe({"a", "b", "c"}), "a, b et c");
}

}  // namespace
}  // namespace kindrela
