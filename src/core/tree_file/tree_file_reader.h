// Reading tree files of every version into the database.
//
// Each reader fills the tables in place: the database must have been
// emptied first (TBD::Vide), except for the merge of a version-98 file. The
// whole file is in memory before a reader starts, so that a file that cannot
// be read changes nothing.
//
// No format check is made beyond the version: a short or damaged file gives
// empty values for what is missing. What was found damaged is listed in the
// result's warnings and reading goes on. Counts are bounded by the table
// capacities and by what the file can hold, so that a damaged count never
// makes a huge allocation.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/database.h"
#include "core/status.h"

namespace kindrela {

struct OptionsLecture {
  // Version 98 only: append the file's persons and unions to the tree in
  // memory, their links moved to point into the appended block.
  bool fusion = false;
  // Value-stream versions: called every 100 records with the records read
  // so far out of the header's total; false stops the reading (the result
  // is then Annule and the tables hold what was read).
  Progression progression;
};

struct ResultatLecture {
  int version = 0;
  // The chart look the tree is shown with: a look name (current version)
  // or the full path of a look file (versions 99, 981, 98). Empty when the
  // file names none or when a merge ignores the header.
  std::string look;
  bool lookEstChemin = false;
  // The person to select (at least 1); 0 when the header was ignored by a
  // merge and the selection stays as it was.
  int selecPers = 0;
  // Versions 15, 24 and 30 hold places in their old form: the caller runs
  // the whole-tree place conversion after loading them.
  bool lieuxAConvertir = false;
  // Damage found while reading (truncated file, counts out of range...).
  std::vector<std::string> avertissements;
};

// Reads `octets`, a file of version `version` (a VersionBase code), into
// `bd`. An unknown version gives an error and changes nothing.
Statut LitArbre(TBD& bd, std::string_view octets, int version, const OptionsLecture& options,
                ResultatLecture& resultat);

// The readers, one per version.
Statut LitBase(TBD& bd, std::string_view octets, const OptionsLecture& options,
               ResultatLecture& resultat);  // 52 and 991
Statut LitBase99(TBD& bd, std::string_view octets, const OptionsLecture& options,
                 ResultatLecture& resultat);
Statut LitBase981(TBD& bd, std::string_view octets, const OptionsLecture& options,
                  ResultatLecture& resultat);
Statut LitBase98(TBD& bd, std::string_view octets, const OptionsLecture& options,
                 ResultatLecture& resultat);
Statut LitBase30(TBD& bd, std::string_view texte, ResultatLecture& resultat);
Statut LitBase24(TBD& bd, std::string_view octets, ResultatLecture& resultat);
Statut LitBase15(TBD& bd, std::string_view octets, ResultatLecture& resultat);

// The name of the look a result names: the name itself, or the file name
// of a look path without its folder ("/" or "\\") and its ".kda".
std::string NomDeLook(const ResultatLecture& resultat);

// The record dates of a loaded person: an empty date becomes "1/1/1998", a
// two-digit year ("5/3/98") gets its century ("5/3/1998").
std::string NormaliseDateChargee(std::string date);

}  // namespace kindrela
