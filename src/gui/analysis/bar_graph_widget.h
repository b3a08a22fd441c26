// TwexaGraph, the bar graph control: columns with labels and values drawn
// as bars over a scale, with the pointer and clicks reported per bar. Its
// geometry is the core's (analysis/bar_graph.h); this paints it on any
// painter (screen, printer, PDF, picture).
#pragma once

#include <QCursor>
#include <QWidget>

#include "analysis/bar_graph.h"

class QPainter;

namespace kindrela {

// Paints graph `g` on the rectangle `r` of `p`.
void PeintGraphe(QPainter& p, const TGraphe& g, const QRect& r);

class TwexaGraph : public QWidget {
  Q_OBJECT
 public:
  explicit TwexaGraph(QWidget* parent = nullptr);

  const TGraphe& Graphe() const { return m_g; }
  void SetValX(std::vector<std::string> v);
  void SetValY(std::vector<std::string> v);
  void SetMaxiY(int v);
  void SetMargeX(int v);
  void SetMargeY(int v);
  // Outside 0..100: refused, false.
  bool SetColLarge(int v);
  void SetColor(TCouleur c);
  void SetColorBar(TCouleur c);
  void SetCursorSel(const QCursor& c) { m_curseurSel = c; }
  void SetPaintOnChange(bool v) { m_peintSurChange = v; }

 signals:
  // Over a bar: its column and value; elsewhere -1 and -1.
  void OnMouseMove(int col, long long val);
  void OnMouseColonneClick(int col, long long val);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void Change();
  TGraphe m_g;
  QCursor m_curseurSel{Qt::PointingHandCursor};
  bool m_peintSurChange = true;
};

}  // namespace kindrela
