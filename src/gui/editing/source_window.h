// The source editor TfmSource ("Edition de la source"): a source's name,
// kind, text and linked file, with the picture (zoom, legends placed on it)
// or the media player, and the persons citing the source.
//
// Created once and shown modally for one source at a time (Edite). Closing
// stores the fields into the database; a file that cannot be found is kept
// as it was stored, and so is a note the GEDCOM exchange keeps after the
// file name.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "editing/sources.h"
#include "gui/editing/scanner.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QThread;
class QToolButton;

namespace kindrela {

struct TApplication;
class TLecteurMedia;

// The picture with its legends, at the editor's zoom.
class TImageLegendes : public QWidget {
  Q_OBJECT
 public:
  explicit TImageLegendes(QWidget* parent = nullptr);
  void SetImage(const QImage& image, QSize tailleOriginale);
  void SetZoom(int zoom);
  void SetLegendes(const std::vector<TZone>* legendes, int selection, bool visibles);
  QSize TailleOriginale() const { return m_originale; }
  const QImage& Image() const { return m_image; }
  // A point of the widget in picture pixels at full size.
  QPoint VersImage(const QPoint& ecran) const;

 signals:
  void Clic(Qt::MouseButton bouton, QPoint ecran);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  QImage m_image;
  QSize m_originale;
  int m_zoom = 100;
  const std::vector<TZone>* m_legendes = nullptr;
  int m_selection = 0;
  bool m_visibles = true;
};

class TfmSource : public QDialog {
  Q_OBJECT
 public:
  struct Actions {
    std::function<void(int)> selectionnePersonne;  // a click on a person of the list
    std::function<int()> choisitPersonne;          // the person search; 0 when cancelled
    std::function<void(const QString&)> editeTexte;  // the text editor on the note (may be empty)
  };
  TfmSource(TApplication& app, Actions actions, QWidget* parent = nullptr);
  // Waits for the search for scanners when it is still running.
  ~TfmSource() override;

  // Shows the editor modally for source s (nothing for a source out of range).
  void Edite(int s);
  // Fills the window for source s without showing it (Edite does it first).
  void Charge(int s);
  // Stores the fields into the source; what closing does.
  void Stocke();

  // The buttons' work, for the window and for tests.
  // "Fi&chier..." with the file chosen (empty: cancelled: the source loses its file).
  void ChoisitFichier(const std::string& chemin);
  void Zoom(bool plus);
  void PlacementLegende();                 // "Nouvelle légende..."
  void PoseLegende(QPoint image, const std::string& texte);  // at picture coordinates
  void SupprimeLegende();
  void LiePersonne(int n);                 // the person found by the search
  void PhotoArbre();                       // "&Photo de l'arbre"
  // "&Scanner...": acquires a picture under a progress dialog that can stop
  // it, asks where to save it, and makes it the source's file.
  void Scanne();
  // A scanned picture saved as `chemin` (".bmp" added when missing, or
  // ".jpg" for a JPEG picture) and made the source's file, its legends
  // dropped. False, with a message, when the file cannot be written.
  bool EnregistreScan(const QImage& image, std::string chemin, bool jpeg);
  // The scanners found: "&Scanner..." is enabled with one, else disabled
  // with the reason in its bubble. The search starts with the window.
  void ScannersTrouves(const TRechercheScanners& r);
  bool ScannersCherches() const { return m_scannersCherches; }

  int Source() const { return m_source; }
  int ZoomCourant() const { return m_zoom; }
  const TMediaSource& Media() const { return m_media; }
  bool ImageMontree() const;
  // The picture as read (reduced until the zoom needs it in full).
  QSize TailleLue() const;
  QString Message() const;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void done(int r) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void ChargeFichier();
  void RemplitLegendes();
  void RemplitPersonnes();
  void MontreZoom();
  void ClicImage(Qt::MouseButton bouton, QPoint ecran);
  void MetAJourFermer();
  void DisposePanneaux();
  TDossiersMedia Dossiers() const;

  TApplication& m_app;
  Actions m_actions;
  int m_source = 0;
  TMediaSource m_media;
  std::string m_mediaLu;        // SrcMedia as read, written back when nothing changed
  std::string m_fichierResolu;  // where the file was found, empty when not found
  int m_zoom = 100;
  int m_selection = 0;          // selected legend, 1-based; 0 none
  bool m_placement = false;
  bool m_imageReduite = false;  // the picture shown is read smaller than it is
  std::vector<TScanner> m_scanners;
  bool m_scannersCherches = false;
  QThread* m_recherche = nullptr;

  QLineEdit* m_nature;
  QComboBox* m_sorte;
  QPlainTextEdit* m_note;
  QListWidget* m_zones;
  QListWidget* m_personnes;
  QLabel* m_noteMedia;
  QPushButton* m_noteVersTexte;
  QWidget* m_panneauImage;
  QWidget* m_panneauTexte;
  QWidget* m_panneauLegendes;
  QScrollArea* m_defile;
  TImageLegendes* m_image;
  TLecteurMedia* m_lecteur;
  QLabel* m_zoomTexte;
  QLabel* m_message;
  QPushButton* m_fermer;
  QPushButton* m_photo;
  QPushButton* m_scanner;
  QToolButton* m_voirLegendes;
  QToolButton* m_montreImage;
  QToolButton* m_montreTexte;
};

}  // namespace kindrela
