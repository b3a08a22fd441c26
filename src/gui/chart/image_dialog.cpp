#include "gui/chart/image_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "analysis/report_grid.h"
#include "gui/common/qt_text.h"
#include "i18n/translation.h"

namespace kindrela {

namespace {

// 12345 -> "12 345", as French writes numbers.
std::string Nombre(long long n) {
  std::string s = std::to_string(n), r;
  for (size_t i = 0; i < s.size(); ++i) {
    if (i > 0 && (s.size() - i) % 3 == 0) r += ' ';
    r += s[i];
  }
  return r;
}

}  // namespace

TfmImage::TfmImage(const TTraduction& trad, int dpi, std::function<TailleImage(int)> taille,
                   int dpiMax, QWidget* parent)
    : QDialog(parent), m_trad(trad), m_taille(std::move(taille)), m_dpiMax(dpiMax) {
  setObjectName("fmImage");
  setWindowTitle(VersQString(trad.MsgCle("image_titre")));
  auto* colonne = new QVBoxLayout(this);
  auto* ligne = new QHBoxLayout;
  auto* libelle = new QLabel(VersQString(trad.MsgCle("image_resolution")), this);
  m_dpi = new QSpinBox(this);
  m_dpi->setObjectName("seDpi");
  m_dpi->setRange(kDpiImageMin, kDpiImageMax);
  m_dpi->setSingleStep(10);
  m_dpi->setValue(std::clamp(dpi, kDpiImageMin, kDpiImageMax));
  libelle->setBuddy(m_dpi);
  ligne->addWidget(libelle);
  ligne->addWidget(m_dpi);
  ligne->addStretch(1);
  colonne->addLayout(ligne);
  auto* conseil = new QLabel(VersQString(trad.MsgCle("image_conseil")), this);
  conseil->setWordWrap(true);
  colonne->addWidget(conseil);
  m_info = new QLabel(this);
  m_info->setObjectName("lTaille");
  m_info->setWordWrap(true);
  m_info->setMinimumWidth(420);
  colonne->addWidget(m_info);
  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  m_ok = boutons->button(QDialogButtonBox::Ok);
  m_ok->setObjectName("bOk");
  m_boutonPdf = boutons->addButton(VersQString(trad.MsgCle("image_bouton_pdf")),
                                   QDialogButtonBox::ActionRole);
  m_boutonPdf->setObjectName("bPdfMural");
  colonne->addWidget(boutons);
  connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_boutonPdf, &QPushButton::clicked, this, [this] {
    m_pdf = true;
    accept();
  });
  connect(m_dpi, &QSpinBox::valueChanged, this, [this] { MetAJour(); });
  MetAJour();
}

int TfmImage::Dpi() const { return m_dpi->value(); }

void TfmImage::MetAJour() {
  const int dpi = m_dpi->value();
  const TailleImage t = m_taille ? m_taille(dpi) : TailleImage{};
  std::string texte;
  if (!t.tropGrande) {
    texte = FormateMsg(m_trad.MsgCle("image_taille"), {Nombre(t.largeur), Nombre(t.hauteur)});
  } else {
    texte = FormateMsg(m_trad.MsgCle("image_trop_grande"),
                       {std::to_string(dpi), Nombre(t.largeur), Nombre(t.hauteur)});
    texte += "\n";
    texte += m_dpiMax > 0 ? FormateMsg(m_trad.MsgCle("image_dpi_max"), {std::to_string(m_dpiMax)})
                          : m_trad.MsgCle("image_aucune");
    texte += " " + m_trad.MsgCle("image_murale");
  }
  m_info->setText(VersQString(texte));
  m_ok->setEnabled(!t.tropGrande);
  // The wall chart is offered where a picture cannot be made.
  m_boutonPdf->setVisible(t.tropGrande);
  m_ok->setDefault(!t.tropGrande);
  m_boutonPdf->setDefault(t.tropGrande);
}

}  // namespace kindrela
