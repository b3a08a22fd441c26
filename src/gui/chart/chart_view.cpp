#include "gui/chart/chart_view.h"

#include <QApplication>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QStyleOptionGraphicsItem>
#include <algorithm>
#include <unordered_set>

#include "app/main_commands.h"
#include "chart/fitting.h"
#include "gui/main/application.h"
#include "gui/common/qt_text.h"

namespace kindrela {

namespace {

QRect VersQRect(const RectArbre& r) { return QRect(r.Left, r.Top, r.Largeur(), r.Hauteur()); }


}  // namespace

// ---------------------------------------------------------------------------
// TBoite

TBoite::TBoite(TAffArbre& arbre, int index) : m_arbre(arbre), m_index(index) {
  setZValue(1);  // boxes take the clicks where a link rectangle overlaps them
  setCursor(Qt::PointingHandCursor);
  Positionne();
}

int TBoite::Personne() const {
  return m_arbre.Donnees().boites[static_cast<size_t>(m_index)].personne;
}

QRectF TBoite::boundingRect() const {
  // The marks of the reference person and of a collapsed branch lie
  // outside the box.
  const BoiteArbre& b = m_arbre.Donnees().boites[static_cast<size_t>(m_index)];
  const int d = DebordMarques(m_arbre.Apparence().Moitie(b.moitie).Zoom);
  return QRectF(-d, -d, m_rect.width() + 2 * d, m_rect.height() + 2 * d);
}

QPainterPath TBoite::shape() const {
  // Only the box itself takes the clicks.
  QPainterPath chemin;
  chemin.addRect(QRectF(0, 0, m_rect.width(), m_rect.height()));
  return chemin;
}

void TBoite::Positionne() {
  const Arbre& a = m_arbre.Donnees();
  const TApparence& ap = m_arbre.Apparence();
  QRect r = VersQRect(RectEcran(a.boites[static_cast<size_t>(m_index)], ap.Aff[0], ap.Aff[1]));
  prepareGeometryChange();  // the size, or the marks' reach with the zoom
  m_rect = r;
  setPos(r.topLeft());
}

void TBoite::SetisSelec(bool selec) {
  if (selec == m_selec) return;
  m_selec = selec;
  update();
}

void TBoite::paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) {
  const BoiteArbre& b = m_arbre.Donnees().boites[static_cast<size_t>(m_index)];
  const TContextePeinture& c = m_arbre.Contexte();
  AfficheBoite(*p, c, b, m_arbre.Lignes(m_index), m_selec,
               QRect(0, 0, m_rect.width(), m_rect.height()),
               m_arbre.Apparence().Moitie(b.moitie).Zoom);
}

// ---------------------------------------------------------------------------
// TLien

TLien::TLien(TAffArbre& arbre, int index) : m_arbre(arbre), m_index(index) {
  setZValue(0);
  Positionne();
}

QRectF TLien::boundingRect() const {
  // The pen may reach beyond the rectangle by its half width.
  const LienArbre& l = m_arbre.Donnees().liens[static_cast<size_t>(m_index)];
  const T1Aff& aff = m_arbre.Apparence().Moitie(l.moitie);
  const int marge = 1 + std::max(0, aff.Zoom * aff.RelierLarge / 100);
  return QRectF(-marge, -marge, m_rect.width() + 2 * marge, m_rect.height() + 2 * marge);
}

void TLien::Positionne() {
  const Arbre& a = m_arbre.Donnees();
  const TApparence& ap = m_arbre.Apparence();
  QRect r = VersQRect(RectEcran(a.liens[static_cast<size_t>(m_index)], ap.Aff[0], ap.Aff[1]));
  prepareGeometryChange();
  m_rect = r;
  setPos(r.topLeft());
}

void TLien::paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) {
  const LienArbre& l = m_arbre.Donnees().liens[static_cast<size_t>(m_index)];
  const TContextePeinture& c = m_arbre.Contexte();
  AfficheLien(*p, c, l,
              TEchelle{m_arbre.Apparence().Moitie(l.moitie).Zoom, 100, -m_rect.left(), -m_rect.top()});
}

