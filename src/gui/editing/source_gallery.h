// The gallery TfmSourceVue ("Aperçu des sources"): one tile per source in
// use (of one kind or all), its picture above its name, laid left to right
// and wrapped to the window's width. Clicking a tile opens the source
// editor. Pictures are read reduced to the tile, a few at a time between
// events, so that a tree with thousands of large photographs keeps the
// window answering.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <deque>
#include <vector>

class QComboBox;
class QLabel;
class QScrollArea;
class QSlider;

namespace kindrela {

struct TApplication;
class TCacheVignettes;

class TfmSourceVue : public QWidget {
  Q_OBJECT
 public:
  // `edite` opens the source editor on a source (modal).
  TfmSourceVue(TApplication& app, TCacheVignettes& cache, std::function<void(int)> edite,
               QWidget* parent = nullptr);

  // Rebuilds every tile (the window does it each time it is shown and when
  // the kind changes).
  void Reconstruit();
  // The tiles' sources, in order.
  std::vector<int> Sources() const;
  // The tile of a source, null when it has none.
  QWidget* Tuile(int source) const;
  // True once every tile has its picture.
  bool ImagesChargees() const { return m_aCharger.empty(); }
  void ClicTuile(int source);

 protected:
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* objet, QEvent* e) override;

 private:
  void Dispose();
  void ChargeSuivantes();
  void RemplitTuile(int index);

  TApplication& m_app;
  TCacheVignettes& m_cache;
  std::function<void(int)> m_edite;
  QComboBox* m_sorte;
  QSlider* m_largeur;
  QSlider* m_hauteur;
  QScrollArea* m_defile;
  QWidget* m_surface;
  struct Tuile_ {
    int source;
    QWidget* cadre;
    QLabel* image;
    QLabel* nom;
  };
  std::vector<Tuile_> m_tuiles;
  std::deque<int> m_aCharger;  // tile indexes whose picture is still to read
  QTimer m_minuterie;
};

}  // namespace kindrela
