#include "editing/search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

constexpr int H = 0, F = 1, I = 2;

struct Arbre {
  TBD bd;
  int Personne(const char* nom, const char* pre, int sexe, const char* naissance = "", int pere = 0, int mere = 0) {
    const int n = bd.NouvelleFiche();
    bd.EcritNom(n, nom);
    bd.EcritPrenoms(n, pre);
    bd.EcritSexe(n, sexe);
    bd.EcritPere(n, pere);
    bd.EcritMere(n, mere);
    if (*naissance) bd.EcritDateNaissance(n, naissance);
    return n;
  }
  std::vector<std::string> Lignes(const TRechercheFiche& r) {
    std::vector<std::string> l;
    for (int k = 0; k < static_cast<int>(r.Personnes().size()); ++k) l.push_back(r.Ligne(k));
    return l;
  }
};

// ---------------------------------------------------------------------------
// Which candidates a link offers

struct CasFiltre {
  const char* nom;
  ModeRecherche mode;
  int sexeA;
  const char* naissanceA;
  int sexeC;
  const char* naissanceC;
  bool avecPere, avecMere;  // the candidate's own parents
  bool tous;
  bool admis;
};

class Filtre : public testing::TestWithParam<CasFiltre> {};

TEST_P(Filtre, OffersOnlyPlausibleCandidates) {
  const CasFiltre& c = GetParam();
  Arbre t;
  const int a = t.Personne("A", "a", c.sexeA, c.naissanceA);
  const int pere = t.Personne("P", "p", H), mere = t.Personne("M", "m", F);
  const int cand = t.Personne("C", "c", c.sexeC, c.naissanceC, c.avecPere ? pere : 0, c.avecMere ? mere : 0);
  FiltreCandidats f{c.mode, a, FenetreNaissance(t.bd, c.mode, a, {}), c.tous};
  EXPECT_EQ(CandidatAdmis(t.bd, f, cand), c.admis);
}

INSTANTIATE_TEST_SUITE_P(
    Search, Filtre,
    testing::Values(
        CasFiltre{"FatherMan", ModeRecherche::Pere, H, "1900", H, "1860", false, false, false, true},
        CasFiltre{"FatherWoman", ModeRecherche::Pere, H, "1900", F, "1860", false, false, false, false},
        CasFiltre{"FatherUnknownSex", ModeRecherche::Pere, H, "1900", I, "1860", false, false, false, true},
        CasFiltre{"FatherBornTooLate", ModeRecherche::Pere, H, "1900", H, "1886", false, false, false, false},
        CasFiltre{"FatherBornTooEarly", ModeRecherche::Pere, H, "1900", H, "1829", false, false, false, false},
        CasFiltre{"FatherOnLowestBound", ModeRecherche::Pere, H, "5/3/1900", H, "1/1/1830", false, false, false, true},
        CasFiltre{"FatherWithoutBirthYear", ModeRecherche::Pere, H, "1900", H, "", false, false, false, true},
        CasFiltre{"FatherTooLateDatesIgnored", ModeRecherche::Pere, H, "1900", H, "1950", false, false, true, true},
        CasFiltre{"FatherOfPersonWithoutYear", ModeRecherche::Pere, H, "", H, "1990", false, false, false, true},
        CasFiltre{"MotherMan", ModeRecherche::Mere, F, "1900", H, "1870", false, false, false, false},
        CasFiltre{"MotherUnknownSex", ModeRecherche::Mere, F, "1900", I, "1870", false, false, false, true},
        CasFiltre{"SiblingWithBothParents", ModeRecherche::Fratrie, H, "1900", H, "1902", true, true, false, false},
        CasFiltre{"SiblingWithOneParent", ModeRecherche::Fratrie, H, "1900", H, "1902", true, false, false, true},
        CasFiltre{"SiblingTooYoung", ModeRecherche::Fratrie, H, "1900", H, "1971", false, false, false, false},
        CasFiltre{"ChildOfManWithFather", ModeRecherche::Enfant, H, "1900", H, "1930", true, false, false, false},
        CasFiltre{"ChildOfManWithMotherOnly", ModeRecherche::Enfant, H, "1900", H, "1930", false, true, false, true},
        CasFiltre{"ChildOfWomanWithMother", ModeRecherche::Enfant, F, "1900", H, "1930", false, true, false, false},
        CasFiltre{"ChildOfUnknownSexWithParents", ModeRecherche::Enfant, I, "1900", H, "1930", true, true, false, true},
        CasFiltre{"ChildBornTooSoon", ModeRecherche::Enfant, H, "1900", H, "1914", false, false, false, false},
        CasFiltre{"SpouseOtherSex", ModeRecherche::Conjoint, H, "1900", F, "1920", false, false, false, true},
        CasFiltre{"SpouseSameSex", ModeRecherche::Conjoint, H, "1900", H, "1900", false, false, false, false},
        CasFiltre{"SpouseGapTooWide", ModeRecherche::Conjoint, H, "1900", F, "1921", false, false, false, false},
        CasFiltre{"SelectionAnyone", ModeRecherche::Selection, H, "1900", F, "2500", true, true, false, true}),
    [](const testing::TestParamInfo<CasFiltre>& i) { return std::string(i.param.nom); });

