// The tree chart on screen: `TAffArbre` builds the chart of the reference
// person from the layout and shows it in a graphics view, one light item per
// box (`TBoite`) and per link (`TLien`), over the page background (`TPage`:
// the screen colour or texture and, in print preview, the grid of printer
// pages).
//
// Use from the main window:
//   TAffArbre arbre(app, parent);          // app must outlive it
//   layout->addWidget(arbre.Vue());
//   arbre.Apparence() = the look loaded with LoadLook;
//   arbre.Affiche();                       // after every change of the tree,
//                                          // the reference person or a setting
//   arbre.AfficheSelecPers(n);             // after every change of selection
//   arbre.Apparence().Moitie(k).Zoom = z; arbre.RePositionne();   // zoom only
// and connect the signals: a click on a box asks to select its person, a
// double click to make it the reference; a right click asks for the box menu
// (PM_ArbreBoite) or the background menu (PM_Arbre) at a global position.
// Shift/Ctrl + left click on the background or a link zooms in/out by 10.
//
// Everything runs on the user-interface thread.
#pragma once

#include <QGraphicsItem>
#include <QGraphicsView>
#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "chart/fitting.h"
#include "chart/kinship.h"
#include "chart/layout.h"
#include "chart/looks.h"
#include "chart/pages.h"
#include "chart/templates.h"
#include "gui/chart/chart_paint.h"
#include "gui/chart/chart_print.h"

namespace kindrela {

struct TApplication;
class TAffArbre;

// Item types, for telling boxes from links under the mouse.
inline constexpr int kTypeBoite = QGraphicsItem::UserType + 1;
inline constexpr int kTypeLien = QGraphicsItem::UserType + 2;

// One person's box. Holds only its index in the chart's box list; its
// screen rectangle comes from the logical one at its half's zoom.
class TBoite : public QGraphicsItem {
 public:
  TBoite(TAffArbre& arbre, int index);
  int type() const override { return kTypeBoite; }
  QRectF boundingRect() const override;
  QPainterPath shape() const override;
  void paint(QPainter* p, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  int Index() const { return m_index; }
  int Personne() const;
  bool isSelec() const { return m_selec; }
  // Stores the mark and repaints when it changes.
  void SetisSelec(bool selec);
  // Recomputes the screen rectangle from the logical one.
  void Positionne();

 private:
  TAffArbre& m_arbre;
  int m_index;
  bool m_selec = false;
  QRect m_rect;  // screen rectangle
};

// One connecting line.
class TLien : public QGraphicsItem {
 public:
  TLien(TAffArbre& arbre, int index);
  int type() const override { return kTypeLien; }
  QRectF boundingRect() const override;
  void paint(QPainter* p, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
  int Index() const { return m_index; }
  void Positionne();

 private:
  TAffArbre& m_arbre;
  int m_index;
  QRect m_rect;
};

// Settings of the printed page, read from the per-user settings at each use
// (the print page dialog writes them there).
struct TReglagesImpression {
  int PrintZoom = 100;
  int PrintCroise = 0;
  int PrintMargeH = 0;
  int PrintMargeG = 0;
  bool ZoomAuto = true;  // "Print ZoomAuto": fit the chart on one page
};

// The view: paints the page background and grid, turns mouse presses into
// the chart's signals.
class TPage : public QGraphicsView {
  Q_OBJECT
 public:
  TPage(TAffArbre& arbre, QWidget* parent);

 protected:
  void drawBackground(QPainter* p, const QRectF& rect) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  // The arrow keys move the selection to the box in that direction.
  void keyPressEvent(QKeyEvent* e) override;
  // Ctrl + the wheel zooms about the mouse; the wheel alone scrolls.
  void wheelEvent(QWheelEvent* e) override;
  // A box's bubble names its person with the birth and death.
  bool viewportEvent(QEvent* e) override;

 private:
  void DessineGrille(QPainter* p, const QRectF& rect);
  TAffArbre& m_arbre;
};

class TAffArbre : public QObject {
  Q_OBJECT
 public:
  // `app` (its database, settings, folders, template words) must outlive
  // the chart. The view is created with `parent`.
  explicit TAffArbre(TApplication& app, QWidget* parent = nullptr);
  ~TAffArbre() override;

  // The widget to put in the chart area.
  QWidget* Vue() const;
  TPage* Page() const { return m_page.data(); }

  // The look of both halves and the screen; change it, then Affiche (or
  // RePositionne for a zoom alone).
  TApparence& Apparence() { return m_apparence; }
  const TApparence& Apparence() const { return m_apparence; }
  // Show the last spouse of each descendant / the reference person's siblings.
  bool AfficheConjoint = false;
  bool AfficheFratrie = false;

