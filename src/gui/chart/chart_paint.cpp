#include "gui/chart/chart_paint.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "chart/templates.h"
#include "core/database.h"
#include "gui/common/qt_text.h"

namespace kindrela {

namespace {

// Caches are bounded so that computed textures (one name per person) or
// many zoom levels cannot grow them without end.
constexpr int kEntreesMax = 512;

template <typename T>
void Borne(QHash<QString, T>& h) {
  if (h.size() > kEntreesMax) h.clear();
}

QColor Couleur(TCouleur c) { return QColor(c.r, c.g, c.b); }

QString CleTaille(const QString& chemin, QSize t, bool etire) {
  return chemin + QLatin1Char('|') + QString::number(t.width()) + QLatin1Char('x') +
         QString::number(t.height()) + (etire ? QLatin1String("|e") : QLatin1String("|t"));
}

// A GDI-style rectangle from (x1, y1) to (x2, y2), the far edges excluded.
QRect Gdi(int x1, int y1, int x2, int y2) { return QRect(x1, y1, std::max(0, x2 - x1), std::max(0, y2 - y1)); }

// Draws a shape with the pen on its first and last pixel rows and columns.
void Forme(QPainter& p, const QRect& r, bool arrondi, int rayon) {
  if (r.width() < 1 || r.height() < 1) return;
  QRect d(r.left(), r.top(), r.width() - 1, r.height() - 1);
  if (arrondi)
    p.drawRoundedRect(d, std::min(rayon, d.width() / 2), std::min(rayon, d.height() / 2));
  else
    p.drawRect(d);
}

bool ExisteFichier(const std::string& chemin) {
  return !chemin.empty() && QFileInfo(VersQString(chemin)).isFile();
}

}  // namespace

// ---------------------------------------------------------------------------

const QImage& TCacheArbre::Image(const QString& chemin) {
  auto it = m_images.find(chemin);
  if (it != m_images.end()) return *it;
  Borne(m_images);
  QImage image;
  if (!image.load(chemin)) image = QImage();  // unreadable pictures stay null
  return *m_images.insert(chemin, image);
}

const QPixmap& TCacheArbre::Texture(const QString& chemin, QSize taille, bool etire) {
  const QString cle = CleTaille(chemin, taille, etire);
  auto it = m_textures.find(cle);
  if (it != m_textures.end()) return *it;
  Borne(m_textures);
  const QImage& source = Image(chemin);
  QPixmap face;
  if (!source.isNull() && taille.width() > 0 && taille.height() > 0) {
    if (etire) {
      face = QPixmap::fromImage(
          source.scaled(taille, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    } else {
      face = QPixmap(taille);
      face.fill(Qt::white);
      QPainter p(&face);
      p.drawTiledPixmap(QRect(QPoint(0, 0), taille), QPixmap::fromImage(source));
    }
  }
  return *m_textures.insert(cle, face);
}

const QImage& TCacheArbre::TextureLien(const QString& chemin) {
  auto it = m_liens.find(chemin);
  if (it != m_liens.end()) return *it;
  Borne(m_liens);
  QImage image = Image(chemin);
  if (!image.isNull()) {
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb cyan = qRgb(0, 255, 255);
    for (int y = 0; y < image.height(); ++y) {
      auto* ligne = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x)
        if ((ligne[x] & 0xFFFFFF) == (cyan & 0xFFFFFF)) ligne[x] = 0;
    }
  }
  return *m_liens.insert(chemin, image);
}

const QPixmap& TCacheArbre::ImageLigne(const QString& chemin, int hauteur) {
  const QString cle = chemin + QLatin1Char('|') + QString::number(hauteur);
  auto it = m_lignes.find(cle);
  if (it != m_lignes.end()) return *it;
  Borne(m_lignes);
  const QImage& source = Image(chemin);
  QPixmap image;
  if (!source.isNull() && hauteur >= 1 && source.height() > 0) {
    int largeur = static_cast<int>(
        (static_cast<double>(hauteur) * source.width() / source.height()) + 0.5);
    image = QPixmap::fromImage(source.scaled(std::max(1, largeur), hauteur,
                                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  }
  return *m_lignes.insert(cle, image);
}

const TCacheArbre::Police_& TCacheArbre::Trouve(const TLigne& ligne, int hauteur) {
  hauteur = std::max(1, hauteur);
  for (auto& [cle, police] : m_polices)
    if (cle.hauteur == hauteur && cle.style == ligne.FontStyle && cle.nom == ligne.FontNom)
      return *police;
  if (m_polices.size() > static_cast<size_t>(kEntreesMax)) m_polices.clear();
  QFont f(VersQString(ligne.FontNom));
  f.setPixelSize(hauteur);
  f.setBold(ligne.FontStyle & kStyleGras);
  f.setItalic(ligne.FontStyle & kStyleItalique);
  f.setUnderline(ligne.FontStyle & kStyleSouligne);
  f.setStrikeOut(ligne.FontStyle & kStyleBarre);
  auto police = std::make_unique<Police_>(Police_{f, QFontMetrics(f)});
  // Most recently made first: a chart uses the same few fonts over and over.
  m_polices.insert(m_polices.begin(),
                   {ClePolice_{ligne.FontNom, hauteur, ligne.FontStyle}, std::move(police)});
  return *m_polices.front().second;
}

const QFont& TCacheArbre::Police(const TLigne& ligne, int hauteur) {
  return Trouve(ligne, hauteur).police;
}

const QFontMetrics& TCacheArbre::Metriques(const TLigne& ligne, int hauteur) {
  return Trouve(ligne, hauteur).metriques;
}

int TCacheArbre::HauteurTexte(const TLigne& ligne, int hauteur) {
  return Trouve(ligne, hauteur).metriques.height();
}

void TCacheArbre::Vide() {
  m_images.clear();
  m_textures.clear();
  m_liens.clear();
  m_lignes.clear();
}

int HauteurLigneArbre(TCacheArbre& cache, const TLigne& ligne) {
  return cache.HauteurTexte(ligne, std::abs(ligne.FontHauteur));
}

std::string FichierTexture(const std::string& nom, const TDossiersImages& dossiers) {
  if (nom.empty()) return {};
  if (!dossiers.imageArbre.empty() && ExisteFichier(dossiers.imageArbre + nom))
    return dossiers.imageArbre + nom;
  return ResolvePicture(nom, dossiers);
}

// ---------------------------------------------------------------------------

namespace {

// One text line of a box, shrunk to fit its rectangle.
void LigneTexte(QPainter& p, TCacheArbre& cache, const TLigne& ligne, const QString& texte,
                const QRect& rect, int hauteurPolice, int x0, int largeurUtile, int s) {
  int h = hauteurPolice;
  const QFontMetrics* fm = &cache.Metriques(ligne, h);
  int largeur = fm->horizontalAdvance(texte);
  if (largeur > rect.width() && h > 1) {
    // Start near the fitting height instead of stepping down one by one
    // from the full height: widths grow about in proportion to heights.
    int estime = static_cast<int>(static_cast<long long>(h) * std::max(1, rect.width()) /
                                  std::max(1, largeur)) + 2;
    h = std::clamp(estime, 1, h);
    fm = &cache.Metriques(ligne, h);
    largeur = fm->horizontalAdvance(texte);
    while (largeur > rect.width() && h > 1) {
      --h;
      fm = &cache.Metriques(ligne, h);
      largeur = fm->horizontalAdvance(texte);
    }
  }
  int x;
  switch (ligne.Align) {
    case kAlignDroite: x = rect.right() + 1 - largeur; break;
    case kAlignCentre: x = (largeurUtile - largeur) / 2 + x0 - s - 2; break;
    default: x = rect.left() + 2; break;
  }
  p.setFont(cache.Police(ligne, h));
  p.setPen(Couleur(ligne.FontCouleur));
  p.save();
  p.setClipRect(rect, Qt::IntersectClip);
  int y = rect.top() + (rect.height() - fm->height()) / 2 + fm->ascent();
  p.drawText(x, y, texte);
  p.restore();
}

}  // namespace

void AfficheBoite(QPainter& p, const TContextePeinture& c, const BoiteArbre& b,
                  const std::vector<std::string>& lignes, bool isSelec, const QRect& r,
                  int echelle) {
  if (!c.apparence || !c.cache) return;
  TCacheArbre& cache = *c.cache;
  const T1Aff& aff = c.apparence->Moitie(b.moitie);
  const TLookSexe& look = aff.LookDe(b.Masculin());
  const int left = r.left(), top = r.top(), width = r.width(), height = r.height();
  if (width < 1 || height < 1) return;

  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  // 1. State colour.
  QColor etat(kCouleurNormale);
  if (isSelec || (c.selecPers > 0 && b.personne == c.selecPers))
    etat = QColor(kCouleurSelection);
  else if (c.bd && c.bd->LitReplie(b.personne))
    etat = QColor(kCouleurReplie);
  const int s = look.Ombre ? 1 : 0;
  const int rayon = std::max(1, 7 * echelle / 100);
  const int epaisseur = std::max(1, echelle / 100);
  QPen plume(etat, epaisseur);
  plume.setJoinStyle(Qt::MiterJoin);

  // 3. The shadow shape, in the state colour.
  if (look.Cadre) {
    p.setPen(plume);
    p.setBrush(look.Fond == kFondCouleur ? QBrush(etat) : QBrush(Qt::NoBrush));
    Forme(p, Gdi(left + s, top + s, left + width, top + height), look.Arrondis, rayon);
  }
  const QRect face = Gdi(left, top, left + width - s, top + height - s);

  // 4. Texture fill.
  if (look.Fond == kFondTexture || look.Fond == kFondTextureCalculee) {
    std::string nom = look.Texture;
    if (look.Fond == kFondTextureCalculee)
      nom = c.modele ? ExpandTemplate(*c.modele, b.personne, nom) : std::string();
    std::string fichier = FichierTexture(nom, c.dossiers);
    if (!fichier.empty()) {
      const QPixmap& t = cache.Texture(VersQString(fichier), face.size(), look.Stretch);
      if (!t.isNull()) {
        p.save();
        if (look.Arrondis) {
          QPainterPath chemin;
          chemin.addRoundedRect(QRectF(face), rayon, rayon);
          p.setClipPath(chemin, Qt::IntersectClip);
        }
        p.drawPixmap(face.topLeft(), t);
        p.restore();
      }
    }
  }

  // 5. The face and its outline.
  p.setPen(look.Cadre ? plume : QPen(Qt::NoPen));
  p.setBrush(look.Fond == kFondCouleur ? QBrush(Couleur(look.Color)) : QBrush(Qt::NoBrush));
  if (look.Cadre || look.Fond == kFondCouleur) Forme(p, face, look.Arrondis, rayon);

  // 6. Margins.
  const int margeHaut = aff.MargeHaut * height / 100;
  const int margeBas = aff.MargeBas * height / 100;
  const int margeDroite = aff.MargeDroite * width / 100;
  const int margeGauche = aff.MargeGauche * width / 100;

  // 7. Lines.
  int y = top + margeHaut;
  const int nbre = std::clamp(aff.LigneNbre, 0, kLignesMax);
  for (int i = 0; i < nbre; ++i) {
    const TLigne& ligne = aff.Lignes[static_cast<size_t>(i)];
    const std::string& texte = i < static_cast<int>(lignes.size()) ? lignes[static_cast<size_t>(i)]
                                                                   : std::string();
    const int hauteurPolice = std::max(1, std::abs(ligne.FontHauteur) * echelle / 100);
    const int hauteurLigne = cache.HauteurTexte(ligne, hauteurPolice);
    const QRect rect = Gdi(left + margeGauche, y, left + width - margeDroite, y + hauteurLigne);
    if (!texte.empty() && texte[0] == '@') {
      std::string fichier = ResolvePicture(texte.substr(1), c.dossiers);
      if (!fichier.empty()) {
        const QPixmap& image = cache.ImageLigne(VersQString(fichier), hauteurLigne);
        if (!image.isNull()) {
          int x;
          switch (ligne.Align) {
            case kAlignDroite: x = rect.right() + 1 - image.width(); break;
            case kAlignCentre: x = rect.left() + (rect.width() - image.width()) / 2; break;
            default: x = rect.left(); break;
          }
          p.save();
          p.setClipRect(face, Qt::IntersectClip);
          p.drawPixmap(std::max(x, left + 2), y + 1, image);
          p.restore();
        }
      }
    } else if (!texte.empty()) {
      LigneTexte(p, cache, ligne, VersQString(texte), rect, hauteurPolice, left + margeGauche,
                 width - margeGauche - margeDroite, s);
    }
    if (c.aideMarges) {
      p.setPen(QPen(QColor(0, 0, 255), 1));
      p.setBrush(Qt::NoBrush);
      Forme(p, rect, false, 0);
    }
    y += hauteurLigne;
  }

  // 8. The margin aid: the box in red, the inside of the margins in green.
  if (c.aideMarges) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 0, 0), 1));
    Forme(p, Gdi(left, top, left + width, top + height), false, 0);
    p.setPen(QPen(QColor(0, 128, 0), 1));
    Forme(p, Gdi(left + margeGauche, top + margeHaut, left + width - margeDroite,
                 top + height - margeBas), false, 0);
  }
  p.restore();
}

