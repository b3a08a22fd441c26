#include "editing/assisted_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/database.h"

namespace kindrela {
namespace {

using Liste = std::vector<std::string>;

struct Arbre {
  TBD bd;
  int Personne(const std::string& nom) {
    const int n = bd.NouvelleFiche();
    bd.EcritNom(n, nom);
    return n;
  }
  void Lieu(int n, const char* lieu) {
    const int e = bd.AjouteEveFiche(n);
    bd.EcritChampEve(e, 1, "Naissance");
    bd.EcritChampEve(e, 4, lieu);
  }
};

TEST(AssistedEntry, TooManyCandidatesShowNoListUntilF3) {
  Arbre t;
  for (int i = 0; i < 25; ++i) t.Personne("D" + std::string(1, static_cast<char>('a' + i)));
  t.Personne("D");  // the typed text itself
  t.Personne("Martin");
  EXPECT_TRUE(PropositionsNoms(t.bd, 2, PrepareSaisie("D", 20, false, false)).empty());
  // F3 on the hidden list lifts the limit and keeps the prefix.
  const Liste toutes = PropositionsNoms(t.bd, 2, PrepareSaisie("D", 20, false, true));
  EXPECT_EQ(toutes.size(), 25u);
  EXPECT_EQ(toutes.front(), "Da");
  // F3 on the shown list offers every value.
  EXPECT_EQ(PropositionsNoms(t.bd, 2, PrepareSaisie("D", 20, true, true)).size(), 27u);
}

TEST(AssistedEntry, OffersDistinctLongerValuesInRecordOrder) {
  Arbre t;
  for (const char* nom : {"DUPONT", "Durand", "dupont", "DUPONT", "Martin", "", "Du"}) t.Personne(nom);
  EXPECT_EQ(PropositionsNoms(t.bd, 2, PrepareSaisie("du", 25, false, false)),
            (Liste{"DUPONT", "Durand", "dupont"}));
  // The limit counts values offered, a repeat is not one.
  EXPECT_TRUE(PropositionsNoms(t.bd, 2, PrepareSaisie("du", 3, false, false)).empty());
  EXPECT_EQ(PropositionsNoms(t.bd, 2, PrepareSaisie("du", 4, false, false)).size(), 3u);
  EXPECT_TRUE(PropositionsNoms(t.bd, 0, PrepareSaisie("du", 25, false, false)).empty());
}

TEST(AssistedEntry, EditNamesGiveTheirFields) {
  EXPECT_EQ(CodeChampNom("E_Nom"), 2);
  EXPECT_EQ(CodeChampNom("ePre"), 3);
  EXPECT_EQ(CodeChampNom("eveLieu"), 0);
}

TEST(AssistedEntry, PlacesCompareTheChosenPartAndOfferTheWholePlace) {
  Arbre t;
  const int n = t.Personne("X");
  t.Lieu(n, "FRA,BRE,F29,Quimper");
  t.Lieu(n, "FRA,IDF,F75,Paris");
  t.Lieu(n, "BEL,Bruxelles");
  t.Lieu(n, "FRA,BRE,F35,Rennes");
  EXPECT_EQ(PropositionsLieux(t.bd, 2, PrepareSaisie("b", 25, false, false)),
            (Liste{"FRA,BRE,F29,Quimper", "BEL,Bruxelles", "FRA,BRE,F35,Rennes"}));
  EXPECT_EQ(PropositionsLieux(t.bd, 0, PrepareSaisie("b", 25, false, false)), (Liste{"BEL,Bruxelles"}));
  EXPECT_EQ(PropositionsLieux(t.bd, 4, PrepareSaisie("pa", 25, false, false)), (Liste{"FRA,IDF,F75,Paris"}));
}

TEST(AssistedEntry, CustomFieldValuesOfOthers) {
  Arbre t;
  const int a = t.Personne("A"), b = t.Personne("B"), c = t.Personne("C");
  t.bd.EcritChampPerso(a, "Parrain", "Paul Durand");
  t.bd.EcritChampPerso(b, "Parrain", "Pierre Martin");
  t.bd.EcritChampPerso(c, "Marraine", "Pauline");
  EXPECT_EQ(PropositionsChamp(t.bd, "Parrain", b, PrepareSaisie("p", 25, false, false)), (Liste{"Paul Durand"}));
  EXPECT_EQ(PropositionsChamp(t.bd, "Parrain", 0, PrepareSaisie("p", 25, false, false)),
            (Liste{"Paul Durand", "Pierre Martin"}));
}

}  // namespace
}  // namespace kindrela
