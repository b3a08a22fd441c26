#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "chart/kinship.h"
#include "dates/dates.h"
#include "kinship_tree.h"

namespace kindrela {
namespace {

using test::Arbre;
using test::F;
using test::H;
using test::I;

// --- The Sosa step ----------------------------------------------------------

struct CasSosa {
  const char* nom;
  const char* enfant;
  const char* pereAvant;
  const char* pereApres;
  const char* mereApres;  // mother starting empty
};

class PasSosa : public ::testing::TestWithParam<CasSosa> {};

TEST_P(PasSosa, GivesTheParentsTheirNumbers) {
  const CasSosa& c = GetParam();
  Arbre a;
  int pere = a.Personne(H);
  int mere = a.Personne(F);
  int enfant = a.Personne(H, pere, mere);
  a.bd.EcritChamp(enfant, 26, c.enfant);
  a.bd.EcritChamp(pere, 26, c.pereAvant);
  SetFatherSosa(a.bd, enfant);
  SetMotherSosa(a.bd, enfant);
  EXPECT_EQ(a.Numero(pere), c.pereApres);
  EXPECT_EQ(a.Numero(mere), c.mereApres);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, PasSosa,
    ::testing::Values(
        CasSosa{"Root", "1", "", "2", "3"},
        CasSosa{"KeepsWhatTheFatherHad", "3,7", "6", "6,14", "7,15"},
        CasSosa{"NoRepeats", "3", "10,6", "10,6", "7"},
        CasSosa{"DropsADescendantNumber", "3", "1/2.1", "6", "7"},
        CasSosa{"DescendantNumberOfTheChildPassesNothing", "1/2", "5", "5", ""},
        CasSosa{"EmptyChildPassesNothing", "", "1/3", "1/3", ""},
        CasSosa{"NotANumberIsSkipped", "x,3", "", "6", "7"},
        // Beyond 64 bits: 2^70 and its double.
        CasSosa{"ExactBeyondMachineIntegers", "1180591620717411303424", "",
                "2361183241434822606848", "2361183241434822606849"}),
    [](const auto& info) { return std::string(info.param.nom); });

// --- Numbering a family -----------------------------------------------------

// Grandparents 1 and 2; their children 3 (the father of the root), 4 and 5;
// the root 6 with its mother 7, a brother 8 and its own family.
class Numerotation : public ::testing::Test {
 protected:
  Arbre a;
  int gp = a.Personne(H);
  int gm = a.Personne(F);
  int pere = a.Personne(H, gp, gm, "1930");
  int oncle = a.Personne(H, gp, gm, "1925");
  int tante = a.Personne(F, gp, gm, "1935");
  int racine = a.Personne(H, pere, 0, "1960");
  int mere = a.Personne(F);
  int frere = a.Personne(H, pere, mere, "1958");
  int epouse1 = a.Personne(F);
  int epouse2 = a.Personne(F);
  int enfant1 = a.Personne(F, racine, epouse1, "1990");
  int enfant2 = a.Personne(H, racine, epouse2, "1985");
  int enfantSeul = a.Personne(H, racine, 0, "1980");
  int petitEnfant = a.Personne(H, enfant2, 0);
  int u1 = a.Union(racine, epouse1, "1989");
  int u2 = a.Union(racine, epouse2, "1984");

