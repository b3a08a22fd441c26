#include "editing/replace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ansi_literal.h"
#include "core/database.h"

namespace kindrela {
namespace {

struct CasValeur {
  const char* nom;
  ChangementRemp changement;
  std::string avant;
  std::string apres;
};

class Valeur : public testing::TestWithParam<CasValeur> {};

TEST_P(Valeur, ChangesTheWholeValue) {
  const CasValeur& c = GetParam();
  EXPECT_EQ(ChangeValeur(c.avant, c.changement, "Dupont", "Martin"), c.apres);
}

INSTANTIATE_TEST_SUITE_P(
    Replace, Valeur,
    testing::Values(
        CasValeur{"UpperWithAccents", ChangementRemp::Majuscules, "Hélène d'Orléans"_ansi, "HÉLÈNE D'ORLÉANS"_ansi},
        CasValeur{"LowerWithAccents", ChangementRemp::Minuscules, "ÉMILE ÇA"_ansi, "émile ça"_ansi},
        CasValeur{"FirstLetterOnly", ChangementRemp::PremiereMajuscule, "éMILE DE LA TOUR"_ansi,
                  "Émile de la tour"_ansi},
        CasValeur{"FirstLetterOfEmpty", ChangementRemp::PremiereMajuscule, "", ""},
        CasValeur{"ReplaceOtherCase", ChangementRemp::Remplace, "DUPONT", "Martin"},
        CasValeur{"ReplaceOnlyWholeValues", ChangementRemp::Remplace, "Dupont-Martin", "Dupont-Martin"},
        CasValeur{"ReplaceLeavesOthers", ChangementRemp::Remplace, "Durand", "Durand"}),
    [](const testing::TestParamInfo<CasValeur>& i) { return std::string(i.param.nom); });

TEST(Replace, ButtonNeedsKindChangeAndTexts) {
  using enum ChangementRemp;
  EXPECT_TRUE(RemplacementPermis(true, DonneeRemp::Nom, "", true, Majuscules, "", ""));
  EXPECT_FALSE(RemplacementPermis(false, DonneeRemp::Nom, "", true, Majuscules, "", ""));
  EXPECT_FALSE(RemplacementPermis(true, DonneeRemp::Nom, "", false, Majuscules, "", ""));
  EXPECT_FALSE(RemplacementPermis(true, DonneeRemp::ContenuChamp, "", true, Majuscules, "", ""));
  EXPECT_TRUE(RemplacementPermis(true, DonneeRemp::ContenuChamp, "Parrain", true, Majuscules, "", ""));
  EXPECT_FALSE(RemplacementPermis(true, DonneeRemp::Lieu, "", true, Remplace, "Paris", ""));
  EXPECT_TRUE(RemplacementPermis(true, DonneeRemp::Lieu, "", true, Remplace, "Paris", "Lyon"));
}

struct ReplaceTree : testing::Test {
  TBD bd;
  int Personne(const char* nom, const char* champs = "") {
    const int n = bd.NouvelleFiche();
    bd.EcritNom(n, nom);
    bd.EcritChamp(n, 23, champs);
    return n;
  }
  int Eve(int n, const char* nature, const char* date, const char* lieu) {
    const int e = bd.AjouteEveFiche(n);
    bd.EcritChampEve(e, 1, nature);
    bd.EcritChampEve(e, 2, date);
    bd.EcritChampEve(e, 4, lieu);
    return e;
  }
};

TEST_F(ReplaceTree, ReplacesInEveryRecordInUse) {
  const int a = Personne("DUPONT"), b = Personne("Dupont-Martin"), c = Personne("dupont");
  const int libre = Personne("Dupont");
  bd.SupprimeFiche(libre);
  bd.BaseModifiee = 0;
  EXPECT_EQ(Remplace(bd, DonneeRemp::Nom, "", ChangementRemp::Remplace, "Dupont", "Durand"), 2);
  EXPECT_EQ(bd.LitNom(a), "Durand");
  EXPECT_EQ(bd.LitNom(b), "Dupont-Martin");
  EXPECT_EQ(bd.LitNom(c), "Durand");
  EXPECT_TRUE(bd.BaseModifiee);
  bd.BaseModifiee = 0;
  EXPECT_EQ(Remplace(bd, DonneeRemp::Nom, "", ChangementRemp::Remplace, "Absent", "X"), 0);
  EXPECT_FALSE(bd.BaseModifiee);

  const int e = Eve(a, "Naissance", "1900", "paris");
  EXPECT_EQ(Remplace(bd, DonneeRemp::Lieu, "", ChangementRemp::Majuscules, "", ""), 1);
  EXPECT_EQ(bd.LitChampEve(e, 4), "PARIS");
  EXPECT_EQ(bd.LitChampEve(e, 2), "1900");
}

TEST_F(ReplaceTree, CustomFieldsKeepTheirKindAndOtherFields) {
  const int a = Personne("A", "d|Baptême|1/2/1900|t|Parrain|paul|"_ansi);
  const int b = Personne("B", "t|parrain|jean|");
  EXPECT_EQ(Remplace(bd, DonneeRemp::ContenuChamp, "Parrain", ChangementRemp::PremiereMajuscule, "", ""), 1);
  EXPECT_EQ(bd.LitChamp(a, 23), "d|Baptême|1/2/1900|t|Parrain|Paul|"_ansi);
  EXPECT_EQ(bd.LitChamp(b, 23), "t|parrain|jean|");
  // A separator in the replacement cannot cut the fields.
  EXPECT_EQ(Remplace(bd, DonneeRemp::NomChamp, "", ChangementRemp::Remplace, "parrain", "Par|rain"), 2);
  EXPECT_EQ(bd.LitChamp(b, 23), "t|Par rain|jean|");
  EXPECT_EQ(bd.LitChamp(a, 23), "d|Baptême|1/2/1900|t|Par rain|Paul|"_ansi);
}

TEST_F(ReplaceTree, ListingCountsValuesWithEmptyOnesSortedOnTheValue) {
  Personne("MARTIN");
  Personne("");
  Personne("Dupont");
  Personne("MARTIN");
  const ListageRemp l = Listage(bd, DonneeRemp::Nom, "", "j/m/a");
  EXPECT_EQ(l.colonne, "Patronyme");
  EXPECT_EQ(l.legende, "Liste des patronymes (3)");
  ASSERT_EQ(l.lignes.size(), 3u);
  EXPECT_EQ(l.lignes[0].valeur, " (Vide)");
  EXPECT_EQ(l.lignes[0].utilisations, 1);
  EXPECT_EQ(l.lignes[1].valeur, "Dupont");
  EXPECT_EQ(l.lignes[2].valeur, "MARTIN");
  EXPECT_EQ(l.lignes[2].utilisations, 2);
}

TEST_F(ReplaceTree, DateListingSortsOnTheDayOrder) {
  const int a = Personne("A");
  Eve(a, "Naissance", "5/3/1900", "");
  Eve(a, "Décès"_ansi, "1850", "");
  Eve(a, "Mariage", "2/11/1899", "");
  Eve(a, "Baptême"_ansi, "5/3/1900", "");
  const ListageRemp l = Listage(bd, DonneeRemp::Date, "", "j/m/a");
  EXPECT_TRUE(l.date);
  ASSERT_EQ(l.lignes.size(), 3u);
  EXPECT_EQ(l.lignes[0].valeur, "1850");
  EXPECT_EQ(l.lignes[1].valeur, "2/11/1899");
  EXPECT_EQ(l.lignes[2].valeur, "5/3/1900");
  EXPECT_EQ(l.lignes[2].utilisations, 2);
  const ListageRemp champs = Listage(bd, DonneeRemp::ContenuChamp, "Parrain", "j/m/a");
  EXPECT_EQ(champs.colonne, "Parrain");
  EXPECT_EQ(champs.legende, "Parrain (1)");
}

}  // namespace
}  // namespace kindrela
