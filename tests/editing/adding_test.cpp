#include "editing/adding.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "chart/kinship.h"
#include "core/database.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

constexpr int H = 0, F = 1, I = 2;

// Questions read "<n>:" and their names, so that a test sees which were asked.
TTraduction Traduction() {
  std::string texte = "312;Inconnue\r\n";
  for (int n = 320; n <= 331; ++n) texte += std::to_string(n) + ";" + std::to_string(n) + ":%s,%s,%s\r\n";
  TTraduction t;
  t.ChargeTexte(texte);
  return t;
}

// A small tree to add to. Names are single letters so questions stay short.
struct Arbre {
  TBD bd;
  int Personne(const char* nom, int sexe, int pere = 0, int mere = 0) {
    const int n = bd.NouvelleFiche();
    bd.EcritNom(n, nom);
    bd.EcritPrenoms(n, "x");
    bd.EcritSexe(n, sexe);
    bd.EcritPere(n, pere);
    bd.EcritMere(n, mere);
    return n;
  }
};

struct CasCompletion {
  const char* nom;
  // Builds the tree, returns the person added from.
  std::function<int(Arbre&)> prepare;
  SorteAjout sorte;
  bool lienAuto;
  const char* reponses;   // one 'O' (yes) or 'N' per question, in order
  const char* questions;  // the questions asked: message numbers separated by spaces
  // Checks the tree after the addition of `nouveau` from `p`.
  std::function<void(Arbre&, int p, int nouveau)> verifie;
};

class Completion : public testing::TestWithParam<CasCompletion> {};

TEST_P(Completion, AsksWhatFollowsAndLinksOnYes) {
  const CasCompletion& c = GetParam();
  Arbre a;
  const TTraduction t = Traduction();
  const int p = c.prepare(a);
  std::string questions;
  const char* reponse = c.reponses;
  ContexteAjout ctx{a.bd, t, OptionsAjout{false, 0, c.lienAuto}, [&](const std::string& q) {
                      if (!questions.empty()) questions += ' ';
                      questions += q.substr(0, q.find(':'));
                      EXPECT_NE(*reponse, '\0') << "unexpected question " << q;
                      return *reponse != '\0' && *reponse++ == 'O';
                    }};
  a.bd.BaseModifiee = 0;
  const int nouveau = Ajoute(ctx, c.sorte, p);
  ASSERT_GT(nouveau, 0);
  EXPECT_EQ(questions, c.questions);
  EXPECT_EQ(*reponse, '\0') << "answers left over";
  EXPECT_TRUE(a.bd.BaseModifiee);
  c.verifie(a, p, nouveau);
}

