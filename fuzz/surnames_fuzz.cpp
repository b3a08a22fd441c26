// Any bytes as a saved surname list, compared with itself.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gedcom/surnames.h"

using namespace kindrela;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view texte(reinterpret_cast<const char*>(data), size);
  ListePatronymes liste;
  ChargePatronymesTexte(texte, liste);
  TrierPatronymes(liste, size % 2 == 0);
  (void)LignesPatronymes(liste);
  (void)ComparerPatronymes(liste, liste, size % 3 == 0 ? ModeComparaison::Exact : ModeComparaison::Phonetique);
  (void)ClePhonetique(texte.substr(0, 64));
  return 0;
}