// ---------------------------------------------------------------------------
// TPage

TPage::TPage(TAffArbre& arbre, QWidget* parent) : QGraphicsView(parent), m_arbre(arbre) {
  setObjectName("Page");
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
  setOptimizationFlags(QGraphicsView::DontSavePainterState |
                       QGraphicsView::DontAdjustForAntialiasing);
  setCacheMode(QGraphicsView::CacheNone);
  setDragMode(QGraphicsView::NoDrag);
  setFrameShape(QFrame::NoFrame);
}

void TPage::drawBackground(QPainter* p, const QRectF& rect) {
  const TApparence& ap = m_arbre.Apparence();
  const TApplication& app = m_arbre.Application();
  QRect zone = rect.toAlignedRect();
  std::string fichier;
  if (!ap.TextEcran.empty() && !app.dossiers.imageArbre.empty()) {
    std::string chemin = app.dossiers.imageArbre + ap.TextEcran;
    if (QFileInfo(VersQString(chemin)).isFile()) fichier = chemin;
  }
  const QImage& texture =
      fichier.empty() ? QImage() : m_arbre.Cache().Image(VersQString(fichier));
  if (!texture.isNull()) {
    // Tiled from the top-left corner of the chart area.
    p->drawTiledPixmap(zone, QPixmap::fromImage(texture),
                       QPoint(zone.left() % texture.width(), zone.top() % texture.height()));
  } else {
    p->fillRect(zone, QColor(ap.ColorEcran.r, ap.ColorEcran.g, ap.ColorEcran.b));
  }
  DessineGrille(p, rect);
}

// The page grid lies on the background, under the boxes and links.
void TPage::DessineGrille(QPainter* p, const QRectF& rect) {
  if (!m_arbre.Grille()) return;
  GrillePages grille = m_arbre.CalculeGrille();
  const QRectF zone = rect;
  p->save();
  p->setRenderHint(QPainter::Antialiasing, false);
  QFont f = p->font();
  f.setPixelSize(14);
  p->setFont(f);
  for (const PageGrille& page : grille.Pages()) {
    QRect r = VersQRect(page.ecran);
    if (!zone.intersects(QRectF(r).adjusted(-1, -1, 1, 1))) continue;
    p->setPen(QPen(QColor(0, 0, 255), 0));
    p->setBrush(Qt::NoBrush);
    p->drawRect(r.adjusted(0, 0, -1, -1));
    p->drawText(r, Qt::AlignCenter, QStringLiteral("Page %1").arg(page.numero));
  }
  p->restore();
}

void TPage::mousePressEvent(QMouseEvent* e) {
  QGraphicsItem* item = itemAt(e->position().toPoint());
  const QPoint global = e->globalPosition().toPoint();
  if (item && item->type() == kTypeBoite) {
    m_arbre.ClicBoite(static_cast<TBoite*>(item)->Personne(), e->button(), global);
  } else if (item && item->type() == kTypeLien) {
    // A link passes a left press on only with Shift or Ctrl.
    if (e->button() == Qt::RightButton ||
        (e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
      m_arbre.ClicFond(e->button(), e->modifiers(), global);
  } else {
    m_arbre.ClicFond(e->button(), e->modifiers(), global);
  }
  e->accept();
}

void TPage::mouseDoubleClickEvent(QMouseEvent* e) {
  QGraphicsItem* item = itemAt(e->position().toPoint());
  if (item && item->type() == kTypeBoite && e->button() == Qt::LeftButton)
    m_arbre.DoubleClicBoite(static_cast<TBoite*>(item)->Personne());
  e->accept();
}

void TPage::mouseReleaseEvent(QMouseEvent* e) { e->accept(); }
void TPage::mouseMoveEvent(QMouseEvent* e) { e->accept(); }

void TPage::keyPressEvent(QKeyEvent* e) {
  if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)) {
    QGraphicsView::keyPressEvent(e);
    return;
  }
  std::optional<Direction> d;
  switch (e->key()) {
    case Qt::Key_Left: d = Direction::Gauche; break;
    case Qt::Key_Right: d = Direction::Droite; break;
    case Qt::Key_Up: d = Direction::Haut; break;
    case Qt::Key_Down: d = Direction::Bas; break;
    default: break;
  }
  if (!d) {
    QGraphicsView::keyPressEvent(e);
    return;
  }
  m_arbre.Deplace(*d);
  e->accept();
}

