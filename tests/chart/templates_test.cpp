#include "chart/templates.h"

#include <gtest/gtest.h>

#include <string>

#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/database.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

const std::string kTraduction = std::string(KINDRELA_SOURCE_DIR) + "/data/modele/famora.tra";

// A small family, with the tag words of the real translation file (French):
//   Jean Dupont (man), father Pierre Dupont, mother Marie Durand;
//   married Louise Bernard in 1880 (union made first) and Anne Martin in 1875;
//   children with Anne: Paul (1878) and Alice (1876);
//   Claire Roux (woman) with only a baptism and a burial;
//   Camille (unknown sex) with nothing.
class Modele : public ::testing::Test {
 protected:
  Modele() {
    FixeAujourdhui(Jour{2026, 12, 8});
    EXPECT_TRUE(m_trad.ChargeTraduction(kTraduction));
    m_mots.RetranslateTags(m_trad);

    jean = Personne("Dupont", "Jean Marc", 0);
    pierre = Personne("Dupont", "Pierre", 0);
    marie = Personne("Durand", "Marie", 1);
    bd.EcritPere(jean, pierre);
    bd.EcritMere(jean, marie);
    bd.EcritDateNaissance(jean, "12/3/1850");
    bd.EcritLieuNaissance(jean, "FRA,IDF,F75,001 Paris,Montmartre");
    bd.EcritDateDeces(jean, "1920");
    bd.EcritLieuDeces(jean, "FRA,RAL,F69,Lyon");

    louise = Personne("Bernard", "Louise", 1);
    anne = Personne("Martin", "Anne", 1);
    unionLouise = Union(jean, louise, "1880", "");
    unionAnne = Union(jean, anne, "4/5/1875", "");

    paul = Personne("Dupont", "Paul", 0);
    alice = Personne("Dupont", "Alice", 1);
    for (int enfant : {paul, alice}) {
      bd.EcritPere(enfant, jean);
      bd.EcritMere(enfant, anne);
    }
    bd.EcritDateNaissance(paul, "1878");
    bd.EcritDateNaissance(alice, "1876");

    claire = Personne("Roux", "Claire", 1);
    bd.EcritChamp(claire, 9, "5/6/1860");
    bd.EcritChamp(claire, 15, "1890");
    camille = Personne("", "Camille", 2);
  }
  ~Modele() override { LibereAujourdhui(); }

  int Personne(const std::string& nom, const std::string& pre, int sexe) {
    int n = bd.NouvelleFiche();
    bd.EcritNom(n, nom);
    bd.EcritPrenoms(n, pre);
    bd.EcritSexe(n, sexe);
    return n;
  }
  int Union(int a, int b, const std::string& date, const std::string& lieu) {
    int u = bd.CreeUnion(a, b);
    bd.EcritChampUnion(u, 3, date);
    bd.EcritChampUnion(u, 5, lieu);
    return u;
  }
  std::string Expand(int p, std::string_view modele) { return ExpandTemplate(Ctx(), p, modele); }
  TContexteModele Ctx() { return TContexteModele{bd, m_mots, m_format, nullptr, &m_trad}; }

  TBD bd;
  TTraduction m_trad;
  TMotsBalises m_mots;
  std::string m_format = "j/m/a";
  int jean, pierre, marie, louise, anne, unionLouise, unionAnne, paul, alice, claire, camille;
};

// --- one line, one person: a table of templates -------------------------

struct CasLigne {
  const char* nom;
  const char* personne;  // member of the fixture
  std::string modele;
  std::string attendu;
};

class LigneModele : public Modele, public ::testing::WithParamInterface<CasLigne> {
 protected:
  int Numero(std::string_view qui) {
    if (qui == "jean") return jean;
    if (qui == "claire") return claire;
    if (qui == "camille") return camille;
    if (qui == "marie") return marie;
    return 0;
  }
};

