// The undo journal, through the operations the user runs: every step undone
// gives back the tree file of the state before it, byte for byte, and redone
// the one after it.
#include "core/journal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "chart/kinship.h"
#include "core/database.h"
#include "core/tree_file/tree_file_reader.h"
#include "core/tree_file/tree_file_writer.h"
#include "dates/places.h"
#include "editing/adding.h"
#include "editing/deletion.h"
#include "editing/merge.h"
#include "editing/replace.h"
#include "editing/sources.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

std::string Octets(const TBD& bd) {
  std::string octets;
  EXPECT_TRUE(OctetsBase(bd, EnteteArbre{1, {}}, {}, octets));
  return octets;
}

// A tree of a few families with events, places, sources and free slots,
// read from a tree file as the user's tree is.
void GenereArbre(TBD& bd, std::mt19937& alea, int personnes) {
  TBD source;
  for (int i = 1; i <= personnes; ++i) {
    const int n = source.NouvelleFiche();
    source.EcritNom(n, "NOM" + std::to_string(alea() % 5));
    source.EcritPrenoms(n, "P" + std::to_string(i));
    source.EcritSexe(n, static_cast<int>(alea() % 2));
    source.EcritDateNaissance(n, std::to_string(1800 + i));
    source.EcritLieuNaissance(n, "Ville" + std::to_string(alea() % 4) + ",75,Paris,Ile-de-France,F,");
    if (i > 2) {
      source.EcritPere(n, static_cast<int>(alea() % (i - 1)) + 1);
      source.EcritMere(n, static_cast<int>(alea() % (i - 1)) + 1);
    }
    if (alea() % 3 == 0) source.EcritSrcTitre(n, "Acte " + std::to_string(i), "texte", 2);
  }
  for (int u = 0; u < personnes / 3; ++u) {
    const int a = static_cast<int>(alea() % personnes) + 1, b = static_cast<int>(alea() % personnes) + 1;
    if (a != b) source.EcritChampUnion(source.CreeUnion(a, b), 3, "1850");
  }
  for (int k = 0; k < personnes / 8; ++k) source.SupprimeFiche(static_cast<int>(alea() % personnes) + 1);
  source.RefPers = source.FicheSuivante(0);
  ResultatLecture lecture;
  ASSERT_TRUE(LitBase(bd, Octets(source), {}, lecture));
  bd.BaseChargee = 1;
}

// The free-slot and link indexes answer as a scan of the records does.
void VerifieIndex(const TBD& bd) {
  std::vector<int> liste;
  for (int p = 1; p <= bd.NbreFiche(); ++p) {
    std::vector<int> attendu;
    for (int c = 1; c <= bd.NbreFiche(); ++c)
      if (bd.Fiche(c).NumP == p) attendu.push_back(c);
    bd.EnfantsDuPere(p, liste);
    std::sort(liste.begin(), liste.end());
    ASSERT_EQ(liste, attendu) << "children of " << p;
    attendu.clear();
    for (int u = 1; u <= bd.NbreUnion(); ++u)
      if (bd.Union(u).NumF == p) attendu.push_back(u);
    bd.UnionsDeLaFemme(p, liste);
    std::sort(liste.begin(), liste.end());
    ASSERT_EQ(liste, attendu) << "unions of " << p;
  }
  int suivante = 0;
  for (int n = bd.NbreFiche(); n >= 0; --n) {
    ASSERT_EQ(bd.FicheSuivante(n), n < bd.NbreFiche() ? suivante : 0) << n;
    if (n >= 1 && bd.FicheUtilisee(n)) suivante = n;
  }
}

// The next allocation of each table takes its lowest free slot, as a scan
// of the records finds it.
void VerifieAllocations(TBD& bd) {
  auto premierLibre = [](int nbre, auto&& utilise) {
    int k = 1;
    while (k <= nbre && utilise(k)) ++k;
    return k;
  };
  const std::vector<int> attendus = {
      premierLibre(bd.NbreFiche(), [&](int k) { return bd.FicheUtilisee(k); }),
      premierLibre(bd.NbreEve(), [&](int k) { return bd.EveUtilise(k); }),
      premierLibre(bd.NbreSrc(), [&](int k) { return bd.SrcUtilisee(k); }),
      premierLibre(bd.NbreUnion(), [&](int k) { return bd.Union(k).Utilise != 0; })};
  const int n = bd.NouvelleFiche();
  const std::vector<int> obtenus = {n, bd.AjouteEveFiche(n), bd.AjouteNouvelleSrc(n),
                                    bd.CreeUnion(n, bd.FicheSuivante(0))};
  EXPECT_EQ(obtenus, attendus);
}