void TPage::wheelEvent(QWheelEvent* e) {
  if (!(e->modifiers() & Qt::ControlModifier)) {
    QGraphicsView::wheelEvent(e);
    return;
  }
  const int crans = e->angleDelta().y() / 120;
  if (crans != 0) {
    m_arbre.ChangeZoomAutour(10 * crans, e->position().toPoint());
    emit m_arbre.ZoomChange();
  }
  e->accept();
}

bool TPage::viewportEvent(QEvent* e) {
  if (e->type() == QEvent::ToolTip) {
    auto* aide = static_cast<QHelpEvent*>(e);
    QGraphicsItem* item = itemAt(aide->pos());
    const QString texte = item && item->type() == kTypeBoite
                              ? VersQString(BullePersonne(*m_arbre.Application().bd,
                                                          static_cast<TBoite*>(item)->Personne()))
                              : QString();
    if (texte.isEmpty()) QToolTip::hideText();
    else QToolTip::showText(aide->globalPos(), texte, this);
    return true;
  }
  return QGraphicsView::viewportEvent(e);
}

void TPage::resizeEvent(QResizeEvent* e) {
  QGraphicsView::resizeEvent(e);
  // The view gets its final size only once the window is laid out, often
  // after the first build: the automatic zoom follows it.
  const bool zoomAuto = m_arbre.Application().reglages.Bool(kSectionGene, "ZoomAuto");
  if (zoomAuto) m_arbre.CalculZoomAuto();
  m_arbre.RePositionne();
  if (zoomAuto) m_arbre.MontreReference(true);
}

// ---------------------------------------------------------------------------
// TAffArbre

TAffArbre::TAffArbre(TApplication& app, QWidget* parent) : QObject(parent), m_app(app) {
  m_scene = new QGraphicsScene(this);
  // A tree index finds the exposed items of a large chart quickly.
  m_scene->setItemIndexMethod(QGraphicsScene::BspTreeIndex);
  m_page = new TPage(*this, parent);
  m_page->setScene(m_scene);
}

TAffArbre::~TAffArbre() {
  // The view may belong to a parent widget that outlives this object: it
  // must not paint through a dangling chart.
  m_scene->clear();
  m_boites.clear();
  m_liens.clear();
  if (m_page && !m_page->parentWidget()) delete m_page.data();
  else if (m_page) m_page->setScene(nullptr);
}

QWidget* TAffArbre::Vue() const { return m_page; }

TContexteModele TAffArbre::ContexteModele() const {
  TContexteModele c{*m_app.bd, m_app.mots};
  c.formatDate = m_app.ini.formatDate;
  c.fetes = &m_app.fetes;
  c.traduction = &m_app.traduction;
  return c;
}

const TContextePeinture& TAffArbre::Contexte() {
  if (!m_modele || &m_modele->bd != m_app.bd.get())
    m_modele = std::make_unique<TContexteModele>(ContexteModele());
  TContextePeinture& c = m_contexte;
  c.apparence = &m_apparence;
  c.bd = m_app.bd.get();
  c.selecPers = 0;  // the boxes carry their own mark (AfficheSelecPers)
  c.aideMarges = m_aideMarges;
  c.modele = m_modele.get();
  c.cache = &m_cache;
  // Asked at every item's paint: the folders are copied only when they change.
  if (c.dossiers.fichierArbre != m_app.fichierCourant || c.dossiers.modele != m_app.dossiers.modele) {
    c.dossiers.modele = m_app.dossiers.modele;
    c.dossiers.programme = m_app.dossiers.programme;
    c.dossiers.imageArbre = m_app.dossiers.imageArbre;
    c.dossiers.fichierArbre = m_app.fichierCourant;
  }
  return c;
}

