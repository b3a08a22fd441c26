// Pictures of sources, of any size: decoded at the size they are shown at
// (a camera picture of 50 megapixels shown as a 100-pixel tile is decoded
// at that size, which JPEG readers do many times faster than in full), kept
// in a cache, and replaced by a placeholder when missing or damaged.
#pragma once

#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace kindrela {

// Pictures larger than this are decoded reduced even when asked in full:
// memory for one picture stays below about 100 MB.
inline constexpr qint64 kPixelsMax = 24LL * 1000 * 1000;

struct TImageChargee {
  QImage image;           // null when the file could not be read
  QSize tailleOriginale;  // the picture's own size, when its header could be read
  QString erreur;         // why it could not be read (empty when read)
  bool Ok() const { return !image.isNull(); }
};

// Reads `chemin` fitted within `boite` with its proportions (never
// enlarged); an empty `boite` asks for the full size, within kPixelsMax.
TImageChargee ChargeImage(const QString& chemin, QSize boite = QSize());

// The placeholder shown for a missing or damaged picture: a grey frame of
// `taille` with `texte` in it.
QPixmap ImageAbsente(QSize taille, const QString& texte);

// Reduced pictures by file, size and modification time, for the chooser,
// the gallery and the record window. Bounded; belongs to the
// user-interface thread.
class TCacheVignettes {
 public:
  // The picture of `chemin` fitted within `boite`; null when unreadable.
  QPixmap Vignette(const QString& chemin, QSize boite);
  void Vide() { m_vignettes.clear(); }

 private:
  QHash<QString, QPixmap> m_vignettes;
};

}  // namespace kindrela
