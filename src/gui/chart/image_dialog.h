// The resolution asked before a picture of the whole chart is written: a
// spin box of dots per inch with the size the picture would have; a chart
// too large for a picture says so, offers no "OK" and offers the PDF wall
// chart instead.
#pragma once

#include <QDialog>
#include <functional>

#include "chart/fitting.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace kindrela {

class TTraduction;

class TfmImage : public QDialog {
  Q_OBJECT
 public:
  // `taille` gives the picture's size at a resolution; `dpiMax` the highest
  // resolution that still makes one (0: none).
  TfmImage(const TTraduction& trad, int dpi, std::function<TailleImage(int)> taille, int dpiMax,
           QWidget* parent = nullptr);
  int Dpi() const;
  // True when the user chose the PDF wall chart rather than a picture.
  bool PdfMural() const { return m_pdf; }

 private:
  void MetAJour();
  const TTraduction& m_trad;
  std::function<TailleImage(int)> m_taille;
  int m_dpiMax;
  bool m_pdf = false;
  QSpinBox* m_dpi;
  QLabel* m_info;
  QPushButton* m_ok;
  QPushButton* m_boutonPdf;
};

}  // namespace kindrela
