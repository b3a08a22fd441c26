#include "gui/editing/picture_viewer.h"

#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/editing/picture_loader.h"

namespace kindrela {

TfmVoirImage::TfmVoirImage(const QString& chemin, QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("fmVoirImage");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setWindowTitle(VersQString("Aperçu ("_ansi) + chemin + ")");
  auto* c = new QVBoxLayout(this);
  c->setContentsMargins(0, 0, 0, 0);
  m_image = new QLabel(this);
  m_image->setObjectName("iImage");
  m_image->setAlignment(Qt::AlignCenter);
  c->addWidget(m_image);
  const TImageChargee image = ChargeImage(chemin, QSize(640, 480));
  if (image.Ok()) {
    m_image->setPixmap(QPixmap::fromImage(image.image));
    setFixedSize(image.image.size());
  } else {
    m_image->setPixmap(ImageAbsente(QSize(320, 240), VersQString("Image illisible : ") + image.erreur));
    setFixedSize(320, 240);
  }
}

TfmVoirImage* TfmVoirImage::Cree(const QString& chemin, QWidget* parent) {
  if (!QFileInfo(chemin).isFile()) return nullptr;
  return new TfmVoirImage(chemin, parent);
}

void TfmVoirImage::mousePressEvent(QMouseEvent* e) {
  e->accept();
  close();
}

TfmVoirImage* MontreImage(const QString& chemin, QWidget* parent) {
  if (!QFileInfo(chemin).isFile()) return nullptr;
  TfmVoirImage* v = TfmVoirImage::Cree(chemin, parent);
  if (!v) {
    BoiteMessage(VersQString("Erreur de création du visualiseur d'image"_ansi), kErreur, 0, parent);
    return nullptr;
  }
  v->show();
  return v;
}

}  // namespace kindrela