TEST(Search, CandidateIsNeverThePersonSearchedFor) {
  Arbre t;
  const int a = t.Personne("A", "a", I);
  EXPECT_FALSE(CandidatAdmis(t.bd, {ModeRecherche::Conjoint, a, {}, true}, a));
  EXPECT_FALSE(CandidatAdmis(t.bd, {ModeRecherche::Fratrie, a, {}, true}, a));
  EXPECT_TRUE(CandidatAdmis(t.bd, {ModeRecherche::Selection, 0, {}, false}, a));
  t.bd.SupprimeFiche(a);
  EXPECT_FALSE(CandidatAdmis(t.bd, {ModeRecherche::Selection, 0, {}, false}, a));
}

TEST(Search, BirthYearWindowsFollowTheOptions) {
  Arbre t;
  const int a = t.Personne("A", "a", H, "1900");
  const int sans = t.Personne("S", "s", H);
  const OptionsRecherche o{15, 70, 20};
  EXPECT_EQ(FenetreNaissance(t.bd, ModeRecherche::Pere, a, o), (FenetreAnnees{1830, 1885}));
  EXPECT_EQ(FenetreNaissance(t.bd, ModeRecherche::Mere, a, o), (FenetreAnnees{1830, 1885}));
  EXPECT_EQ(FenetreNaissance(t.bd, ModeRecherche::Enfant, a, o), (FenetreAnnees{1915, 1970}));
  EXPECT_EQ(FenetreNaissance(t.bd, ModeRecherche::Conjoint, a, o), (FenetreAnnees{1880, 1920}));
  EXPECT_EQ(FenetreNaissance(t.bd, ModeRecherche::Fratrie, a, o), (FenetreAnnees{1830, 1970}));
  EXPECT_TRUE(FenetreNaissance(t.bd, ModeRecherche::Selection, a, o).Aucune());
  EXPECT_TRUE(FenetreNaissance(t.bd, ModeRecherche::Pere, sans, o).Aucune());
}

TEST(Search, CaptionsNameThePersonAndTheBounds) {
  Arbre t;
  TTraduction tr;
  tr.ChargeTexte(
      "402;Toutes\r\n403;Recherche\r\n404;Le père de\r\n405;Pères\r\n406;Pères %s-%s\r\n"
      "410;Conjoint de\r\n411;Conjointes\r\n412;Conjoints\r\n413;Conjointes %s-%s\r\n414;Conjoints %s-%s\r\n"_ansi);
  const int a = t.Personne("DUPONT", "Jean Paul", H, "1900");
  const int b = t.Personne("MARTIN", "Zoé"_ansi, F);
  const TextesRecherche pere = TextesDeRecherche(t.bd, tr, ModeRecherche::Pere, a, {1830, 1885});
  EXPECT_EQ(pere.titre, "Le père de DUPONT Jean"_ansi);
  EXPECT_EQ(pere.groupe, "Pères 1830-1885"_ansi);
  EXPECT_TRUE(pere.avecDates);
  EXPECT_EQ(TextesDeRecherche(t.bd, tr, ModeRecherche::Conjoint, b, {}).groupe, "Conjoints");
  EXPECT_EQ(TextesDeRecherche(t.bd, tr, ModeRecherche::Conjoint, a, {1880, 1920}).groupe, "Conjointes 1880-1920");
  const TextesRecherche tous = TextesDeRecherche(t.bd, tr, ModeRecherche::Selection, a, {});
  EXPECT_EQ(tous.titre, "Recherche");
  EXPECT_FALSE(tous.avecDates);
}

