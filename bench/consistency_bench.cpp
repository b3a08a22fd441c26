// The consistency check of every person of a generated tree, at N/10, N/2
// and N persons: the time per person should stay flat, since each person
// costs only its own events, its parents' and its unions'.
//
// usage: consistency_bench [N]   (default 100000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "analysis/consistency.h"
#include "core/database.h"
#include "i18n/translation.h"
#include "support/tree_generator.h"

namespace {

using Horloge = std::chrono::steady_clock;

}  // namespace

int main(int argc, char** argv) {
  using namespace kindrela;
  const int nbre = argc > 1 ? std::atoi(argv[1]) : 100000;
  if (nbre < 10) {
    std::fprintf(stderr, "usage: %s [N >= 10]\n", argv[0]);
    return 2;
  }
  TTraduction traduction;
  std::string messages;
  for (int n = 901; n <= 923; ++n) messages += std::to_string(n) + ";message " + std::to_string(n) + "\r\n";
  traduction.ChargeTexte(messages);

  std::printf("%10s %10s %12s %12s %14s\n", "persons", "unions", "flagged", "check s", "us/person");
  for (int taille : {nbre / 10, nbre / 2, nbre}) {
    TBD bd;
    bench::OptionsGeneration options;
    options.personnes = taille;
    bench::BilanGeneration bilan = bench::GenereArbre(bd, options);
    const auto debut = Horloge::now();
    RapportCoherence r = ControleCoherenceArbre(bd, traduction, SeuilsCoherence::Defaut());
    const double s = std::chrono::duration<double>(Horloge::now() - debut).count();
    std::printf("%10d %10d %12zu %12.3f %14.2f\n", r.nbreControlees, bilan.unions,
                r.personnes.size(), s, 1e6 * s / r.nbreControlees);
  }
  return 0;
}
