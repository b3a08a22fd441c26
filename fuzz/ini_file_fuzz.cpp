// Any bytes as an initialisation file (settings, version-30 trees, name-day
// tables): reading, writing back, and reading the writing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/ini_file.h"

using namespace kindrela;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view texte(reinterpret_cast<const char*>(data), size);
  FichierIni ini;
  ini.ChargeTexte(texte);
  (void)ini.LitTexte("Ligne", "NbreFiche");
  (void)ini.LitEntier("KINDRELA 3.0B", "Version", 0);
  (void)ini.LitBooleen("Options", "Zip", false);
  ini.EcritTexte("Nouvelle", "cle", texte.substr(0, 40));
  FichierIni relu;
  relu.ChargeTexte(ini.Texte());
  // What is written reads back the same.
  if (relu.Texte() != ini.Texte()) std::abort();
  return 0;
}
