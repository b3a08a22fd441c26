// Saving and loading a large tree: tree_file_bench [PERSONS] [RUNS] [KEEP.kdg]
// KEEP.kdg, when given, receives the generated tree (to try it in the program).
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/database.h"
#include "core/file_io.h"
#include "core/tree_file/tree_file_load.h"
#include "core/tree_file/tree_file_writer.h"
#include "support/tree_generator.h"

namespace {

using namespace kindrela;
using Horloge = std::chrono::steady_clock;

double Ms(Horloge::time_point debut) {
  return std::chrono::duration<double, std::milli>(Horloge::now() - debut).count();
}

double Mediane(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  bench::OptionsGeneration options;
  options.personnes = argc > 1 ? std::atoi(argv[1]) : 100000;
  int essais = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

  TBD bd;
  auto debut = Horloge::now();
  bench::BilanGeneration bilan = bench::GenereArbre(bd, options);
  std::printf("generated: %d persons in use (%d slots), %d valid unions (%d slots), "
              "%d events in use (%d slots), %d sources in %.0f ms\n",
              bilan.personnes, bd.NbreFiche(), bilan.unions, bd.NbreUnion(), bilan.evenements,
              bd.NbreEve(), bilan.sources, Ms(debut));

  std::string modele = (std::filesystem::temp_directory_path() / "kindrela-bench-XXXXXX").string();
  if (!::mkdtemp(modele.data())) return 1;
  const std::string chemin = modele + "/grand.kdg";

  std::vector<double> serialise, ecrit, charge;
  long long taille = 0;
  for (int i = 0; i < essais; ++i) {
    std::string octets;
    debut = Horloge::now();
    Statut s = OctetsBase(bd, {1, "kindrela"}, {}, octets);
    serialise.push_back(Ms(debut));
    taille = static_cast<long long>(octets.size());

    debut = Horloge::now();
    s = EcritBase(bd, chemin, {1, "kindrela"});
    ecrit.push_back(Ms(debut));
    if (!s) {
      std::fprintf(stderr, "save failed: %s\n", s.message().c_str());
      return 1;
    }

    TBD relu;
    ResultatChargement r;
    debut = Horloge::now();
    s = ChargeFichierArbre(relu, chemin, {}, r);
    charge.push_back(Ms(debut));
    if (!s || relu.NbreFiche() != bd.NbreFiche() || relu.NbreEve() != bd.NbreEve() ||
        relu.NbreFichesUtilisees() != bilan.personnes) {
      std::fprintf(stderr, "reload differs: %s\n", s.message().c_str());
      return 1;
    }
  }
  std::filesystem::remove_all(modele);
  if (argc > 3) {
    if (Statut s = EcritBase(bd, argv[3], {1, "kindrela"}); !s) std::printf("%s\n", s.message().c_str());
  }

  std::printf("file: %.1f MB\n", static_cast<double>(taille) / 1e6);
  std::printf("serialise (OctetsBase)         median %7.1f ms  (best %.1f)\n", Mediane(serialise),
              *std::min_element(serialise.begin(), serialise.end()));
  std::printf("save (EcritBase, fsync, .old)  median %7.1f ms  (best %.1f)\n", Mediane(ecrit),
              *std::min_element(ecrit.begin(), ecrit.end()));
  std::printf("load (ChargeFichierArbre)      median %7.1f ms  (best %.1f)\n", Mediane(charge),
              *std::min_element(charge.begin(), charge.end()));
  return 0;
}