INSTANTIATE_TEST_SUITE_P(
    Adding, Completion,
    testing::Values(
        CasCompletion{"FatherToChildOfLoneMotherNo",
                      [](Arbre& a) { return a.Personne("C", H, 0, a.Personne("M", F)); },
                      SorteAjout::Pere, true, "N", "320",
                      [](Arbre& a, int p, int n) {
                        EXPECT_EQ(a.bd.LitPere(p), n);
                        EXPECT_EQ(a.bd.LitSexe(n), H);
                        EXPECT_EQ(a.bd.LitNom(n), "C");
                        EXPECT_EQ(UnionOfCouple(a.bd, n, a.bd.LitMere(p)), 0);
                      }},
        CasCompletion{"FatherToChildOfLoneMotherYes",
                      [](Arbre& a) { return a.Personne("C", H, 0, a.Personne("M", F)); },
                      SorteAjout::Pere, false, "O", "320",
                      [](Arbre& a, int p, int n) { EXPECT_GT(UnionOfCouple(a.bd, n, a.bd.LitMere(p)), 0); }},
        CasCompletion{"MotherToChildOfLoneFatherYes",
                      [](Arbre& a) { return a.Personne("C", H, a.Personne("P", H)); },
                      SorteAjout::Mere, false, "O", "322",
                      [](Arbre& a, int p, int n) {
                        EXPECT_EQ(a.bd.LitMere(p), n);
                        EXPECT_EQ(a.bd.LitSexe(n), F);
                        EXPECT_EQ(a.bd.LitNom(n), "");
                        EXPECT_GT(UnionOfCouple(a.bd, a.bd.LitPere(p), n), 0);
                      }},
        CasCompletion{"ChildOfManWithOneUnionAutomatic",
                      [](Arbre& a) {
                        const int p = a.Personne("P", H);
                        a.bd.CreeUnion(p, a.Personne("W", F));
                        return p;
                      },
                      SorteAjout::Enfant, true, "", "",
                      [](Arbre& a, int p, int n) {
                        EXPECT_EQ(a.bd.LitPere(n), p);
                        EXPECT_EQ(a.bd.LitNom(a.bd.LitMere(n)), "W");
                      }},
        CasCompletion{"ChildOfManWithTwoUnionsAsksEach",
                      [](Arbre& a) {
                        const int p = a.Personne("P", H);
                        a.bd.CreeUnion(p, a.Personne("V", F));
                        a.bd.CreeUnion(p, a.Personne("W", F));
                        return p;
                      },
                      SorteAjout::Enfant, true, "NO", "328 328",
                      [](Arbre& a, int, int n) { EXPECT_EQ(a.bd.LitNom(a.bd.LitMere(n)), "W"); }},
        CasCompletion{"ChildOfUnknownSexIsItsMotherUnasked",
                      [](Arbre& a) {
                        const int p = a.Personne("U", I);
                        a.bd.CreeUnion(a.Personne("Q", H), p);
                        return p;
                      },
                      SorteAjout::Enfant, false, "", "",
                      [](Arbre& a, int p, int n) {
                        EXPECT_EQ(a.bd.LitMere(n), p);
                        EXPECT_EQ(a.bd.LitPere(n), 0);
                      }},
        CasCompletion{"ChildFromMotherTakesFatherSurname",
                      [](Arbre& a) {
                        const int p = a.Personne("M", F);
                        a.bd.CreeUnion(a.Personne("P", H), p);
                        return p;
                      },
                      SorteAjout::Enfant, false, "O", "329",
                      [](Arbre& a, int p, int n) {
                        EXPECT_EQ(a.bd.LitMere(n), p);
                        EXPECT_EQ(a.bd.LitNom(n), "P");
                      }},
        CasCompletion{"SpouseOfManAdoptsHisMotherlessChild",
                      [](Arbre& a) {
                        const int p = a.Personne("P", H);
                        a.Personne("K", H, p);
                        return p;
                      },
                      SorteAjout::Conjoint, false, "O", "324",
                      [](Arbre& a, int p, int n) {
                        EXPECT_EQ(a.bd.LitSexe(n), F);
                        EXPECT_EQ(a.bd.LitMere(p + 1), n);
                        EXPECT_GT(UnionOfCouple(a.bd, p, n), 0);
                      }},
        CasCompletion{"SpouseOfWomanAutomatic",
                      [](Arbre& a) {
                        const int p = a.Personne("M", F);
                        a.Personne("K", H, 0, p);
                        return p;
                      },
                      SorteAjout::Conjoint, true, "", "",
                      [](Arbre& a, int p, int n) {
                        EXPECT_EQ(a.bd.LitSexe(n), H);
                        EXPECT_EQ(a.bd.LitPere(p + 1), n);
                        EXPECT_EQ(a.bd.LitNumH(UnionOfCouple(a.bd, n, p)), n);
                      }},
        CasCompletion{"SiblingWithoutParentsYesMakesCommonMother",
                      [](Arbre& a) { return a.Personne("S", H); }, SorteAjout::Fratrie, false, "O", "331",
                      [](Arbre& a, int p, int n) {
                        const int mere = a.bd.LitMere(p);
                        ASSERT_GT(mere, 0);
                        EXPECT_EQ(a.bd.LitMere(n), mere);
                        EXPECT_EQ(a.bd.LitSexe(mere), F);
                        EXPECT_EQ(a.bd.LitNom(mere), "S");
                        EXPECT_EQ(a.bd.LitPrenoms(mere), "Inconnue");
                        EXPECT_FALSE(a.bd.LitChamp(mere, 21).empty());
                      }},
        CasCompletion{"SiblingSharesBothParents",
                      [](Arbre& a) { return a.Personne("S", F, a.Personne("P", H), a.Personne("M", F)); },
                      SorteAjout::Fratrie, false, "", "",
                      [](Arbre& a, int p, int n) {
                        EXPECT_EQ(a.bd.LitPere(n), a.bd.LitPere(p));
                        EXPECT_EQ(a.bd.LitMere(n), a.bd.LitMere(p));
                        EXPECT_EQ(a.bd.LitNom(n), "S");
                      }}),
    [](const testing::TestParamInfo<CasCompletion>& i) { return std::string(i.param.nom); });

