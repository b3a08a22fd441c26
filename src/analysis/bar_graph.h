// The bar graph's geometry: where the background, the scale, the axes, the
// bars and the labels go for given columns on a rectangle, and which bar a
// point is over. The window layer paints what this computes, on screen and
// on paper alike.
#pragma once

#include <string>
#include <vector>

#include "chart/looks.h"

namespace kindrela {

struct TGraphe {
  std::vector<std::string> valX{"Val1", "Val2", "Val3"};  // column labels
  std::vector<std::string> valY{"3", "5", "2"};           // values, decimal text
  int maxiY = 0;      // top of the scale; below 1: the largest value
  int margeX = 20;    // left margin (the scale)
  int margeY = 20;    // bottom margin (the labels)
  int colLarge = 75;  // bar width in percent of the column pitch, 0..100
  TCouleur color = Rgb(255, 255, 255);     // background
  TCouleur colorBar = Rgb(255, 255, 255);  // white: the palette

  // Sets colLarge; a value outside 0..100 is refused (false, unchanged).
  bool FixeColLarge(int v);
};

// The bar colour of column c when colorBar is white (12 colours, cycling).
TCouleur CouleurPalette(int c);

struct TRectangle {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom excluded
  friend bool operator==(const TRectangle&, const TRectangle&) = default;
};

struct TDessinGraphe {
  TRectangle fond;
  TCouleur couleurFond;
  struct Graduation {
    int y;           // the tick's height
    int x1, x2;      // from x1 to x2 (the axis)
    std::string texte;
    int texteDroite;  // the number is right-aligned on this x, centred on y
  };
  std::vector<Graduation> graduations;
  bool axes = false;
  int axeX = 0, axeHaut = 0, base = 0, droite = 0;  // vertical axis x, its top, baseline y, right end
  struct Barre {
    int colonne;
    TRectangle rect;
    TCouleur couleur;
  };
  std::vector<Barre> barres;
  struct Etiquette {
    int colonne;
    std::string texte;
    int centreX, centreY;
  };
  std::vector<Etiquette> etiquettes;
};

// The drawing on the rectangle (x, y, w, h): the background alone when there
// is no column or the scale's top is 0.
TDessinGraphe DessineGraphe(const TGraphe& g, int x, int y, int w, int h);

// The column under the point (px, py) of a control of size w by h (the
// scale's top is then always the largest value): the first column with a
// value above 0 whose bar holds the point; -1 when none. `valeur` gets its value.
int ColonneSous(const TGraphe& g, int w, int h, int px, int py, long long* valeur = nullptr);

}  // namespace kindrela
