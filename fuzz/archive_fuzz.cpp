// Any bytes as a zip archive received with a tree: listing its entries and
// extracting them into a scratch folder (never outside it).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/archive.h"

using namespace kindrela;

namespace {

const std::string& Dossier() {
  static const std::string dossier = [] {
    // In memory where the system has it: every run writes files.
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string modele = (base / "kindrela-fuzz-zip-XXXXXX").string();
    if (::mkdtemp(modele.data()) == nullptr) std::abort();
    return modele + "/";
  }();
  return dossier;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string archive = Dossier() + "arbre.zip";
  const std::string cible = Dossier() + "cible/";
  std::filesystem::remove_all(cible);
  std::filesystem::create_directories(cible);
  {
    std::ofstream sortie(archive, std::ios::binary | std::ios::trunc);
    sortie.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!sortie) std::abort();
  }
  std::vector<EntreeArchive> entrees;
  if (ListeArchive(archive, entrees).ok()) {
    for (const EntreeArchive& e : entrees) {
      if (e.taille > (1 << 20)) continue;  // a bomb: a real extraction would still write it
      (void)ExtraitEntree(archive, e.nom, cible);
    }
  }
  // Nothing was written beside the scratch folder.
  for (auto& e : std::filesystem::directory_iterator(Dossier()))
    if (e.path().filename() != "arbre.zip" && e.path().filename() != "cible") std::abort();
  return 0;
}
