// Any bytes as a chart look file: the records read stay usable, and what is
// written of them reads back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "chart/looks.h"

using namespace kindrela;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view texte(reinterpret_cast<const char*>(data), size);
  TApparence lu;
  LitTexteLook(texte, {}, lu);
  TApparence relu;
  LitTexteLook(TexteLook(lu, {}), {}, relu);
  for (int m = 0; m < 2; ++m)
    if (!(relu.Aff[m] == lu.Aff[m])) std::abort();
  return 0;
}
