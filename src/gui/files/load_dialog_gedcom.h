// The GEDCOM side of the load dialog: the header preview and the import run.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/status.h"
#include "gedcom/gedcom_charsets.h"

namespace kindrela {

class TBD;
class TTablesTypes;
class TTraduction;

// The header fields the dialog shows.
struct ApercuGedcom {
  std::string source, version, date, societe, versionGedcom, jeu, langue, note;
};

// Reads the header of `chemin` (its first bytes only) decoded with `jeu`;
// empty fields when the file cannot be read. The database is not touched.
ApercuGedcom LitApercuGedcom(TBD& bd, const TTablesTypes& types, const std::string& chemin,
                             JeuCaracteres jeu);

struct ParametresImportGedcom {
  JeuCaracteres jeu = JeuCaracteres::Windows;
  bool majuscules = false;
  bool journal = false;
  Progression progression;
  std::function<void(const std::string&)> etiquette;
  const TTraduction* traduction = nullptr;
};

// The full import of `chemin` into `bd`. When the whole file was read the
// tree counts as open (BaseChargee 1). `avertissements` receives what the
// user should hear about although the import went on.
Statut ImporteGedcomPourChargement(TBD& bd, const TTablesTypes& types, const std::string& chemin,
                                   const ParametresImportGedcom& parametres,
                                   std::vector<std::string>& avertissements);

}  // namespace kindrela
