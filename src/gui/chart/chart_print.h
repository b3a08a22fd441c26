// The chart on paper and in files: the printed page the grid is made of,
// painting one page of the grid, printing a range of pages, the PDF exports
// (the grid of pages, or one page holding the whole chart) and the picture
// export (JPEG, PNG, SVG). The chart object's own entry points (ExporteImage,
// ExportePdf, Imprime) are declared in chart_view.h and built here.
#pragma once

#include <QPageLayout>
#include <QRect>
#include <QSize>

#include "chart/pages.h"

class QPainter;
class QPagedPaintDevice;
class QPrinter;

namespace kindrela {

class TAffArbre;

// A printed page: its layout (size, orientation, margins) and the
// resolution it is painted at.
struct TMiseEnPage {
  QPageLayout layout;
  int resolution = 300;  // dots per inch
  // The printable area in device pixels (the grid's page width and height).
  QSize TaillePixels() const;
};

// True when at least one printer is installed: the printer buttons are
// enabled only then (the PDF export works without one).
bool ImprimanteDisponible();

// The default printer's page when there is a printer, else an A4 portrait
// page with 10 mm margins at 300 dpi, the page of the PDF export.
TMiseEnPage MiseEnPageDefaut();

// The page of a printer as it is set up (after the print dialog).
TMiseEnPage MiseEnPageDe(const QPrinter& imprimante);

// The grid of `page`'s pages over the chart, with the chart's print settings
// (the automatic print zoom, when on, is computed and stored into the
// settings first). A printer is assumed present: the caller decides.
GrillePages GrillePour(TAffArbre& arbre, const TMiseEnPage& page);

// Paints page n (1-based) of `grille` onto `p`, whose origin is the top-left
// corner of the printable area. Nothing for an n outside the grid.
void PeintPage(QPainter& p, TAffArbre& arbre, const GrillePages& grille, int n);

// Prints pages `de` to `a` of the grid made for the printer's page, `copies`
// times, a new page between pages. False when the printer could not be
// opened. Pages outside the grid are skipped.
bool ImprimePages(QPrinter& imprimante, TAffArbre& arbre, int de, int a, int copies = 1);

// Paints the whole chart at the halves' zoom `zoom` percent (0: the zoom on
// screen), its extent's top-left corner at `origine`.
void PeintArbreEntier(QPainter& p, TAffArbre& arbre, int zoom, QPoint origine);

}  // namespace kindrela
