// Whole-file reading and crash-safe writing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/status.h"

namespace kindrela {

// Paths travel through the program as Windows-1252 text, like every other
// text; the file system names files in UTF-8. Every call into the system
// with a path goes through this conversion.
std::string CheminSysteme(std::string_view chemin);

bool FichierExiste(const std::string& chemin);
bool DossierExiste(const std::string& chemin);

// The whole content of a file as bytes; an error names the file.
Statut LitFichier(const std::string& chemin, std::string& contenu);

// Writes `contenu` to a temporary file in the same folder, flushes it to the
// disk and renames it over `chemin`, so that a failure at any point leaves
// the previous file as it was. The temporary file is removed on failure.
Statut EcritFichierAtomique(const std::string& chemin, std::string_view contenu);

// At most the first `n` bytes of a file (fewer when it is shorter; empty
// when it cannot be read).
std::string LitDebutFichier(const std::string& chemin, std::size_t n);
// The same, saying why when the file cannot be read: it does not exist, is
// a folder, or the system refuses it (the error names the file).
Statut LitDebutFichier(const std::string& chemin, std::size_t n, std::string& octets);

// Makes the renames done in the folder of `chemin` durable.
void SynchroniseDossier(const std::string& chemin);

// For tests of the failure paths: when set, the next atomic write fails
// after writing this many bytes of its temporary file (-1: never).
void SimuleEchecEcriture(long long apresOctets);

// Folder part of a path, with its final "/" ("" when there is none), and
// the name part.
std::string DossierDe(const std::string& chemin);
std::string NomDe(const std::string& chemin);
// The path with its extension (from the last "." of the name) replaced.
std::string ChangeExtension(const std::string& chemin, const std::string& extension);
// The extension of the name, dot included (".kdg"); "" when it has none.
std::string ExtensionDe(const std::string& chemin);

}  // namespace kindrela
