// Writing the tree in the current version of the tree file.
#pragma once

#include <string>

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

// Writes the tree to `chemin` (the full name, extension included) and keeps
// the previous file as `chemin` + ".old", replacing the previous backup.
// The new content is on disk before anything is renamed: on any failure (or
// cancellation) the tree file and its ".old" are left as they were and the
// error names the file. On success DateSauveBase becomes today.
Statut EcritBase(TBD& bd, const std::string& chemin, const EnteteArbre& entete,
                 const Progression& progression = {});

// The backup step alone: puts `octets` at `chemin`, the previous file
// becoming `chemin` + ".old", with the same guarantees.
Statut RemplaceAvecSauvegarde(const std::string& chemin, const std::string& octets);

}  // namespace kindrela