  // Rebuilds the chart around the database's RefPers. Does nothing while
  // the view has been hidden. With the "ZoomAuto" setting, fits the chart
  // to the view afterwards. Emits Construit.
  void Affiche();
  // Every box and link takes its screen rectangle again from its logical
  // one (after a zoom change); the scene grows or shrinks to the chart.
  void RePositionne();
  // Moves the chart to the print margins, then RePositionne.
  void DecaleZero();
  // Sets both halves' zoom to what fits the whole chart in the view, at
  // most 100 and never below a readable size (the chart scrolls then).
  void CalculZoomAuto();
  // Scrolls the view so that the box is seen, centred on it when it was
  // not; nothing when it is already in sight.
  void MontreBoite(const TBoite* boite);
  // The same for the reference person's box, after scrolling to the
  // chart's top-left corner when `depuisLeHaut`.
  void MontreReference(bool depuisLeHaut);
  // Marks the boxes of person n selected and every other one not, and
  // scrolls the first of them into view. 0 unmarks all.
  void AfficheSelecPers(int n);
  int SelecPers() const { return m_selecPers; }
  // The first box of the reference person, or nullptr.
  TBoite* GetBoiteRefPers() const;
  // Scanning the boxes in creation order, the first person of `liste` that
  // has a box; 0 when none or either is empty.
  int QuiEcran(const TR& liste) const;
  // The person of every box, in creation order, repeats kept.
  TR ListeEcran() const;
  // Expands again the lines of every box of person n and repaints them.
  void RepaintPers(int n);
  void RepaintTous();
  // Repaints the links between the two persons.
  void RepaintLien(int proche, int loin);
  // Raises (pas > 0) or lowers both halves' zoom by |pas|, within the
  // limits of the background click (raised while <= 1000, lowered while > 9),
  // then repositions.
  void ChangeZoom(int pas);
  // The same, keeping the chart's point under `ancre` (view coordinates) where it is.
  void ChangeZoomAutour(int pas, const QPoint& ancre);
  // Selects the person of the box beside the selected one (or the
  // reference person's, when the selection has no box) in `direction`:
  // emits PersonneCliquee. False when there is no box that way.
  bool Deplace(Direction direction);

  // The cell editor's margin aid.
  void SetAideMarges(bool aide);

  // Print preview: the grid of printer pages over the chart.
  void SetGrille(bool grille);
  bool Grille() const { return m_grille; }
  TReglagesImpression ReglagesImpression() const;
  // The page grid for the current chart, print settings and printer (see
  // chart_print.h for the page source); applies the automatic print zoom
  // when it is on.
  GrillePages CalculeGrille();
  int NbrePages() { return CalculeGrille().NbrePages(); }
  // The printed page the grid is made of: the default printer's, or an A4
  // PDF page when no printer is installed. Asked once; set it again after
  // the printer setup changed.
  const TMiseEnPage& MiseEnPage();
  void SetMiseEnPage(const TMiseEnPage& page);

  // The chart as built: boxes, links, their expanded lines.
  const Arbre& Donnees() const { return m_arbre; }
  const std::vector<std::string>& Lignes(int indexBoite) const {
    return m_lignes[static_cast<size_t>(indexBoite)];
  }
  bool Selectionnee(int indexBoite) const;
  const std::vector<TBoite*>& Boites() const { return m_boites; }
  const std::vector<TLien*>& Liens() const { return m_liens; }
  // What painting needs, for the screen or another device.
  const TContextePeinture& Contexte();
  TCacheArbre& Cache() { return m_cache; }
  TApplication& Application() { return m_app; }
  // The union of the screen rectangles of every box and link (10000,
  // 10000, 0, 0 for an empty chart).
  RectArbre Etendue() const;

  // Export and printing (chart_print.cpp).
  // Writes the whole chart as a picture, or only the part the view shows
  // (with its background and page grid). The kind comes from the
  // extension: ".png", ".svg", anything else JPEG. JPEG and PNG pictures of
  // the whole chart are painted at `dpi` (the chart at zoom 100 is 96 dpi)
  // and say so in the file; an SVG is the chart at zoom 100. No picture
  // shows the selection. A chart too large for a picture at that
  // resolution (TailleImagePour) writes nothing and says so; an error
  // names the file.
  enum class ZoneImage { Arbre, Visible };
  Statut ExporteImage(const std::string& chemin, ZoneImage zone = ZoneImage::Arbre,
                      int dpi = kDpiImageDefaut);
  // The size of the picture of the whole chart at `dpi`, and the highest
  // resolution that still makes one (0: none does).
  TailleImage TailleImagePour(int dpi) const;
  int DpiMaxImage() const;
  enum class FormePdf { Grille, Murale };
  // Grille: one PDF page per page of the grid, as printed. Murale: one page
  // as large as the whole chart (a wall chart).
  Statut ExportePdf(const std::string& chemin, FormePdf forme);
  // The print dialog (pages 1 to the page count), then the pages chosen.
  // Nothing when no printer is installed.
  void Imprime(QWidget* parent);

  // Called by the view.
  void ClicBoite(int personne, Qt::MouseButton bouton, const QPoint& global);
  void DoubleClicBoite(int personne);
  void ClicFond(Qt::MouseButton bouton, Qt::KeyboardModifiers modificateurs,
                const QPoint& global);

 signals:
  // The user clicked the box of `personne` (select it).
  void PersonneCliquee(int personne);
  // The user double-clicked it (make it the reference person and rebuild).
  void PersonneReference(int personne);
  // Right click on a box (after PersonneCliquee) / on the background or a link.
  void MenuBoite(int personne, const QPoint& global);
  void MenuFond(const QPoint& global);
  // The zoom changed through a Shift/Ctrl click.
  void ZoomChange();
  // A build ended (the window title may change).
  void Construit();

 private:
  void ExpandeLignes(int index);
  void MiseAJourScene();
  TContexteModele ContexteModele() const;

  TApplication& m_app;
  TApparence m_apparence;
  QPointer<TPage> m_page;  // may be deleted with its parent widget first
  QGraphicsScene* m_scene = nullptr;
  Arbre m_arbre;
  std::vector<std::vector<std::string>> m_lignes;
  std::vector<TBoite*> m_boites;
  std::vector<TLien*> m_liens;
  std::unordered_map<int, std::vector<int>> m_boitesDe;  // person -> box indexes
  std::unique_ptr<TContexteModele> m_modele;
  TContextePeinture m_contexte;
  TCacheArbre m_cache;
  int m_selecPers = 0;
  bool m_aideMarges = false;
  bool m_grille = false;
  std::optional<TMiseEnPage> m_miseEnPage;
};

}  // namespace kindrela
