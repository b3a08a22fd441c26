#include "analysis/report_grid.h"

#include <gtest/gtest.h>

#include "core/ansi_literal.h"

namespace kindrela {
namespace {

TGrilleRapport Grille() {
  TGrilleRapport g;
  g.DefinitColonnes({{"Nom", 100, TriColonne::Texte}, {"Date", 80, TriColonne::Date}, {"N", 50, TriColonne::Nombre}});
  g.AjouteLigne({"martin", "5/3/1900", "10"}, 1);
  g.AjouteLigne({"", "", ""}, 2);
  g.AjouteLigne({"Durand", "1899", "9"}, 3);
  g.AjouteLigne({"MARTIN", "avant 5/3/1900", "-2"}, 4);
  return g;
}

std::vector<int> Ordre(const TGrilleRapport& g) {
  std::vector<int> r;
  for (int i = 0; i < g.NbreLignes(); ++i) r.push_back(g.Personne(i));
  return r;
}

TEST(GrilleRapport, SortsEachColumnByItsTypeWithEmptyCellsLast) {
  struct Cas {
    int colonne;
    bool croissant;
    std::vector<int> attendu;
  };
  for (const Cas& c : {Cas{0, true, {3, 1, 4, 2}}, Cas{0, false, {1, 4, 3, 2}}, Cas{1, true, {3, 4, 1, 2}},
                       Cas{1, false, {1, 4, 3, 2}}, Cas{2, true, {4, 3, 1, 2}}, Cas{2, false, {1, 3, 4, 2}}}) {
    TGrilleRapport g = Grille();
    g.Trie(c.colonne, c.croissant, "j/m/a");
    EXPECT_EQ(Ordre(g), c.attendu) << "column " << c.colonne << (c.croissant ? " up" : " down");
    // The cells travel with their row.
    EXPECT_EQ(g.Cellule(g.LigneDe(3), 0), "Durand");
  }
}

TEST(GrilleRapport, ClickingATitleReversesTheLastSortOfThatColumnOnly) {
  TGrilleRapport g = Grille();
  g.TrieClic(2, "j/m/a");
  EXPECT_TRUE(g.TriCroissant());
  g.TrieClic(2, "j/m/a");
  EXPECT_FALSE(g.TriCroissant());
  EXPECT_EQ(g.ColonneTriee(), 2);
  g.TrieClic(0, "j/m/a");
  EXPECT_TRUE(g.TriCroissant());
  // Dates written month first sort by their day order too.
  TGrilleRapport m;
  m.DefinitColonnes({{"D", 80, TriColonne::Date}});
  m.AjouteLigne({"3/5/1900"}, 1);
  m.AjouteLigne({"5/3/1900"}, 2);
  m.Trie(0, true, "m/j/a");
  EXPECT_EQ(Ordre(m), (std::vector<int>{1, 2}));
  m.Trie(0, true, "j/m/a");
  EXPECT_EQ(Ordre(m), (std::vector<int>{2, 1}));
}

TEST(GrilleRapport, DelimitedTextEndsEveryCellWithTheSeparator) {
  TGrilleRapport g;
  g.DefinitColonnes({{"A", 10, TriColonne::Texte}, {"B", 10, TriColonne::Texte}});
  g.AjouteLigne({"x", "y, z"});
  EXPECT_EQ(g.TexteDelimite(SeparateurFiltre(2)), "A,B,\r\nx,y, z,\r\n");
  EXPECT_EQ(g.TexteDelimite(SeparateurFiltre(3)), "A\tB\t\r\nx\ty, z\t\r\n");
  EXPECT_EQ(SeparateurFiltre(1), ';');
  EXPECT_EQ(g.TexteCsv(), "A,B\r\nx,\"y, z\"\r\n");
  g.AjouteLigne({"dit \"le\"", ""});
  EXPECT_NE(g.TexteCsv().find("\"dit \"\"le\"\"\","), std::string::npos);
  EXPECT_EQ(NomExportTexte("/tmp/r"), "/tmp/r.txt");
}

TEST(GrilleRapport, PersonsRowsAndWidth) {
  TGrilleRapport g = Grille();
  EXPECT_EQ(g.Personnes().Vecteur(), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(g.LigneDe(4), 3);
  EXPECT_EQ(g.LigneDe(9), -1);
  EXPECT_EQ(g.LargeurTotale(), 100 + 80 + 50 + 3);
  g.OublieLesPersonnes();
  EXPECT_EQ(g.Personnes().Count(), 0);
  EXPECT_EQ(g.Cellule(9, 0), "");
}

TEST(GrilleRapport, RowRulesFollowTheFormatting) {
  struct Cas {
    int ligne, forme, sexe;
    const char* regle;
  };
  for (const Cas& c : {Cas{0, 2, 0, "table thead td"}, Cas{1, 0, 0, ".rowunique"}, Cas{1, 1, 0, ".rowPair"},
                       Cas{2, 1, 0, ".rowImpair"}, Cas{3, 2, 0, ".rowHomme"}, Cas{3, 2, 1, ".rowFemme"},
                       Cas{3, 2, 2, ".rowFemme"}, Cas{2, 7, 0, ".rowImpair"}})
    EXPECT_EQ(RegleLigne(c.ligne, c.forme, c.sexe), c.regle) << c.ligne << " " << c.forme << " " << c.sexe;
}

TEST(StyleCss, FindsARuleBackgroundAndReadsItsColour) {
  const std::string css =
      "/* .rowPair { background-color: #000000; } */\n"
      "table thead td { color: #fff; background-color: #7a5230; }\n"
      ".rowpair { background-color: #111111 }\n"
      ".rowPair, .autre { Background-Color : rgb(253, 248, 238) ; }\n";
  EXPECT_EQ(ProprieteCss(css, "table thead td", "background-color"), "#7a5230");
  EXPECT_EQ(ProprieteCss(css, ".rowPair", "background-color"), "rgb(253, 248, 238)");
  EXPECT_EQ(ProprieteCss(css, ".absent", "background-color"), "");
  int r = 0, g = 0, b = 0;
  ASSERT_TRUE(LitCouleurCss("#7a5230", r, g, b));
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{0x7a, 0x52, 0x30}));
  ASSERT_TRUE(LitCouleurCss(" #abc", r, g, b));
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{0xaa, 0xbb, 0xcc}));
  ASSERT_TRUE(LitCouleurCss("rgb(253, 248, 238)", r, g, b));
  EXPECT_EQ(r, 253);
  for (const char* faux : {"", "#12", "#ggg", "red", "rgb(1,2)"}) EXPECT_FALSE(LitCouleurCss(faux, r, g, b)) << faux;
}

TEST(FormateMsg, FillsEachPlaceholderInOrder) {
  EXPECT_EQ(FormateMsg("%s sur %s, soit %s %%", {"3", "4", "75"}), "3 sur 4, soit 75 %");
  EXPECT_EQ(FormateMsg("%s et %s", {"a"}), "a et ");
  EXPECT_EQ(FormateMsg("100%", {}), "100%");
}

}  // namespace
}  // namespace kindrela
