// Writing the tree in the current version of the tree file.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/database.h"
#include "core/status.h"

namespace kindrela {

// What the file's header records beside the tables.
struct EnteteArbre {
  int selecPers = 0;  // the selected person
  std::string look;   // name of the chart look in use
};

// The whole file as bytes, every slot of the four tables in order, free
// ones included. `progression` is called every 100 records with
// (records done, NbreFiche + NbreUnion + NbreSrc + NbreEve); false stops
// with Annule. The header's save date is today.
Statut OctetsBase(const TBD& bd, const EnteteArbre& entete, const Progression& progression,
                  std::string& octets);

// What the file would cut of the tree: every text longer than
// kLongueurMaxValeur and every list of more than kEntreesMaxListe events or
// sources, one line each naming the record as the user knows it and what
// would be kept. Empty when the file holds the whole tree.
std::vector<std::string> ValeursCoupees(const TBD& bd);

// Asked before a save that would cut values, with ValeursCoupees; false
// stops the save before anything is written.
using ConfirmeCoupures = std::function<bool(const std::vector<std::string>& coupures)>;

// Writes the tree to `chemin` (the full name, extension included) and keeps
// the previous file as `chemin` + ".old", replacing the previous backup.
// When the file would cut values, `confirme` is asked first (an empty one
// lets the save go on: the caller has warned by itself). A link to the tree
// file is written through: the file it names is replaced, keeping its
// permissions. The new content is on disk before anything is renamed: on
// any failure (or cancellation) the tree file and its ".old" are left as
// they were and the error names the file and says why. Temporary files a
// save of this tree left behind (a program stopped mid-write) are removed.
// On success DateSauveBase becomes today.
Statut EcritBase(TBD& bd, const std::string& chemin, const EnteteArbre& entete,
                 const Progression& progression = {}, const ConfirmeCoupures& confirme = {});

// The backup step alone: puts `octets` at `chemin`, the previous file
// becoming `chemin` + ".old", with the same guarantees.
Statut RemplaceAvecSauvegarde(const std::string& chemin, const std::string& octets);

}  // namespace kindrela
