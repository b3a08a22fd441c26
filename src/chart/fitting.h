// How the chart is fitted to what shows it: the automatic zoom of the chart
// area (the whole chart, but never so small that it cannot be read), where
// the view scrolls to keep a box in sight, how the text lines share a box
// at any scale and where a line's text stands in it, the side of a box that
// a collapsed branch would go on from, and the size of a picture of the
// chart at a resolution.
//
// All in pixels of the device painted on; a logical unit is one pixel at
// zoom 100, on a screen of kDpiEcran dots per inch.
#pragma once

#include <cstdint>
#include <vector>

#include "chart/layout.h"

namespace kindrela {

// Text is still read at this many pixels high; smaller, it is a grey blur.
inline constexpr int kPoliceLisible = 7;
// Room left between the chart and the edges of the chart area.
inline constexpr int kMargeVue = 12;

// The smallest zoom (at most 100) at which every line with a template of
// the halves that have boxes in `arbre` is at least kPoliceLisible pixels
// high: kPoliceLisible·100 / the smallest font height, rounded up. 1 when
// no line shows anything.
int ZoomLisible(const Arbre& arbre, const T1Aff& moitie1, const T1Aff& moitie2);

// The automatic zoom of the chart area: the largest zoom, at most 100, at
// which the whole chart, measured at zoom 100, fits an area of the given
// size less kMargeVue on every side; never below ZoomLisible, so that a
// chart too large for the area is scrolled rather than shrunk to a strip.
// An empty chart or an area of no size gives half 1's zoom back (100 when
// it is 0 or less).
int ZoomAutoLisible(const Arbre& arbre, const T1Aff& moitie1, const T1Aff& moitie2,
                    int largeurZone, int hauteurZone);

// Where the top-left corner of the view goes so that `cible` is seen: where
// it is (vue.Left, vue.Top) when `cible` lies wholly inside `vue`, else
// centred on `cible`, then kept within `scene` (a scene smaller than the
// view keeps its own top-left corner).
PointArbre DefilePourVoir(const RectArbre& vue, const RectArbre& cible, const RectArbre& scene);

// Room between a line's text and the left or right edge of its rectangle.
inline constexpr int kRetraitTexte = 2;

// The tops of the text lines of a box, offsets from the top of its text
// area, and that area's height last (n + 1 values for n lines): the area
// `hauteurZone` high is shared in proportion to the lines' heights at zoom
// 100, so that the lines fill the box at any scale and the last one never
// falls out of it. Heights of 0 or less count as 1.
std::vector<int> HautsLignes(const std::vector<int>& hauteurs100, int hauteurZone);

// The width a line's text may take in a rectangle `largeur` wide: all of
// it but kRetraitTexte on each side (at least 1).
int LargeurTexte(int largeur);
// Where a text `largeurTexte` wide starts in a line rectangle from `gauche`,
// `largeur` wide, by the alignment (kAlignGauche, kAlignDroite, kAlignCentre):
// kRetraitTexte from the left or right edge, or centred; never left of
// the rectangle.
int XTexte(int align, int gauche, int largeur, int largeurTexte);

enum class Cote { Haut, Bas, Gauche, Droite };
// The side of box `b` that its branch goes on from, where a collapsed
// person's mark is drawn: an ancestor's parents stand above it in the
// vertical arrangements, to its left in the horizontal ones and below it
// in the grouped list; a descendant's children below it, or to its right
// in the horizontal arrangement. The reference person's box (half 1) looks
// to its ancestors, or to its descendants when no ancestor arrangement is
// chosen.
Cote CoteBranche(const BoiteArbre& b, bool reference, const T1Aff& moitie1,
                 const T1Aff& moitie2);

// Pictures. The chart at zoom 100 is the chart as a 96-dpi screen shows it.
inline constexpr int kDpiEcran = 96;
inline constexpr int kDpiImageDefaut = 150;
inline constexpr int kDpiImageMin = 30;
inline constexpr int kDpiImageMax = 1200;
// The largest picture written: the side a JPEG file can hold and what a
// desktop can keep in memory (4 bytes a pixel).
inline constexpr int kCoteImageMax = 32767;
inline constexpr long long kPixelsImageMax = 150'000'000;

struct TailleImage {
  int zoom = 100;       // the zoom the chart is painted at
  int largeur = 0;      // pixels, margins included
  int hauteur = 0;
  int marge = 0;        // pixels on each side
  bool tropGrande = false;
};

// The picture of the whole chart at `dpi`: painted at zoom dpi·100/96
// (rounded, at least 1), `marge` logical units around it scaled alike.
// Too large when a side passes kCoteImageMax or the area kPixelsImageMax.
TailleImage CalculeTailleImage(const Arbre& arbre, const T1Aff& moitie1, const T1Aff& moitie2,
                               int dpi, int marge);
// The highest resolution (kDpiImageMin .. kDpiImageMax) at which the
// picture is not too large; 0 when even kDpiImageMin is too large.
int DpiMaxImage(const Arbre& arbre, const T1Aff& moitie1, const T1Aff& moitie2, int marge);

}  // namespace kindrela