int Personne(const TBD& bd, std::mt19937& alea) {
  if (bd.NbreFichesUtilisees() == 0) return 0;
  int n = static_cast<int>(alea() % bd.NbreFiche()) + 1;
  while (!bd.FicheUtilisee(n)) n = n % bd.NbreFiche() + 1;
  return n;
}

// One random user action on the tree.
void Action(TBD& bd, std::mt19937& alea, const TTraduction& t) {
  const int a = Personne(bd, alea), b = Personne(bd, alea);
  ContexteAjout ctx{bd, t, {}, {}};
  switch (alea() % 12) {
    case 0: Ajoute(ctx, static_cast<SorteAjout>(alea() % 5), a); break;
    case 1: SupprimePersonne(bd, a, b); break;
    case 2: FusionPersonnes(bd, a, b); break;
    case 3: {  // keystrokes in one field, then another field
      const std::string cle = std::to_string(a);
      bd.Journal().Champ("Nom", cle + ":2");
      bd.EcritNom(a, "X");
      bd.EcritNom(a, "XY");
      bd.Journal().Champ("Naissance", cle + ":6");
      bd.EcritDateNaissance(a, "1900");
      bd.EcritDateNaissance(a, "19001");
      bd.Journal().FinChamp();
      break;
    }
    case 4: {
      TEtapeJournal etape(bd, "ajout d'une source");
      const int s = bd.AjouteNouvelleSrc(a);
      bd.EcritChampSrc(s, 1, "Nouvelle");
      break;
    }
    case 5:
      if (bd.NbreSrc() > 0) SupprimeSource(bd, static_cast<int>(alea() % bd.NbreSrc()) + 1);
      break;
    case 6: NumberTree(bd, a, 8, alea() % 2 == 0, alea() % 2 == 0); break;
    case 7: ConvertitLieux(bd, OptionsConversionLieux{}); break;
    case 8: Remplace(bd, DonneeRemp::Nom, "", ChangementRemp::Minuscules, "", ""); break;
    case 9: EffaceLienFiche(bd, ControleFiche::Pere, a, 0); break;
    case 10: {
      TEtapeJournal etape(bd, "suppression d'un événement");
      bd.RetireEveFiche(a, 1);
      break;
    }
    case 11: {
      TEtapeJournal etape(bd, "De Cujus");
      bd.RefPers = a;
      break;
    }
  }
}

TEST(JournalTest, RandomActionsUndoneAndRedoneGiveBackEveryTreeFile) {
  TTraduction t;
  for (uint32_t graine = 1; graine <= 12; ++graine) {
    SCOPED_TRACE("seed " + std::to_string(graine));
    std::mt19937 alea(graine);
    TBD bd;
    GenereArbre(bd, alea, 40);
    std::vector<std::string> etats{Octets(bd)};
    for (int i = 0; i < 30; ++i) {
      const std::size_t avant = bd.Journal().NbreAnnulables();
      Action(bd, alea, t);
      const std::size_t apres = bd.Journal().NbreAnnulables();
      // An action that changed nothing leaves no step.
      if (apres == avant) {
        EXPECT_TRUE(Octets(bd) == etats.back()) << "action " << i;
        continue;
      }
      ASSERT_GT(apres, avant);
      // The two fields of one action are two steps: the state between them
      // is not kept here.
      etats.resize(apres);
      etats.push_back(Octets(bd));
    }
    const std::size_t pas = bd.Journal().NbreAnnulables();
    ASSERT_EQ(pas + 1, etats.size());
    for (std::size_t k = pas; k-- > 0;) {
      ASSERT_TRUE(bd.Journal().Annule());
      if (!etats[k].empty()) ASSERT_TRUE(Octets(bd) == etats[k]) << "undo to " << k;
    }
    EXPECT_FALSE(bd.Journal().PeutAnnuler());
    EXPECT_TRUE(Octets(bd) == etats.front());
    VerifieIndex(bd);
    for (std::size_t k = 1; k <= pas; ++k) {
      ASSERT_TRUE(bd.Journal().Retablit());
      if (!etats[k].empty()) ASSERT_TRUE(Octets(bd) == etats[k]) << "redo to " << k;
    }
    EXPECT_TRUE(Octets(bd) == etats.back());
    VerifieIndex(bd);
    VerifieAllocations(bd);
  }
}

// Grouping, the modified flag, the memory bound and emptying.
struct Arbre {
  TBD bd;
  Arbre() {
    for (int i = 0; i < 3; ++i) bd.EcritNom(bd.NouvelleFiche(), "A");
    bd.Journal().Vide();
    bd.BaseModifiee = 0;
  }
  void Tape(const std::string& cle, int n, const std::string& texte) {
    bd.Journal().Champ("Nom", cle);
    bd.EcritNom(n, texte);
    bd.BaseModifiee = 1;
  }
};