  void SetUp() override { a.bd.EcritMere(racine, mere); }
};

TEST_F(Numerotation, ByFamilyVariant) {
  NumberTree(a.bd, racine, 5, true, true);
  EXPECT_EQ(a.Numero(enfantSeul), "1/1");
  // Unions by marriage date: u2 (1984) is a, u1 (1989) is b.
  EXPECT_EQ(a.Numero(epouse2), "1/a0");
  EXPECT_EQ(a.Numero(enfant2), "1/a1");
  EXPECT_EQ(a.Numero(petitEnfant), "1/a1.1");
  EXPECT_EQ(a.Numero(epouse1), "1/b0");
  EXPECT_EQ(a.Numero(enfant1), "1/b1");
  // One union only: no letter. The brother's parents have no union record.
  EXPECT_EQ(a.Numero(frere), "");
}

TEST_F(Numerotation, ZeroGenerationsNumbersTheRootAlone) {
  a.bd.EcritChamp(oncle, 26, "stale");
  NumberTree(a.bd, racine, 0, true, false);
  for (int p = 1; p <= a.bd.NbreFiche(); ++p) EXPECT_EQ(a.Numero(p), p == racine ? "1" : "") << p;
}

TEST_F(Numerotation, NumberedChildKeepsItsNumberAndItsPlace) {
  // The first wife is also a daughter of 4: numbered 1/b0 under the root
  // first, she keeps it, and her place among 4's children stays used.
  a.bd.EcritPere(epouse1, gp);
  a.Union(gp, gm);
  NumberTree(a.bd, racine, 5, true, true);
  EXPECT_EQ(a.Numero(epouse1), "1/b0");
  EXPECT_EQ(a.Numero(oncle), "4/1");
  EXPECT_EQ(a.Numero(pere), "2");
  EXPECT_EQ(a.Numero(tante), "4/3");
}

TEST_F(Numerotation, AncestorOnTwoLinesGetsBothNumbers) {
  // The root's parents are half-siblings through 4, whose own father is
  // then reached along two lines at once.
  int arriere = a.Personne(H);
  int grandOncle = a.Personne(H, arriere, 0);
  a.bd.EcritPere(gp, arriere);
  a.bd.EcritPere(mere, gp);
  NumberTree(a.bd, racine, 5, false, false);
  EXPECT_EQ(a.Numero(gp), "4,6");
  EXPECT_EQ(a.Numero(gm), "5");
  EXPECT_EQ(a.Numero(arriere), "8,12");
  // An ancestor whose first numbers are several numbers none of its other
  // descendants.
  EXPECT_EQ(a.Numero(grandOncle), "");
  // The descendants of 4 were numbered when it was 4 alone.
  EXPECT_EQ(a.Numero(oncle), "4/1");
}

// --- Against the numbering written out step by step --------------------------

// The numbering as first written: whole-table scans, recursion, generation
// lists that keep a person once per line.
class NumerotationDeReference {
 public:
  NumerotationDeReference(TBD& bd, int g, bool conjoints, bool famille)
      : m_bd(bd), m_g(g), m_conjoints(conjoints), m_famille(famille) {}

  void Lance(int racine) {
    for (int i = 1; i <= m_bd.NbreFiche(); ++i) m_bd.EcritChamp(i, 26, "");
    m_bd.EcritChamp(racine, 26, "1");
    Descendants(racine, "1/", 1);
    Ancetres({racine}, 1);
  }

 private:
  std::string Num(int p) { return m_bd.LitChamp(p, 26); }

  void Sosa(int c, bool mere) {
    int parent = mere ? m_bd.LitMere(c) : m_bd.LitPere(c);
    std::string t = Num(parent);
    t = (!t.empty() && t.find('/') == std::string::npos) ? "," + t + "," : ",";
    std::string s = Num(c) + ",";
    while (s.size() > 1) {
      std::string n = s.substr(0, s.find(','));
      s.erase(0, n.size() + 1);
      std::string m = std::to_string(2 * std::stoll(n) + (mere ? 1 : 0));
      if (t.find("," + m + ",") == std::string::npos) t += m + ",";
    }
    m_bd.EcritChamp(parent, 26, t == "," ? "" : t.substr(1, t.size() - 2));
  }

  void Echange(std::vector<int>& l, bool unions, const std::string& nature) {
    auto date = [&](int x) {
      return unions ? m_bd.LitEveUnionNature(x, nature, 2) : m_bd.LitDateNaissance(x);
    };
    for (size_t a = 0; a + 1 < l.size(); ++a)
      for (size_t i = l.size() - 1; i > a; --i)
        if (!date(l[i]).empty() && DateCompare(date(l[i]), date(l[a])) == 2) std::swap(l[a], l[i]);
  }

