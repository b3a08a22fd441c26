#include "chart/pages.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kindrela {

namespace {

// Division rounding towards minus infinity (corners may lie left of or above
// the control).
int64_t DivBas(int64_t a, int64_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

int32_t Borne(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

GrillePages::GrillePages(const ReglagesPage& reglages, int largeurControle, int hauteurControle,
                         const std::vector<RectArbre>& objets) {
  const int64_t z = reglages.PrintZoom;
  if (!reglages.imprimante || z < 1) return;
  const int64_t largeur = reglages.largeurPage, hauteur = reglages.hauteurPage;
  const int64_t croise = largeur * reglages.PrintCroise / 100;
  const int64_t pw = largeur * 100 / z, ph = hauteur * 100 / z;
  const int64_t sx = (largeur - croise) * 100 / z, sy = (hauteur - croise) * 100 / z;
  if (sx <= 1 || sy <= 1 || largeurControle <= 0 || hauteurControle <= 0) return;
  m_pw = Borne(pw);
  m_ph = Borne(ph);
  m_sx = Borne(sx);
  m_sy = Borne(sy);
  // Grid positions x = c·sx for c from 0 while x is below the control's width.
  const int64_t colonnes = (largeurControle + sx - 1) / sx;
  const int64_t lignes = (hauteurControle + sy - 1) / sy;

  // Rather than testing every page against every object, each corner marks
  // the few pages that hold it (steps are at least half a page, as the
  // overlap stays below half the page; any overlap works, only slower).
  std::vector<int64_t> marquees;
  auto marque = [&](int64_t x, int64_t y) {
    const int64_t c0 = std::max<int64_t>(0, DivBas(x - pw + sx - 1, sx));
    const int64_t c1 = std::min<int64_t>(colonnes - 1, DivBas(x, sx));
    const int64_t l0 = std::max<int64_t>(0, DivBas(y - ph + sy - 1, sy));
    const int64_t l1 = std::min<int64_t>(lignes - 1, DivBas(y, sy));
    for (int64_t l = l0; l <= l1; ++l)
      for (int64_t c = c0; c <= c1; ++c) marquees.push_back(l * colonnes + c);
  };
  for (const RectArbre& r : objets) {
    marque(r.Left, r.Top);
    marque(r.Right, r.Top);
    marque(r.Left, r.Bottom);
    marque(r.Right, r.Bottom);
  }
  std::sort(marquees.begin(), marquees.end());
  marquees.erase(std::unique(marquees.begin(), marquees.end()), marquees.end());

  const int64_t sxp = largeur - croise, syp = hauteur - croise;
  m_pages.reserve(marquees.size());
  for (int64_t cle : marquees) {
    PageGrille p;
    p.numero = static_cast<int>(m_pages.size()) + 1;
    p.ligne = static_cast<int>(cle / colonnes);
    p.colonne = static_cast<int>(cle % colonnes);
    const int64_t x = p.colonne * sx, y = p.ligne * sy;
    p.ecran = {Borne(x), Borne(y), Borne(x + pw), Borne(y + ph)};
    p.impression = {Borne(p.colonne * sxp), Borne(p.ligne * syp), Borne((p.colonne + 1) * sxp),
                    Borne((p.ligne + 1) * syp)};
    m_pages.push_back(p);
  }
}

RectArbre GrillePages::GetCoord(int n) const {
  if (n < 1 || n > NbrePages()) return {};
  return m_pages[static_cast<size_t>(n - 1)].ecran;
}

RectArbre GrillePages::GetPrintCoord(int n) const {
  if (n < 1 || n > NbrePages()) return {};
  return m_pages[static_cast<size_t>(n - 1)].impression;
}

std::vector<RectArbre> RectsObjets(const Arbre& arbre, const T1Aff& moitie1,
                                   const T1Aff& moitie2) {
  std::vector<RectArbre> rects;
  rects.reserve(arbre.boites.size() + arbre.liens.size());
  for (const BoiteArbre& b : arbre.boites) rects.push_back(RectEcran(b, moitie1, moitie2));
  for (const LienArbre& l : arbre.liens) rects.push_back(RectEcran(l, moitie1, moitie2));
  return rects;
}

int CalculZoomImpression(const ReglagesPage& reglages, const RectArbre& etendue) {
  if (!reglages.imprimante || etendue.Right <= 0 || etendue.Bottom <= 0) return reglages.PrintZoom;
  int64_t z = static_cast<int64_t>(reglages.largeurPage) * 100 / etendue.Right;
  const int64_t zy = static_cast<int64_t>(reglages.hauteurPage) * 100 / etendue.Bottom;
  if (zy < z) z = zy;
  // A zoom of 0 would print nothing: a chart more than ten pages wide keeps
  // its exact fit instead of being rounded down to 0.
  if (z >= 10) z = z / 10 * 10;
  return static_cast<int>(std::clamp<int64_t>(z, 1, std::numeric_limits<int>::max()));
}

RectArbre RectImpression(int32_t x, int32_t y, int32_t w, int32_t h, int zoomMoitie,
                         int printZoom, const RectArbre& page) {
  const int64_t b = static_cast<int64_t>(printZoom) * zoomMoitie;
  const int64_t gauche = b * x / 10000 - page.Left;
  const int64_t haut = b * y / 10000 - page.Top;
  return {Borne(gauche), Borne(haut), Borne(gauche + b * w / 10000), Borne(haut + b * h / 10000)};
}

}  // namespace kindrela
