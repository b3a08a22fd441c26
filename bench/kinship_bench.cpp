// Kinship queries on large trees: the per-person queries run for every
// person (as the chart, the reports and the web export call them), the
// numbering from a person of the youngest generation, and the whole-tree
// sorts. Timed at N/10 and N persons: per-person costs should stay flat.
//
// usage: kinship_bench [N] [G]   (defaults 100000 persons, 30 generations)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <algorithm>

#include "chart/kinship.h"
#include "core/database.h"
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

void Mesure(int nbre, int generations) {
  TBD bd;
  bench::OptionsGeneration options;
  options.personnes = nbre;
  bench::GenereArbre(bd, options);
  const int n = bd.NbreFiche();

  // The root: a person with the longest line of ancestors (parents are made
  // before their children), and the top of its father's line.
  std::vector<int> profondeur(static_cast<size_t>(n) + 1, 0);
  int racine = 1;
  for (int i = 1; i <= n; ++i) {
    if (!bd.FicheUtilisee(i)) continue;
    int f = bd.LitPere(i), m = bd.LitMere(i);
    int d = 0;
    if (f > 0 && f < i) d = std::max(d, profondeur[f]);
    if (m > 0 && m < i) d = std::max(d, profondeur[m]);
    profondeur[i] = d + 1;
    if (profondeur[i] > profondeur[racine]) racine = i;
  }
  int sommet = racine;
  while (bd.LitPere(sommet) > 0 && bd.LitPere(sommet) < sommet) sommet = bd.LitPere(sommet);
  std::printf("root %d (%d generations), top of its line %d\n", racine, profondeur[racine], sommet);

  long long total = 0;
  auto parPersonne = [&](const char* nom, auto requete) {
    total = 0;
    double s = Chrono([&] {
      for (int p = 1; p <= n; ++p) total += requete(p);
    });
    std::printf("  %-34s %8.3f s  (%lld entries)\n", nom, s, total);
  };
  std::printf("%d persons, %d unions\n", bd.NbreFichesUtilisees(), bd.NbreUnion());
  parPersonne("ChildrenOf, every person", [&](int p) { return ChildrenOf(bd, p).Count(); });
  parPersonne("UnionsOf, every person", [&](int p) { return UnionsOf(bd, p).Count(); });
  parPersonne("SpousesOf, every person", [&](int p) { return SpousesOf(bd, p).Count(); });
  parPersonne("SiblingsOf, every person", [&](int p) { return SiblingsOf(bd, p).Count(); });
  parPersonne("ChildrenOfCoupleCourt, every union",
              [&](int u) { return u <= bd.NbreUnion() ? ChildrenOfCoupleCourt(bd, bd.LitNumH(u), bd.LitNumF(u)).Count() : 0; });

  auto numerotes = [&] {
    int k = 0;
    size_t octets = 0, plusLong = 0;
    for (int p = 1; p <= n; ++p) {
      const Texte& t = bd.Fiche(p).Numero;
      k += !t.empty();
      octets += t.size();
      plusLong = std::max(plusLong, t.size());
    }
    std::printf("  (numbers: %zu bytes in all, longest %zu)\n", octets, plusLong);
    return k;
  };
  double s = Chrono([&] { NumberTree(bd, racine, generations, false, false); });
  std::printf("  %-34s %8.3f s  (%d numbered)\n", "NumberTree plain", s, numerotes());
  s = Chrono([&] { NumberTree(bd, racine, generations, true, true); });
  std::printf("  %-34s %8.3f s  (%d numbered)\n", "NumberTree by family, spouses", s, numerotes());

  TR tous = AllPersons(bd);
  TR copie = tous;
  s = Chrono([&] { (void)SortByColumnText(bd, copie, 3); });
  std::printf("  %-34s %8.3f s\n", "SortByColumnText, whole tree", s);
  copie = tous;
  s = Chrono([&] { SortByDateColumn(bd, copie, 6); });
  std::printf("  %-34s %8.3f s\n", "SortByDateColumn, whole tree", s);
  s = Chrono([&] { total = DescendantsWithin(bd, sommet, 1000).Count(); });
  std::printf("  %-34s %8.3f s  (%lld entries)\n", "DescendantsWithin from the top", s, total);
  s = Chrono([&] { total = AncestorsWithin(bd, racine, 1000).Count(); });
  std::printf("  %-34s %8.3f s  (%lld entries)\n", "AncestorsWithin from the root", s, total);
}

}  // namespace

int main(int argc, char** argv) {
  const int nbre = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int generations = argc > 2 ? std::atoi(argv[2]) : 30;
  if (nbre < 10) {
    std::fprintf(stderr, "usage: kinship_bench [N >= 10] [G]\n");
    return 2;
  }
  Mesure(nbre / 10, generations);
  Mesure(nbre, generations);
  return 0;
}