// ---------------------------------------------------------------------------

std::vector<QPoint> TraceLien(int forme, const QRect& r, int u, bool brise) {
  const int left = r.left(), top = r.top();
  const int right = left + r.width(), bottom = top + r.height();
  const int mx = left + r.width() / 2, my = top + r.height() / 2;
  std::vector<QPoint> v;
  auto Point = [&](int x, int y) { v.emplace_back(x, y); };
  switch (forme) {
    case 1:
      Point(left + u, bottom);
      if (brise) { Point(left + u, my); Point(right - u - 1, my); }
      Point(right - u - 1, top);
      break;
    case 2:
      Point(left + u, top);
      if (brise) { Point(left + u, my); Point(right - u - 1, my); }
      Point(right - u - 1, bottom);
      break;
    case 3:
      Point(left, bottom - u - 1);
      if (brise) { Point(mx, bottom - u - 1); Point(mx, top + u); }
      Point(right, top + u);
      break;
    case 4:
      Point(left, top + u);
      if (brise) { Point(mx, top + u); Point(mx, bottom - u - 1); }
      Point(right, bottom - u - 1);
      break;
    case 5: Point(left, my); Point(right, my); break;
    case 6: Point(mx, top); Point(mx, bottom); break;
    case 7:
      Point(left, top);
      if (brise) Point(right - 1, top);
      Point(right - 1, bottom);
      break;
    case 8:
      Point(right - 1, top);
      if (brise) Point(right - 1, bottom - 1);
      Point(left, bottom - 1);
      break;
    case 9:
      Point(left, top);
      if (brise) Point(left, bottom - 1);
      Point(right, bottom - 1);
      break;
    default: break;
  }
  return v;
}

