#include "analysis/report_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "analysis/report_support.h"
#include "core/ansi_literal.h"
#include "core/text.h"

namespace kindrela {
namespace {

using test::ArbreRapport;
using test::F;
using test::H;
using test::TraductionInstallee;

TEST(ModeleColonnes, WritesAndReadsBack) {
  TModeleColonnes m;
  m.colonnes = {{"Nom", "<nom>", "Texte", 120}, {"Né"_ansi, "<dn>", "Date", 80}, {"Âge"_ansi, "<age>", "Nombre", 40}};
  FichierIni ini;
  EcritModeleColonnes(ini, m, 2);
  EXPECT_EQ(ini.LitTexte("Kindrela", "Version", ""), "2");
  EXPECT_FALSE(ini.CleExiste("Colonne", "Large 3"));  // the grid had two columns
  TModeleColonnes lu;
  LitModeleColonnes(ini, lu, "année"_ansi);
  ASSERT_EQ(lu.colonnes.size(), 3u);
  EXPECT_EQ(lu.colonnes[1].titre, "Né"_ansi);
  EXPECT_EQ(lu.colonnes[1].code, "<dn>");
  EXPECT_EQ(lu.colonnes[0].largeur, 120);
  EXPECT_EQ(lu.colonnes[2].largeur, 100);
  EXPECT_EQ(TriDuType(TraductionInstallee(), lu.colonnes[1].type), TriColonne::Date);
  EXPECT_EQ(TriDuType(TraductionInstallee(), lu.colonnes[2].type), TriColonne::Nombre);
  EXPECT_EQ(TriDuType(TraductionInstallee(), lu.colonnes[0].type), TriColonne::Texte);
}

TEST(ModeleColonnes, OlderAndIncompleteFiles) {
  struct Cas {
    const char* texte;
    size_t colonnes;
    const char* type;
  };
  for (const Cas& c : {Cas{"[Critere]\r\nColonne=4\r\n", 4, ""}, Cas{"[Kindrela]\r\nVersion=1\r\n", 1, ""},
                       Cas{"[Kindrela]\r\nVersion=2\r\n", 7, "x"},  // no Nbre: unchanged
                       Cas{"[Kindrela]\r\nVersion=2\r\n[Colonne]\r\nNbre=1\r\nTitre 1=A\r\n", 1, "année"}}) {
    TModeleColonnes m;
    m.colonnes.assign(7, TColonneModele{"t", "c", "x", 10});
    FichierIni ini;
    ini.ChargeTexte(c.texte);
    LitModeleColonnes(ini, m, "année"_ansi);
    ASSERT_EQ(m.colonnes.size(), c.colonnes) << c.texte;
    EXPECT_EQ(m.colonnes[0].type, std::string(c.type) == "année" ? "année"_ansi : std::string(c.type)) << c.texte;
  }
}

TEST(ModeleColonnes, ShippedModelsReadAndListInLowerCase) {
  for (const char* langue : {"1", "2"}) {
    const std::string dossier = std::string(KINDRELA_SOURCE_DIR) + "/data/modele/" + langue + "/rapport/";
    const std::vector<std::string> noms = ListeModeles(dossier, ".kdr");
    ASSERT_GE(noms.size(), 3u) << langue;
    for (const std::string& n : noms) {
      EXPECT_EQ(n, MinusculesAnsi(n));
      // Found again whatever the case of the file name.
      std::string fichier;
      for (const auto& e : std::filesystem::directory_iterator(dossier))
        if (MinusculesAnsi(e.path().stem().string()) == n) fichier = e.path().string();
      FichierIni ini(fichier);
      TModeleColonnes m;
      LitModeleColonnes(ini, m, "");
      EXPECT_GE(m.colonnes.size(), 2u) << fichier;
      for (const TColonneModele& c : m.colonnes) EXPECT_FALSE(c.code.empty()) << fichier;
    }
  }
  EXPECT_TRUE(ListeModeles("/nonexistent/", ".kdr").empty());
}

TEST(RechercheAvancee, FileRoundTripAndDefaults) {
  TRechercheAvancee r;
  r.dansRapport = true;
  r.titre = "Les Martin";
  r.conditions[0] = {"<nom>", 4, "MAR"};
  r.conditions[1] = {"<dn>", 9, "1900"};
  r.etOu = {EtOu::Ou, EtOu::Aucun};
  FichierIni ini;
  EcritRecherche(ini, r);
  EXPECT_EQ(ini.LitTexte("Selection", "EtOu 2", ""), "vide");
  TRechercheAvancee lu;
  LitRecherche(ini, lu);
  EXPECT_TRUE(lu.dansRapport);
  EXPECT_EQ(lu.titre, "Les Martin");
  EXPECT_EQ(lu.conditions[1].test, 9);
  EXPECT_EQ(lu.etOu[0], EtOu::Ou);
  EXPECT_EQ(lu.etOu[1], EtOu::Aucun);
  FichierIni vide;
  TRechercheAvancee d;
  LitRecherche(vide, d);
  EXPECT_FALSE(d.dansRapport);
  EXPECT_EQ(d.titre, "Rapport personnalisé"_ansi);
  EXPECT_EQ(d.conditions[0].test, -1);
}

class Recherche : public ::testing::Test {
 protected:
  void SetUp() override {
    martin = a.Nomme(a.Personne(H, 0, 0, "5/3/1900"), "MARTIN", "Jean");
    marion = a.Nomme(a.Personne(F, 0, 0, "1950"), "MARION", "Anne");
    durand = a.Nomme(a.Personne(H, 0, 0, "1800"), "DURAND", "Martin");
    a.bd.EcritChamp(durand, 18, "MA");
    a.bd.EcritChamp(marion, 18, "MARION Anne");
  }
  TR Evalue(const TRechercheAvancee& r, const TR* rapport = nullptr) {
    TR res;
    EXPECT_TRUE(EvalueRecherche(a.Ctx(), r, rapport, res));
    return res;
  }
  ArbreRapport a;
  int martin = 0, marion = 0, durand = 0;
};

TEST_F(Recherche, CombinesConditionsLeftToRight) {
  TRechercheAvancee r;
  r.conditions[0] = {"<nom>", 4, "MAR"};  // begins with
  EXPECT_EQ(Evalue(r).Vecteur(), (std::vector<int>{martin, marion}));
  r.conditions[1] = {"<eve:Naissance,année>"_ansi, 14, "1920"};  // number above
  r.etOu[0] = EtOu::Et;
  EXPECT_EQ(Evalue(r).Vecteur(), (std::vector<int>{marion}));
  r.etOu[0] = EtOu::Ou;
  r.conditions[1] = {"<prénoms>"_ansi, 0, "martin"};
  EXPECT_EQ(Evalue(r).Vecteur(), (std::vector<int>{martin, marion, durand}));
  // Condition 3 joined by ET to the union of the first two.
  r.etOu[1] = EtOu::Et;
  r.conditions[2] = {"<nom>", 3, "MARION"};
  EXPECT_EQ(Evalue(r).Vecteur(), (std::vector<int>{martin, durand}));
  // Over the report's persons only.
  r.dansRapport = true;
  TR rapport(10);
  rapport.Add(durand);
  EXPECT_EQ(Evalue(r, &rapport).Vecteur(), (std::vector<int>{durand}));
}

TEST_F(Recherche, ValueTemplateIsExpandedForEachPerson) {
  // "texte commence par" <nom>: each person's note against its own surname.
  TRechercheAvancee r;
  r.conditions[0] = {"<nom>", 4, "<nom>"};
  EXPECT_EQ(Evalue(r).Count(), 3);
  r.conditions[0] = {"<note>", 4, "<nom>"};
  EXPECT_EQ(Evalue(r).Vecteur(), (std::vector<int>{marion}));
  // An empty note begins every surname.
  r.conditions[0] = {"<nom>", 4, "<note>"};
  EXPECT_EQ(Evalue(r).Vecteur(), (std::vector<int>{martin}));
}

TEST_F(Recherche, IncompleteFirstConditionEvaluatesNothing) {
  TRechercheAvancee r;
  TR res(5);
  res.Add(42);
  r.conditions[0] = {"<nom>", -1, "x"};
  EXPECT_FALSE(EvalueRecherche(a.Ctx(), r, nullptr, res));
  EXPECT_EQ(res.Vecteur(), (std::vector<int>{42}));
  r.conditions[1] = {"", 0, "x"};
  EXPECT_TRUE(RechercheSuspendue(r));
}

TEST(SelectionParente, KindsTitlesAndSort) {
  ArbreRapport a;
  // Great-grandparents 1 + 2; their children 3 (grandfather) and 4 (his
  // sister); 5 child of 3, 6 child of 4; 7 child of 5 (the person), 8
  // child of 6 (a second cousin of 7's parent generation), 9 child of 8.
  const int gp1 = a.Nomme(a.Personne(H), "A", "Un"), gm1 = a.Nomme(a.Personne(F), "A", "Deux");
  const int gp = a.Nomme(a.Personne(H, gp1, gm1), "B", "Grand-père"), soeur = a.Nomme(a.Personne(F, gp1, gm1), "C", "Soeur");
  const int pere = a.Nomme(a.Personne(H, gp), "B", "Père"_ansi);
  const int cousinPere = a.Nomme(a.Personne(H, 0, soeur), "D", "Cousin");
  const int moi = a.Nomme(a.Personne(H, pere), "B", "Moi");
  const int cousin = a.Nomme(a.Personne(F, cousinPere), "E", "Cousine");
  const int petit = a.Nomme(a.Personne(F, 0, cousin), "F", "Petite");
  (void)petit;
  // "Les cousins" at degree 2: the grandchildren of the grandparents' siblings.
  TSelection s = SelectionParente(a.bd, 8, moi, 2, false);
  EXPECT_EQ(s.liste.Vecteur(), (std::vector<int>{cousin}));
  EXPECT_EQ(s.titre, "Les cousins et les cousines de B Moi au 2 ème degrés"_ansi);
  s = SelectionParente(a.bd, 7, moi, 1, false);
  EXPECT_TRUE(s.liste.Vecteur().empty());
  EXPECT_EQ(s.titre, "Les oncles et les tantes de B Moi au 1 er degré"_ansi);
  s = SelectionParente(a.bd, 7, moi, 2, false);
  EXPECT_EQ(s.liste.Vecteur(), (std::vector<int>{soeur}));
  s = SelectionParente(a.bd, 9, moi, 3, false);
  EXPECT_EQ(s.liste.Vecteur(), (std::vector<int>{gp1, gm1}));
  EXPECT_EQ(s.titre, "3 ème degrés des ascendants de B Moi"_ansi);
  s = SelectionParente(a.bd, 1, moi, 1, false);
  EXPECT_EQ(s.titre, "Les parents de B Moi");
  s = SelectionParente(a.bd, 2, gp1, 3, true);
  EXPECT_EQ(s.titre, "La descendance de A Un sur 3 générations"_ansi);
  // Sorted on surname and given names.
  EXPECT_EQ(s.liste.Vecteur(), (std::vector<int>{gp, moi, pere, soeur, cousinPere, cousin}));
  s = SelectionParente(a.bd, -1, moi, 5, false);
  EXPECT_EQ(s.liste.Vecteur(), (std::vector<int>{moi}));
  EXPECT_EQ(s.titre, "La personne");
  TR ecran(3);
  ecran.Add(pere);
  s = SelectionParente(a.bd, 14, moi, 1, false, &ecran);
  EXPECT_EQ(s.liste.Vecteur(), (std::vector<int>{pere}));
  EXPECT_EQ(SelectionParente(a.bd, 0, moi, 1, false).liste.Count(), a.bd.NbreFichesUtilisees());
}

TEST(RemplitGrille, OneRowPerPersonWithTheModelsColumns) {
  ArbreRapport a;
  const int p = a.Nomme(a.Personne(H, 0, 0, "5/3/1900"), "MARTIN", "Jean");
  const int q = a.Nomme(a.Personne(F), "DURAND", "Anne");
  TModeleColonnes m;
  m.colonnes = {{"Nom", "<nom> <prénom>"_ansi, "Texte", 120}, {"Né"_ansi, "<eve:Naissance,date>", "Date", 80}};
  TR l(5);
  l.Add(q);
  l.Add(p);
  TGrilleRapport g;
  int appels = 0;
  ASSERT_FALSE(RemplitGrille(a.Ctx(), TraductionInstallee(), m, l, g, [&](long long, long long) { return ++appels > 0; }).annule);
  ASSERT_EQ(g.NbreLignes(), 2);
  EXPECT_EQ(g.Cellule(0, 0), "DURAND Anne");
  EXPECT_EQ(g.Cellule(1, 1), "5/3/1900");
  EXPECT_EQ(g.Personne(1), p);
  EXPECT_EQ(g.Colonnes()[1].tri, TriColonne::Date);
  EXPECT_EQ(LegendeListe(TraductionInstallee(), "Les parents", 2), "Les parents (2 personnes)");
  // Cancelled at the first progress point.
  TR beaucoup(200);
  for (int i = 0; i < 120; ++i) beaucoup.Add(p);
  EXPECT_TRUE(RemplitGrille(a.Ctx(), TraductionInstallee(), m, beaucoup, g, [](long long, long long) { return false; }).annule);
  EXPECT_EQ(g.NbreLignes(), 50);
}

}  // namespace
}  // namespace kindrela
