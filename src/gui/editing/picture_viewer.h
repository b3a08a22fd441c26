// The picture viewer (TfmVoirImage): a stay-on-top window captioned
// "Aperçu (" file ")" showing a picture with its proportions, at most 640
// by 480 pixels; a click on the picture or closing the window destroys it.
#pragma once

#include <QWidget>

class QLabel;

namespace kindrela {

class TfmVoirImage : public QWidget {
  Q_OBJECT
 public:
  // Nothing is shown for a file that does not exist (Cree returns null).
  static TfmVoirImage* Cree(const QString& chemin, QWidget* parent = nullptr);
  QLabel* Image() const { return m_image; }

 protected:
  void mousePressEvent(QMouseEvent* e) override;

 private:
  TfmVoirImage(const QString& chemin, QWidget* parent);
  QLabel* m_image;
};

// Opens a viewer for `chemin`; shows "Erreur de création du visualiseur
// d'image" when it cannot be made. The viewer may be null.
TfmVoirImage* MontreImage(const QString& chemin, QWidget* parent = nullptr);

}  // namespace kindrela
