// Pictures of the web export re-encoded as JPEG, for the window and the
// command line alike: JPEG and PNG files are read, fitted into a square and
// written with a quality.
#pragma once

#include <string>

#include "core/status.h"

namespace kindrela {

// Reads `source` (JPEG or PNG, found by its content), shrinks it to fit a
// square of `cote` pixels when larger (0: the original size; never
// enlarged), and writes it to `cible` as a JPEG of quality `qualite`
// (clamped to 1..100). A file that is no readable picture is an error
// naming it, and `cible` is then not written.
Statut EncodeImageJpeg(const std::string& source, const std::string& cible, int cote, int qualite);

}  // namespace kindrela
