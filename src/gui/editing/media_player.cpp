#include "gui/editing/media_player.h"

#include <QAudioOutput>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QStyle>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

#include "gui/common/qt_text.h"

namespace kindrela {

TLecteurMedia::TLecteurMedia(QWidget* parent) : QWidget(parent) {
  setObjectName("mp");
  auto* c = new QVBoxLayout(this);
  c->setContentsMargins(0, 0, 0, 0);
  m_video = new QVideoWidget(this);
  m_video->setMinimumSize(160, 120);
  c->addWidget(m_video, 1);
  auto* barre = new QHBoxLayout;
  auto bouton = [&](const char* nom, QStyle::StandardPixmap image, const char* bulle) {
    auto* b = new QToolButton(this);
    b->setObjectName(nom);
    b->setIcon(style()->standardIcon(image));
    b->setToolTip(VersQString(bulle));
    barre->addWidget(b);
    return b;
  };
  auto* lire = bouton("sbLire", QStyle::SP_MediaPlay, "Lire");
  auto* pause = bouton("sbPause", QStyle::SP_MediaPause, "Pause");
  auto* stop = bouton("sbStop", QStyle::SP_MediaStop, "Stop");
  m_etat = new QLabel(this);
  m_etat->setObjectName("lEtat");
  barre->addWidget(m_etat, 1);
  c->addLayout(barre);
  connect(lire, &QToolButton::clicked, this, [this] { if (m_lecteur) m_lecteur->play(); });
  connect(pause, &QToolButton::clicked, this, [this] { if (m_lecteur) m_lecteur->pause(); });
  connect(stop, &QToolButton::clicked, this, [this] { Arrete(); });
}

void TLecteurMedia::Ouvre(const QString& chemin) {
  // The player (and the media framework under it) starts with the first
  // sound or video, not with every source window.
  if (!m_lecteur) {
    m_lecteur = new QMediaPlayer(this);
    m_sortie = new QAudioOutput(this);
    m_lecteur->setAudioOutput(m_sortie);
    m_lecteur->setVideoOutput(m_video);
    connect(m_lecteur, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& texte) { m_etat->setText(texte); });
    connect(m_lecteur, &QMediaPlayer::hasVideoChanged, m_video, &QWidget::setVisible);
  }
  m_fichier = chemin;
  m_etat->setText(QString());
  m_lecteur->stop();
  m_lecteur->setSource(QUrl::fromLocalFile(chemin));
}

void TLecteurMedia::Arrete() {
  if (m_lecteur) m_lecteur->stop();
}

}  // namespace kindrela
