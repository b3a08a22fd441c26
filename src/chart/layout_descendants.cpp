// The three descendant arrangements of the chart (half 2).
#include <algorithm>
#include <cstdint>
#include <vector>

#include "chart/layout_detail.h"

namespace kindrela::detail {

void ConstructeurArbre::Descendants(int refPers, int32_t x0, int32_t y0) {
  switch (m_m2.style) {
    case kDescGroupe: DescGroupe(refPers, x0, y0); break;
    case kDescVertical: DescTidy(refPers, x0, y0, false); break;
    case kDescHorizontal: DescTidy(refPers, x0, y0, true); break;
    default: break;
  }
}

// An indented list: each child one gap further right than its parent, below
// the previous line, children by birth date, each followed by its own
// descendants; with AfficheConjoint each person's last spouse beside it.
void ConstructeurArbre::DescGroupe(int refPers, int32_t x0, int32_t y0) {
  const MesuresMoitie& m = m_m2;
  const bool conjoint = m_options.AfficheConjoint;
  const int profondeurMax = std::min(m.N, kProfondeurMax);
  int32_t xd = x0, yd = y0;
  const int s = conjoint ? LastSpouseOf(m_bd, refPers) : 0;
  // The reference person's spouse goes where the ancestors leave room.
  switch (m_m1.style) {
    case kAscGroupe:
    case kAscHorizontal:
      xd = x0 + m_m1.W;
      Boite(xd, y0, 2, s);
      break;
    case kAscCompactHorizontal:
      Boite(x0 + m_m1.W, y0, 2, s);
      break;
    default:  // the vertical styles, and no ancestors: the spouse below
      if (Valide(s)) {
        yd = y0 + m_m1.H;
        Boite(x0, yd, 2, s);
      }
      break;
  }
  int32_t courantY = yd + m_m1.H - m.H;
  const int32_t h = m.GH / 2 < m.W / 2 ? m.GH : m.W;
  auto groupe = [&](auto& self, int32_t x, int32_t y, int c, int profondeur) -> void {
    if (profondeur > profondeurMax) return;
    const TR enfants = EnfantsTries(m_bd, c);
    for (int enfant : enfants) {
      if (Arret()) return;
      if (!Valide(enfant)) continue;
      courantY += m.H + m.GV;
      const int32_t cx = xd + profondeur * m.GH;
      Lien(x + h / 2, y + m.H, 2, enfant, c, courantY + m.H / 2, cx);
      Boite(cx, courantY, 2, enfant);
      if (conjoint) Boite(cx + m.W, courantY, 2, LastSpouseOf(m_bd, enfant));
      if (Arret() || Replie(enfant) || !Entrer(enfant)) continue;
      self(self, cx, courantY, enfant, profondeur + 1);
      Sortir(enfant);
    }
  };
  if (!Entrer(refPers)) return;
  groupe(groupe, xd, courantY, refPers, 1);
  Sortir(refPers);
}

namespace {

// One entry of the tidy placement. "Across" is the axis the siblings are
// lined up on (x for the vertical style), "along" the one generations step
// on.
struct Entree {
  int32_t travers = 0;
  int32_t le_long = 0;
  int personne = 0;
  int parent = -1;                  // index of the parent's entry, -1 for none
  bool conjointApres = false;       // the partner's spouse entry follows (below / right)
};

}  // namespace

// A tidy tree of descendants: each person midway between the first and the
// last slot of its descendants, childless persons one slot each, children by
// birth date. Vertical: generations downwards; horizontal: to the right.
// With AfficheFratrie the reference person's brothers and sisters (and their
// descendants) stand on its level; with AfficheConjoint each person's last
// spouse stands right after it along the generation axis.
void ConstructeurArbre::DescTidy(int refPers, int32_t x0, int32_t y0, bool horizontal) {
  const MesuresMoitie& m = m_m2;
  const bool conjoint = m_options.AfficheConjoint;
  const bool fratrie = m_options.AfficheFratrie;
  const int32_t taille = horizontal ? m.W : m.H;          // a box along the generation axis
  const int32_t taille1 = horizontal ? m_m1.W : m_m1.H;   // the reference person's box
  const int32_t ecartLong = horizontal ? m.GH : m.GV;
  const int32_t pasTravers = horizontal ? m.H + m.GV : m.W + m.GH;
  const int32_t pasLong = (conjoint ? 2 * taille : taille) + ecartLong;
  const int32_t origineTravers = horizontal ? y0 : x0;
  const int32_t origineLong = horizontal ? x0 : y0;
  const int profondeurMax = std::min(fratrie ? m.N + 1 : m.N, kProfondeurMax + 1);

  std::vector<Entree> entrees;
  int32_t courant = 0;  // running position across
  bool plein = false;   // the table is full: what is placed is still shown
  auto ajoute = [&](int32_t travers, int32_t le_long, int personne) -> int {
    if (entrees.size() >= static_cast<size_t>(kPlacementsMax)) {
      plein = true;
      return -1;
    }
    Entree e;
    e.travers = travers;
    e.le_long = le_long;
    e.personne = personne;
    entrees.push_back(e);
    return static_cast<int>(entrees.size()) - 1;
  };
  auto valides = [&](const TR& l) {
    std::vector<int> v;
    v.reserve(static_cast<size_t>(l.Count()));
    for (int p : l)
      if (Valide(p)) v.push_back(p);
    return v;
  };
  // Places the persons of `liste` at generation `profondeur`; returns the
  // indexes of their own entries.
  auto place = [&](auto& self, const std::vector<int>& liste, int profondeur) -> std::vector<int> {
    std::vector<int> indexes;
    if (profondeur > profondeurMax) return indexes;
    for (size_t i = 0; i < liste.size(); ++i) {
      if (Arret() || plein) break;
      const int c = liste[i];
      const int32_t debut = courant;
      std::vector<int> enfants;
      if (!Replie(c) && Entrer(c)) {
        const std::vector<int> liste2 = valides(EnfantsTries(m_bd, c));
        if (!liste2.empty()) enfants = self(self, liste2, profondeur + 1);
        Sortir(c);
      }
      const int32_t fin = courant;
      if (i + 1 < liste.size()) courant = fin + pasTravers;
      const int32_t travers = debut + (fin - debut) / 2;
      const int32_t le_long = origineLong + profondeur * pasLong;
      const int s = conjoint ? LastSpouseOf(m_bd, c) : 0;
      const int ici = ajoute(travers, le_long, c);
      if (ici < 0) break;
      if (Valide(s) && ajoute(travers, le_long + taille, s) >= 0)
        entrees[static_cast<size_t>(ici)].conjointApres = true;
      for (int k : enfants) entrees[static_cast<size_t>(k)].parent = ici;
      indexes.push_back(ici);
    }
    return indexes;
  };

  int indexRef = -1;
  std::vector<int> premiers;  // the entries of the first level
  int32_t decaleTravers = 0, decaleLong = 0;
  if (!fratrie) {
    if (!Entrer(refPers)) return;
    premiers = place(place, valides(EnfantsTries(m_bd, refPers)), 1);
    Sortir(refPers);
    const int32_t milieu = courant / 2;
    const int s = conjoint ? LastSpouseOf(m_bd, refPers) : 0;
    bool avecConjoint = false;
    if (Valide(s)) avecConjoint = ajoute(milieu, origineLong + taille, s) >= 0;
    indexRef = ajoute(milieu, origineLong, refPers);
    if (indexRef >= 0) {
      // The children hang below the spouse when there is one.
      entrees[static_cast<size_t>(indexRef)].conjointApres = avecConjoint;
      for (int k : premiers) entrees[static_cast<size_t>(k)].parent = indexRef;
    }
    premiers.clear();  // the first level is not joined side to side
    decaleTravers = origineTravers - milieu;
    decaleLong = taille1 - taille;
  } else {
    TR liste = SiblingsOf(m_bd, refPers);
    liste.Add(refPers);
    SortByDateColumn(m_bd, liste, 6);
    premiers = place(place, valides(liste), 1);
    for (int k : premiers)
      if (entrees[static_cast<size_t>(k)].personne == refPers) indexRef = k;
    if (indexRef >= 0)
      decaleTravers = origineTravers - entrees[static_cast<size_t>(indexRef)].travers;
    decaleLong = taille1 - 2 * taille - ecartLong - (conjoint ? taille : 0);
  }

  auto enX = [&](const Entree& e) { return horizontal ? e.le_long : e.travers; };
  auto enY = [&](const Entree& e) { return horizontal ? e.travers : e.le_long; };
  for (Entree& e : entrees) {
    e.travers += decaleTravers;
    e.le_long += decaleLong;
  }
  for (size_t i = 0; i < entrees.size(); ++i) {
    if (static_cast<int>(i) == indexRef) continue;
    Boite(enX(entrees[i]), enY(entrees[i]), 2, entrees[i].personne);
  }
  if (plein) m_arbre.tronque = true;
  // Brothers and sisters joined side to side.
  for (size_t i = 0; i + 1 < premiers.size(); ++i) {
    const Entree& a = entrees[static_cast<size_t>(premiers[i])];
    const Entree& b = entrees[static_cast<size_t>(premiers[i + 1])];
    if (horizontal)
      Lien(enX(a) + m.W / 2, enY(a) + m.H, 2, b.personne, a.personne, enY(b), enX(b) + m.W / 2);
    else
      Lien(enX(a) + m.W, enY(a) + m.H / 2, 2, b.personne, a.personne, enY(b) + m.H / 2, enX(b));
  }
  // Each child joined to its parent, below (or right of) the parent's spouse
  // when one is shown.
  for (const Entree& e : entrees) {
    if (e.parent < 0) continue;
    const Entree& p = entrees[static_cast<size_t>(e.parent)];
    const int32_t fond = p.conjointApres ? 2 * taille : taille;
    if (horizontal)
      Lien(enX(e), enY(e) + m.H / 2, 2, e.personne, p.personne, enY(p) + m.H / 2, enX(p) + fond);
    else
      Lien(enX(e) + m.W / 2, enY(e), 2, e.personne, p.personne, enY(p) + fond, enX(p) + m.W / 2);
  }
}

}  // namespace kindrela::detail
