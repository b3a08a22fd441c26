// Internals of the chart layout shared by its source files: the builder that
// the ancestor and descendant walks add boxes and links to.
#pragma once

#include <cstdint>
#include <vector>

#include "chart/kinship.h"
#include "chart/layout.h"

namespace kindrela::detail {

// Sizes of one half for the walks.
struct MesuresMoitie {
  int W = 0;   // box width
  int H = 0;   // box height
  int GH = 0;  // horizontal gap
  int GV = 0;  // vertical gap
  int N = 0;   // generations
  int style = 0;
};

class ConstructeurArbre {
 public:
  ConstructeurArbre(const TBD& bd, const T1Aff& moitie1, const T1Aff& moitie2,
                    const OptionsArbre& options, const Progression& continuer, Arbre& arbre);

  // Ancestors by half 1's style; returns the reference person's position.
  void Ascendants(int refPers, int32_t& x0, int32_t& y0);
  // Descendants by half 2's style around the reference person at (x0, y0).
  void Descendants(int refPers, int32_t x0, int32_t y0);

  // A box for p; false (and nothing made) when p is not a person of the tree
  // or the walks are stopping. `toujours`: made even then (the reference
  // person's box), unless p is not a person of the tree.
  bool Boite(int32_t x, int32_t y, int moitie, int p, bool toujours = false);
  void Lien(int32_t x1, int32_t y1, int moitie, int loin, int proche, int32_t y2, int32_t x2);

  bool Valide(int p) const { return p >= 1 && p <= m_bd.NbreFiche() && m_bd.FicheUtilisee(p); }
  bool Replie(int p) const { return m_bd.LitReplie(p) != 0; }
  // True once the caller asked to stop or the chart grew past its bound.
  bool Arret() const { return m_arbre.annule || m_arbre.tronque; }

  // The persons on the line being walked, so that a loop in the links is
  // not followed round again. Entrer returns false when p is already on it.
  bool Entrer(int p);
  void Sortir(int p);

  const TBD& bd() const { return m_bd; }
  const MesuresMoitie& m1() const { return m_m1; }
  const MesuresMoitie& m2() const { return m_m2; }
  const OptionsArbre& options() const { return m_options; }
  Arbre& arbre() { return m_arbre; }

 private:
  void AscGroupe(int refPers, int32_t x0, int32_t y0);
  void AscEventail(int refPers, int32_t x0, int32_t y0, bool horizontal);
  void AscCompact(int refPers, int32_t& x0, int32_t& y0, bool horizontal);
  void DescGroupe(int refPers, int32_t x0, int32_t y0);
  void DescTidy(int refPers, int32_t x0, int32_t y0, bool horizontal);

  const TBD& m_bd;
  MesuresMoitie m_m1, m_m2;
  const OptionsArbre& m_options;
  const Progression& m_continuer;
  Arbre& m_arbre;
  std::vector<uint8_t> m_surLigne;  // indexed by person number
};

// The children of p sorted by birth date (undated ones keep their places).
TR EnfantsTries(const TBD& bd, int p);

}  // namespace kindrela::detail