  std::vector<int> Scan(int pere, int mere, bool unSeul, int p) {
    std::vector<int> r;
    for (int i = 0; i <= m_bd.NbreFiche(); ++i) {
      int f = m_bd.LitPere(i), m = m_bd.LitMere(i);
      if (unSeul ? ((f == p && m == 0) || (m == p && f == 0))
                 : pere ? (f == pere && m == mere) : (f == p || m == p))
        r.push_back(i);
    }
    Echange(r, false, "");
    return r;
  }

  void Numerote(const std::vector<int>& enfants, const std::string& debut, int profondeur) {
    for (size_t k = 0; k < enfants.size(); ++k) {
      int c = enfants[k];
      if (!Num(c).empty()) continue;
      Descendants(c, debut + std::to_string(k + 1), profondeur + 1);
      m_bd.EcritChamp(c, 26, debut + std::to_string(k + 1));
    }
  }

  void Descendants(int p, const std::string& prefixe, int profondeur) {
    if (profondeur > m_g) return;
    std::string base = prefixe.back() == '/' ? prefixe : prefixe + ".";
    if (!m_famille) return Numerote(Scan(0, 0, false, p), base, profondeur);
    Numerote(Scan(0, 0, true, p), base, profondeur);
    bool homme = m_bd.LitSexe(p) == 0;
    std::vector<int> unions;
    for (int u = 1; u <= m_bd.NbreUnion(); ++u)
      if ((homme ? m_bd.LitNumH(u) : m_bd.LitNumF(u)) == p) unions.push_back(u);
    Echange(unions, true, m_bd.NatMariage);
    Echange(unions, true, "Mariage");
    for (size_t i = 0; i < unions.size(); ++i) {
      std::string s = base;
      if (unions.size() > 1) s += static_cast<char>('a' + i);
      int conjoint = homme ? m_bd.LitNumF(unions[i]) : m_bd.LitNumH(unions[i]);
      if (m_conjoints && Num(conjoint).empty()) m_bd.EcritChamp(conjoint, 26, s + "0");
      if (conjoint <= 0) continue;
      int pere = m_bd.LitSexe(p) == 1 ? conjoint : p;
      int mere = m_bd.LitSexe(p) == 1 ? p : conjoint;
      Numerote(Scan(pere, mere, false, 0), s, profondeur);
    }
  }

  void Ancetres(const std::vector<int>& l, int profondeur) {
    if (profondeur > m_g) return;
    std::vector<int> suivante;
    for (int x : l) {
      for (bool mere : {false, true}) {
        int parent = mere ? m_bd.LitMere(x) : m_bd.LitPere(x);
        if (parent <= 0) continue;
        Sosa(x, mere);
        if (Num(parent).find(',') == std::string::npos)
          Descendants(parent, Num(parent) + "/", profondeur + 1);
        suivante.push_back(parent);
      }
    }
    if (!suivante.empty() && profondeur < m_g) Ancetres(suivante, profondeur + 1);
  }

