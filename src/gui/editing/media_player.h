// The media player of the source windows: a sound or a video with play,
// pause and stop, on Qt Multimedia. Opening a file that cannot be played
// leaves the player empty and says so in its line of text.
#pragma once

#include <QWidget>

class QLabel;
class QMediaPlayer;
class QAudioOutput;
class QToolButton;
class QVideoWidget;

namespace kindrela {

class TLecteurMedia : public QWidget {
  Q_OBJECT
 public:
  explicit TLecteurMedia(QWidget* parent = nullptr);
  void Ouvre(const QString& chemin);
  void Arrete();
  QString Fichier() const { return m_fichier; }

 private:
  QMediaPlayer* m_lecteur = nullptr;
  QAudioOutput* m_sortie = nullptr;
  QVideoWidget* m_video;
  QLabel* m_etat;
  QString m_fichier;
};

}  // namespace kindrela
