#include "chart/layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/layout_detail.h"

namespace kindrela {

namespace {

int Arrondi(double v) { return static_cast<int>(std::lround(v)); }

const T1Aff& AffDe(int moitie, const T1Aff& moitie1, const T1Aff& moitie2) {
  return moitie == 2 ? moitie2 : moitie1;
}

// Widens `r` to hold `o`; `vide` tells that r holds nothing yet.
void Unit(RectArbre& r, const RectArbre& o, bool& vide) {
  if (vide) {
    r = o;
    vide = false;
    return;
  }
  r.Left = std::min(r.Left, o.Left);
  r.Top = std::min(r.Top, o.Top);
  r.Right = std::max(r.Right, o.Right);
  r.Bottom = std::max(r.Bottom, o.Bottom);
}

}  // namespace

bool LienIncertain(const TBD& bd, int loin, int proche) {
  auto incertain = [&bd](int enfant, int parent) {
    if (enfant <= 0 || parent <= 0) return false;
    return (bd.LitPere(enfant) == parent && bd.LitCertP(enfant) > 0) ||
           (bd.LitMere(enfant) == parent && bd.LitCertM(enfant) > 0);
  };
  return incertain(proche, loin) || incertain(loin, proche);
}

void InitLien(LienArbre& lien, int style) {
  const int32_t x1 = lien.x1, y1 = lien.y1, x2 = lien.x2, y2 = lien.y2;
  switch (style) {
    case 1: lien.forme = lien.moitie == 2 ? 9 : 8; break;
    case 2: lien.forme = x1 < x2 ? 1 : 2; break;
    case 3: lien.forme = y1 < y2 ? 3 : 4; break;
    case 4: lien.forme = x1 < x2 ? 9 : 8; break;
    case 5: lien.forme = y1 < y2 ? 7 : 8; break;
    default: lien.forme = 0; break;
  }
  lien.largeur = std::abs(x1 - x2);
  lien.hauteur = std::abs(y1 - y2);
  lien.gauche = std::min(x1, x2);
  lien.haut = std::min(y1, y2);
  if (x1 == x2) {
    lien.gauche -= lien.hauteur / 4;
    lien.largeur = lien.hauteur / 2;
    lien.forme = 6;
  }
  if (y1 == y2) {
    lien.haut -= lien.largeur / 4;
    lien.hauteur = lien.largeur / 2;
    lien.forme = 5;
  }
}

std::vector<PointArbre> TraceLien(const LienArbre& l, bool brise) {
  const int32_t L = l.gauche, T = l.haut, R = l.gauche + l.largeur, B = l.haut + l.hauteur;
  const int32_t mx = L + l.largeur / 2, my = T + l.hauteur / 2;
  std::vector<PointArbre> v;
  auto point = [&v](int32_t x, int32_t y) { v.push_back({x, y}); };
  switch (l.forme) {
    case 1:
      point(L, B);
      if (brise) { point(L, my); point(R, my); }
      point(R, T);
      break;
    case 2:
      point(L, T);
      if (brise) { point(L, my); point(R, my); }
      point(R, B);
      break;
    case 3:
      point(L, B);
      if (brise) { point(mx, B); point(mx, T); }
      point(R, T);
      break;
    case 4:
      point(L, T);
      if (brise) { point(mx, T); point(mx, B); }
      point(R, B);
      break;
    case 5: point(L, my); point(R, my); break;
    case 6: point(mx, T); point(mx, B); break;
    case 7:
      point(L, T);
      if (brise) point(R, T);
      point(R, B);
      break;
    case 8:
      point(R, T);
      if (brise) point(R, B);
      point(L, B);
      break;
    case 9:
      point(L, T);
      if (brise) point(L, B);
      point(R, B);
      break;
    default: break;
  }
  return v;
}

int HauteurBoite(const T1Aff& aff, const MesureLigne& mesure) {
  if (aff.LigneNbre < 1 || aff.LigneNbre > kLignesMax) return 0;
  long long somme = 0;
  for (int i = 0; i < aff.LigneNbre; ++i) {
    const TLigne& ligne = aff.Lignes[static_cast<size_t>(i)];
    somme += mesure ? mesure(ligne) : std::abs(static_cast<long long>(ligne.FontHauteur));
  }
  // Margins that leave no room for the text would divide by zero or turn
  // the box upside down: keep 1 % for the text.
  const int texte = std::max(1, 100 - aff.MargeHaut - aff.MargeBas);
  const double h = static_cast<double>(somme) * 100.0 / texte;
  return static_cast<int>(std::min<double>(std::llround(h), 1 << 24));
}

// ---------------------------------------------------------------------------
// Builder

namespace detail {

namespace {
MesuresMoitie Mesures(const T1Aff& aff) {
  MesuresMoitie m;
  m.W = aff.Large;
  m.H = aff.Hauteur;
  m.GH = aff.EcartH;
  m.GV = aff.EcartV;
  m.N = aff.NbreGen;
  m.style = aff.Style;
  return m;
}
}  // namespace

ConstructeurArbre::ConstructeurArbre(const TBD& bd, const T1Aff& moitie1, const T1Aff& moitie2,
                                     const OptionsArbre& options, const Progression& continuer,
                                     Arbre& arbre)
    : m_bd(bd),
      m_m1(Mesures(moitie1)),
      m_m2(Mesures(moitie2)),
      m_options(options),
      m_continuer(continuer),
      m_arbre(arbre),
      m_surLigne(static_cast<size_t>(std::max(0, bd.NbreFiche())) + 1, 0) {}

bool ConstructeurArbre::Boite(int32_t x, int32_t y, int moitie, int p, bool toujours) {
  if (!Valide(p) || (Arret() && !toujours)) return false;
  if (!toujours && m_arbre.boites.size() >= static_cast<size_t>(kBoitesMax)) {
    m_arbre.tronque = true;
    return false;
  }
  BoiteArbre b;
  b.x = x;
  b.y = y;
  b.moitie = moitie;
  b.personne = p;
  b.sexe = static_cast<uint8_t>(m_bd.LitSexe(p));
  m_arbre.boites.push_back(b);
  if (!toujours && m_continuer &&
      !m_continuer(static_cast<long long>(m_arbre.boites.size()), 0))
    m_arbre.annule = true;
  return true;
}

void ConstructeurArbre::Lien(int32_t x1, int32_t y1, int moitie, int loin, int proche,
                             int32_t y2, int32_t x2) {
  LienArbre l;
  l.x1 = x1;
  l.y1 = y1;
  l.x2 = x2;
  l.y2 = y2;
  l.moitie = moitie;
  l.loin = loin;
  l.proche = proche;
  InitLien(l, moitie == 2 ? m_m2.style : m_m1.style);
  l.incertain = LienIncertain(m_bd, loin, proche);
  m_arbre.liens.push_back(l);
}

bool ConstructeurArbre::Entrer(int p) {
  if (p < 1 || static_cast<size_t>(p) >= m_surLigne.size()) return false;
  if (m_surLigne[static_cast<size_t>(p)]) return false;
  m_surLigne[static_cast<size_t>(p)] = 1;
  return true;
}

void ConstructeurArbre::Sortir(int p) {
  if (p >= 1 && static_cast<size_t>(p) < m_surLigne.size()) m_surLigne[static_cast<size_t>(p)] = 0;
}

TR EnfantsTries(const TBD& bd, int p) {
  TR enfants = ChildrenOf(bd, p);
  SortByDateColumn(bd, enfants, 6);
  return enfants;
}

}  // namespace detail

// ---------------------------------------------------------------------------

Arbre ConstruitArbre(const TBD& bd, int refPers, T1Aff& moitie1, T1Aff& moitie2,
                     const OptionsArbre& options, const MesureLigne& mesure,
                     const Progression& continuer) {
  // The sizes are stored even for a chart of one box or none: painting
  // reads them.
  for (T1Aff* aff : {&moitie1, &moitie2}) {
    aff->Hauteur = HauteurBoite(*aff, mesure);
    aff->EcartH = Arrondi(static_cast<double>(aff->EcartHorz) * aff->Large / 100.0);
    aff->EcartV = Arrondi(static_cast<double>(aff->EcartVert) * aff->Hauteur / 100.0);
  }
  Arbre arbre;
  for (int k = 0; k < 2; ++k) {
    const T1Aff& aff = k == 0 ? moitie1 : moitie2;
    arbre.hauteurBoite[k] = aff.Hauteur;
    arbre.ecartHorz[k] = aff.EcartH;
    arbre.ecartVert[k] = aff.EcartV;
  }
  detail::ConstructeurArbre c(bd, moitie1, moitie2, options, continuer, arbre);
  if (!c.Valide(refPers)) return arbre;

  if (c.Replie(refPers)) {
    c.Boite(0, 0, 1, refPers, true);
  } else {
    int32_t x0 = 0, y0 = 0;
    c.Ascendants(refPers, x0, y0);
    c.Descendants(refPers, x0, y0);
    // The reference person's box comes last, even after a stop, so that the
    // chart always shows it.
    c.Boite(x0, y0, 1, refPers, true);
  }
  DecaleZero(arbre, moitie1, moitie2, options.PrintMargeG, options.PrintMargeH);
  return arbre;
}

RectArbre RectEcran(const BoiteArbre& b, const T1Aff& moitie1, const T1Aff& moitie2) {
  const T1Aff& aff = AffDe(b.moitie, moitie1, moitie2);
  const long long z = aff.Zoom;
  RectArbre r;
  r.Left = static_cast<int32_t>(z * b.x / 100);
  r.Top = static_cast<int32_t>(z * b.y / 100);
  r.Right = r.Left + static_cast<int32_t>(z * aff.Large / 100);
  r.Bottom = r.Top + static_cast<int32_t>(z * aff.Hauteur / 100);
  return r;
}

RectArbre RectEcran(const LienArbre& l, const T1Aff& moitie1, const T1Aff& moitie2) {
  const long long z = AffDe(l.moitie, moitie1, moitie2).Zoom;
  RectArbre r;
  r.Left = static_cast<int32_t>(z * l.gauche / 100);
  r.Top = static_cast<int32_t>(z * l.haut / 100);
  r.Right = r.Left + std::max<int32_t>(1, static_cast<int32_t>(z * l.largeur / 100));
  r.Bottom = r.Top + std::max<int32_t>(1, static_cast<int32_t>(z * l.hauteur / 100));
  return r;
}

RectArbre GetRect(const Arbre& arbre, const T1Aff& moitie1, const T1Aff& moitie2) {
  // The extent is the true union of the objects: a chart lying wholly
  // beyond 10000 units keeps its own edges, so that moving it to the margins
  // brings it all the way.
  RectArbre r{10000, 10000, 0, 0};
  bool vide = true;
  for (const BoiteArbre& b : arbre.boites) Unit(r, RectEcran(b, moitie1, moitie2), vide);
  for (const LienArbre& l : arbre.liens) Unit(r, RectEcran(l, moitie1, moitie2), vide);
  return r;
}

void DecaleZero(Arbre& arbre, const T1Aff& moitie1, const T1Aff& moitie2, int margeG,
                int margeH) {
  const int z = moitie1.Zoom;
  if (z <= 0 || (arbre.boites.empty() && arbre.liens.empty())) return;
  const RectArbre r = GetRect(arbre, moitie1, moitie2);
  const int32_t dx = static_cast<int32_t>((static_cast<long long>(r.Left) - margeG) * 100 / z);
  const int32_t dy = static_cast<int32_t>((static_cast<long long>(r.Top) - margeH) * 100 / z);
  for (BoiteArbre& b : arbre.boites) {
    b.x -= dx;
    b.y -= dy;
  }
  for (LienArbre& l : arbre.liens) {
    l.x1 -= dx;
    l.x2 -= dx;
    l.gauche -= dx;
    l.y1 -= dy;
    l.y2 -= dy;
    l.haut -= dy;
  }
}

int CalculZoomAuto(const Arbre& arbre, const T1Aff& moitie1, const T1Aff& moitie2,
                   int largeurZone, int hauteurZone) {
  const int z = moitie1.Zoom;
  const RectArbre r = GetRect(arbre, moitie1, moitie2);
  if (arbre.boites.empty() && arbre.liens.empty()) return z > 0 ? z : 100;
  if (r.Right <= 0 || r.Bottom <= 0 || largeurZone <= 0 || hauteurZone <= 0)
    return z > 0 ? z : 100;
  const long long zx = static_cast<long long>(largeurZone) * z / r.Right;
  const long long zy = static_cast<long long>(hauteurZone) * z / r.Bottom;
  const long long nz = std::min({zx, zy, 100LL});
  return static_cast<int>(std::max(1LL, nz));
}

int IndexBoitePersonne(const Arbre& arbre, int personne) {
  for (size_t i = 0; i < arbre.boites.size(); ++i)
    if (arbre.boites[i].personne == personne) return static_cast<int>(i);
  return -1;
}

int BoiteVoisine(const Arbre& arbre, const T1Aff& moitie1, const T1Aff& moitie2, int index,
                 Direction direction) {
  if (index < 0 || index >= static_cast<int>(arbre.boites.size())) return -1;
  const bool horizontal = direction == Direction::Gauche || direction == Direction::Droite;
  const RectArbre r0 = RectEcran(arbre.boites[static_cast<size_t>(index)], moitie1, moitie2);
  const long long x0 = (static_cast<long long>(r0.Left) + r0.Right) / 2;
  const long long y0 = (static_cast<long long>(r0.Top) + r0.Bottom) / 2;
  const int personne = arbre.boites[static_cast<size_t>(index)].personne;
  // Boxes in line with this one (a row for left and right, a column for up
  // and down) come first; only without one does the selection go aside.
  int enLigne = -1, autre = -1;
  long long coutLigne = 0, coutAutre = 0;
  for (size_t i = 0; i < arbre.boites.size(); ++i) {
    // Another box of the same person is no move.
    if (static_cast<int>(i) == index || arbre.boites[i].personne == personne) continue;
    const RectArbre r = RectEcran(arbre.boites[i], moitie1, moitie2);
    const long long x = (static_cast<long long>(r.Left) + r.Right) / 2;
    const long long y = (static_cast<long long>(r.Top) + r.Bottom) / 2;
    long long avance = 0, cote = 0;
    switch (direction) {
      case Direction::Gauche: avance = x0 - x; cote = y - y0; break;
      case Direction::Droite: avance = x - x0; cote = y - y0; break;
      case Direction::Haut: avance = y0 - y; cote = x - x0; break;
      case Direction::Bas: avance = y - y0; cote = x - x0; break;
    }
    if (avance <= 0) continue;
    if (cote < 0) cote = -cote;
    const bool ligne = horizontal ? r.Top < r0.Bottom && r0.Top < r.Bottom
                                  : r.Left < r0.Right && r0.Left < r.Right;
    const long long cout = ligne ? avance * 4 + cote : avance + 2 * cote;
    if (ligne && (enLigne < 0 || cout < coutLigne)) {
      enLigne = static_cast<int>(i);
      coutLigne = cout;
    } else if (!ligne && (autre < 0 || cout < coutAutre)) {
      autre = static_cast<int>(i);
      coutAutre = cout;
    }
  }
  return enLigne >= 0 ? enLigne : autre;
}

}  // namespace kindrela