  TBD& m_bd;
  int m_g;
  bool m_conjoints;
  bool m_famille;
};

// Generations of persons whose parents come from the generation before,
// cousins marrying, unions for most couples, birth and marriage dates that
// tie or are missing.
void ArbreEnGenerations(Arbre& a, uint32_t graine) {
  std::mt19937 gen(graine);
  auto de = [&](int n) { return static_cast<int>(gen() % static_cast<unsigned>(n)); };
  const char* const dates[] = {"", "1900", "1901", "5/3/1900", "5/3/1900", "vers 1900", "avant 1902"};
  std::vector<int> precedente;
  for (int g = 0; g < 7; ++g) {
    std::vector<int> hommes, femmes, generation;
    for (int p : precedente) (a.bd.LitSexe(p) == 1 ? femmes : hommes).push_back(p);
    for (int k = 0; k < 14; ++k) {
      int pere = !hommes.empty() && de(5) ? hommes[de(static_cast<int>(hommes.size()))] : 0;
      int mere = !femmes.empty() && de(5) ? femmes[de(static_cast<int>(femmes.size()))] : 0;
      int p = a.Personne(de(9) == 0 ? I : de(2), pere, mere, dates[de(7)]);
      generation.push_back(p);
      if (pere && mere && de(4) && !UnionOfCouple(a.bd, pere, mere)) a.Union(pere, mere, dates[de(7)]);
    }
    for (int k = 0; k < 3 && !precedente.empty(); ++k) {
      int x = precedente[de(static_cast<int>(precedente.size()))];
      int y = precedente[de(static_cast<int>(precedente.size()))];
      a.bd.LitSexe(x) == 0 ? a.Union(x, y, dates[de(7)]) : a.Union(y, x, dates[de(7)]);
    }
    precedente = generation;
  }
}

struct CasReference {
  const char* nom;
  uint32_t graine;
  int generations;
  bool conjoints;
  bool famille;
};

class ContreReference : public ::testing::TestWithParam<CasReference> {};

TEST_P(ContreReference, SameNumbers) {
  const CasReference& c = GetParam();
  Arbre attendu, obtenu;
  ArbreEnGenerations(attendu, c.graine);
  ArbreEnGenerations(obtenu, c.graine);
  int numerotes = 0;
  int surPlusieursLignes = 0;
  for (int racine : {45, 50, 60, 30}) {
    SCOPED_TRACE(racine);
    NumerotationDeReference(attendu.bd, c.generations, c.conjoints, c.famille).Lance(racine);
    NumberTree(obtenu.bd, racine, c.generations, c.conjoints, c.famille);
    for (int p = 1; p <= obtenu.bd.NbreFiche(); ++p) {
      EXPECT_EQ(obtenu.Numero(p), attendu.Numero(p)) << "person " << p;
      numerotes += !obtenu.Numero(p).empty();
      surPlusieursLignes += obtenu.Numero(p).find(',') != std::string::npos;
    }
  }
  // The trees are meant to exercise the numbering, not to leave it idle.
  EXPECT_GT(numerotes, 20);
  if (c.generations > 5) {
    EXPECT_GT(surPlusieursLignes, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    RandomTrees, ContreReference,
    ::testing::Values(CasReference{"Plain", 1, 9, false, false},
                      CasReference{"PlainSpouses", 2, 9, true, false},
                      CasReference{"Family", 3, 9, false, true},
                      CasReference{"FamilySpouses", 4, 9, true, true},
                      CasReference{"ShallowPlain", 5, 2, false, false},
                      CasReference{"ShallowFamily", 6, 3, true, true}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(NumerotationProfonde, LongLinesAndManyGenerations) {
  // A line of 5000 fathers: descendants stop at the level bound, Sosa
  // numbers stay exact.
  Arbre a;
  int precedent = 0;
  for (int k = 0; k < 5000; ++k) precedent = a.Personne(H, precedent);
  NumberTree(a.bd, 1, 100000, false, false);
  EXPECT_EQ(a.Numero(1), "1");
  EXPECT_EQ(a.Numero(2), "1/1");
  std::string attendu = "1/1";
  for (int k = 0; k < 999; ++k) attendu += ".1";
  EXPECT_EQ(a.Numero(1001), attendu);
  EXPECT_EQ(a.Numero(1002), "");
  NumberTree(a.bd, 5000, 100, false, false);
  EXPECT_EQ(a.Numero(4999), "2");
  EXPECT_EQ(a.Numero(4900), "1267650600228229401496703205376");  // 2^100
  EXPECT_EQ(a.Numero(4899), "");
}

}  // namespace
}  // namespace kindrela
