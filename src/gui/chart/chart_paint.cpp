#include "gui/chart/chart_paint.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "chart/fitting.h"
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

// One text line of a box, made smaller until it fits its rectangle in width
// and in height.
void LigneTexte(QPainter& p, TCacheArbre& cache, const TLigne& ligne, const QString& texte,
                const QRect& rect, int hauteurPolice) {
  const int largeurMax = LargeurTexte(rect.width());
  int h = std::max(1, hauteurPolice);
  const QFontMetrics* fm = &cache.Metriques(ligne, h);
  int largeur = fm->horizontalAdvance(texte);
  auto tropGrand = [&] { return largeur > largeurMax || fm->height() > rect.height() + 1; };
  if (tropGrand() && h > 1) {
    // Start near the fitting height instead of stepping down one by one
    // from the full height: sizes grow about in proportion to heights.
    long long estime = h;
    if (largeur > largeurMax) estime = std::min<long long>(estime, 1LL * h * largeurMax / std::max(1, largeur));
    if (fm->height() > rect.height() + 1)
      estime = std::min<long long>(estime, 1LL * h * (rect.height() + 1) / std::max(1, fm->height()));
    h = static_cast<int>(std::clamp<long long>(estime + 2, 1, h));
    fm = &cache.Metriques(ligne, h);
    largeur = fm->horizontalAdvance(texte);
    while (tropGrand() && h > 1) {
      --h;
      fm = &cache.Metriques(ligne, h);
      largeur = fm->horizontalAdvance(texte);
    }
  }
  const int x = XTexte(ligne.Align, rect.left(), rect.width(), largeur);
  p.setFont(cache.Police(ligne, h));
  p.setPen(Couleur(ligne.FontCouleur));
  const int y = rect.top() + (rect.height() - fm->height()) / 2 + fm->ascent();
  p.drawText(x, y, texte);
}

// The marks of the reference person and of a collapsed branch, outside the
// box: a second outline around the reference person's box, in its state
// colour; a blue tab with a "+" on the side a collapsed branch goes on from.
struct Marques {
  int ecart, plume, tab;
  explicit Marques(int echelle)
      : ecart(std::max(2, 3 * echelle / 100)),
        plume(std::max(2, 2 * echelle / 100)),
        tab(std::max(10, 14 * echelle / 100)) {}
  int Debord() const { return std::max(ecart + plume, tab / 2 + 2) + 1; }
};

void MarqueReference(QPainter& p, const QRect& boite, const QColor& etat, bool arrondi,
                     int rayon, const Marques& m) {
  const int d = m.ecart + m.plume / 2;
  QPen plume(etat, m.plume);
  plume.setJoinStyle(Qt::MiterJoin);
  p.setPen(plume);
  p.setBrush(Qt::NoBrush);
  const QRectF contour = QRectF(boite).adjusted(-d, -d, d - 1, d - 1);
  if (arrondi) p.drawRoundedRect(contour, rayon + d, rayon + d);
  else p.drawRect(contour);
}

void MarqueReplie(QPainter& p, const QRect& boite, Cote cote, const Marques& m) {
  const int t = m.tab;
  QPoint centre;
  switch (cote) {
    case Cote::Haut: centre = QPoint(boite.center().x(), boite.top()); break;
    case Cote::Bas: centre = QPoint(boite.center().x(), boite.bottom() + 1); break;
    case Cote::Gauche: centre = QPoint(boite.left(), boite.center().y()); break;
    case Cote::Droite: centre = QPoint(boite.right() + 1, boite.center().y()); break;
  }
  const QRect disque(centre.x() - t / 2, centre.y() - t / 2, t, t);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(QColor(kCouleurReplie), 1));
  p.setBrush(QColor(kCouleurReplie));
  p.drawEllipse(disque);
  const int bras = std::max(2, t * 3 / 10), epaisseur = std::max(2, t / 6);
  QPen croix(Qt::white, epaisseur);
  croix.setCapStyle(Qt::FlatCap);
  p.setPen(croix);
  const QPointF c = QRectF(disque).center();
  p.drawLine(QPointF(c.x() - bras, c.y()), QPointF(c.x() + bras, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - bras), QPointF(c.x(), c.y() + bras));
  p.setRenderHint(QPainter::Antialiasing, false);
}

}  // namespace

