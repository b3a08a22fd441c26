// Zip archives: a saved tree packed with its attached files, and trees
// received as archives.
#pragma once

#include <string>
#include <vector>

#include "core/status.h"

namespace kindrela {

struct EntreeArchive {
  std::string nom;            // as stored, in Windows-1252; "/" separates folders
  long long taille = 0;       // uncompressed size in bytes
  bool dossier = false;       // a folder entry (name ending with "/")
};

// Makes the archive `archive` (replacing any file of that name) holding each
// file of `fichiers` under its name without folder. The same path given twice
// is stored once; two different files of the same name are refused, as is a
// missing file, before anything is written. On failure an existing archive
// of that name is left as it was.
Statut CreeArchive(const std::string& archive, const std::vector<std::string>& fichiers);

// The entries of an archive, in archive order.
Statut ListeArchive(const std::string& archive, std::vector<EntreeArchive>& entrees);

// Extracts the entry named `entree` into `dossier` (which must exist),
// creating the sub-folders its name holds; an existing file is replaced.
// A name that is absolute or climbs out of the folder ("..") is refused and
// nothing is written. `ecrit`, when given, receives the path written.
Statut ExtraitEntree(const std::string& archive, const std::string& entree,
                     const std::string& dossier, std::string* ecrit = nullptr);

// Extracts every entry into `dossier`. The names are all checked first: when
// one of them is refused, nothing at all is written.
Statut ExtraitTout(const std::string& archive, const std::string& dossier,
                   std::vector<std::string>* ecrits = nullptr);

// True when `nom` names a place inside the target folder: not empty, not
// absolute (no leading "/" or "\", no drive letter "C:"), no ".." component
// and no zero byte. "\" counts as a separator, as in archives made on Windows.
bool NomEntreeSur(const std::string& nom);

}  // namespace kindrela
