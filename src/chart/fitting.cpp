#include "chart/fitting.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace kindrela {

namespace {

bool Vide(const Arbre& arbre) { return arbre.boites.empty() && arbre.liens.empty(); }

// The smallest font height of the lines of `aff` that show a text.
int PlusPetitePolice(const T1Aff& aff, int plusPetite) {
  const int nbre = std::clamp(aff.LigneNbre, 0, kLignesMax);
  for (int i = 0; i < nbre; ++i) {
    const TLigne& l = aff.Lignes[static_cast<size_t>(i)];
    // An empty line shows nothing and a picture line has no letters.
    if (l.Modele.empty() || l.Modele[0] == '@') continue;
    const int h = std::abs(l.FontHauteur);
    if (h > 0 && (plusPetite == 0 || h < plusPetite)) plusPetite = h;
  }
  return plusPetite;
}

}  // namespace

int ZoomLisible(const Arbre& arbre, const T1Aff& moitie1, const T1Aff& moitie2) {
  bool avec[2] = {false, false};
  for (const BoiteArbre& b : arbre.boites) {
    avec[b.moitie == 2 ? 1 : 0] = true;
    if (avec[0] && avec[1]) break;
  }
  int plusPetite = 0;
  if (avec[0]) plusPetite = PlusPetitePolice(moitie1, plusPetite);
  if (avec[1]) plusPetite = PlusPetitePolice(moitie2, plusPetite);
  if (plusPetite <= 0) return 1;
  const int z = (kPoliceLisible * 100 + plusPetite - 1) / plusPetite;
  return std::clamp(z, 1, 100);
}

int ZoomAutoLisible(const Arbre& arbre, const T1Aff& moitie1, const T1Aff& moitie2,
                    int largeurZone, int hauteurZone) {
  const int actuel = moitie1.Zoom > 0 ? moitie1.Zoom : 100;
  if (Vide(arbre) || largeurZone <= 0 || hauteurZone <= 0) return actuel;
  // Measured at zoom 100: the extent at a small current zoom has lost its
  // precision to rounding.
  T1Aff m1 = moitie1, m2 = moitie2;
  m1.Zoom = m2.Zoom = 100;
  const RectArbre r = GetRect(arbre, m1, m2);
  if (r.Right <= 0 || r.Bottom <= 0) return actuel;
  const long long largeur = std::max(1, largeurZone - 2 * kMargeVue);
  const long long hauteur = std::max(1, hauteurZone - 2 * kMargeVue);
  const long long z = std::min({largeur * 100 / r.Right, hauteur * 100 / r.Bottom, 100LL});
  return std::max(static_cast<int>(std::max(1LL, z)), ZoomLisible(arbre, moitie1, moitie2));
}

PointArbre DefilePourVoir(const RectArbre& vue, const RectArbre& cible, const RectArbre& scene) {
  const bool dedans = cible.Left >= vue.Left && cible.Right <= vue.Right &&
                      cible.Top >= vue.Top && cible.Bottom <= vue.Bottom;
  if (dedans) return {vue.Left, vue.Top};
  auto axe = [](int64_t debut, int64_t fin, int64_t taille, int64_t min, int64_t max) {
    int64_t v = (debut + fin) / 2 - taille / 2;
    v = std::min(v, max - taille);
    return static_cast<int32_t>(std::max(v, min));
  };
  return {axe(cible.Left, cible.Right, vue.Largeur(), scene.Left, scene.Right),
          axe(cible.Top, cible.Bottom, vue.Hauteur(), scene.Top, scene.Bottom)};
}

std::vector<int> HautsLignes(const std::vector<int>& hauteurs100, int hauteurZone) {
  std::vector<int> hauts(hauteurs100.size() + 1, 0);
  long long total = 0;
  for (int h : hauteurs100) total += std::max(1, h);
  hauts.back() = std::max(0, hauteurZone);
  if (total == 0 || hauteurZone <= 0) return hauts;
  long long cumul = 0;
  for (size_t i = 0; i < hauteurs100.size(); ++i) {
    hauts[i] = static_cast<int>((cumul * hauteurZone + total / 2) / total);
    cumul += std::max(1, hauteurs100[i]);
  }
  hauts.back() = hauteurZone;
  return hauts;
}

int LargeurTexte(int largeur) { return std::max(1, largeur - 2 * kRetraitTexte); }

int XTexte(int align, int gauche, int largeur, int largeurTexte) {
  int x;
  switch (align) {
    case kAlignDroite: x = gauche + largeur - kRetraitTexte - largeurTexte; break;
    case kAlignCentre: x = gauche + (largeur - largeurTexte) / 2; break;
    default: x = gauche + kRetraitTexte; break;
  }
  return std::max(x, gauche);
}

Cote CoteBranche(const BoiteArbre& b, bool reference, const T1Aff& moitie1,
                 const T1Aff& moitie2) {
  const bool ascendant = b.moitie != 2 && !(reference && moitie1.Style == kStyleAucun);
  if (ascendant) {
    switch (moitie1.Style) {
      case kAscGroupe: return Cote::Bas;
      case kAscCompactHorizontal:
      case kAscHorizontal: return Cote::Gauche;
      default: return Cote::Haut;
    }
  }
  return moitie2.Style == kDescHorizontal ? Cote::Droite : Cote::Bas;
}

TailleImage CalculeTailleImage(const Arbre& arbre, const T1Aff& moitie1, const T1Aff& moitie2,
                               int dpi, int marge) {
  TailleImage t;
  t.zoom = std::max(1, static_cast<int>(std::lround(dpi * 100.0 / kDpiEcran)));
  t.marge = static_cast<int>(static_cast<long long>(std::max(0, marge)) * t.zoom / 100);
  T1Aff m1 = moitie1, m2 = moitie2;
  m1.Zoom = m2.Zoom = t.zoom;
  const RectArbre r = GetRect(arbre, m1, m2);
  const bool vide = Vide(arbre) || r.Right <= r.Left || r.Bottom <= r.Top;
  const long long largeur = (vide ? 1LL : r.Largeur()) + 2LL * t.marge;
  const long long hauteur = (vide ? 1LL : r.Hauteur()) + 2LL * t.marge;
  t.tropGrande = largeur > kCoteImageMax || hauteur > kCoteImageMax ||
                 largeur * hauteur > kPixelsImageMax;
  t.largeur = static_cast<int>(std::min<long long>(largeur, INT32_MAX));
  t.hauteur = static_cast<int>(std::min<long long>(hauteur, INT32_MAX));
  return t;
}

int DpiMaxImage(const Arbre& arbre, const T1Aff& moitie1, const T1Aff& moitie2, int marge) {
  auto tient = [&](int dpi) {
    return !CalculeTailleImage(arbre, moitie1, moitie2, dpi, marge).tropGrande;
  };
  if (!tient(kDpiImageMin)) return 0;
  int bas = kDpiImageMin, haut = kDpiImageMax;  // tient(bas) holds
  if (tient(haut)) return haut;
  while (haut - bas > 1) {
    const int milieu = (bas + haut) / 2;
    (tient(milieu) ? bas : haut) = milieu;
  }
  return bas;
}

}  // namespace kindrela
