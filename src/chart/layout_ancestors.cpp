// The five ancestor arrangements of the chart (half 1).
#include <algorithm>
#include <cstdint>

#include "chart/layout_detail.h"

namespace kindrela::detail {

namespace {

// 2^n for the fans, n already bounded by kGenerationsEventailMax.
int32_t Puissance2(int n) { return n <= 0 ? 1 : (int32_t{1} << n); }

}  // namespace

void ConstructeurArbre::Ascendants(int refPers, int32_t& x0, int32_t& y0) {
  x0 = 0;
  y0 = 0;
  switch (m_m1.style) {
    case kAscGroupe: AscGroupe(refPers, x0, y0); break;
    case kAscCompactVertical: AscCompact(refPers, x0, y0, false); break;
    case kAscCompactHorizontal: AscCompact(refPers, x0, y0, true); break;
    case kAscVertical: AscEventail(refPers, x0, y0, false); break;
    case kAscHorizontal: AscEventail(refPers, x0, y0, true); break;
    default: break;
  }
}

// An indented list below the reference person, each generation one gap
// further left, father before mother, each parent followed by its own
// ancestors.
void ConstructeurArbre::AscGroupe(int refPers, int32_t x0, int32_t y0) {
  const MesuresMoitie& m = m_m1;
  const int32_t L = std::max(m.W / 2, m.W - m.GH / 2);
  const int profondeurMax = std::min(m.N, kProfondeurMax);
  int32_t courantY = y0;
  auto groupe = [&](auto& self, int32_t x, int32_t y, int c, int profondeur) -> void {
    if (profondeur > profondeurMax) return;
    const TR parents = ParentsOf(m_bd, c);
    for (int parent : parents) {
      if (Arret()) return;
      if (!Valide(parent)) continue;
      courantY += m.H + m.GV;
      const int32_t px = x0 - profondeur * m.GH;
      Lien(x + L, y + m.H, 1, parent, c, courantY + m.H / 2, px + m.W);
      Boite(px, courantY, 1, parent);
      if (Arret() || Replie(parent) || !Entrer(parent)) continue;
      self(self, px, courantY, parent, profondeur + 1);
      Sortir(parent);
    }
  };
  if (!Entrer(refPers)) return;
  groupe(groupe, x0, y0, refPers, 1);
  Sortir(refPers);
}

// A binary fan: upwards (style 4) or to the left (style 5). Collapsed
// persons do not stop it.
void ConstructeurArbre::AscEventail(int refPers, int32_t x0, int32_t y0, bool horizontal) {
  const MesuresMoitie& m = m_m1;
  const int32_t e = horizontal ? m.H / 2 + m.GV : (m.W + m.GH) / 4;
  // The whole fan spans about 2^(n+1)·e: keep it well inside 32 bits, even
  // for very large boxes.
  int n = std::min(m.N, kGenerationsEventailMax);
  while (n > 0 && (int64_t{1} << (n + 1)) * std::max<int64_t>(e, 1) > (int64_t{1} << 30)) --n;
  auto eventail = [&](auto& self, int32_t x, int32_t y, int c, int profondeur) -> void {
    if (profondeur >= n) return;
    const int32_t d = Puissance2(n - profondeur);
    for (int cote = 0; cote < 2; ++cote) {
      if (Arret()) return;
      const bool pere = cote == 0;
      const int parent = pere ? m_bd.LitPere(c) : m_bd.LitMere(c);
      if (!Valide(parent)) continue;
      int32_t px, py;
      if (horizontal) {
        px = x - m.GH;
        py = pere ? y - d * e : y + d * e;
        Lien(x + m.W - m.GH, py + m.H / 2, 1, parent, c, pere ? y : y + m.H, x + m.W - m.GH / 2);
      } else {
        px = pere ? x - d * e : x + d * e;
        py = y - m.H - m.GV;
        if (pere)
          Lien(px + e, y - m.GV, 1, parent, c, y + m.H / 2, x);
        else
          Lien(px + m.W - e, y - m.GV, 1, parent, c, y + m.H / 2, x + m.W);
      }
      Boite(px, py, 1, parent);
      if (Arret() || !Entrer(parent)) continue;
      self(self, px, py, parent, profondeur + 1);
      Sortir(parent);
    }
  };
  if (!Entrer(refPers)) return;
  eventail(eventail, x0, y0, refPers, 0);
  Sortir(refPers);
}

// A tidy tree of ancestors: each person midway between its father's and its
// mother's sides, the leaves side by side in walking order. Vertical: the
// reference person at the bottom, generations upwards; horizontal: the
// reference person at the right, generations to the left. The reference
// person's own position comes back in (x0, y0).
void ConstructeurArbre::AscCompact(int refPers, int32_t& x0, int32_t& y0, bool horizontal) {
  const MesuresMoitie& m = m_m1;
  const int profondeurMax = std::min(m.N, kProfondeurMax);
  // The axis along which the leaves are lined up ("across") and the one
  // along which generations step ("along").
  const int32_t pasTravers = horizontal ? m.H + m.GV : m.W + m.GH;
  const int32_t pasLong = horizontal ? m.W + m.GH : m.H + m.GV;
  int32_t courant = 0;  // running position across
  struct Point {
    int32_t travers, le_long;
  };
  auto boite = [&](const Point& p, int personne) {
    if (horizontal)
      Boite(p.le_long, p.travers, 1, personne);
    else
      Boite(p.travers, p.le_long, 1, personne);
  };
  // From p's box to its parent's box: vertical, top centre to bottom centre;
  // horizontal, left middle to right middle.
  auto lien = [&](const Point& p, const Point& parent, int personne, int parentPers) {
    if (horizontal)
      Lien(p.le_long, p.travers + m.H / 2, 1, parentPers, personne, parent.travers + m.H / 2,
           parent.le_long + m.W);
    else
      Lien(p.travers + m.W / 2, p.le_long, 1, parentPers, personne, parent.le_long + m.H,
           parent.travers + m.W / 2);
  };
  auto tidy = [&](auto& self, int p, int32_t le_long, int profondeur, bool estRef) -> Point {
    const int32_t haut = le_long - pasLong;
    const int pere = m_bd.LitPere(p);
    const int mere = m_bd.LitMere(p);
    // A person met again on its own line (a loop in the links) is shown but
    // not climbed again.
    const bool entre = Entrer(p);
    const bool arret = profondeur > profondeurMax || Replie(p) || !entre;
    const bool avecPere = Valide(pere) && !arret && !Arret();
    Point cotePere{courant, haut};
    if (avecPere) cotePere = self(self, pere, haut, profondeur + 1, false);
    const bool avecMere = Valide(mere) && !arret && !Arret();
    Point coteMere = cotePere;
    if (avecMere) {
      if (Valide(pere)) courant += pasTravers;
      coteMere = self(self, mere, haut, profondeur + 1, false);
    }
    const Point ici{static_cast<int32_t>((static_cast<int64_t>(cotePere.travers) + coteMere.travers) / 2),
                    le_long};
    if (!estRef) boite(ici, p);
    if (profondeur <= profondeurMax && !Replie(p)) {
      if (avecPere) lien(ici, cotePere, p, pere);
      if (avecMere) lien(ici, coteMere, p, mere);
    }
    if (entre) Sortir(p);
    return ici;
  };
  const int32_t depart = horizontal ? 300 : pasLong * std::max(0, profondeurMax);
  const Point ref = tidy(tidy, refPers, depart, 1, true);
  x0 = horizontal ? ref.le_long : ref.travers;
  y0 = horizontal ? ref.travers : ref.le_long;
}

}  // namespace kindrela::detail
