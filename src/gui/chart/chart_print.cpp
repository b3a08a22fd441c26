#include "gui/chart/chart_print.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "core/ansi_literal.h"
#include "gui/main/application.h"
#include "gui/chart/chart_view.h"
#include "analysis/report_grid.h"
#include "chart/fitting.h"
#include "gui/common/qt_text.h"

namespace kindrela {

namespace {

QRect VersQRect(const RectArbre& r) { return QRect(r.Left, r.Top, r.Largeur(), r.Hauteur()); }

// Room around the chart in the exported pictures and the wall chart.
constexpr int kMargeExport = 10;
// A PDF page side may not exceed 200 inches.
constexpr double kPoucesMax = 200.0;

Statut ErreurFichier(const std::string& chemin) {
  return Statut::Erreur("Impossible d'écrire le fichier "_ansi + chemin);
}

}  // namespace

QSize TMiseEnPage::TaillePixels() const { return layout.paintRectPixels(resolution).size(); }

bool ImprimanteDisponible() { return !QPrinterInfo::availablePrinters().isEmpty(); }

TMiseEnPage MiseEnPageDefaut() {
  if (ImprimanteDisponible()) {
    QPrinter imprimante(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    return MiseEnPageDe(imprimante);
  }
  TMiseEnPage page;
  page.layout = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                            QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
  page.resolution = 300;
  return page;
}

TMiseEnPage MiseEnPageDe(const QPrinter& imprimante) {
  TMiseEnPage page;
  page.layout = imprimante.pageLayout();
  page.resolution = imprimante.resolution();
  return page;
}

GrillePages GrillePour(TAffArbre& arbre, const TMiseEnPage& page) {
  TReglagesImpression ri = arbre.ReglagesImpression();
  ReglagesPage rp;
  rp.imprimante = true;
  const QSize taille = page.TaillePixels();
  rp.largeurPage = taille.width();
  rp.hauteurPage = taille.height();
  rp.PrintZoom = ri.PrintZoom;
  rp.PrintCroise = ri.PrintCroise;
  if (ri.ZoomAuto) {
    rp.PrintZoom = CalculZoomImpression(rp, arbre.Etendue());
    // The whole chart on one page: the overlap means nothing then.
    rp.PrintCroise = 0;
    TReglages& r = arbre.Application().reglages;
    if (r.Entier(kSectionGene, "PrintZoom") != rp.PrintZoom)
      r.SetEntier(kSectionGene, "PrintZoom", rp.PrintZoom);
  }
  const QRectF scene = arbre.Page() ? arbre.Page()->sceneRect() : QRectF();
  const TApparence& ap = arbre.Apparence();
  return GrillePages(rp, static_cast<int>(scene.width()), static_cast<int>(scene.height()),
                     RectsObjets(arbre.Donnees(), ap.Aff[0], ap.Aff[1]));
}

void PeintPage(QPainter& p, TAffArbre& arbre, const GrillePages& grille, int n) {
  if (n < 1 || n > grille.NbrePages()) return;
  const RectArbre page = grille.GetPrintCoord(n);
  const int printZoom = arbre.ReglagesImpression().ZoomAuto
                            ? arbre.Application().reglages.Entier(kSectionGene, "PrintZoom")
                            : arbre.ReglagesImpression().PrintZoom;
  // The whole sheet: with overlapping pages, what lies past the grid step
  // is printed again on the next page on purpose.
  const QRect feuille = p.device() ? QRect(0, 0, p.device()->width(), p.device()->height())
                                   : QRect(0, 0, page.Largeur(), page.Hauteur());
  const Arbre& a = arbre.Donnees();
  const TApparence& ap = arbre.Apparence();
  const TContextePeinture& c = arbre.Contexte();
  p.save();
  p.setClipRect(feuille);
  // Paper shows the chart, not the selection.
  for (const LienArbre& l : a.liens) {
    const T1Aff& aff = ap.Moitie(l.moitie);
    QRect r = VersQRect(RectImpression(l.gauche, l.haut, std::max(1, l.largeur),
                                       std::max(1, l.hauteur), aff.Zoom, printZoom, page));
    if (!r.adjusted(-8, -8, 8, 8).intersects(feuille)) continue;
    TEchelle e{static_cast<long long>(printZoom) * aff.Zoom, 10000, -page.Left, -page.Top};
    AfficheLien(p, c, l, e);
  }
  for (size_t i = 0; i < a.boites.size(); ++i) {
    const BoiteArbre& b = a.boites[i];
    const T1Aff& aff = ap.Moitie(b.moitie);
    QRect r = VersQRect(
        RectImpression(b.x, b.y, aff.Large, aff.Hauteur, aff.Zoom, printZoom, page));
    const int echelle = printZoom * aff.Zoom / 100;
    const int debord = DebordMarques(echelle);
    if (!r.adjusted(-debord, -debord, debord, debord).intersects(feuille)) continue;
    AfficheBoite(p, c, b, arbre.Lignes(static_cast<int>(i)), false, r, echelle);
  }
  p.restore();
}

bool ImprimePages(QPrinter& imprimante, TAffArbre& arbre, int de, int a, int copies) {
  GrillePages grille = GrillePour(arbre, MiseEnPageDe(imprimante));
  de = std::max(1, de);
  a = std::min(a, grille.NbrePages());
  QPainter p;
  if (!p.begin(&imprimante)) return false;
  bool premiere = true;
  for (int copie = 0; copie < std::max(1, copies); ++copie) {
    for (int n = de; n <= a; ++n) {
      if (!premiere) imprimante.newPage();
      premiere = false;
      PeintPage(p, arbre, grille, n);
    }
  }
  p.end();
  return true;
}

void PeintArbreEntier(QPainter& p, TAffArbre& arbre, int zoom, QPoint origine) {
  const TApparence& ap = arbre.Apparence();
  T1Aff m1 = ap.Aff[0], m2 = ap.Aff[1];
  if (zoom > 0) m1.Zoom = m2.Zoom = zoom;
  const Arbre& a = arbre.Donnees();
  const RectArbre etendue = GetRect(a, m1, m2);
  if (etendue.Right <= etendue.Left) return;
  const QPoint decale = origine - QPoint(etendue.Left, etendue.Top);
  const TContextePeinture& c = arbre.Contexte();
  // A picture shows the chart, not the selection.
  for (const LienArbre& l : a.liens) {
    const int z = (l.moitie == 2 ? m2 : m1).Zoom;
    AfficheLien(p, c, l, TEchelle{z, 100, decale.x(), decale.y()});
  }
  for (size_t i = 0; i < a.boites.size(); ++i) {
    const BoiteArbre& b = a.boites[i];
    QRect r = VersQRect(RectEcran(b, m1, m2)).translated(decale);
    AfficheBoite(p, c, b, arbre.Lignes(static_cast<int>(i)), false, r,
                 (b.moitie == 2 ? m2 : m1).Zoom);
  }
}

// ---------------------------------------------------------------------------
// The chart object's entry points.

const TMiseEnPage& TAffArbre::MiseEnPage() {
  if (!m_miseEnPage) m_miseEnPage = MiseEnPageDefaut();
  return *m_miseEnPage;
}

void TAffArbre::SetMiseEnPage(const TMiseEnPage& page) {
  m_miseEnPage = page;
  if (m_page) m_page->viewport()->update();
}

GrillePages TAffArbre::CalculeGrille() { return GrillePour(*this, MiseEnPage()); }

TailleImage TAffArbre::TailleImagePour(int dpi) const {
  return CalculeTailleImage(m_arbre, m_apparence.Aff[0], m_apparence.Aff[1], dpi, kMargeExport);
}

int TAffArbre::DpiMaxImage() const {
  return kindrela::DpiMaxImage(m_arbre, m_apparence.Aff[0], m_apparence.Aff[1], kMargeExport);
}

Statut TAffArbre::ExporteImage(const std::string& chemin, ZoneImage zoneImage, int dpi) {
  const QString nom = VersQString(chemin);
  const QString extension = QFileInfo(nom).suffix().toLower();
  const char* format = extension == QLatin1String("png") ? "png" : "jpeg";
  auto ecrit = [&](const QImage& image) {
    QImageWriter writer(nom, format);
    if (extension != QLatin1String("png")) writer.setQuality(90);
    return writer.write(image) ? Statut::Ok() : ErreurFichier(chemin);
  };
  if (zoneImage == ZoneImage::Visible && m_page) {
    // What the view shows, without the selection's frame.
    QWidget* vue = m_page->viewport();
    std::vector<TBoite*> marquees;
    for (TBoite* b : m_boites)
      if (b->isSelec()) marquees.push_back(b);
    for (TBoite* b : marquees) b->SetisSelec(false);
    Statut resultat = Statut::Ok();
    if (extension == QLatin1String("svg")) {
      QSvgGenerator svg;
      svg.setFileName(nom);
      svg.setSize(vue->size());
      svg.setViewBox(QRect(QPoint(0, 0), vue->size()));
      QPainter p;
      if (p.begin(&svg)) {
        m_page->render(&p, QRectF(QPointF(0, 0), QSizeF(vue->size())), vue->rect());
        p.end();
      }
      if (!QFileInfo(nom).isFile()) resultat = ErreurFichier(chemin);
    } else {
      resultat = ecrit(vue->grab().toImage());
    }
    for (TBoite* b : marquees) b->SetisSelec(true);
    return resultat;
  }

  const QColor fond(m_apparence.ColorEcran.r, m_apparence.ColorEcran.g, m_apparence.ColorEcran.b);
  if (extension == QLatin1String("svg")) {
    // Drawn as the chart is at zoom 100, one unit a pixel of the screen.
    TailleImage t = TailleImagePour(kDpiEcran);
    QSvgGenerator svg;
    svg.setFileName(nom);
    svg.setSize(QSize(t.largeur, t.hauteur));
    svg.setViewBox(QRect(0, 0, t.largeur, t.hauteur));
    svg.setResolution(kDpiEcran);
    svg.setTitle(QGuiApplication::applicationDisplayName());
    QPainter p;
    if (!p.begin(&svg)) return ErreurFichier(chemin);
    p.fillRect(QRect(0, 0, t.largeur, t.hauteur), fond);
    PeintArbreEntier(p, *this, t.zoom, QPoint(t.marge, t.marge));
    p.end();
    if (!QFileInfo(nom).isFile()) return ErreurFichier(chemin);
    return Statut::Ok();
  }

  // Painted at the zoom of the resolution: the letters are drawn at their
  // size on paper, not enlarged from the screen's.
  const TailleImage t = TailleImagePour(dpi);
  if (t.tropGrande)
    return Statut::Erreur(FormateMsg(m_app.traduction.MsgCle("image_trop_grande"),
                                     {std::to_string(dpi), std::to_string(t.largeur),
                                      std::to_string(t.hauteur)}));
  QImage image(t.largeur, t.hauteur, QImage::Format_RGB32);
  if (image.isNull())
    return Statut::Erreur(FormateMsg(m_app.traduction.MsgCle("image_memoire"),
                                     {std::to_string(t.largeur), std::to_string(t.hauteur)}));
  const int parMetre = static_cast<int>(std::lround(dpi / 0.0254));
  image.setDotsPerMeterX(parMetre);
  image.setDotsPerMeterY(parMetre);
  image.fill(fond);
  {
    QPainter p(&image);
    PeintArbreEntier(p, *this, t.zoom, QPoint(t.marge, t.marge));
  }
  return ecrit(image);
}

Statut TAffArbre::ExportePdf(const std::string& chemin, FormePdf forme) {
  const QString nom = VersQString(chemin);
  QPdfWriter pdf(nom);
  pdf.setCreator(QGuiApplication::applicationDisplayName());
  pdf.setTitle(QGuiApplication::applicationDisplayName());
  QPainter p;
  if (forme == FormePdf::Grille) {
    const TMiseEnPage& page = MiseEnPage();
    pdf.setResolution(page.resolution);
    pdf.setPageLayout(page.layout);
    GrillePages grille = GrillePour(*this, page);
    if (!p.begin(&pdf)) return ErreurFichier(chemin);
    for (int n = 1; n <= grille.NbrePages(); ++n) {
      if (n > 1) pdf.newPage();
      PeintPage(p, *this, grille, n);
    }
    p.end();
  } else {
    // One page as large as the chart at zoom 100, one unit a 96th of an
    // inch, finer when the page would pass the largest PDF page.
    T1Aff m1 = m_apparence.Aff[0], m2 = m_apparence.Aff[1];
    m1.Zoom = m2.Zoom = 100;
    const RectArbre e = GetRect(m_arbre, m1, m2);
    const bool vide = e.Right <= e.Left || e.Bottom <= e.Top;
    const int largeur = vide ? 100 : e.Largeur() + 2 * kMargeExport;
    const int hauteur = vide ? 100 : e.Hauteur() + 2 * kMargeExport;
    const double dpi = std::max(96.0, std::ceil(std::max(largeur, hauteur) / kPoucesMax));
    pdf.setResolution(static_cast<int>(dpi));
    pdf.setPageLayout(QPageLayout(
        QPageSize(QSizeF(largeur / dpi, hauteur / dpi), QPageSize::Inch, QString(),
                  QPageSize::ExactMatch),
        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Inch));
    if (!p.begin(&pdf)) return ErreurFichier(chemin);
    p.fillRect(QRect(0, 0, largeur, hauteur),
               QColor(m_apparence.ColorEcran.r, m_apparence.ColorEcran.g,
                      m_apparence.ColorEcran.b));
    if (!vide) PeintArbreEntier(p, *this, 100, QPoint(kMargeExport, kMargeExport));
    p.end();
  }
  if (!QFileInfo(nom).isFile()) return ErreurFichier(chemin);
  return Statut::Ok();
}

void TAffArbre::Imprime(QWidget* parent) {
  if (!ImprimanteDisponible()) return;
  QPrinter imprimante(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
  imprimante.setDocName(QGuiApplication::applicationDisplayName());
  const int nbre = GrillePour(*this, MiseEnPageDe(imprimante)).NbrePages();
  if (nbre < 1) return;
  QPrintDialog dialogue(&imprimante, parent);
  dialogue.setMinMax(1, nbre);
  dialogue.setFromTo(1, nbre);
  dialogue.setOption(QAbstractPrintDialog::PrintPageRange, true);
  if (dialogue.exec() != QDialog::Accepted) return;
  int de = 1, a = nbre;
  if (imprimante.printRange() == QPrinter::PageRange) {
    de = imprimante.fromPage();
    a = imprimante.toPage();
  }
  const int copies = imprimante.supportsMultipleCopies() ? 1 : imprimante.copyCount();
  ImprimePages(imprimante, *this, de, a, copies);
}

}  // namespace kindrela
