#include "analysis/consistency.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/database.h"
#include "core/ini_file.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

// Message n reads "Mn", so that a text shows which checks fired and in what order.
TTraduction Traduction() {
  std::string texte;
  for (int n = 901; n <= 923; ++n) texte += std::to_string(n) + ";M" + std::to_string(n) + "\r\n";
  TTraduction t;
  t.ChargeTexte(texte);
  return t;
}

std::string Messages(const std::vector<int>& numeros) {
  std::string texte;
  for (int n : numeros) texte += "M" + std::to_string(n) + "\r\n";
  return texte;
}

class CoherenceTest : public ::testing::Test {
 protected:
  int Personne(int sexe, const std::string& naissance, const std::string& deces = "") {
    int n = m_bd.NouvelleFiche();
    m_bd.EcritSexe(n, sexe);
    m_bd.EcritChamp(n, 6, naissance);
    m_bd.EcritChamp(n, 12, deces);
    return n;
  }
  int Union(int a, int b, const std::string& mariage) {
    int u = m_bd.CreeUnion(a, b);
    m_bd.EcritChampUnion(u, 3, mariage);
    return u;
  }
  std::string Controle(int p) { return ControleCoherence(m_bd, m_trad, m_seuils, p); }

  TBD m_bd;
  TTraduction m_trad = Traduction();
  SeuilsCoherence m_seuils = SeuilsCoherence::SiAbsents();
};

// A man with his own dates, optional parents and one optional union, given
// as "key=date" words: n b d s (his birth, baptism, death, burial), pn pd /
// mn md (father's / mother's birth and death), m dv (marriage, divorce), cn
// (spouse's birth); "_" stands for a space. Thresholds: those in force when the settings were never saved.
struct Cas {
  const char* nom;
  const char* dates;
  std::vector<int> attendu;
};

class CoherenceCas : public CoherenceTest, public ::testing::WithParamInterface<Cas> {};

TEST_P(CoherenceCas, FindsTheProblemsOfItsRow) {
  std::map<std::string, std::string> d;
  std::istringstream mots(GetParam().dates);
  for (std::string mot; mots >> mot;) {
    std::replace(mot.begin(), mot.end(), '_', ' ');  // "vers_0": a date of two words
    d[mot.substr(0, mot.find('='))] = mot.substr(mot.find('=') + 1);
  }
  int p = Personne(0, d["n"], d["d"]);
  m_bd.EcritChamp(p, 9, d["b"]);
  m_bd.EcritChamp(p, 15, d["s"]);
  if (d.count("pn") || d.count("pd")) m_bd.EcritPere(p, Personne(0, d["pn"], d["pd"]));
  if (d.count("mn") || d.count("md")) m_bd.EcritMere(p, Personne(1, d["mn"], d["md"]));
  if (d.count("m") || d.count("dv") || d.count("cn"))
    m_bd.EcritChampUnion(Union(p, Personne(1, d["cn"]), d["m"]), 4, d["dv"]);
  EXPECT_EQ(Controle(p), Messages(GetParam().attendu));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Regles, CoherenceCas, ::testing::Values(
    Cas{"Sound", "n=5/3/1900 b=7/3/1900 d=1/1/1970 s=4/1/1970 pn=1870 pd=1940 mn=3/4/1875 m=1925 dv=1940 cn=1905", {}},
    Cas{"NoBirthYear", "n=vers_0 d=1800 pn=1950", {}},
    Cas{"SameYearAsFather", "n=1900 pn=1900", {905, 901}},
    Cas{"PartialDateReadsEarlier", "n=5/3/1900 pn=1900", {911}},
    // A wrong parent date skips the person's own checks (908 here).
    Cas{"FatherDeadBefore", "n=1900 d=1800 pn=1870 pd=1899", {905, 903}},
    Cas{"ThreeParentProblems", "n=1900 pn=1870 pd=1899 mn=1901 md=1890", {906, 902, 903, 904}},
    Cas{"UnionCheckedDespiteParents", "n=1900 pn=1950 m=1890 cn=1900", {905, 901, 916, 921}},
    Cas{"BaptismBefore", "n=1/1/1900 b=31/12/1899", {907}},
    Cas{"BaptismSameYearOnly", "n=1/1/1900 b=1900", {}},
    Cas{"DeathBefore", "n=1/1/1900 d=1899", {908}},
    Cas{"BurialBefore", "n=1/1/1900 s=1899", {909}},
    Cas{"Burial8Days", "n=1850 d=1/1/1900 s=9/1/1900", {910}},
    Cas{"Burial7Days", "n=1850 d=1/1/1900 s=8/1/1900", {}},
    Cas{"FatherAged14", "n=1/6/1900 pn=2/6/1885", {911}},
    Cas{"FatherAged15", "n=1/6/1900 pn=1/6/1885", {}},
    Cas{"FatherAged70", "n=1/6/1900 pn=1/6/1830", {}},
    Cas{"FatherAged71", "n=1/6/1900 pn=1/6/1829", {912}},
    Cas{"MotherAged14", "n=1/6/1900 mn=1886", {913}},
    Cas{"MotherAged71", "n=1/6/1900 mn=1829", {914}},
    Cas{"DeathAt110", "n=1/1/1900 d=2/1/2010", {}},
    Cas{"DeathAt111", "n=1/1/1900 d=2/1/2011", {915}},
    // 15 and 16 are alternatives: a marriage before the birth hides the divorce's place.
    Cas{"MarriageBeforeBirth", "n=1/1/1900 m=1899 dv=1898", {916, 918, 921}},
    Cas{"DivorceBeforeBirth", "n=1/1/1900 m=1925 dv=1899", {917, 918}},
    Cas{"DivorceWithoutMarriage", "n=1/1/1900 dv=1899", {917}},
    Cas{"MarriageAfterDeath", "n=1/1/1900 d=1920 m=1925", {919}},
    Cas{"MarriedAt71", "n=1/1/1900 m=2/1/1971", {920}},
    Cas{"MarriedAt70", "n=1/1/1900 m=1/1/1970", {}},
    Cas{"MarriedAt13", "n=1/1/1900 m=1914", {921}},
    Cas{"Spouse10Younger", "n=1/1/1900 cn=1/1/1910", {}},
    Cas{"Spouse25Younger", "n=1/1/1900 cn=2/1/1925", {922}},
    Cas{"Spouse25Older", "n=1/1/1900 cn=1/1/1875", {923}}),
    [](const auto& info) { return std::string(info.param.nom); });
