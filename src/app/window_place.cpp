#include "app/window_place.h"

#include <algorithm>

namespace kindrela {

TRect PlaceFenetre(TTaille actuelle, int left, int top, int height, int width,
                   const TRect& zone) {
  TRect r{left, top, actuelle.width, actuelle.height};
  if (left == 0 && top == 0 && height == 0 && width == 0) {
    // C++ division truncates toward zero, which is the rounding wanted here.
    r.left = zone.left + (zone.width - r.width) / 2;
    r.top = zone.top + (zone.height - r.height) / 2;
    return r;
  }
  if (width > 0) r.width = width;
  if (height > 0) r.height = height;
  if (r.left + r.width > zone.right()) r.left = zone.right() - r.width;
  if (r.top + r.height > zone.bottom()) r.top = zone.bottom() - r.height;
  r.left = std::max(r.left, zone.left);
  r.top = std::max(r.top, zone.top);
  return r;
}

TRect RectFenetrePrincipale(int left, int top, int width, int height, const TRect& zone) {
  if (left == kFenetreJamaisPlacee) return zone;
  return TRect{left, top, std::max(width, kLargeurMinFenetrePrincipale),
               std::max(height, kHauteurMinFenetrePrincipale)};
}

TRect InterieurAccessible(const TRect& interieur, const TRect& zone, const TMargesCadre& cadre) {
  TRect r = interieur;
  r.width = std::min(r.width, std::max(1, zone.width - cadre.gauche - cadre.droite));
  r.height = std::min(r.height, std::max(1, zone.height - cadre.haut - cadre.bas));
  r.left = std::max(r.left, zone.left + cadre.gauche);
  r.top = std::max(r.top, zone.top + cadre.haut);
  // A window left almost wholly past the right or bottom edge comes back
  // far enough for its title bar to be grabbed.
  r.left = std::min(r.left, zone.right() - std::min(r.width, 100));
  r.top = std::min(r.top, zone.bottom() - cadre.bas - 1);
  r.left = std::max(r.left, zone.left + cadre.gauche);
  r.top = std::max(r.top, zone.top + cadre.haut);
  return r;
}

}  // namespace kindrela
