// Database throughput on large trees: creating persons with their birth,
// baptism and death events, reading every person field, deleting and
// re-creating persons. Each phase is timed at N/10, N/2 and N persons; the
// time per person should stay flat if every operation scales.
//
// usage: database_bench [N]   (default 1000000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/database.h"

namespace {

using Horloge = std::chrono::steady_clock;

double Secondes(Horloge::time_point debut) {
  return std::chrono::duration<double>(Horloge::now() - debut).count();
}

struct Mesure {
  double creation = 0;
  double lecture = 0;
  double suppression = 0;
  double recreation = 0;
  size_t octetsLus = 0;
};

Mesure Mesure1(int nbre) {
  using kindrela::TBD;
  kindrela::CapacitesBD capacites;
  capacites.fiches = nbre;
  capacites.eves = 3 * nbre;
  TBD bd(capacites);
  Mesure m;

  auto debut = Horloge::now();
  for (int i = 1; i <= nbre; ++i) {
    int n = bd.NouvelleFiche();
    bd.EcritChamp(n, 2, "Martin");
    bd.EcritChamp(n, 3, "Jean Pierre");
    bd.EcritChamp(n, 1, i % 2 ? "H" : "F");
    // Parents among the earlier persons, so that deleting has links to clear.
    if (n > 2) {
      bd.EcritChamp(n, 4, std::to_string(n / 2));
      bd.EcritChamp(n, 5, std::to_string(n / 2 + 1));
    }
    bd.EcritChamp(n, 6, "12/3/1850");
    bd.EcritChamp(n, 7, "Paris");
    bd.EcritChamp(n, 9, "14/3/1850");
    bd.EcritChamp(n, 10, "Paris, Saint-Sulpice");
    bd.EcritChamp(n, 12, "1/1/1920");
    bd.EcritChamp(n, 13, "Lyon");
  }
  m.creation = Secondes(debut);

  debut = Horloge::now();
  for (int n = bd.FicheSuivante(0); n != 0; n = bd.FicheSuivante(n))
    for (int code = 0; code <= 28; ++code) m.octetsLus += bd.LitChamp(n, code).size();
  m.lecture = Secondes(debut);

  // One person in a hundred, spread over the table: each has children whose
  // links must be cleared, and events to free.
  int supprimes = 0;
  debut = Horloge::now();
  for (int n = 3; n <= nbre; n += 100, ++supprimes) bd.SupprimeFiche(n);
  m.suppression = Secondes(debut);

  debut = Horloge::now();
  for (int i = 0; i < supprimes; ++i) {
    int n = bd.NouvelleFiche();
    bd.EcritChamp(n, 6, "1900");
  }
  m.recreation = Secondes(debut);
  if (bd.NbreFiche() != nbre || bd.NbreFichesUtilisees() != nbre)
    std::fprintf(stderr, "unexpected counts: %d %d\n", bd.NbreFiche(), bd.NbreFichesUtilisees());
  return m;
}

}  // namespace

int main(int argc, char** argv) {
  int nbre = argc > 1 ? std::atoi(argv[1]) : 1000000;
  if (nbre < 10) {
    std::fprintf(stderr, "usage: %s [N >= 10]\n", argv[0]);
    return 2;
  }
  std::printf("%10s %12s %12s %14s %12s %12s %12s\n", "persons", "create s", "read s",
              "read ns/field", "delete 1% s", "recreate s", "create us/p");
  for (int taille : {nbre / 10, nbre / 2, nbre}) {
    Mesure m = Mesure1(taille);
    std::printf("%10d %12.3f %12.3f %14.1f %12.4f %12.4f %12.3f\n", taille, m.creation, m.lecture,
                1e9 * m.lecture / (29.0 * taille), m.suppression, m.recreation,
                1e6 * m.creation / taille);
    if (m.octetsLus == 0) return 1;  // keeps the reads from being optimised away
  }
  return 0;
}
