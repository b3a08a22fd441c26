// Any bytes as a tree file: the reader of the version the bytes name (or,
// when they name none, of the version the first byte picks), then what a
// user does next with a damaged tree: check it, save it, read the save.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/database.h"
#include "core/tree_file/tree_file_reader.h"
#include "core/tree_file/tree_file_version.h"
#include "core/tree_file/tree_file_writer.h"

using namespace kindrela;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view octets(reinterpret_cast<const char*>(data), size);
  constexpr int kVersions[] = {52, 991, 99, 981, 98, 30, 24, 15};
  int version = VersionDesOctets(octets);
  if (version == kVersionInconnue) version = kVersions[size > 0 ? data[0] % 8 : 0];
  TBD bd;
  ResultatLecture r;
  OptionsLecture options;
  options.fusion = size % 2 == 1;
  if (!LitArbre(bd, octets, version, options, r).ok()) return 0;
  (void)ValeursCoupees(bd);
  (void)bd.VerifieBase([](const std::string&) { return true; });
  std::string ecrit;
  if (!OctetsBase(bd, {r.selecPers, NomDeLook(r)}, {}, ecrit).ok()) std::abort();
  TBD relu;
  ResultatLecture r2;
  // What the program writes, it reads back.
  if (!LitBase(relu, ecrit, {}, r2).ok() || relu.NbreFiche() != bd.NbreFiche()) std::abort();
  return 0;
}
