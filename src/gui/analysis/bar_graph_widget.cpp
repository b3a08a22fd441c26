#include "gui/analysis/bar_graph_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "gui/common/qt_text.h"

namespace kindrela {

namespace {

QColor Couleur(TCouleur c) { return QColor(c.r, c.g, c.b); }
QRect Rect(const TRectangle& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }

}  // namespace

void PeintGraphe(QPainter& p, const TGraphe& g, const QRect& r) {
  const TDessinGraphe d = DessineGraphe(g, r.left(), r.top(), r.width(), r.height());
  p.save();
  p.fillRect(Rect(d.fond), Couleur(d.couleurFond));
  p.setPen(Qt::black);
  const QFontMetrics fm = p.fontMetrics();
  for (const TDessinGraphe::Graduation& t : d.graduations) {
    p.drawLine(t.x1, t.y, t.x2, t.y);
    const QString texte = VersQString(t.texte);
    const int l = fm.horizontalAdvance(texte);
    p.drawText(QRect(t.texteDroite - l, t.y - fm.height() / 2, l, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
               texte);
  }
  if (d.axes) {
    p.drawLine(d.axeX, d.axeHaut, d.axeX, d.base);
    p.drawLine(d.axeX, d.base, d.droite - 1, d.base);
  }
  for (const TDessinGraphe::Barre& b : d.barres) {
    p.setBrush(Couleur(b.couleur));
    p.setPen(Qt::black);
    // The outline is part of the bar: right and bottom edges excluded.
    p.drawRect(Rect(b.rect).adjusted(0, 0, -1, -1));
  }
  p.setBrush(Qt::NoBrush);
  for (const TDessinGraphe::Etiquette& e : d.etiquettes) {
    const QString texte = VersQString(e.texte);
    const int l = fm.horizontalAdvance(texte);
    p.drawText(QRect(e.centreX - l / 2 - 1, e.centreY - fm.height() / 2, l + 2, fm.height()), Qt::AlignCenter, texte);
  }
  p.restore();
}

TwexaGraph::TwexaGraph(QWidget* parent) : QWidget(parent) {
  setObjectName("TwexaGraph");
  resize(150, 150);
  setMouseTracking(true);
}

void TwexaGraph::Change() {
  if (m_peintSurChange) update();
}

void TwexaGraph::SetValX(std::vector<std::string> v) { m_g.valX = std::move(v); Change(); }
void TwexaGraph::SetValY(std::vector<std::string> v) { m_g.valY = std::move(v); Change(); }
void TwexaGraph::SetMaxiY(int v) { m_g.maxiY = v; Change(); }
void TwexaGraph::SetMargeX(int v) { m_g.margeX = v; Change(); }
void TwexaGraph::SetMargeY(int v) { m_g.margeY = v; Change(); }
bool TwexaGraph::SetColLarge(int v) {
  if (!m_g.FixeColLarge(v)) return false;
  Change();
  return true;
}
void TwexaGraph::SetColor(TCouleur c) { m_g.color = c; Change(); }
void TwexaGraph::SetColorBar(TCouleur c) { m_g.colorBar = c; Change(); }

void TwexaGraph::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PeintGraphe(p, m_g, rect());
}

void TwexaGraph::mouseMoveEvent(QMouseEvent* event) {
  long long v = -1;
  const QPoint pos = event->position().toPoint();
  const int c = ColonneSous(m_g, width(), height(), pos.x(), pos.y(), &v);
  if (c >= 0) {
    setCursor(m_curseurSel);
    emit OnMouseMove(c, v);
  } else {
    unsetCursor();
    emit OnMouseMove(-1, -1);
  }
}

void TwexaGraph::leaveEvent(QEvent*) {
  unsetCursor();
  emit OnMouseMove(-1, -1);
}

void TwexaGraph::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  long long v = 0;
  const QPoint pos = event->position().toPoint();
  const int c = ColonneSous(m_g, width(), height(), pos.x(), pos.y(), &v);
  if (c >= 0) emit OnMouseColonneClick(c, v);
}

}  // namespace kindrela
