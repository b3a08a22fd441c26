// How much one field of a record can hold in a tree file.
#pragma once

#include <cstddef>

namespace kindrela {

// The longest text, or packed list, that one value of a tree file holds; a
// longer one is cut when the tree is saved.
inline constexpr std::size_t kLongueurMaxValeur = 65000;
// The most entries a packed list (TabEve, TabSrc) keeps in a tree file.
inline constexpr int kEntreesMaxListe = static_cast<int>(kLongueurMaxValeur / 4);

}  // namespace kindrela
