// Whole-tree place conversion: every event's place rewritten, then the same
// conversion run again (which must change nothing). Timed at N/10, N/2 and
// N persons; the time per event should stay flat.
//
// usage: places_bench [N]   (default 100000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/database.h"
#include "dates/places.h"
#include "support/tree_generator.h"

namespace {

using Horloge = std::chrono::steady_clock;

double Secondes(Horloge::time_point debut) {
  return std::chrono::duration<double>(Horloge::now() - debut).count();
}

void Mesure(int personnes) {
  kindrela::TBD bd;
  kindrela::bench::OptionsGeneration options;
  options.personnes = personnes;
  const auto bilan = kindrela::bench::GenereArbre(bd, options);
  // Half of the places in the plain French shape, so that normalising has
  // work to do.
  for (int e = 1; e <= bd.NbreEve(); e += 2)
    if (bd.EveUtilise(e))
      bd.EcritChampEve(e, 4, "F,," + std::to_string(75000 + e % 1000) + ",Paris,Lieu-dit");

  kindrela::OptionsConversionLieux conversion;
  long long appels = 0;
  auto debut = Horloge::now();
  const auto r1 = kindrela::ConvertitLieux(bd, conversion, [&](long long, long long) {
    ++appels;
    return true;
  });
  const double premiere = Secondes(debut);
  debut = Horloge::now();
  const auto r2 = kindrela::ConvertitLieux(bd, conversion);
  const double seconde = Secondes(debut);
  debut = Horloge::now();
  const auto apercu = kindrela::ApercuLieux(bd);
  const double tempsApercu = Secondes(debut);

  std::printf("%7d persons %8d events: convert %.3f s (%d changed, %.0f ns/event), again %.3f s "
              "(%d changed), preview %zu rows %.6f s, %lld progress calls\n",
              bilan.personnes, bd.NbreEve(), premiere, r1.nbreModifies,
              1e9 * premiere / bd.NbreEve(), seconde, r2.nbreModifies, apercu.size(), tempsApercu,
              appels);
}

}  // namespace

int main(int argc, char** argv) {
  const int n = argc > 1 ? std::atoi(argv[1]) : 100000;
  for (int taille : {n / 10, n / 2, n}) Mesure(taille);
  return 0;
}
