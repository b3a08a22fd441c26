// The program's identity: product, maker, version and the title every
// message box and print job carries. The tree file header is built from
// kMotProduit and kVersionTexte, so these two must never change for a given
// file format.
#pragma once

#include <string_view>

namespace kindrela {

inline constexpr std::string_view kNomProduit = "Kindrela";
inline constexpr std::string_view kMotProduit = "KINDRELA";  // upper-case product word
inline constexpr std::string_view kVersionTexte = "2008-01-06";
inline constexpr std::string_view kEditeur = "Tovamere";
inline constexpr std::string_view kTitreApplication = "Kindrela 2008";

}  // namespace kindrela