// clang-format on

TEST_F(CoherenceTest, DeathAt96DependsOnWhichDefaultsAreInForce) {
  int p = Personne(0, "1/1/1800", "2/1/1896");
  EXPECT_EQ(Controle(p), "");  // 110 while the setting was never saved
  m_seuils = SeuilsCoherence::Defaut();
  EXPECT_EQ(Controle(p), Messages({915}));
}

TEST_F(CoherenceTest, SpouseIsTheHusbandForAWomanOrAPersonOfUnknownSex) {
  int mari = Personne(0, "1850");
  int p = Personne(2, "1900");
  int u = m_bd.NouvelleUnion();
  m_bd.EcritNumH(u, mari);
  m_bd.EcritNumF(u, p);
  EXPECT_EQ(Controle(p), Messages({923}));
  EXPECT_EQ(Controle(mari), Messages({922}));
  m_bd.EcritNumH(u, 0);
  EXPECT_EQ(Controle(p), "");
}

TEST_F(CoherenceTest, EveryUnionIsCheckedInMarriageOrder) {
  int p = Personne(0, "1/1/1900", "1950");
  for (const char* mariage : {"1920", "1960", "1910"}) Union(p, Personne(1, "1900"), mariage);
  EXPECT_EQ(Controle(p), Messages({921, 919}));  // 1910 at 9, then 1960 after the death
}

TEST(SeuilsCoherence, ReadFromSettingsWithDefaultsAndBounds) {
  FichierIni ini;
  EXPECT_EQ(LitSeuils(ini), SeuilsCoherence::SiAbsents());
  ini.ChargeTexte(
      "[gene\\Options]\r\nAgeDecesMax=95\r\nAgeMarMin=-3\r\nEcartConjMax=400\r\nAgeEnfMax=x\r\n");
  SeuilsCoherence s = LitSeuils(ini);
  EXPECT_EQ(s.ageDecesMax, 95);  // the key is found whatever its case
  EXPECT_EQ(s.ageMarMin, 0);
  EXPECT_EQ(s.ecartConjMax, 150);
  EXPECT_EQ(s.ageEnfMax, 70);
}

TEST_F(CoherenceTest, WholeTreeListsPersonsWithProblemsInRecordOrder) {
  Personne(0, "1900", "1950");
  int b = Personne(0, "1900", "1800");
  int libre = Personne(0, "1900", "1800");
  int d = Personne(0, "1/1/1800", "2/1/1950");
  m_bd.SupprimeFiche(libre);
  RapportCoherence r = ControleCoherenceArbre(m_bd, m_trad, m_seuils);
  EXPECT_EQ(r.nbreControlees, 3);
  ASSERT_EQ(r.personnes.size(), 2u);
  EXPECT_EQ(r.personnes[0].personne, b);
  EXPECT_EQ(r.personnes[0].texte, Messages({908}));
  EXPECT_EQ(r.personnes[1].personne, d);

  RapportCoherence arrete =
      ControleCoherenceArbre(m_bd, m_trad, m_seuils, [](long long, long long) { return false; });
  EXPECT_TRUE(arrete.annule);
  EXPECT_TRUE(arrete.personnes.empty());
}

}  // namespace
}  // namespace kindrela