TEST(JournalTest, KeystrokesGroupByFieldAndCommandsAreOneStepEach) {
  Arbre x;
  TJournal& j = x.bd.Journal();
  x.Tape("1:2", 1, "B");
  x.Tape("1:2", 1, "BC");
  EXPECT_EQ(j.NbreAnnulables(), 1u);
  EXPECT_EQ(j.NomAnnulation(), "Nom");
  x.Tape("2:2", 2, "D");  // another field: a second step
  EXPECT_EQ(j.NbreAnnulables(), 2u);
  j.FinChamp();
  x.Tape("2:2", 2, "DE");  // the field lost focus in between: a third
  EXPECT_EQ(j.NbreAnnulables(), 3u);
  x.bd.Journal().Champ("Nom", "3:2");
  x.bd.EcritNom(3, "A");  // the text it had: no step
  j.FinChamp();
  EXPECT_EQ(j.NbreAnnulables(), 3u);
  {
    TEtapeJournal etape(x.bd, "fusion de A et B");
    TEtapeJournal interieure(x.bd, "inner");
    x.bd.EcritNom(1, "Z");
    EXPECT_FALSE(j.PeutAnnuler());  // not while the command runs
    x.bd.EcritNom(2, "Z");
  }
  EXPECT_EQ(j.NbreAnnulables(), 4u);
  EXPECT_EQ(j.NomAnnulation(), "fusion de A et B");
  ASSERT_TRUE(j.Annule());
  EXPECT_EQ(x.bd.LitNom(1), "BC");
  EXPECT_EQ(x.bd.LitNom(2), "DE");
  EXPECT_EQ(j.NomRetablissement(), "fusion de A et B");
  ASSERT_TRUE(j.Annule());
  ASSERT_TRUE(j.Annule());
  EXPECT_EQ(x.bd.LitNom(2), "A");
  EXPECT_EQ(x.bd.LitNom(1), "BC");
  // A new change drops what could be redone.
  x.Tape("3:2", 3, "Q");
  EXPECT_FALSE(j.PeutRetablir());
  j.FinChamp();
  EXPECT_FALSE(j.Retablit());
}

TEST(JournalTest, UndoingBackToTheSavedStateClearsTheModifiedFlag) {
  Arbre x;
  TJournal& j = x.bd.Journal();
  x.Tape("1:2", 1, "B");
  j.FinChamp();
  x.Tape("1:2", 1, "C");
  x.bd.BaseModifiee = 0;  // saved while the field was being typed in
  x.Tape("1:2", 1, "CD");
  j.FinChamp();
  ASSERT_TRUE(j.Annule());
  EXPECT_EQ(x.bd.LitNom(1), "C");
  EXPECT_EQ(x.bd.BaseModifiee, 0);
  ASSERT_TRUE(j.Annule());
  EXPECT_EQ(x.bd.LitNom(1), "B");
  EXPECT_EQ(x.bd.BaseModifiee, 1);
  ASSERT_TRUE(j.Retablit());
  EXPECT_EQ(x.bd.BaseModifiee, 0);
  ASSERT_TRUE(j.Retablit());
  EXPECT_EQ(x.bd.BaseModifiee, 1);
  // After emptying, nothing is known to be saved, and loading is not a step.
  x.bd.Vide();
  x.bd.NouvelleFiche();
  EXPECT_FALSE(j.PeutAnnuler());
  x.Tape("1:2", 1, "N");
  ASSERT_TRUE(j.Annule());
  EXPECT_EQ(x.bd.BaseModifiee, 1);
  EXPECT_EQ(x.bd.NbreFiche(), 1);
}

TEST(JournalTest, PastTheBoundTheOldestStepsAreForgotten) {
  Arbre x;
  TJournal& j = x.bd.Journal();
  for (int i = 0; i < 50; ++i) {
    x.Tape("1:2", 1, std::string(200, static_cast<char>('a' + i % 26)));
    j.FinChamp();
  }
  EXPECT_EQ(j.NbreAnnulables(), 50u);
  const std::size_t parPas = j.Octets() / 50;
  j.FixeLimite(parPas * 10);
  EXPECT_LE(j.Octets(), parPas * 10);
  EXPECT_GE(j.NbreAnnulables(), 9u);
  EXPECT_LE(j.NbreAnnulables(), 10u);
  while (j.Annule()) {
  }
  // The oldest state kept is the one after the forgotten steps.
  EXPECT_EQ(x.bd.LitNom(1), std::string(200, static_cast<char>('a' + (49 - j.NbreRetablissables()) % 26)));
  while (j.Retablit()) {
  }
  j.FixeLimite(1);  // the last step always stays
  EXPECT_EQ(j.NbreAnnulables(), 1u);
}

}  // namespace
}  // namespace kindrela
