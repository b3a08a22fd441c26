// Painting one box or one link of the chart on any QPainter: the screen
// items, the printer pages, the PDF and the image exports all call these,
// so what is printed is what is shown.
//
// Rectangles follow the drawing conventions of the chart's geometry: a
// rectangle (x, y, w, h) covers the pixels x .. x + w - 1; its outline lies
// on the first and last of them.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "chart/layout.h"
#include "chart/looks.h"

class QPainter;

namespace kindrela {

class TBD;
struct TContexteModele;

// Frame colours of a box: selected person, collapsed branch, any other.
inline constexpr QRgb kCouleurSelection = 0xFFFF0000;
inline constexpr QRgb kCouleurReplie = 0xFF0000FF;
inline constexpr QRgb kCouleurNormale = 0xFF000000;

// What painting loads from files, loaded once and kept: pictures by path,
// textures scaled to a face size, link textures with their transparent
// colour, fonts. Every box of a chart repaints on scrolling, so nothing is
// read from disk twice while its name and size stay the same. A file that
// cannot be read gives a null picture, kept too, so that it is not retried
// at each paint. Belongs to one thread (the user-interface thread).
class TCacheArbre {
 public:
  // The picture of `chemin`; a null image when it is missing or unreadable.
  const QImage& Image(const QString& chemin);
  // `chemin` fitted to `taille`: stretched over it when `etire`, else tiled
  // from its top-left corner. Null when the picture is.
  const QPixmap& Texture(const QString& chemin, QSize taille, bool etire);
  // A link texture: RGB(0,255,255) made transparent. Null when unreadable.
  const QImage& TextureLien(const QString& chemin);
  // A picture of a box line scaled to `hauteur` pixels high, its width kept
  // in proportion. Null when unreadable or when `hauteur` < 1.
  const QPixmap& ImageLigne(const QString& chemin, int hauteur);
  // The font of a line at `hauteur` pixels (at least 1), and its metrics.
  const QFont& Police(const TLigne& ligne, int hauteur);
  const QFontMetrics& Metriques(const TLigne& ligne, int hauteur);
  // The height of a line's text at `hauteur` pixels.
  int HauteurTexte(const TLigne& ligne, int hauteur);
  // Forgets every picture (after the files changed on disk).
  void Vide();

 private:
  QHash<QString, QImage> m_images;
  QHash<QString, QPixmap> m_textures;   // key: path, size, stretch
  QHash<QString, QImage> m_liens;
  QHash<QString, QPixmap> m_lignes;     // key: path, height
  struct Police_ {
    QFont police;
    QFontMetrics metriques;
  };
  const Police_& Trouve(const TLigne& ligne, int hauteur);
  // Key: the line's font name, style and height; fonts are few, so a
  // linear search over a short list beats hashing a text per line painted.
  struct ClePolice_ {
    std::string nom;
    int hauteur;
    int style;
  };
  std::vector<std::pair<ClePolice_, std::unique_ptr<Police_>>> m_polices;
};

// Everything a box or link needs besides its own record.
struct TContextePeinture {
  const TApparence* apparence = nullptr;
  const TBD* bd = nullptr;
  int selecPers = 0;                        // the main window's selected person
  bool aideMarges = false;                  // the cell editor's margin aid
  TDossiersImages dossiers;                 // where pictures and textures are found
  const TContexteModele* modele = nullptr;  // for computed textures; none: not drawn
  TCacheArbre* cache = nullptr;             // must be set
};

// The line height the layout measures a box with, at zoom 100.
int HauteurLigneArbre(TCacheArbre& cache, const TLigne& ligne);

// The file of a box texture: the texture folder + name when it exists, else
// the name resolved as any chart picture; empty when nothing is found.
std::string FichierTexture(const std::string& nom, const TDossiersImages& dossiers);

// How far the marks of a box (the reference person's outline, a collapsed
// branch's tab) reach beyond its rectangle at `echelle` percent.
int DebordMarques(int echelle);

// Paints the box of `b` with its expanded `lignes` into `r` at `echelle`
// percent (the half's zoom on screen; print zoom × half zoom / 100 on
// paper). Lines missing from `lignes` are taken as empty. The text lines
// share the box in proportion to their heights at zoom 100 and each text is
// made smaller until it fits its line, so nothing is cut at any scale.
// When `c.bd` is set, the reference person's box gets a second outline
// and a collapsed person's box a tab on the side its branch goes on from,
// both outside `r` (within DebordMarques).
void AfficheBoite(QPainter& p, const TContextePeinture& c, const BoiteArbre& b,
                  const std::vector<std::string>& lignes, bool isSelec, const QRect& r,
                  int echelle);

// How logical units land on the device: X = x·num/den + dx and Y = y·num/den
// + dy, truncated as the corners of the boxes are, so that links meet the
// boxes and each other on the same pixels.
struct TEchelle {
  long long num = 100;
  long long den = 100;
  int dx = 0;
  int dy = 0;
  QPoint Point(long long x, long long y) const {
    return QPoint(static_cast<int>(x * num / den) + dx, static_cast<int>(y * num / den) + dy);
  }
  // The scale in percent, which pens and fonts follow.
  int Pourcent() const { return static_cast<int>(num * 100 / den); }
};

// Paints the link `l` at `echelle`, in the link mode of its half; mode 0
// paints nothing.
void AfficheLien(QPainter& p, const TContextePeinture& c, const LienArbre& l,
                 const TEchelle& echelle);

}  // namespace kindrela
