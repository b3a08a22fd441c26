// Window geometry that does not need a window: where a window goes inside
// the screen's work area, and where the main window starts.
#pragma once

namespace kindrela {

// A screen rectangle in pixels; right() and bottom() are one past the last
// pixel, as for a desktop work area.
struct TRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int right() const { return left + width; }
  int bottom() const { return top + height; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

struct TTaille {
  int width = 0;
  int height = 0;
};

// The bounds a window of size `actuelle` takes for the requested left, top,
// height and width inside the work area `zone`:
// - all four 0: the window keeps its size and is centred in `zone`
//   (halves rounded toward zero, so a window wider than the zone starts
//   left of it);
// - otherwise a width or height above 0 replaces the current one; the
//   window is pulled back so that its right and bottom edges stay inside
//   `zone`, then its left and top edges are kept inside: a window larger
//   than `zone` keeps its size and is aligned with the zone's left and top.
TRect PlaceFenetre(TTaille actuelle, int left, int top, int height, int width,
                   const TRect& zone);

// The value of the main window's saved left edge that means "never saved".
inline constexpr int kFenetreJamaisPlacee = -999;
inline constexpr int kLargeurMinFenetrePrincipale = 400;
inline constexpr int kHauteurMinFenetrePrincipale = 300;

// The main window's bounds from its saved keys: `left` == -999 gives the
// work area `zone` (the desktop without the task bar); otherwise the saved
// values, with the width raised to at least 400 and the height to at least
// 300. The saved position is not pulled into the work area.
TRect RectFenetrePrincipale(int left, int top, int width, int height, const TRect& zone);

// The frame the window manager draws around a window's inside: the title
// bar above, the borders on the other sides, in pixels.
struct TMargesCadre {
  int gauche = 0;
  int haut = 0;
  int droite = 0;
  int bas = 0;
};

// The inside `interieur` of a window moved so that its frame can be reached
// with the mouse: the title bar and the left border inside `zone`, and the
// inside no larger than what the zone holds within the frame. Bounds that
// already keep their frame inside come back unchanged; a window may still
// reach past the zone's right and bottom edges.
TRect InterieurAccessible(const TRect& interieur, const TRect& zone, const TMargesCadre& cadre);

}  // namespace kindrela