void TAffArbre::ExpandeLignes(int index) {
  const BoiteArbre& b = m_arbre.boites[static_cast<size_t>(index)];
  const T1Aff& aff = m_apparence.Moitie(b.moitie);
  const TContexteModele& modele = *m_modele;
  std::vector<std::string>& lignes = m_lignes[static_cast<size_t>(index)];
  const int nbre = std::clamp(aff.LigneNbre, 0, kLignesMax);
  lignes.resize(static_cast<size_t>(nbre));
  for (int i = 0; i < nbre; ++i)
    lignes[static_cast<size_t>(i)] =
        ExpandTemplate(modele, b.personne, aff.Lignes[static_cast<size_t>(i)].Modele);
}

void TAffArbre::Affiche() {
  if (!m_page) return;
  if (m_page->isHidden() && m_page->testAttribute(Qt::WA_WState_ExplicitShowHide)) return;
  const bool curseur = m_page->isVisible();
  if (curseur) QApplication::setOverrideCursor(Qt::WaitCursor);

  m_scene->clear();  // deletes the items
  m_boites.clear();
  m_liens.clear();
  m_boitesDe.clear();
  m_modele = std::make_unique<TContexteModele>(ContexteModele());

  OptionsArbre options;
  options.AfficheConjoint = AfficheConjoint;
  options.AfficheFratrie = AfficheFratrie;
  TReglagesImpression ri = ReglagesImpression();
  options.PrintMargeG = ri.PrintMargeG;
  options.PrintMargeH = ri.PrintMargeH;
  MesureLigne mesure = [this](const TLigne& l) { return HauteurLigneArbre(m_cache, l); };
  const TBD& bd = *m_app.bd;
  m_arbre = bd.BaseChargee || bd.NbreFiche() > 0
                ? ConstruitArbre(bd, bd.RefPers, m_apparence.Aff[0], m_apparence.Aff[1], options,
                                 mesure)
                : Arbre{};

  m_lignes.assign(m_arbre.boites.size(), {});
  m_boites.reserve(m_arbre.boites.size());
  m_liens.reserve(m_arbre.liens.size());
  for (size_t i = 0; i < m_arbre.liens.size(); ++i) {
    auto* l = new TLien(*this, static_cast<int>(i));
    m_liens.push_back(l);
    m_scene->addItem(l);
  }
  for (size_t i = 0; i < m_arbre.boites.size(); ++i) {
    ExpandeLignes(static_cast<int>(i));
    auto* b = new TBoite(*this, static_cast<int>(i));
    b->SetisSelec(m_selecPers > 0 && m_arbre.boites[i].personne == m_selecPers);
    m_boites.push_back(b);
    m_boitesDe[m_arbre.boites[i].personne].push_back(static_cast<int>(i));
    m_scene->addItem(b);
  }
  const bool zoomAuto = m_app.reglages.Bool(kSectionGene, "ZoomAuto");
  if (zoomAuto) CalculZoomAuto();
  RePositionne();
  MontreReference(zoomAuto);
  if (curseur) QApplication::restoreOverrideCursor();
  emit Construit();
}

void TAffArbre::MiseAJourScene() {
  if (!m_page) return;
  // The chart keeps a margin from the edges of the area, above its top row
  // as beside its first column.
  RectArbre r = Etendue();
  const QSize vue = m_page->viewport()->size();
  int largeur = std::max(vue.width(), r.Right > 0 ? r.Right + 2 * kMargeVue : 0);
  int hauteur = std::max(vue.height(), r.Bottom > 0 ? r.Bottom + 2 * kMargeVue : 0);
  m_scene->setSceneRect(-kMargeVue, -kMargeVue, largeur, hauteur);
}

