// Any bytes as the translation file, then the look-ups every window makes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "i18n/translation.h"

using namespace kindrela;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view texte(reinterpret_cast<const char*>(data), size);
  TTraduction t;
  (void)t.ChargeTexte(texte);
  for (int n : {0, 1, 200, 509, 2206, 99999, -1}) (void)t.Msg(n);
  (void)t.MsgCle("gedcom_note_de");
  (void)t.MsgCle(texte.substr(0, 16));
  return 0;
}
