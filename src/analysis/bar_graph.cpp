#include "analysis/bar_graph.h"

#include <algorithm>
#include <cmath>

#include "core/text.h"

namespace kindrela {

namespace {

constexpr TCouleur kPalette[12] = {Rgb(0, 0, 255),   Rgb(0, 255, 0),   Rgb(255, 0, 0),   Rgb(0, 255, 255),
                                   Rgb(255, 255, 0), Rgb(255, 0, 255), Rgb(0, 0, 128),   Rgb(0, 128, 0),
                                   Rgb(128, 0, 0),   Rgb(0, 128, 128), Rgb(128, 128, 0), Rgb(128, 0, 128)};

long long Valeur(const TGraphe& g, int c) {
  return TexteVersEntier(g.valY[static_cast<size_t>(c)], 0);
}

int Arrondi(double v) { return static_cast<int>(std::lround(v)); }

struct Mesures {
  int n = 0;
  long long m = 0;
  double d = 0;  // column pitch
  int i = 0;     // bar inset
  int h = 0;     // plot height
};

Mesures Mesure(const TGraphe& g, int w, int h, bool maxiEffectif) {
  Mesures r;
  r.n = static_cast<int>(std::min(g.valX.size(), g.valY.size()));
  for (int c = 0; c < r.n; ++c) r.m = std::max(r.m, Valeur(g, c));
  if (maxiEffectif && g.maxiY >= 1) r.m = g.maxiY;
  if (r.n == 0) return r;
  r.d = static_cast<double>(w - g.margeX - 1) / r.n;
  r.i = Arrondi((100 - g.colLarge) * r.d / 200.0);
  r.h = h - g.margeY;
  return r;
}

int HauteurDe(const Mesures& m, long long v) {
  return Arrondi(static_cast<double>(m.h) / static_cast<double>(m.m) * static_cast<double>(v));
}

}  // namespace

bool TGraphe::FixeColLarge(int v) {
  if (v < 0 || v > 100) return false;
  colLarge = v;
  return true;
}

TCouleur CouleurPalette(int c) { return kPalette[((c % 12) + 12) % 12]; }

TDessinGraphe DessineGraphe(const TGraphe& g, int x, int y, int w, int h) {
  TDessinGraphe r;
  r.fond = {x, y, x + w, y + h};
  r.couleurFond = g.color;
  const Mesures m = Mesure(g, w, h, true);
  if (m.n == 0 || m.m <= 0) return r;
  const int base = y + h - g.margeY;
  const int axe = x + g.margeX;

  long long e = 1;
  bool foisCinq = true;
  while (!(static_cast<double>(e) * m.h / static_cast<double>(m.m) >= 15 || m.h <= 15)) {
    e *= foisCinq ? 5 : 2;
    foisCinq = !foisCinq;
  }
  int pasEtiquette = 1;
  if (w - g.margeX > 40) {
    while (static_cast<double>(w - g.margeX) * pasEtiquette / m.n < 40) ++pasEtiquette;
  }
  if (m.h > 15) {
    for (long long v = e; v < m.m; v += e) {
      const int ty = base - HauteurDe(m, v);
      r.graduations.push_back({ty, axe - 8, axe, std::to_string(v), axe - 10});
    }
  }
  r.axes = true;
  r.axeX = axe;
  r.axeHaut = y;
  r.base = base;
  r.droite = x + w;
  for (int c = 0; c < m.n; ++c) {
    const TCouleur couleur = g.colorBar == Rgb(255, 255, 255) ? CouleurPalette(c) : g.colorBar;
    const long long v = Valeur(g, c);
    if (v > 0) {
      const TRectangle rect{axe + Arrondi(c * m.d) + m.i, base - HauteurDe(m, v),
                            axe + Arrondi((c + 1) * m.d) - m.i + 1, base + 1};
      r.barres.push_back({c, rect, couleur});
    }
    if (c % pasEtiquette == 0)
      r.etiquettes.push_back({c, g.valX[static_cast<size_t>(c)], axe + Arrondi((c + 0.5) * m.d),
                              base + g.margeY / 2});
  }
  return r;
}

int ColonneSous(const TGraphe& g, int w, int h, int px, int py, long long* valeur) {
  const Mesures m = Mesure(g, w, h, false);
  if (m.n == 0 || m.m <= 0) return -1;
  const int base = h - g.margeY;
  for (int c = 0; c < m.n; ++c) {
    const long long v = Valeur(g, c);
    if (v <= 0) continue;
    const int gauche = g.margeX + Arrondi(c * m.d) + m.i;
    const int droite = g.margeX + Arrondi((c + 1) * m.d) - m.i + 1;
    const int haut = base - HauteurDe(m, v);
    if (px >= gauche && px <= droite && py >= haut && py <= base + 1) {
      if (valeur) *valeur = v;
      return c;
    }
  }
  return -1;
}

}  // namespace kindrela
