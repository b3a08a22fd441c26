// The chart layout: a chart of about 5000 boxes (a full pedigree of eleven
// generations above the reference person and three generations of ten
// children below) built in every arrangement, with the extent, the move to
// the margins and the page grid; then whole-line charts of a generated tree
// of N persons (all descendants of a founder, all ancestors of the youngest
// person of the longest line).
//
// usage: layout_bench [N]   (default 100000 persons)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "chart/fitting.h"
#include "chart/kinship.h"
#include "chart/layout.h"
#include "chart/pages.h"
#include "core/database.h"
#include "support/tree_generator.h"

namespace {

using namespace kindrela;
using Horloge = std::chrono::steady_clock;

template <typename F>
double Millisecondes(F&& f, int fois) {
  auto debut = Horloge::now();
  for (int i = 0; i < fois; ++i) f();
  return std::chrono::duration<double, std::milli>(Horloge::now() - debut).count() / fois;
}

T1Aff Moitie(int style, int generations) {
  T1Aff aff;
  aff.Style = static_cast<uint8_t>(style);
  aff.NbreGen = generations;
  aff.LigneNbre = 2;
  return aff;
}

// A reference person with every ancestor known over `generations`
// generations and `enfants` children per person over three generations
// below, each with a spouse.
int ArbreComplet(TBD& bd, int generations, int enfants) {
  auto personne = [&](int sexe, int pere, int mere) {
    const int n = bd.NouvelleFiche();
    bd.EcritSexe(n, sexe);
    bd.EcritPere(n, pere);
    bd.EcritMere(n, mere);
    return n;
  };
  std::vector<int> niveau;  // the oldest generation, father then mother pairs
  for (int i = 0; i < (1 << generations); ++i) niveau.push_back(personne(i % 2, 0, 0));
  while (niveau.size() > 1) {
    std::vector<int> suivant;
    for (size_t i = 0; i + 1 < niveau.size(); i += 2)
      suivant.push_back(personne(static_cast<int>(suivant.size() % 2), niveau[i], niveau[i + 1]));
    niveau = suivant;
  }
  const int ref = niveau[0];
  bd.EcritSexe(ref, 0);
  std::vector<int> parents{ref};
  for (int g = 0; g < 3; ++g) {
    std::vector<int> suivants;
    for (int p : parents) {
      const int conjoint = personne(1, 0, 0);
      const int u = bd.NouvelleUnion();
      bd.EcritNumH(u, p);
      bd.EcritNumF(u, conjoint);
      for (int k = 0; k < enfants; ++k) suivants.push_back(personne(0, p, conjoint));
    }
    parents = suivants;
  }
  return ref;
}

void CinqMille() {
  TBD bd;
  const int ref = ArbreComplet(bd, 11, 10);
  std::printf("Chart of a full pedigree (11 generations) and 3 x 10 children, %d persons\n",
              bd.NbreFiche());
  struct Cas {
    const char* nom;
    int asc, desc;
    bool conjoint;
  };
  const Cas cas[] = {{"Grouped / grouped", 1, 1, false},
                     {"Compact vertical / vertical", 2, 2, false},
                     {"Compact vertical / vertical, spouses", 2, 2, true},
                     {"Compact horizontal / horizontal", 3, 3, false},
                     {"Vertical fan / vertical", 4, 2, false},
                     {"Horizontal fan / horizontal", 5, 3, false}};
  for (const Cas& c : cas) {
    T1Aff m1 = Moitie(c.asc, 11), m2 = Moitie(c.desc, 3);
    OptionsArbre o;
    o.AfficheConjoint = c.conjoint;
    Arbre arbre;
    const double ms = Millisecondes([&] { arbre = ConstruitArbre(bd, ref, m1, m2, o); }, 20);
    RectArbre r;
    const double msRect = Millisecondes([&] { r = GetRect(arbre, m1, m2); }, 20);
    const double msDecale = Millisecondes([&] { DecaleZero(arbre, m1, m2, 0, 0); }, 20);
    ReglagesPage page;
    page.imprimante = true;
    page.largeurPage = 4800;
    page.hauteurPage = 6800;
    page.PrintZoom = 100;
    GrillePages grille;
    const double msPages = Millisecondes(
        [&] { grille = GrillePages(page, r.Right, r.Bottom, RectsObjets(arbre, m1, m2)); }, 20);
    std::printf("  %-38s %6zu boxes %6zu links  build %7.3f ms  extent %6.3f ms  "
                "shift %6.3f ms  %4d pages %6.3f ms\n",
                c.nom, arbre.boites.size(), arbre.liens.size(), ms, msRect, msDecale,
                grille.NbrePages(), msPages);
  }
}

void ArbreGenere(int nbre) {
  TBD bd;
  bench::OptionsGeneration options;
  options.personnes = nbre;
  bench::GenereArbre(bd, options);
  const int n = bd.NbreFiche();
  // The youngest person of the longest line (parents are made before their
  // children) and the top of its father's line.
  std::vector<int> profondeur(static_cast<size_t>(n) + 1, 0);
  int racine = 1;
  for (int i = 1; i <= n; ++i) {
    if (!bd.FicheUtilisee(i)) continue;
    const int f = bd.LitPere(i), m = bd.LitMere(i);
    int d = 0;
    if (f > 0 && f < i) d = std::max(d, profondeur[static_cast<size_t>(f)]);
    if (m > 0 && m < i) d = std::max(d, profondeur[static_cast<size_t>(m)]);
    profondeur[static_cast<size_t>(i)] = d + 1;
    if (profondeur[static_cast<size_t>(i)] > profondeur[static_cast<size_t>(racine)]) racine = i;
  }
  // The founder (no parents) among the first hundred with the most
  // descendants (counted by the bounded vertical placement).
  int sommet = 0;
  size_t plus = 0;
  for (int i = 1, vus = 0; i <= n && vus < 100; ++i) {
    if (!bd.FicheUtilisee(i) || bd.LitPere(i) > 0 || bd.LitMere(i) > 0) continue;
    ++vus;
    T1Aff m1 = Moitie(0, 0), m2 = Moitie(2, 999);
    const size_t k = ConstruitArbre(bd, i, m1, m2, {}).boites.size();
    if (k > plus) {
      plus = k;
      sommet = i;
    }
  }
  std::printf("Generated tree: %d persons; youngest of the longest line %d (%d generations), "
              "founder with the most descendants %d\n",
              bd.NbreFichesUtilisees(), racine, profondeur[static_cast<size_t>(racine)], sommet);
  struct Cas {
    const char* nom;
    int ref, asc, desc;
    bool conjoint;
  };
  const Cas cas[] = {{"All descendants, grouped", sommet, 0, 1, false},
                     {"All descendants, vertical", sommet, 0, 2, false},
                     {"All descendants, vertical, spouses", sommet, 0, 2, true},
                     {"All descendants, horizontal", sommet, 0, 3, false},
                     {"All ancestors, grouped", racine, 1, 0, false},
                     {"All ancestors, compact vertical", racine, 2, 0, false}};
  for (const Cas& c : cas) {
    T1Aff m1 = Moitie(c.asc, 999), m2 = Moitie(c.desc, 999);
    OptionsArbre o;
    o.AfficheConjoint = c.conjoint;
    Arbre arbre;
    const double ms = Millisecondes([&] { arbre = ConstruitArbre(bd, c.ref, m1, m2, o); }, 3);
    // What the chart area and the picture export decide on it.
    int zoom = 0, dpi = 0;
    const double msZoom = Millisecondes([&] { zoom = ZoomAutoLisible(arbre, m1, m2, 1400, 800); }, 3);
    const double msDpi = Millisecondes([&] { dpi = DpiMaxImage(arbre, m1, m2, 10); }, 3);
    std::printf("  %-38s %7zu boxes %7zu links  build %8.2f ms  auto zoom %d %6.2f ms  "
                "picture up to %d dpi %6.2f ms%s\n",
                c.nom, arbre.boites.size(), arbre.liens.size(), ms, zoom, msZoom, dpi, msDpi,
                arbre.tronque ? "  (bounded)" : "");
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int nbre = argc > 1 ? std::atoi(argv[1]) : 100000;
  CinqMille();
  ArbreGenere(nbre);
  return 0;
}