TEST(Search, PersonLineFallsBackFromBirthToBaptismToLastMarriage) {
  Arbre t;
  const int ne = t.Personne("N", "Jean", H, "5/3/1900");
  const int baptise = t.Personne("B", "Paul", H);
  t.bd.EcritEveNature(baptise, t.bd.NatBapteme, 2, "1901");
  const int marie = t.Personne("M", "Luc", H);
  for (const char* date : {"1925", "", "1940"}) {
    const int u = t.bd.CreeUnion(marie, t.Personne("F", "f", F));
    if (*date) t.bd.EcritEveUnionNature(u, t.bd.NatMariage, 2, date);
  }
  const int rien = t.Personne("R", "Rémi"_ansi, H);
  EXPECT_EQ(LignePersonne(t.bd, ne, false, "j/m/a"), "Jean  5/3/1900");
  EXPECT_EQ(LignePersonne(t.bd, ne, true, "j/m/a"), "N Jean  5/3/1900");
  EXPECT_EQ(LignePersonne(t.bd, baptise, false, "j/m/a"), "Paul  b 1901");
  EXPECT_EQ(LignePersonne(t.bd, marie, false, "j/m/a"), "Luc  x 1940");
  EXPECT_EQ(LignePersonne(t.bd, rien, false, "j/m/a"), "Rémi  "_ansi);
  EXPECT_EQ(LignePersonne(t.bd, 999, false, "j/m/a"), "");
}

// ---------------------------------------------------------------------------
// The lists

struct Listes : testing::Test {
  Arbre t;
  int dupontJean, dupontAnne, dupontMinuscule, durand, martin;
  void SetUp() override {
    martin = t.Personne("MARTIN", "Zoé"_ansi, F, "1902");
    dupontJean = t.Personne("DUPONT", "Jean", H, "1900");
    durand = t.Personne("DURAND", "Louis", H, "1850");
    dupontMinuscule = t.Personne("Dupont", "Bernard", H, "1870");
    dupontAnne = t.Personne("DUPONT", "Anne", F, "1875");
  }
  TRechercheFiche Recherche(ModeRecherche mode, int a, int depart, FormeListe forme) {
    TRechercheFiche r(t.bd, "j/m/a");
    r.Commence(mode, a, depart, {});
    r.SetForme(forme);
    EXPECT_TRUE(r.Reconstruit());
    return r;
  }
};

TEST_F(Listes, SurnamesAreDistinctWithoutRegardToCaseAndFollowThePrefix) {
  TRechercheFiche r = Recherche(ModeRecherche::Selection, 0, martin, FormeListe::NomPrenom);
  EXPECT_EQ(r.Noms(), (std::vector<std::string>{"DUPONT", "DURAND", "MARTIN"}));
  // The selected person's surname and line are chosen when the dialog opens.
  EXPECT_EQ(r.NomChoisi(), 2);
  EXPECT_EQ(r.Candidat(), martin);
  r.SetPrefixe("dup");
  EXPECT_EQ(r.Noms(), (std::vector<std::string>{"DUPONT"}));
  // A new prefix chooses the first line: persons of that surname by given names.
  EXPECT_EQ(r.Personnes(), (std::vector<int>{dupontAnne, dupontMinuscule, dupontJean}));
  EXPECT_EQ(r.Candidat(), dupontAnne);
  EXPECT_TRUE(r.OkPermis());
  r.SetPrefixe("X");
  EXPECT_TRUE(r.Noms().empty());
  EXPECT_FALSE(r.OkPermis());
}

TEST_F(Listes, LinkingModeFiltersBothForms) {
  // Fathers of Zoé (1902): men born 1832..1887; Durand (1850) and Bernard (1870).
  TRechercheFiche r = Recherche(ModeRecherche::Pere, martin, martin, FormeListe::NomPrenom);
  EXPECT_EQ(r.Noms(), (std::vector<std::string>{"Dupont", "DURAND"}));
  r.ChoisitNom(0);
  EXPECT_EQ(r.Personnes(), (std::vector<int>{dupontMinuscule}));
  r.SetTous(true);
  r.ChoisitNom(0);
  EXPECT_EQ(r.Personnes(), (std::vector<int>{dupontMinuscule, dupontJean}));
  r.SetForme(FormeListe::Unique);
  r.SetTous(false);
  EXPECT_EQ(t.Lignes(r), (std::vector<std::string>{"Dupont Bernard  1870", "DURAND Louis  1850"}));
}

