// Must not compile: "ł" has no Windows-1252 byte, so the program text could
// not be stored as written.
#include "core/ansi_literal.h"

using namespace kindrela::literals;

#ifdef KINDRELA_TEMOIN
// The same text with letters Windows-1252 holds compiles: the refusal above
// comes from the letter, whatever words the compiler gives it.
const char* kNom = "Œuvre d’Éloïse"_ansi;
#else
const char* kNom = "Wałęsa"_ansi;
#endif