TEST_P(LigneModele, Expands) {
  EXPECT_EQ(Expand(Numero(GetParam().personne), GetParam().modele), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Modele, LigneModele,
    ::testing::Values(
        CasLigne{"NameThenFirstNames", "jean", "<nom> <prénom>"_ansi, "Dupont Jean Marc"},
        CasLigne{"PrincipalFirstName", "jean", "<prénom principal>"_ansi, "Jean"},
        CasLigne{"FatherThenSurname", "jean", "<i-père><nom>"_ansi, "Dupont"},
        CasLigne{"NavigationInsideText", "jean", "fils de <p><pre> et de <individu><m><pre>",
                 "fils de Pierre et de Marie"},
        CasLigne{"BackToBoxPerson", "jean", "<m><pre>/<individu><pre>", "Marie/Jean Marc"},
        CasLigne{"SecondSpouseByMarriageDate", "jean", "<conjoint 2><nom>", "Bernard"},
        CasLigne{"NoIndexIsLastSpouse", "jean", "<conjoint><nom>", "Bernard"},
        CasLigne{"IndexBeyondSpouses", "jean", "<conjoint 9><nom>", ""},
        CasLigne{"IndexNotANumber", "jean", "<conjoint deux><nom>x", "x"},
        CasLigne{"ChildrenInBirthOrder", "jean", "<i-enfant 1><pre>,<i-enfant 2><pre>",
                 "Alice,"},
        CasLigne{"LastChild", "jean", "<i-enfant><pre>", "Paul"},
        CasLigne{"UnionEvent", "jean", "<union 1><eve:Mariage,année>"_ansi, "1875"},
        CasLigne{"UnionEventNoIndexIsLast", "jean", "<union><eve:Mariage,date>", "1880"},
        CasLigne{"EventTagsInsideText", "jean",
                 "(<eve:Naissance,Année>-<eve:Décès,Année>)"_ansi, "(1850-1920)"},
        CasLigne{"OtherEventOpenings", "jean", "<évé:Naissance,jour>.<éve:Naissance,mois>"_ansi,
                 "12.3"},
        CasLigne{"FieldWordCutAtBlank", "jean", "<eve:Naissance,jour du mois>", "12"},
        CasLigne{"MissingDayIsEmpty", "jean", "[<eve:Décès,jour>]"_ansi, "[]"},
        CasLigne{"CommaTooEarlyRemovesTag", "jean", "a<eve:,date>b", "ab"},
        CasLigne{"UnknownOpeningRemovesTag", "jean", "a<exe:Naissance,date>b", "ab"},
        CasLigne{"UnknownFieldWord", "jean", "a<eve:Naissance,couleur>b", "ab"},
        CasLigne{"PostalCodeFromCommune", "jean", "<eve:Naissance,cp>", "75001"},
        CasLigne{"CommuneWithoutCode", "jean", "<eve:Naissance,commune>", "Paris"},
        CasLigne{"DepartmentWithCode", "jean", "<eve:Naissance,département>"_ansi, "F75001"},
        CasLigne{"CompositeAddress", "jean", "<eve:Naissance,adresse>", "Montmartre 75001 Paris"},
        CasLigne{"PostalCodeOfDepartment", "jean", "<eve:Décès,cp>"_ansi, "69000"},
        CasLigne{"MenOnlyLineForMan", "jean", "<h>M. <nom>", "M. Dupont"},
        CasLigne{"MenOnlyLineForWoman", "claire", "<h>M. <nom>", ""},
        CasLigne{"MenOnlyLineForUnknownSex", "camille", "<h>M. <nom>", ""},
        CasLigne{"WomenOnlyLineForMan", "jean", "<nom><f>", ""},
        CasLigne{"SexTestFollowsFocus", "jean", "<m><f><nom>", "Durand"},
        CasLigne{"MenOnlyWithNobodyInFocus", "claire", "<p><h>x", ""},
        CasLigne{"BirthFromBaptism", "claire", "<eve:Naissance,date>", "5/6/1860 (bapt.)"},
        CasLigne{"DeathFromBurial", "claire", "<eve:Décès,année>"_ansi, "1890 (inh.)"},
        CasLigne{"NoFallbackWithoutBaptism", "camille", "<eve:Naissance,date>", ""},
        CasLigne{"BirthDateTag", "jean", "<dn>|<dnaissance>", "12/3/1850|12/3/1850"},
        CasLigne{"MarriageDateOfLastUnion", "jean", "<dm>", "1880"},
        CasLigne{"BirthPlaceTag", "jean", "<ln>", "FRA,IDF,F75,001 Paris,Montmartre"},
        CasLigne{"DatePattern", "jean", "<dn jj.mm.aaaa>", " 12.3.1850"},
        CasLigne{"DatePatternLeavesOtherTextAlone", "jean", "mm <dn aaaa>", "mm  1850"},
        CasLigne{"UnknownDateTag", "jean", "a<dxyz>b", "ab"},
        CasLigne{"SexWord", "claire", "<sexe>", "Femme"},
        CasLigne{"AgeAtDeath", "jean", "<âge>"_ansi, "69"},
        CasLigne{"NoAgeWithoutBirth", "claire", "<âge>"_ansi, ""},
        CasLigne{"LastSpouse", "jean", "<son conjoint>", "Bernard Louise"},
        CasLigne{"RecordNumber", "marie", "<id>", "3"},
        CasLigne{"EventSummary", "jean", "<résumé>"_ansi, "o +l xd"},
        CasLigne{"UnclosedTagStays", "jean", "<nom> <prénom"_ansi, "Dupont <prénom"_ansi},
        CasLigne{"FirstOpeningBeforeFirstClosing", "jean", "a < b <nom>", "a "},
        CasLigne{"NobodyInFocusEmptiesPersonTags", "marie", "<p><nom>-<id>", "-"}),
    [](const auto& info) { return std::string(info.param.nom); });

// --- the parts that need more than one line --------------------------------

TEST_F(Modele, EmptyTemplateOrNobodyGivesNothing) {
  EXPECT_EQ(Expand(jean, ""), "");
  EXPECT_EQ(Expand(0, "<nom>"), "");
  EXPECT_EQ(Expand(-4, "texte"), "");
}

TEST_F(Modele, DayAndMonthAreReadFromTheStoredDateWhateverTheDisplay) {
  m_format = "m/j/a";
  EXPECT_EQ(Expand(jean, "<eve:Naissance,date>"), "3/12/1850");
  EXPECT_EQ(Expand(jean, "<eve:Naissance,jour>/<eve:Naissance,mois>"), "12/3");
}

TEST_F(Modele, NameDayAndZodiacOfTheDate) {
  TTableFetes fetes;
  fetes.DefinitFete(3, 12, "Justine");
  TContexteModele ctx = Ctx();
  ctx.fetes = &fetes;
  EXPECT_EQ(ExpandTemplate(ctx, jean, "<eve:Naissance,fête>"_ansi), "Justine");
  EXPECT_EQ(ExpandTemplate(ctx, jean, "<eve:Naissance,zodiaque>"), "Poissons");
}

TEST_F(Modele, PersonFieldsAndCustomFields) {
  bd.EcritProfession(jean, "Menuisier");
  bd.EcritChampPerso(jean, "Religion", "catholique");
  bd.EcritChamp(jean, 18, "ligne 1\r\nligne 2");
  bd.EcritChamp(jean, 26, "1/2");
  EXPECT_EQ(Expand(jean, "<profession>"), "Menuisier");
  EXPECT_EQ(Expand(jean, "<chp:Religion>|<chp:>|<chp:Autre>"), "catholique||");
  EXPECT_EQ(Expand(jean, "<note>"), "ligne 1 ligne 2");
  EXPECT_EQ(Expand(jean, "<numéro>|<sosa>|<n°>"_ansi), "1/2|1/2|1/2");
}

TEST_F(Modele, PhotoIsTheFirstTreePictureSource) {
  EXPECT_EQ(Expand(jean, "<photo>"), "@");
  int s1 = bd.AjouteNouvelleSrc(jean);
  bd.EcritChampSrc(s1, 3, "Acte");
  bd.EcritChampSrc(s1, 4, "acte.jpg");
  int s2 = bd.AjouteNouvelleSrc(jean);
  bd.EcritChampSrc(s2, 3, "Photo de l'arbre");
  bd.EcritChampSrc(s2, 4, "jean.jpg|12|34");
  EXPECT_EQ(Expand(jean, "<photo>"), "@jean.jpg");
}

TEST_F(Modele, AgeRules) {
  EXPECT_EQ(Expand(paul, "<âge>"_ansi), "148");  // alive today, born 1878
  bd.EcritDateDeces(paul, "1870");
  EXPECT_EQ(Expand(paul, "<âge>"_ansi), "");  // death year before birth year
}

TEST_F(Modele, SelfReproducingValuesStop) {
  bd.EcritNom(camille, "<nom>");
  EXPECT_EQ(Expand(camille, "<nom>"), "<nom>");
  // A note that holds its own tag grows at every turn until the size limit.
  bd.EcritChamp(camille, 18, std::string(1000, 'x') + "<note>");
  std::string r = Expand(camille, "<note>");
  EXPECT_LE(r.size(), kCroissanceMax + 2000);
  EXPECT_GT(r.size(), kCroissanceMax);
  // Two fields naming each other.
  bd.EcritNom(camille, "<prénom>"_ansi);
  bd.EcritPrenoms(camille, "<nom>");
  EXPECT_FALSE(Expand(camille, "<nom>").empty());
}

TEST_F(Modele, TagsInsideValuesAreExpanded) {
  bd.EcritChamp(jean, 18, "fils de <i-père><pre>"_ansi);
  EXPECT_EQ(Expand(jean, "<note>"), "fils de Pierre");
}

TEST_F(Modele, EventSummaryFlags) {
  auto resume = [&](int p) { return EventSummary(Ctx(), p); };
  EXPECT_EQ(resume(jean), "o +l xd");
  EXPECT_EQ(resume(camille), "");
  bd.EcritDateNaissance(camille, "vers 1/2/1900");
  EXPECT_EQ(resume(camille), "");  // a qualified date is not exact
  bd.EcritLieuNaissance(camille, "Nice");
  EXPECT_EQ(resume(camille), "ol");
  bd.EcritDateNaissance(anne, "3/2/1855");
  EXPECT_EQ(resume(anne), "od xd");
  m_mots.DefinitMot(kMotEvenementComplet, "ld");  // the order of the flags matters
  EXPECT_EQ(resume(jean), "odl +l xd");
  EXPECT_EQ(resume(0), "");
}

TEST_F(Modele, FilterListComparesWithValueOrSecondTemplate) {
  TR liste;
  for (int p : {jean, pierre, marie, louise, paul}) liste.Add(p);
  // Same surname as the father.
  EXPECT_EQ(FilterList(Ctx(), liste, "<nom>", "<p><nom>", 0).Vecteur(),
            (std::vector<int>{jean, paul}));
  EXPECT_EQ(FilterList(Ctx(), liste, "<nom>", "dupont", 0).Vecteur(),
            (std::vector<int>{jean, pierre, paul}));
  EXPECT_EQ(FilterList(Ctx(), liste, "<nom>", "", 0).Vecteur(), liste.Vecteur());
  EXPECT_EQ(FilterList(Ctx(), liste, "<eve:Naissance,année>"_ansi, "1870", 14).Vecteur(),
            (std::vector<int>{paul}));
}

// --- comparison operators ----------------------------------------------------

struct CasComparaison {
  const char* nom;
  std::string gauche, droite;
  int operateur;
  bool attendu;
};

class Comparaison : public ::testing::TestWithParam<CasComparaison> {};

TEST_P(Comparaison, Answers) {
  const auto& c = GetParam();
  EXPECT_EQ(CompareValues(c.gauche, c.droite, c.operateur), c.attendu);
}

INSTANTIATE_TEST_SUITE_P(
    CompareValues, Comparaison,
    ::testing::Values(
        CasComparaison{"EqualIgnoresCase", "ÉLISE"_ansi, "élise"_ansi, 0, true},
        CasComparaison{"Contains", "Dupont-Martin", "MART", 2, true},
        CasComparaison{"DoesNotContain", "Dupont", "mart", 3, true},
        CasComparaison{"BeginsWith", "Dupont", "dup", 4, true},
        CasComparaison{"LongerPrefixDoesNotBegin", "Du", "Dupont", 4, false},
        CasComparaison{"SortsBefore", "abel", "Bernard", 5, true},
        CasComparaison{"DatesEqual", "5/3/1900", "5/3/1900", 7, true},
        CasComparaison{"EmptyDateIsEarlier", "", "1900", 9, true},
        CasComparaison{"LaterDate", "1901", "1900", 10, true},
        CasComparaison{"IntegersEqual", " 12", "12", 11, true},
        CasComparaison{"NonNumbersNeverEqual", "abc", "xyz", 11, false},
        CasComparaison{"SameNonNumberNeverEqual", "abc", "abc", 11, false},
        CasComparaison{"NonNumbersDoNotDiffer", "abc", "xyz", 12, false},
        CasComparaison{"NonNumberIsBelowNumbers", "abc", "-5", 13, true},
        CasComparaison{"UnknownOperator", "a", "a", 15, false}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(ReplaceFirst, OnlyTheFirstOccurrence) {
  std::string s = "a<x>b<x>";
  ReplaceFirst(s, "<x>", "");
  EXPECT_EQ(s, "ab<x>");
  ReplaceFirst(s, "<y>", "z");
  EXPECT_EQ(s, "ab<x>");
  ReplaceFirst(s, "", "z");
  EXPECT_EQ(s, "ab<x>");
}

TEST(JoinLines, OnlyCrLfPairs) {
  EXPECT_EQ(JoinLines("a\r\nb\nc\rd\r\n"), "a b\nc\rd ");
}

}  // namespace
}  // namespace kindrela
