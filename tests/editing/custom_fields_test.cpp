#include "editing/custom_fields.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/ansi_literal.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

using Champ = TChp::Champ;

TEST(Champs, ReadAndWriteTriples) {
  const TChp chp = LitChamps("t|Adresse|1 rue|m|Note||d|Date|5/3/1900|l|Lieu");
  ASSERT_EQ(chp.Nbre(), 4);
  EXPECT_EQ(chp.champs[0], (Champ{"t", "Adresse", "1 rue"}));
  EXPECT_EQ(chp.champs[1], (Champ{"m", "Note", ""}));
  EXPECT_EQ(chp.champs[3], (Champ{"l", "Lieu", ""}));  // cut short
  // Only fields with a value are written back.
  EXPECT_EQ(EcritChamps(chp), "t|Adresse|1 rue|d|Date|5/3/1900|");
  EXPECT_EQ(LitChamps("").Nbre(), 0);
  EXPECT_EQ(EcritChamps(LitChamps(EcritChamps(chp))), EcritChamps(chp));
}

TEST(Champs, PersonTriplesOverTheDefinitions) {
  const TChp chp = FusionneChamps("t|Parrain||t|Marraine||", "t|Marraine|Anne|r|Militaire|Oui|t|Marraine|Rose|");
  ASSERT_EQ(chp.Nbre(), 4);
  EXPECT_EQ(chp.champs[0], (Champ{"t", "Parrain", ""}));
  EXPECT_EQ(chp.champs[1], (Champ{"t", "Marraine", "Anne"}));
  EXPECT_EQ(chp.champs[2], (Champ{"r", "Militaire", "Oui"}));
  EXPECT_EQ(chp.champs[3], (Champ{"t", "Marraine", "Rose"}));
  EXPECT_EQ(EcritChamps(chp), "t|Marraine|Anne|r|Militaire|Oui|t|Marraine|Rose|");
}

TEST(Champs, ValuesNeverHoldTheSeparatorAndYesNo) {
  EXPECT_EQ(SansSeparateur("a|b||"), "a b  ");
  EXPECT_EQ(BoutonOuiNon("OUI"), 0);
  EXPECT_EQ(BoutonOuiNon("non"), 1);
  EXPECT_EQ(BoutonOuiNon(""), 2);
  EXPECT_EQ(BoutonOuiNon("peut-être"), 2);
}

TEST(Champs, LabelsOfferedByTheAddDialog) {
  const std::vector<std::string> l = LibellesChampsProposes({"Profession", "", "adresse"});
  ASSERT_GE(l.size(), 3u);
  EXPECT_EQ(l[0], "Profession");
  EXPECT_EQ(l[1], "adresse");
  EXPECT_EQ(std::count(l.begin(), l.end(), "Adresse"), 0);  // already offered
  EXPECT_EQ(l.back(), "Marraine");
  EXPECT_EQ(l.size(), 11u);
}

TEST(Grilles, AddFieldDialogMarksTheRow) {
  TTraduction t;
  t.ChargeTexte("118;OUI\r\n119;NON\r\n");
  LignesGrille grille = {{"Par défaut"_ansi, "Champ", "Balise"}, {"NON", "Parrain", "_GODP"}};
  InscritChampGrille(grille, "parrain", true, t);
  EXPECT_EQ(grille[1], (std::vector<std::string>{"OUI", "Parrain", "_GODP"}));
  InscritChampGrille(grille, "Signature", false, t);
  ASSERT_EQ(grille.size(), 3u);
  EXPECT_EQ(grille[2], (std::vector<std::string>{"NON", "Signature", ""}));
  InscritChampGrille(grille, "", true, t);
  EXPECT_EQ(grille.size(), 3u);
  LignesGrille vide;
  InscritChampGrille(vide, "X", true, t);
  ASSERT_EQ(vide.size(), 2u);  // titles first
}

TEST(Grilles, EventKindDialogAddsNewNamesOnce) {
  LignesGrille grille = {{"Pour", "Evénement"_ansi, "Balise"}, {"Individu", "Naissance", "BIRT"}};
  EXPECT_FALSE(InscritNatureGrille(grille, "Individu", "NAISSANCE"));
  EXPECT_TRUE(InscritNatureGrille(grille, "Union", "Naissance"));  // another category
  EXPECT_TRUE(InscritNatureGrille(grille, "Individu", "Communion"));
  EXPECT_FALSE(InscritNatureGrille(grille, "Individu", ""));
  ASSERT_EQ(grille.size(), 4u);
  EXPECT_EQ(grille[3], (std::vector<std::string>{"Individu", "Communion", ""}));
}

}  // namespace
}  // namespace kindrela
