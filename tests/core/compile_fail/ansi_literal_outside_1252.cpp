// Must not compile: "ł" has no Windows-1252 byte, so the program text could
// not be stored as written.
#include "core/ansi_literal.h"

using namespace kindrela::literals;

const char* kNom = "Wałęsa"_ansi;
