#include "app/main_commands.h"
#include "core/ansi_literal.h"

#include <gtest/gtest.h>

namespace kindrela {
namespace {

std::vector<int> Personnes(const std::vector<TEntreeHistorique>& liste) {
  std::vector<int> v;
  for (const auto& e : liste) v.push_back(e.personne);
  return v;
}

class HistoriqueTest : public testing::Test {
 protected:
  void SetUp() override {
    for (int i = 1; i <= 6; ++i) {
      int n = bd.NouvelleFiche();
      bd.EcritNom(n, "NOM" + std::to_string(i));
      bd.EcritPrenoms(n, "Jean Pierre");
    }
    bd.EcritDateNaissance(2, "3/4/1900");
  }
  TBD bd;
  THistorique h;
};

TEST_F(HistoriqueTest, NewSelectionsGoOnTopOfBothLists) {
  h.Selectionne(bd, 1, 10);
  EXPECT_FALSE(h.PrecedenteActive());
  h.Selectionne(bd, 2, 10);
  h.Selectionne(bd, 3, 10);
  EXPECT_EQ(Personnes(h.Precedente()), (std::vector<int>{3, 2, 1}));
  EXPECT_TRUE(h.Suivante().empty());
  EXPECT_FALSE(h.SuivanteActive());
  EXPECT_EQ(h.Precedente().front().legende, "NOM3 Jean");
  // Older entries are re-captioned with the birth date.
  EXPECT_EQ(h.Precedente()[1].legende, "NOM2 Jean 3/4/1900");
}

TEST_F(HistoriqueTest, ReselectingMovesThePersonUpWithoutDuplicate) {
  for (int n : {1, 2, 3}) h.Selectionne(bd, n, 10);
  h.Selectionne(bd, 1, 10);
  EXPECT_EQ(Personnes(h.Precedente()), (std::vector<int>{1, 3, 2}));
}

// Back and forward as in a browser: a step back opens "Suivante", a new
// selection closes it again.
TEST_F(HistoriqueTest, GoesBackAndForwardLikeABrowser) {
  for (int n : {1, 2, 3, 4}) h.Selectionne(bd, n, 10);
  EXPECT_EQ(h.Recule(), 3);
  EXPECT_EQ(h.Recule(), 2);
  EXPECT_EQ(Personnes(h.Precedente()), (std::vector<int>{2, 1}));
  EXPECT_EQ(Personnes(h.Suivante()), (std::vector<int>{3, 4}));
  EXPECT_TRUE(h.SuivanteActive());
  // The window then selects the person: nothing moves.
  h.Selectionne(bd, 2, 10);
  EXPECT_EQ(Personnes(h.Suivante()), (std::vector<int>{3, 4}));
  EXPECT_EQ(h.Avance(), 3);
  // Selecting the next person by other means is a step forward too.
  h.Selectionne(bd, 4, 10);
  EXPECT_EQ(Personnes(h.Precedente()), (std::vector<int>{4, 3, 2, 1}));
  EXPECT_TRUE(h.Suivante().empty());
  EXPECT_EQ(h.Avance(), 0);
  // Back to a given entry, then forward to a given one.
  EXPECT_EQ(h.ReculeA(3), 1);
  EXPECT_EQ(Personnes(h.Suivante()), (std::vector<int>{2, 3, 4}));
  EXPECT_EQ(h.AvanceA(1), 3);
  EXPECT_EQ(Personnes(h.Precedente()), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(Personnes(h.Suivante()), (std::vector<int>{4}));
  // A new selection drops what lay ahead.
  h.Selectionne(bd, 5, 10);
  EXPECT_EQ(Personnes(h.Precedente()), (std::vector<int>{5, 3, 2, 1}));
  EXPECT_TRUE(h.Suivante().empty());
  EXPECT_EQ(h.ReculeA(9), 0);
  EXPECT_EQ(h.ReculeA(0), 0);
}

TEST_F(HistoriqueTest, KeepsAtMostTheSettingCount) {
  for (int n : {1, 2, 3, 4, 5}) h.Selectionne(bd, n, 3);
  EXPECT_EQ(Personnes(h.Precedente()), (std::vector<int>{5, 4, 3}));
}

TEST_F(HistoriqueTest, DeletedPersonsDisappearWhenTheListOpens) {
  for (int n : {1, 2, 3}) h.Selectionne(bd, n, 10);
  bd.SupprimeFiche(2);
  h.Nettoie(bd, 10);
  EXPECT_EQ(Personnes(h.Precedente()), (std::vector<int>{3, 1}));
  h.Nettoie(bd, 1);
  EXPECT_EQ(Personnes(h.Precedente()), (std::vector<int>{3}));
}

TEST(NouvelArbre, MakesTheThreeLinkedPersons) {
  TBD bd;
  bd.NouvelleFiche();  // emptied first
  ASSERT_TRUE(CreeNouvelArbre(bd, {"MOI", "PERE", "MERE"}));
  EXPECT_EQ(bd.NbreFichesUtilisees(), 3);
  EXPECT_EQ(bd.LitPere(1), 2);
  EXPECT_EQ(bd.LitMere(1), 3);
  EXPECT_EQ(bd.LitSexe(3), 1);
  EXPECT_EQ(bd.LitChamp(2, 26), "2");
  EXPECT_EQ(bd.LitNom(3), "MERE");
  EXPECT_EQ(bd.LitNumH(1), 2);
  EXPECT_EQ(bd.LitNumF(1), 3);
  EXPECT_EQ(bd.RefPers, 1);
}

TEST(NouvelArbre, FullTablesLeaveAnEmptyTree) {
  CapacitesBD c;
  c.fiches = 2;
  TBD bd(c);
  EXPECT_FALSE(CreeNouvelArbre(bd, {"A", "B", "C"}));
  EXPECT_EQ(bd.NbreFiche(), 0);
}

TEST(ArbreAssistant, SkipsIncompleteSlotsAndLinksTheRest) {
  TBD bd;
  std::array<TPersonneAssistant, 7> s;
  s[0] = {"DURAND", "Paule", "12 3 1950", "FRA,IDF,F75,Paris", "", "", 1};
  s[1] = {"DURAND", "Louis", "1920", "", "5/6/1990", "Lyon", 1};  // only slot 0's sex counts
  s[2] = {"MARTIN", "Anne", "", "", "", ""};
  s[3] = {"DURAND", "", "", "", "", ""};  // no given names: skipped
  s[5] = {"MARTIN", "Henri", "", "", "", ""};
  s[6] = {"PETIT", "Rose", "", "", "", ""};
  int moi = CreeArbreAssistant(bd, s);
  ASSERT_EQ(moi, 1);
  EXPECT_EQ(bd.NbreFichesUtilisees(), 5);
  EXPECT_EQ(bd.LitDateNaissance(1), "12/3/1950");
  EXPECT_EQ(bd.LitLieuNaissance(1), "FRA,IDF,F75,Paris");
  EXPECT_EQ(bd.LitLieuDeces(2), "Lyon");
  EXPECT_EQ(bd.LitSexe(1), 1);  // as typed: a woman
  EXPECT_EQ(bd.LitSexe(2), 0);
  EXPECT_EQ(bd.LitSexe(3), 1);
  EXPECT_EQ(bd.LitSexe(4), 0);  // slot 5: the mother's father
  EXPECT_EQ(bd.LitPere(1), 2);
  EXPECT_EQ(bd.LitMere(1), 3);
  EXPECT_EQ(bd.LitPere(2), 0);
  EXPECT_EQ(bd.LitPere(3), 4);
  EXPECT_EQ(bd.LitMere(3), 5);
  // Unions: the mother's parents and the parents; none for the father's.
  EXPECT_EQ(bd.NbreUnionsValides(), 2);
  EXPECT_EQ(bd.RefPers, 1);
}

struct CasSosa {
  const char* nom;
  const char* reponse;
  int attendu;
};

class RechercheSosaTest : public testing::TestWithParam<CasSosa> {};

TEST_P(RechercheSosaTest, FindsTheWholeItem) {
  TBD bd;
  for (const char* numero : {"1", "6,14", "1/2.1", "16", "", "61"}) {
    int n = bd.NouvelleFiche();
    bd.EcritChamp(n, 26, numero);
  }
  EXPECT_EQ(RechercheSosa(bd, GetParam().reponse, 3), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(
    RechercheSosa, RechercheSosaTest,
    testing::Values(CasSosa{"Root", "1", 1}, CasSosa{"SecondOfAList", "14", 2},
                    CasSosa{"NotAPrefix", "6", 2}, CasSosa{"NoPartialNumber", "4", 0},
                    CasSosa{"Descendant", "1/2.1", 3}, CasSosa{"Spaces", " 16 ", 4},
                    CasSosa{"PersonNumber", "VG5", 5}, CasSosa{"VGAloneIsTheSelection", "VG", 3},
                    CasSosa{"VGUnknownPerson", "VG99", 0}, CasSosa{"Empty", "", 0}),
    [](const auto& info) { return std::string(info.param.nom); });

}  // namespace
}  // namespace kindrela

namespace kindrela {
namespace {

// Three children of one couple, born out of record order; the middle one
// is the one the keyboard starts from.
class VoisinsTest : public testing::Test {
 protected:
  void SetUp() override {
    pere = bd.NouvelleFiche();
    mere = bd.NouvelleFiche();
    bd.EcritSexe(mere, 1);
    for (auto [prenom, date] : {std::pair{"Paul", "1902"}, {"Anne", "1900"}, {"Zoé"_ansi, "1905"}}) {
      int n = bd.NouvelleFiche();
      bd.EcritPrenoms(n, prenom);
      bd.EcritDateNaissance(n, date);
      bd.EcritPere(n, pere);
      bd.EcritMere(n, mere);
      enfants.push_back(n);
    }
  }
  TBD bd;
  int pere = 0, mere = 0;
  std::vector<int> enfants;  // Paul 1902, Anne 1900, Zoé 1905
};

TEST_F(VoisinsTest, SiblingsFollowBirthOrderAndWrap) {
  const int paul = enfants[0], anne = enfants[1], zoe = enfants[2];
  EXPECT_EQ(PersonneVoisine(bd, paul, Parente::FrereSoeur, true), zoe);
  EXPECT_EQ(PersonneVoisine(bd, paul, Parente::FrereSoeur, false), anne);
  // Previous of the first (by birth) is the last one.
  EXPECT_EQ(PersonneVoisine(bd, anne, Parente::FrereSoeur, false), zoe);
  EXPECT_EQ(PersonneVoisine(bd, zoe, Parente::FrereSoeur, true), anne);
}

TEST_F(VoisinsTest, NoRelativeGivesNobody) {
  EXPECT_EQ(PersonneVoisine(bd, pere, Parente::FrereSoeur, true), 0);
  EXPECT_EQ(PersonneVoisine(bd, pere, Parente::Conjoint, true), 0);
  EXPECT_EQ(PersonneVoisine(bd, 0, Parente::Conjoint, true), 0);
}

TEST_F(VoisinsTest, SpousesSkipUnionsWithoutPartner) {
  bd.CreeUnion(pere, mere);
  int vide = bd.NouvelleUnion();
  bd.EcritNumH(vide, pere);
  EXPECT_EQ(PersonneVoisine(bd, pere, Parente::Conjoint, true), mere);
  EXPECT_EQ(PersonneVoisine(bd, mere, Parente::Conjoint, false), pere);
}

TEST_F(VoisinsTest, ChildIsTheFirstVisibleElseTheEldest) {
  EXPECT_EQ(EnfantChoisi(bd, pere, {}), enfants[1]);
  EXPECT_EQ(EnfantChoisi(bd, mere, [&](int n) { return n == enfants[2]; }), enfants[2]);
  EXPECT_EQ(EnfantChoisi(bd, enfants[0], {}), 0);
}

TEST(BullePersonne, NamesThePersonWithWhatIsKnownOfBirthAndDeath) {
  TBD bd;
  bd.NatNaissance = "Naissance";
  bd.NatDeces = "Décès"_ansi;
  const int n = bd.NouvelleFiche();
  bd.EcritNom(n, "LE GALL");
  bd.EcritPrenoms(n, "Yann Pierre");
  EXPECT_EQ(BullePersonne(bd, n), "LE GALL Yann Pierre");
  bd.EcritDateNaissance(n, "12/3/1974");
  bd.EcritLieuNaissance(n, "FRA,IDF,F75,014 Paris");
  bd.EcritLieuDeces(n, "FRA,PDL,F44,000 Nantes");
  EXPECT_EQ(BullePersonne(bd, n),
            "LE GALL Yann Pierre\nNaissance : 12/3/1974, Paris (75)\nDécès : Nantes (44)"_ansi);
  EXPECT_EQ(BullePersonne(bd, 99), "");
}

}  // namespace
}  // namespace kindrela