int DebordMarques(int echelle) { return Marques(echelle).Debord(); }

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

  // 7. Lines: they share the text area in proportion to their heights at
  // zoom 100, as the box height was made from them.
  const int nbre = std::clamp(aff.LigneNbre, 0, kLignesMax);
  std::vector<int> hauteurs100(static_cast<size_t>(nbre));
  for (int i = 0; i < nbre; ++i)
    hauteurs100[static_cast<size_t>(i)] = HauteurLigneArbre(cache, aff.Lignes[static_cast<size_t>(i)]);
  const int hautTexte = top + margeHaut;
  const std::vector<int> hauts = HautsLignes(hauteurs100, height - margeHaut - margeBas);
  const QRect zoneTexte = Gdi(left + margeGauche, hautTexte, left + width - margeDroite,
                              top + height - margeBas).intersected(face.isEmpty() ? r : face);
  for (int i = 0; i < nbre; ++i) {
    const TLigne& ligne = aff.Lignes[static_cast<size_t>(i)];
    const std::string& texte = i < static_cast<int>(lignes.size()) ? lignes[static_cast<size_t>(i)]
                                                                   : std::string();
    const int hauteurPolice = std::max(1, std::abs(ligne.FontHauteur) * echelle / 100);
    const int y = hautTexte + hauts[static_cast<size_t>(i)];
    const int hauteurLigne = hauts[static_cast<size_t>(i) + 1] - hauts[static_cast<size_t>(i)];
    const QRect rect = Gdi(left + margeGauche, y, left + width - margeDroite, y + hauteurLigne);
    if (!texte.empty() && texte[0] == '@') {
      std::string fichier = ResolvePicture(texte.substr(1), c.dossiers);
      if (!fichier.empty() && hauteurLigne > 1) {
        const QPixmap& image = cache.ImageLigne(VersQString(fichier), hauteurLigne - 1);
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
    } else if (!texte.empty() && !zoneTexte.isEmpty()) {
      p.save();
      p.setClipRect(zoneTexte, Qt::IntersectClip);
      LigneTexte(p, cache, ligne, VersQString(texte), rect, hauteurPolice);
      p.restore();
    }
    if (c.aideMarges) {
      p.setPen(QPen(QColor(0, 0, 255), 1));
      p.setBrush(Qt::NoBrush);
      Forme(p, rect, false, 0);
    }
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

  // The marks, outside the box.
  if (c.bd && c.bd->FicheUtilisee(b.personne)) {
    const Marques m(echelle);
    const QRect boite = Gdi(left, top, left + width, top + height);
    const bool reference = b.personne == c.bd->RefPers;
    if (reference) MarqueReference(p, boite, etat, look.Arrondis, rayon, m);
    if (c.bd->LitReplie(b.personne))
      MarqueReplie(p, boite, CoteBranche(b, reference, c.apparence->Aff[0], c.apparence->Aff[1]), m);
  }
  p.restore();
}

// ---------------------------------------------------------------------------

void AfficheLien(QPainter& p, const TContextePeinture& c, const LienArbre& l,
                 const TEchelle& echelle) {
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
        const QPoint a = echelle.Point(l.gauche, l.haut);
        const QPoint b = echelle.Point(1LL * l.gauche + l.largeur, 1LL * l.haut + l.hauteur);
        const QRect r(a, QSize(std::max(1, b.x() - a.x()), std::max(1, b.y() - a.y())));
        if (!t.isNull()) p.drawImage(r, t);
      }
    }
    p.restore();
    return;
  }
  int u = echelle.Pourcent() * aff.RelierLarge / 100;
  u = (u / 2) * 2;
  QPen plume(Couleur(aff.RelierColor), 2 * u);
  plume.setStyle(l.incertain ? Qt::DotLine : Qt::SolidLine);
  plume.setCapStyle(Qt::FlatCap);
  plume.setJoinStyle(Qt::MiterJoin);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(plume);
  p.setBrush(Qt::NoBrush);
  const std::vector<PointArbre> trace = TraceLien(l, aff.Relier == kRelierBrise);
  std::vector<QPoint> points;
  points.reserve(trace.size());
  for (const PointArbre& q : trace) points.push_back(echelle.Point(q.x, q.y));
  if (points.size() >= 2) p.drawPolyline(points.data(), static_cast<int>(points.size()));
  p.restore();
}

}  // namespace kindrela