// The completion steps as the search runs them after linking an existing person.
TEST(CompletionSteps, ExistingFatherWithTwoUnionsIsAskedUntilYes) {
  Arbre a;
  const TTraduction t = Traduction();
  const int pere = a.Personne("P", H);
  a.bd.CreeUnion(pere, a.Personne("V", F));
  a.bd.CreeUnion(pere, a.Personne("W", F));
  a.bd.CreeUnion(pere, a.Personne("X", F));
  const int enfant = a.Personne("C", H, pere);
  a.bd.EcritChamp(enfant, 26, "3");
  int questions = 0;
  ContexteAjout ctx{a.bd, t, {false, 0, true}, [&](const std::string&) { return ++questions == 2; }};
  CompleteApresPere(ctx, enfant, pere);
  EXPECT_EQ(questions, 2);
  EXPECT_EQ(a.bd.LitNom(a.bd.LitMere(enfant)), "W");
  EXPECT_EQ(a.bd.LitChamp(a.bd.LitMere(enfant), 26), "7");

  // Linking a child to a couple that has no union offers it, then its children.
  const int mere = a.Personne("M", F), lui = a.Personne("L", H);
  const int orphelin = a.Personne("O", H, lui);
  const int k = a.Personne("K", H, lui, mere);
  std::string texte;
  ContexteAjout oui{a.bd, t, {false, 0, false}, [&](const std::string& q) {
                      texte += q.substr(0, 3) + " ";
                      return true;
                    }};
  CompleteApresEnfant(oui, mere, k);
  EXPECT_EQ(texte, "330 327 ");
  EXPECT_GT(UnionOfCouple(a.bd, mere, lui), 0);
  EXPECT_EQ(a.bd.LitMere(orphelin), mere);
}

TEST(Adding, BirthProposalAndSosaNumbers) {
  struct Cas {
    SorteAjout sorte;
    const char* date;   // the proposal, empty: none
    const char* numero; // the new person's number when the person added from is "3"
  };
  for (const Cas& c : {Cas{SorteAjout::Pere, "vers 1875", "6"}, Cas{SorteAjout::Mere, "vers 1875", "7"},
                       Cas{SorteAjout::Enfant, "vers 1925", ""}, Cas{SorteAjout::Conjoint, "vers 1900", ""},
                       Cas{SorteAjout::Fratrie, "vers 1900", ""}}) {
    for (bool datee : {true, false}) {
      Arbre a;
      const TTraduction t = Traduction();
      const int p = a.Personne("P", H);
      a.bd.EcritChamp(p, 26, "3");
      if (datee) a.bd.EcritDateNaissance(p, "5/3/1900");
      ContexteAjout ctx{a.bd, t, {true, 25, true}, {}};
      const int n = Ajoute(ctx, c.sorte, p);
      ASSERT_GT(n, 0);
      EXPECT_EQ(a.bd.LitDateNaissance(n), datee ? c.date : "") << static_cast<int>(c.sorte);
      EXPECT_EQ(a.bd.LitEveNature(n, a.bd.NatNaissance, 6), datee ? "2" : "");
      EXPECT_EQ(a.bd.LitChamp(n, 26), c.numero);
      EXPECT_EQ(a.bd.LitChamp(n, 21), "") << "the record window stamps the creation";
    }
  }
}

TEST(Adding, IdentityRunsBeforeTheQuestionsAndFullTablesChangeNothing) {
  Arbre a;
  const TTraduction t = Traduction();
  const int c = a.Personne("C", H, 0, a.Personne("M", F));
  std::string ordre;
  ContexteAjout ctx{a.bd, t, {}, [&](const std::string&) {
                      ordre += "q";
                      return false;
                    }};
  Ajoute(ctx, SorteAjout::Pere, c, [&](int n) {
    ordre += "i";
    EXPECT_EQ(a.bd.LitPere(c), n);
  });
  EXPECT_EQ(ordre, "iq");

  TBD plein(CapacitesBD{2, 0, 10, 10});
  ContexteAjout p{plein, t, {}, {}};
  const int seul = plein.NouvelleFiche();
  EXPECT_EQ(AjouteConjoint(p, seul), 0);  // no union can be made
  EXPECT_EQ(plein.NbreFichesUtilisees(), 1);
  EXPECT_GT(AjoutePere(p, seul), 0);
  EXPECT_EQ(AjouteMere(p, seul), 0);  // no person left
  EXPECT_EQ(plein.LitMere(seul), 0);
}

}  // namespace
}  // namespace kindrela
