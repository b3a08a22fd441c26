// Which of the tree file versions a file holds, and the identity written
// into the files this program saves.
#pragma once

#include "core/identity.h"

#include <string>
#include <string_view>

namespace kindrela {

// The first value of a file written by this program: "KINDRELA 2008-01-06".
std::string TexteVersionFichier();

// Version codes. The current version is read under two codes (52, 991) that
// differ only in how their header names it.
enum CodeVersion : int {
  kVersionInconnue = 0,
  kVersion15 = 15,
  kVersion24 = 24,
  kVersion30 = 30,
  kVersionCourante = 52,
  kVersion98 = 98,
  kVersion981 = 981,
  kVersion99 = 99,
  kVersion991 = 991,
};

// The version code of the file at `chemin`; 0 when it cannot be read or is
// not a tree file.
int VersionBase(const std::string& chemin);
// The same on the file's bytes.
int VersionDesOctets(std::string_view octets);

// True for the versions whose records are a value stream.
bool VersionEnValeurs(int version);

}  // namespace kindrela
