// Deleting and merging on a large tree: every selection rule of the
// deletion dialog (as its count runs at each click), the deletion of a
// selection, of everybody but one person and of one person, and the merge
// of two persons with many relatives. Timed at N/10 and N persons: the
// per-person costs should stay flat.
//
// usage: editing_bench [N]   (default 100000 persons)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "chart/kinship.h"
#include "core/database.h"
#include "core/journal.h"
#include "editing/deletion.h"
#include "editing/merge.h"
#include "support/tree_generator.h"

namespace {

using namespace kindrela;
using Horloge = std::chrono::steady_clock;

template <typename F>
double Chrono(F&& f) {
  auto debut = Horloge::now();
  f();
  return std::chrono::duration<double>(Horloge::now() - debut).count();
}

void Genere(TBD& bd, int nbre) {
  bench::OptionsGeneration options;
  options.personnes = nbre;
  bench::GenereArbre(bd, options);
}

// The person with the longest line of ancestors, and the top of its
// father's line (the one with the most descendants).
std::pair<int, int> Personnes(const TBD& bd) {
  const int n = bd.NbreFiche();
  std::vector<int> profondeur(static_cast<size_t>(n) + 1, 0);
  int racine = 1;
  for (int i = 1; i <= n; ++i) {
    if (!bd.FicheUtilisee(i)) continue;
    const int f = bd.LitPere(i), m = bd.LitMere(i);
    int d = 0;
    if (f > 0 && f < i) d = std::max(d, profondeur[f]);
    if (m > 0 && m < i) d = std::max(d, profondeur[m]);
    profondeur[i] = d + 1;
    if (profondeur[i] > profondeur[racine]) racine = i;
  }
  int sommet = racine;
  while (bd.LitPere(sommet) > 0 && bd.LitPere(sommet) < sommet) sommet = bd.LitPere(sommet);
  return {racine, sommet};
}

int Compte(const std::vector<uint8_t>& marques) {
  return static_cast<int>(std::count(marques.begin(), marques.end(), 1));
}

void Mesure(int nbre) {
  TBD bd;
  Genere(bd, nbre);
  const auto [racine, sommet] = Personnes(bd);
  std::printf("%d persons, %d unions; root %d, top of its line %d\n", bd.NbreFichesUtilisees(),
              bd.NbreUnion(), racine, sommet);

  struct Regle {
    const char* nom;
    int p;
    void (*regle)(CriteresSuppression&);
  };
  const Regle regles[] = {
      {"CB_Pers", racine, [](CriteresSuppression&) {}},
      {"CB_Pere + CB_Mere", racine, [](CriteresSuppression& c) { c.pere = c.mere = true; }},
      {"CB_Conj", sommet, [](CriteresSuppression& c) { c.conjoints = true; }},
      {"CB_Fatrie", racine, [](CriteresSuppression& c) { c.fratrie = true; }},
      {"CB_Enfant", sommet, [](CriteresSuppression& c) { c.enfants = true; }},
      {"CB_Asc 999", racine, [](CriteresSuppression& c) { c.ascendance = true, c.ascGen = 999; }},
      {"CB_Asc + cbAscConj + cbAscConjAsc", racine,
       [](CriteresSuppression& c) {
         c.ascendance = c.ascConj = c.ascConjAsc = true;
         c.ascGen = c.ascConjAscGen = 999;
       }},
      {"CB_Asc + cbAscFratrie", racine,
       [](CriteresSuppression& c) { c.ascendance = c.ascFratrie = true, c.ascGen = 999; }},
      {"CB_Asc + fratrie + its descendants", racine,
       [](CriteresSuppression& c) {
         c.ascendance = c.ascFratrie = c.ascFratrieDes = true;
         c.ascGen = 999;
       }},
      {"  ... + all spouses and their asc.", racine,
       [](CriteresSuppression& c) {
         c.ascendance = c.ascFratrie = c.ascFratrieDes = c.ascConj = c.ascConjAsc = true;
         c.ascGen = c.ascConjAscGen = 999;
       }},
      {"CB_Des 999", sommet, [](CriteresSuppression& c) { c.descendance = true, c.desGen = 999; }},
      {"CB_Des + cbDesConj + cbDesConjAsc", sommet,
       [](CriteresSuppression& c) {
         c.descendance = c.desConj = c.desConjAsc = true;
         c.desGen = c.desConjAscGen = 999;
       }},
      {"cbAge 100", racine, [](CriteresSuppression& c) { c.age = true; }},
      {"cbRapport (every person)", racine, [](CriteresSuppression& c) { c.rapport = true; }},
  };
  const TR rapport = AllPersons(bd);
  std::vector<uint8_t> marques;
  for (const Regle& r : regles) {
    CriteresSuppression c;
    r.regle(c);
    int nbreSupprimees = 0;
    const double s = Chrono([&] {
      (void)AppliqueActivations(bd, r.p, rapport.Count(), c);
      r.regle(c);  // the activation rules may untick what the person lacks
      marques = SelectionSuppression(bd, r.p, c, rapport);
      nbreSupprimees = NbreASupprimer(bd, marques, false);
    });
    std::printf("  %-36s %8.3f s  (%d marked, %d to delete)\n", r.nom, s, Compte(marques), nbreSupprimees);
  }
  {
    CriteresSuppression c;
    c.conserver = true;
    double s = Chrono([&] { marques = SelectionSuppression(bd, racine, c, rapport); });
    int n = 0;
    s += Chrono([&] { n = NbreASupprimer(bd, marques, true); });
    std::printf("  %-36s %8.3f s  (%d to delete)\n", "rbConserver, CB_Pers", s, n);
    s = Chrono([&] { n = ListeASupprimer(bd, marques, true).Count(); });
    std::printf("  %-36s %8.3f s  (%d listed)\n", "sbListe (the list to delete)", s, n);
  }

  // Deletions, each on a fresh tree.
  auto supprime = [&](const char* nom, auto criteres, int p) {
    TBD arbre;
    Genere(arbre, nbre);
    CriteresSuppression c;
    criteres(c);
    const std::vector<uint8_t> m = SelectionSuppression(arbre, p, c, TR(0));
    const int avant = arbre.NbreFichesUtilisees();
    int selection = 0;
    const double s = Chrono([&] { selection = SupprimeSelection(arbre, m, c.conserver, p); });
    std::printf("  %-36s %8.3f s  (%d deleted, selection %d)\n", nom, s,
                avant - arbre.NbreFichesUtilisees(), selection);
  };
  supprime("delete: descendants of the top", [](CriteresSuppression& c) {
    c.descendance = c.desConj = true;
    c.desGen = 999;
  }, sommet);
  supprime("delete: everybody but the root", [](CriteresSuppression& c) { c.conserver = true; }, racine);
  supprime("delete: the whole ancestry + kin", [](CriteresSuppression& c) {
    c.ascendance = c.ascFratrie = c.ascFratrieDes = c.ascConj = true;
    c.ascGen = 999;
  }, racine);
  {
    TBD arbre;
    Genere(arbre, nbre);
    int selection = 0;
    const double s = Chrono([&] { selection = SupprimePersonne(arbre, sommet, sommet); });
    std::printf("  %-36s %8.3f s  (selection %d)\n", "delete one person (the top)", s, selection);
    const double t = Chrono([&] { NettoieLiens(arbre); });
    std::printf("  %-36s %8.3f s\n", "NettoieLiens, whole tree", t);
  }

  // Merges: the man with the most children and unions absorbs another man
  // of many relatives; then one merge after another along the persons.
  {
    TBD arbre;
    Genere(arbre, nbre);
    // The busiest men first; the first pair the merge accepts.
    std::vector<std::pair<int, int>> occupes;
    for (int p = 1; p <= arbre.NbreFiche(); ++p)
      if (arbre.FicheUtilisee(p) && arbre.LitSexe(p) == 0)
        occupes.push_back({ChildrenOf(arbre, p).Count() + SpouseCount(arbre, p), p});
    std::sort(occupes.rbegin(), occupes.rend());
    occupes.resize(std::min<size_t>(occupes.size(), 50));
    int a = 0, b = 0, plus = 0, second = 0;
    for (size_t i = 0; i < occupes.size() && a == 0; ++i)
      for (size_t j = i + 1; j < occupes.size() && a == 0; ++j)
        if (VerifieFusion(arbre, occupes[i].second, occupes[j].second).ok()) {
          a = occupes[i].second, plus = occupes[i].first;
          b = occupes[j].second, second = occupes[j].first;
        }
    ResultatFusion r;
    const double s = Chrono([&] { r = FusionPersonnes(arbre, a, b); });
    std::printf("  %-36s %8.3f s  (%d into %d: %s; %d and %d relatives)\n", "merge two busy persons", s, b,
                a, r.ok() ? "done" : r.message.c_str(), second, plus);
    bool fait = false;
    const double annule = Chrono([&] { fait = arbre.Journal().Annule(); });
    std::printf("  %-36s %8.3f s  (%s, %zu bytes kept)\n", "undo of that merge", annule,
                fait ? "done" : "nothing to undo", arbre.Journal().Octets());
    const double refait = Chrono([&] { fait = arbre.Journal().Retablit(); });
    std::printf("  %-36s %8.3f s  (%s)\n", "redo of that merge", refait, fait ? "done" : "nothing to redo");
    int faites = 0, essais = 0;
    const double t = Chrono([&] {
      for (int p = 2; p + 1 <= arbre.NbreFiche() && essais < 1000; p += 97, ++essais)
        faites += FusionPersonnes(arbre, p, p + 1).ok();
    });
    std::printf("  %-36s %8.3f s  (%d tried, %d merged: %.3f ms each)\n", "1000 merges along the tree", t,
                essais, faites, 1000.0 * t / std::max(essais, 1));
  }

  // The undo journal: 10 000 field edits of the record (a surname, then a
  // birth date, each its own step), their memory, and undoing them all;
  // then the renumbering of the whole tree as one step.
  {
    TBD arbre;
    Genere(arbre, nbre);
    TJournal& journal = arbre.Journal();
    const double t = Chrono([&] {
      for (int i = 0; i < 10000; ++i) {
        int p = 1 + static_cast<int>((static_cast<long long>(i) * 7919) % arbre.NbreFiche());
        while (!arbre.FicheUtilisee(p)) p = p % arbre.NbreFiche() + 1;
        const bool nom = i % 2 == 0;
        journal.Champ(nom ? "nom" : "date", std::to_string(p) + (nom ? ":2" : ":6"));
        if (nom) arbre.EcritNom(p, arbre.LitNom(p) + "E");
        else arbre.EcritDateNaissance(p, std::to_string(1700 + i % 300));
        journal.FinChamp();
      }
    });
    std::printf("  %-36s %8.3f s  (%zu steps, %zu bytes: %.0f bytes each)\n", "10000 field edits", t,
                journal.NbreAnnulables(), journal.Octets(),
                static_cast<double>(journal.Octets()) / std::max<size_t>(journal.NbreAnnulables(), 1));
    int annules = 0;
    const double u = Chrono([&] {
      while (journal.Annule()) ++annules;
    });
    std::printf("  %-36s %8.3f s  (%d undone)\n", "undo of the 10000 edits", u, annules);
    const int racine = arbre.FicheSuivante(0);
    const double n = Chrono([&] { NumberTree(arbre, racine, 1000, true, false); });
    std::printf("  %-36s %8.3f s  (%zu bytes kept)\n", "renumbering from the first person", n,
                journal.Octets());
    const double un = Chrono([&] { journal.Annule(); });
    std::printf("  %-36s %8.3f s\n", "undo of the renumbering", un);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int nbre = argc > 1 ? std::atoi(argv[1]) : 100000;
  if (nbre < 10) {
    std::fprintf(stderr, "usage: editing_bench [N >= 10]\n");
    return 2;
  }
  Mesure(nbre / 10);
  Mesure(nbre);
  return 0;
}
