#include "gui/editing/picture_loader.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <cmath>

namespace kindrela {

TImageChargee ChargeImage(const QString& chemin, QSize boite) {
  TImageChargee r;
  if (chemin.isEmpty() || !QFileInfo(chemin).isFile()) {
    r.erreur = QStringLiteral("fichier introuvable");
    return r;
  }
  QImageReader lecteur(chemin);
  lecteur.setAutoTransform(true);  // camera pictures taken upright
  // Qt's own limit would refuse large photographs outright.
  lecteur.setAllocationLimit(0);
  QSize taille = lecteur.size();
  r.tailleOriginale = taille;
  if (taille.isValid()) {
    QSize voulue = taille;
    if (boite.isValid() && !boite.isEmpty() &&
        (taille.width() > boite.width() || taille.height() > boite.height()))
      voulue = taille.scaled(boite, Qt::KeepAspectRatio);
    const qint64 pixels = static_cast<qint64>(voulue.width()) * voulue.height();
    if (pixels > kPixelsMax) {
      const double f = std::sqrt(static_cast<double>(kPixelsMax) / static_cast<double>(pixels));
      voulue = QSize(std::max(1, static_cast<int>(voulue.width() * f)),
                     std::max(1, static_cast<int>(voulue.height() * f)));
    }
    if (voulue != taille) lecteur.setScaledSize(voulue.expandedTo(QSize(1, 1)));
  }
  if (!lecteur.read(&r.image)) {
    r.image = QImage();
    r.erreur = lecteur.errorString();
    if (r.erreur.isEmpty()) r.erreur = QStringLiteral("image illisible");
    return r;
  }
  if (!r.tailleOriginale.isValid()) r.tailleOriginale = r.image.size();
  return r;
}

QPixmap ImageAbsente(QSize taille, const QString& texte) {
  taille = taille.expandedTo(QSize(16, 16));
  QPixmap p(taille);
  p.fill(QColor(230, 230, 230));
  QPainter dessin(&p);
  dessin.setPen(QColor(150, 150, 150));
  dessin.drawRect(0, 0, taille.width() - 1, taille.height() - 1);
  dessin.drawLine(0, 0, taille.width() - 1, taille.height() - 1);
  dessin.drawLine(0, taille.height() - 1, taille.width() - 1, 0);
  dessin.setPen(QColor(80, 80, 80));
  dessin.drawText(QRect(QPoint(2, 2), taille - QSize(4, 4)), Qt::AlignCenter | Qt::TextWordWrap, texte);
  return p;
}

QPixmap TCacheVignettes::Vignette(const QString& chemin, QSize boite) {
  const QFileInfo info(chemin);
  const QString cle = chemin + QLatin1Char('|') + QString::number(boite.width()) + QLatin1Char('x') +
                      QString::number(boite.height()) + QLatin1Char('|') +
                      QString::number(info.lastModified().toMSecsSinceEpoch());
  auto it = m_vignettes.find(cle);
  if (it != m_vignettes.end()) return *it;
  if (m_vignettes.size() > 2000) m_vignettes.clear();
  TImageChargee c = ChargeImage(chemin, boite);
  QPixmap p = c.Ok() ? QPixmap::fromImage(c.image) : QPixmap();
  m_vignettes.insert(cle, p);
  return p;
}

}  // namespace kindrela
