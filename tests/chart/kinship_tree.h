// Small trees for the kinship tests, built through the database's own
// operations.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "chart/kinship.h"
#include "core/ansi_literal.h"
#include "core/database.h"

namespace kindrela::test {

constexpr int H = 0;  // man
constexpr int F = 1;  // woman
constexpr int I = 2;  // unknown

class Arbre {
 public:
  TBD bd;

  int Personne(int sexe, int pere = 0, int mere = 0, const std::string& naissance = "") {
    int n = bd.NouvelleFiche();
    bd.EcritSexe(n, sexe);
    bd.EcritPere(n, pere);
    bd.EcritMere(n, mere);
    if (!naissance.empty()) bd.EcritDateNaissance(n, naissance);
    return n;
  }

  // A union in use; the husband is the first partner whatever its sex, so
  // that tests can make unions the dialogs would not.
  int Union(int mari, int femme, const std::string& mariage = "") {
    int u = bd.NouvelleUnion();
    bd.EcritNumH(u, mari);
    bd.EcritNumF(u, femme);
    if (!mariage.empty()) bd.EcritChampUnion(u, 3, mariage);
    return u;
  }

  std::string Numero(int p) const { return bd.LitChamp(p, 26); }
};

inline std::vector<int> V(const TR& l) { return l.Vecteur(); }

// A random tree with the awkward records a real one holds: persons of
// unknown sex, free records that still point at parents, links to numbers
// above the count, unions without a partner or no longer in use, and
// marriage dates that tie or are missing.
inline void ArbreAuHasard(Arbre& a, uint32_t graine, int nbre) {
  std::mt19937 gen(graine);
  auto de = [&](int n) { return static_cast<int>(gen() % static_cast<unsigned>(n)); };
  static const char* const kDates[] = {"", "", "1900", "3/1900", "5/3/1900", "5/3/1900",
                                       "avant 1900", "après 2/2/1890"_ansi, "vers 1880", "1/1/1875"};
  for (int i = 1; i <= nbre; ++i) {
    int pere = i > 1 && de(4) != 0 ? 1 + de(i - 1) : 0;
    int mere = i > 1 && de(4) != 0 ? 1 + de(i - 1) : 0;
    if (de(50) == 0) pere = nbre + 1 + de(5);
    a.Personne(de(7) == 0 ? I : de(2), pere, mere, kDates[de(10)]);
  }
  for (int i = 1; i <= nbre; ++i)
    if (de(15) == 0) a.bd.EcritChamp(i, 0, "0");
  for (int k = 0; k < nbre / 2; ++k) {
    int x = 1 + de(nbre);
    int y = de(10) == 0 ? 0 : 1 + de(nbre);
    a.bd.LitSexe(x) == 0 ? a.Union(x, y, kDates[de(10)]) : a.Union(y, x, kDates[de(10)]);
  }
  // Freed after all are made, so that no new union takes their slots.
  for (int u = 1; u <= a.bd.NbreUnion(); ++u) {
    if (de(12) == 0) a.bd.EffaceUnion(u);
    // A union that lost a partner is freed by the validity test but keeps
    // the other partner's number.
    else if (de(2) == 0) a.bd.UnionValide(u);
  }
}

}  // namespace kindrela::test
