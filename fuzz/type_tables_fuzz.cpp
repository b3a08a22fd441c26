// Any bytes as a type table (event kinds, custom fields, source types),
// then the look-ups the import, the export and the record window make.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "analysis/type_tables.h"
#include "i18n/translation.h"

using namespace kindrela;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view texte(reinterpret_cast<const char*>(data), size);
  static const TTraduction traduction;
  TTablesTypes tables;
  const SorteTable sorte = static_cast<SorteTable>(size % 3);
  tables.ChargeTexte(sorte, texte, traduction);
  (void)tables.EvenementDeTag("BIRT");
  (void)tables.TagEvenement("Naissance");
  (void)tables.ChampDeTag("OCCU");
  (void)tables.TagChamp("Profession");
  (void)TexteGrille(tables.Grille(sorte));
  return 0;
}