void TAffArbre::MontreBoite(const TBoite* boite) {
  if (!m_page || !boite) return;
  const QRect v = m_page->mapToScene(m_page->viewport()->rect()).boundingRect().toAlignedRect();
  const QRectF sr = m_scene->sceneRect();
  const QRectF b = boite->sceneBoundingRect();
  const PointArbre coin = DefilePourVoir(
      {v.left(), v.top(), v.left() + v.width(), v.top() + v.height()},
      {int(b.left()), int(b.top()), int(b.right()), int(b.bottom())},
      {int(sr.left()), int(sr.top()), int(sr.right()), int(sr.bottom())});
  if (coin.x != v.left()) m_page->horizontalScrollBar()->setValue(m_page->horizontalScrollBar()->value() + coin.x - v.left());
  if (coin.y != v.top()) m_page->verticalScrollBar()->setValue(m_page->verticalScrollBar()->value() + coin.y - v.top());
}

void TAffArbre::MontreReference(bool depuisLeHaut) {
  if (!m_page) return;
  if (depuisLeHaut) {
    m_page->horizontalScrollBar()->setValue(m_page->horizontalScrollBar()->minimum());
    m_page->verticalScrollBar()->setValue(m_page->verticalScrollBar()->minimum());
  }
  MontreBoite(GetBoiteRefPers());
}

void TAffArbre::RePositionne() {
  for (TBoite* b : m_boites) b->Positionne();
  for (TLien* l : m_liens) l->Positionne();
  MiseAJourScene();
  if (m_page) m_page->viewport()->update();
}

void TAffArbre::DecaleZero() {
  TReglagesImpression ri = ReglagesImpression();
  kindrela::DecaleZero(m_arbre, m_apparence.Aff[0], m_apparence.Aff[1], ri.PrintMargeG,
                       ri.PrintMargeH);
  RePositionne();
}

void TAffArbre::CalculZoomAuto() {
  if (!m_page) return;
  // The whole area, as it is without scroll bars: a chart that fits needs none.
  const QSize vue = m_page->maximumViewportSize();
  int z = ZoomAutoLisible(m_arbre, m_apparence.Aff[0], m_apparence.Aff[1], vue.width(),
                          vue.height());
  m_apparence.Aff[0].Zoom = z;
  m_apparence.Aff[1].Zoom = z;
}

void TAffArbre::AfficheSelecPers(int n) {
  m_selecPers = n;
  TBoite* premiere = nullptr;
  for (TBoite* b : m_boites) {
    bool selec = n > 0 && b->Personne() == n;
    b->SetisSelec(selec);
    if (selec && !premiere) premiere = b;
  }
  if (premiere && m_page) m_page->ensureVisible(premiere, 10, 10);
}

bool TAffArbre::Selectionnee(int indexBoite) const {
  return indexBoite >= 0 && indexBoite < static_cast<int>(m_boites.size()) &&
         m_boites[static_cast<size_t>(indexBoite)]->isSelec();
}

TBoite* TAffArbre::GetBoiteRefPers() const {
  int i = IndexBoitePersonne(m_arbre, m_app.bd->RefPers);
  return i < 0 ? nullptr : m_boites[static_cast<size_t>(i)];
}

int TAffArbre::QuiEcran(const TR& liste) const {
  if (liste.Count() == 0) return 0;
  std::unordered_set<int> dans(liste.begin(), liste.end());
  for (const BoiteArbre& b : m_arbre.boites)
    if (dans.count(b.personne)) return b.personne;
  return 0;
}

TR TAffArbre::ListeEcran() const {
  TR liste(std::max<int>(TR::kCapaciteDefaut, static_cast<int>(m_arbre.boites.size())));
  for (const BoiteArbre& b : m_arbre.boites) liste.Add(b.personne);
  return liste;
}

void TAffArbre::RepaintPers(int n) {
  auto it = m_boitesDe.find(n);
  if (it == m_boitesDe.end()) return;
  m_modele = std::make_unique<TContexteModele>(ContexteModele());
  for (int i : it->second) {
    m_arbre.boites[static_cast<size_t>(i)].sexe = static_cast<uint8_t>(m_app.bd->LitSexe(n));
    ExpandeLignes(i);
    m_boites[static_cast<size_t>(i)]->update();
  }
}

void TAffArbre::RepaintTous() {
  m_modele = std::make_unique<TContexteModele>(ContexteModele());
  for (size_t i = 0; i < m_boites.size(); ++i) {
    ExpandeLignes(static_cast<int>(i));
    m_boites[i]->update();
  }
}