TEST_F(Listes, SingleListIsSortedBySurnameThenGivenNames) {
  TRechercheFiche r = Recherche(ModeRecherche::Selection, 0, dupontJean, FormeListe::Unique);
  EXPECT_EQ(r.Personnes(), (std::vector<int>{dupontAnne, dupontMinuscule, dupontJean, durand, martin}));
  EXPECT_EQ(r.LigneChoisie(), 2);
  r.ChoisitLigne(4);
  EXPECT_EQ(r.Candidat(), martin);
  EXPECT_TRUE(r.OkPermis());
}

TEST_F(Listes, KeptListsOnlyForPlainSearchesOfLargeTrees) {
  TRechercheFiche r = Recherche(ModeRecherche::Selection, 0, 0, FormeListe::Unique);
  EXPECT_TRUE(r.DoitReconstruire(false)) << "a small tree is always rebuilt";
  while (t.bd.NbreFiche() < 2500) t.Personne("Z", "z", H);
  ASSERT_TRUE(r.Reconstruit());
  r.Commence(ModeRecherche::Selection, 0, 0, {});
  EXPECT_FALSE(r.DoitReconstruire(false));
  EXPECT_TRUE(r.DoitReconstruire(true));
  r.SetPrefixe("D");
  EXPECT_TRUE(r.DoitReconstruire(false));
  r.SetPrefixe("");
  r.Commence(ModeRecherche::Pere, martin, 0, {});
  EXPECT_TRUE(r.DoitReconstruire(false));
  ASSERT_TRUE(r.Reconstruit());
  r.Commence(ModeRecherche::Selection, 0, 0, {});
  EXPECT_TRUE(r.DoitReconstruire(false)) << "lists filtered for a link are not kept";
}

TEST(Search, CancelledBuildLeavesEmptyLists) {
  Arbre t;
  for (int i = 0; i < 5000; ++i) t.Personne("N", "p", H);
  TRechercheFiche r(t.bd, "j/m/a");
  r.Commence(ModeRecherche::Selection, 0, 0, {});
  EXPECT_FALSE(r.Reconstruit([](long long, long long) { return false; }));
  EXPECT_TRUE(r.Noms().empty());
  EXPECT_FALSE(r.OkPermis());
}

// ---------------------------------------------------------------------------
// Linking the person found

TEST(Search, LinksTheCandidateAsTheModeSays) {
  TTraduction tr;
  Arbre t;
  ContexteAjout ctx{t.bd, tr, {}, {}};
  const int pere = t.Personne("P", "p", H), mere = t.Personne("M", "m", F);
  const int a = t.Personne("A", "a", H, "", pere, 0);
  const int frere = t.Personne("B", "b", H, "", 0, mere);
  LieCandidat(ctx, ModeRecherche::Fratrie, a, frere);
  EXPECT_EQ(t.bd.LitPere(frere), pere) << "the candidate takes A's father";
  EXPECT_EQ(t.bd.LitMere(a), mere) << "A takes the candidate's mother";
  EXPECT_TRUE(t.bd.BaseModifiee);

  const int enfant = t.Personne("E", "e", I);
  LieCandidat(ctx, ModeRecherche::Enfant, a, enfant);
  EXPECT_EQ(t.bd.LitPere(enfant), a);
  const int enfantM = t.Personne("E", "f", I);
  LieCandidat(ctx, ModeRecherche::Enfant, mere, enfantM);
  EXPECT_EQ(t.bd.LitMere(enfantM), mere);

  const int epouse = t.Personne("W", "w", F);
  LieCandidat(ctx, ModeRecherche::Conjoint, epouse, a);
  const int u = t.bd.NbreUnion();
  EXPECT_EQ(t.bd.LitNumH(u), a);
  EXPECT_EQ(t.bd.LitNumF(u), epouse);

  const int orphelin = t.Personne("O", "o", H);
  LieCandidat(ctx, ModeRecherche::Pere, orphelin, orphelin);
  EXPECT_EQ(t.bd.LitPere(orphelin), 0) << "nobody is their own father";
}

}  // namespace
}  // namespace kindrela