void AfficheLien(QPainter& p, const TContextePeinture& c, const LienArbre& l, const QRect& r,
                 int echelle) {
  if (!c.apparence || !c.cache) return;
  const T1Aff& aff = c.apparence->Moitie(l.moitie);
  if (aff.Relier == kRelierAucun) return;
  p.save();
  if (aff.Relier == kRelierTexture) {
    if (l.forme >= 1 && l.forme <= 9) {
      std::string fichier =
          FichierTexture(aff.RelierTexture[static_cast<size_t>(l.forme)], c.dossiers);
      if (!fichier.empty()) {
        const QImage& t = c.cache->TextureLien(VersQString(fichier));
        if (!t.isNull()) p.drawImage(r, t);
      }
    }
    p.restore();
    return;
  }
  int u = echelle * aff.RelierLarge / 100;
  u = (u / 2) * 2;
  QPen plume(Couleur(aff.RelierColor), 2 * u);
  plume.setStyle(l.incertain ? Qt::DotLine : Qt::SolidLine);
  plume.setCapStyle(Qt::FlatCap);
  plume.setJoinStyle(Qt::MiterJoin);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(plume);
  p.setBrush(Qt::NoBrush);
  std::vector<QPoint> points = TraceLien(l.forme, r, u, aff.Relier == kRelierBrise);
  if (points.size() >= 2) p.drawPolyline(points.data(), static_cast<int>(points.size()));
  p.restore();
}

}  // namespace kindrela