void TAffArbre::RepaintLien(int proche, int loin) {
  for (TLien* l : m_liens) {
    const LienArbre& d = m_arbre.liens[static_cast<size_t>(l->Index())];
    if (d.proche == proche && d.loin == loin) l->update();
  }
}

void TAffArbre::ChangeZoom(int pas) {
  for (T1Aff& aff : m_apparence.Aff) {
    if (pas > 0 && aff.Zoom <= 1000) aff.Zoom += pas;
    if (pas < 0 && aff.Zoom > 9) aff.Zoom = std::max(1, aff.Zoom + pas);
  }
  RePositionne();
}

void TAffArbre::ChangeZoomAutour(int pas, const QPoint& ancre) {
  const int avant = m_apparence.Aff[0].Zoom;
  const QPointF point = m_page ? m_page->mapToScene(ancre) : QPointF();
  ChangeZoom(pas);
  const int apres = m_apparence.Aff[0].Zoom;
  if (!m_page || avant <= 0 || apres == avant) return;
  const QPointF cible = point * (static_cast<double>(apres) / avant);
  const QPointF ecart = cible - m_page->mapToScene(ancre);
  m_page->horizontalScrollBar()->setValue(m_page->horizontalScrollBar()->value() + qRound(ecart.x()));
  m_page->verticalScrollBar()->setValue(m_page->verticalScrollBar()->value() + qRound(ecart.y()));
}

bool TAffArbre::Deplace(Direction direction) {
  int depuis = IndexBoitePersonne(m_arbre, m_selecPers);
  if (depuis < 0) depuis = IndexBoitePersonne(m_arbre, m_app.bd->RefPers);
  const int vers = BoiteVoisine(m_arbre, m_apparence.Aff[0], m_apparence.Aff[1], depuis, direction);
  if (vers < 0) return false;
  emit PersonneCliquee(m_arbre.boites[static_cast<size_t>(vers)].personne);
  return true;
}

void TAffArbre::SetAideMarges(bool aide) {
  if (aide == m_aideMarges) return;
  m_aideMarges = aide;
  if (m_page) m_page->viewport()->update();
}

void TAffArbre::SetGrille(bool grille) {
  if (grille == m_grille) return;
  m_grille = grille;
  if (m_page) m_page->viewport()->update();
}

TReglagesImpression TAffArbre::ReglagesImpression() const {
  const TReglages& r = m_app.reglages;
  TReglagesImpression ri;
  ri.PrintZoom = r.Entier(kSectionGene, "PrintZoom");
  ri.PrintCroise = r.Entier(kSectionGene, "PrintCroise");
  ri.PrintMargeH = r.Entier(kSectionGene, "PrintMargeH");
  ri.PrintMargeG = r.Entier(kSectionGene, "PrintMargeG");
  ri.ZoomAuto = r.Bool(kSectionGene, "Print ZoomAuto");
  return ri;
}

RectArbre TAffArbre::Etendue() const {
  return GetRect(m_arbre, m_apparence.Aff[0], m_apparence.Aff[1]);
}

void TAffArbre::ClicBoite(int personne, Qt::MouseButton bouton, const QPoint& global) {
  if (bouton == Qt::LeftButton) {
    emit PersonneCliquee(personne);
  } else if (bouton == Qt::RightButton) {
    emit PersonneCliquee(personne);
    emit MenuBoite(personne, global);
  }
}

void TAffArbre::DoubleClicBoite(int personne) { emit PersonneReference(personne); }

void TAffArbre::ClicFond(Qt::MouseButton bouton, Qt::KeyboardModifiers modificateurs,
                         const QPoint& global) {
  if (bouton == Qt::RightButton) {
    emit MenuFond(global);
    return;
  }
  if (bouton != Qt::LeftButton) return;
  if (modificateurs & Qt::ShiftModifier) {
    ChangeZoom(10);
    emit ZoomChange();
  } else if (modificateurs & Qt::ControlModifier) {
    ChangeZoom(-10);
    emit ZoomChange();
  }
}

}  // namespace kindrela
