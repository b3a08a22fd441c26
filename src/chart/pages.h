// The grid of printer pages laid over the chart: which pages hold part of
// the chart, where each lies on screen and on paper, and the print zoom that
// puts the whole chart on one page. Pure arithmetic: the window layer passes
// the printer page size (in printer pixels), the print settings and the
// screen rectangles of the chart's boxes and links.
//
// A page on screen is pw = page width·100/print zoom wide (ph likewise); the
// grid steps by sx = (page width - page width·overlap/100)·100/print zoom
// across and sy = (page height - page width·overlap/100)·100/print zoom down
// (the overlap is a share of the page width in both directions). Pages are
// walked row by row from (0, 0) while the step start is inside the page
// control; a page counts only when some corner of a box or link lies inside
// it, edges included, and counted pages are numbered from 1 in that order.
#pragma once

#include <cstdint>
#include <vector>

#include "chart/layout.h"

namespace kindrela {

// What the grid depends on besides the chart.
struct ReglagesPage {
  bool imprimante = false;  // a printer is installed
  int largeurPage = 0;      // printable page width, printer pixels
  int hauteurPage = 0;      // printable page height, printer pixels
  int PrintZoom = 100;      // print zoom, percent
  int PrintCroise = 0;      // page overlap, percent of the page width
};

// One counted page.
struct PageGrille {
  int numero = 0;           // 1-based, as printed on the grid ("Page n")
  int colonne = 0;          // 0-based column and row in the grid
  int ligne = 0;
  RectArbre ecran;          // (x, y, x + pw, y + ph) on the page control
  RectArbre impression;     // the part of the chart on paper, printer pixels
};

class GrillePages {
 public:
  // An empty grid: no pages.
  GrillePages() = default;
  // The grid over a page control of the given size holding `objets` (screen
  // rectangles of every box and link, scroll position included). No printer,
  // a print zoom below 1, or steps of 1 pixel or less give no pages.
  GrillePages(const ReglagesPage& reglages, int largeurControle, int hauteurControle,
              const std::vector<RectArbre>& objets);

  // The number of counted pages (the print dialog's page range).
  int NbrePages() const { return static_cast<int>(m_pages.size()); }
  const std::vector<PageGrille>& Pages() const { return m_pages; }
  // Screen rectangle of counted page n (1-based); empty (0, 0, 0, 0) for an
  // n outside 1..NbrePages().
  RectArbre GetCoord(int n) const;
  // Printer rectangle of counted page n: (c·sxp, r·syp, (c+1)·sxp, (r+1)·syp)
  // with sxp = page width - page width·overlap/100 and syp = page height -
  // page width·overlap/100; empty for an n outside 1..NbrePages().
  RectArbre GetPrintCoord(int n) const;

  // The grid's page size and steps on screen (0 when there is no grid).
  int pw() const { return m_pw; }
  int ph() const { return m_ph; }
  int sx() const { return m_sx; }
  int sy() const { return m_sy; }

 private:
  std::vector<PageGrille> m_pages;
  int m_pw = 0, m_ph = 0, m_sx = 0, m_sy = 0;
};

// The screen rectangles of every box and link of the chart, boxes first, as
// CompInRect examines them (no scroll offset).
std::vector<RectArbre> RectsObjets(const Arbre& arbre, const T1Aff& moitie1,
                                   const T1Aff& moitie2);

// The print zoom that puts the whole chart (extent `etendue`, from GetRect)
// on one printer page: page width·100/R.Right, or page height·100/R.Bottom
// when smaller, rounded down to a multiple of 10; a fit below 10 stays as
// computed (at least 1) so that the chart still prints. Without a printer, or
// for an empty extent (Right or Bottom <= 0), the current print zoom is
// returned.
int CalculZoomImpression(const ReglagesPage& reglages, const RectArbre& etendue);

// Where an object at logical (x, y) of size (w, h) in a half of zoom
// `zoomMoitie` is printed on page `page` (its GetPrintCoord): with b = print
// zoom × half zoom, (b·x/10000 - page.Left, b·y/10000 - page.Top) and size
// (b·w/10000, b·h/10000). Computed in 64 bits; results are clamped to the
// 32-bit range.
RectArbre RectImpression(int32_t x, int32_t y, int32_t w, int32_t h, int zoomMoitie,
                         int printZoom, const RectArbre& page);

}  // namespace kindrela
