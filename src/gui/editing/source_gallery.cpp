#include "gui/editing/source_gallery.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QShowEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "editing/sources.h"
#include "gui/common/qt_text.h"
#include "gui/editing/picture_loader.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"

namespace kindrela {
namespace {
constexpr int kHauteurNom = 18;
constexpr int kEspace = 4;
constexpr int kParTour = 4;  // pictures read between two turns of the event loop
}  // namespace

TfmSourceVue::TfmSourceVue(TApplication& app, TCacheVignettes& cache, std::function<void(int)> edite,
                           QWidget* parent)
    : QWidget(parent), m_app(app), m_cache(cache), m_edite(std::move(edite)) {
  setObjectName("fmSourceVue");
  setWindowTitle(VersQString("Aperçu des sources"_ansi));
  auto* c = new QVBoxLayout(this);
  auto* barre = new QHBoxLayout;
  barre->addWidget(new QLabel(VersQString("Afficher"), this));
  m_sorte = new QComboBox(this);
  m_sorte->setObjectName("cbSorte");
  barre->addWidget(m_sorte);
  barre->addSpacing(12);
  barre->addWidget(new QLabel(VersQString("Largeur"), this));
  m_largeur = new QSlider(Qt::Horizontal, this);
  m_largeur->setObjectName("tbL");
  barre->addWidget(m_largeur);
  barre->addWidget(new QLabel(VersQString("Hauteur"), this));
  m_hauteur = new QSlider(Qt::Horizontal, this);
  m_hauteur->setObjectName("tbH");
  barre->addWidget(m_hauteur);
  for (QSlider* s : {m_largeur, m_hauteur}) {
    s->setRange(50, 320);
    s->setValue(100);
    s->setMaximumWidth(120);
    connect(s, &QSlider::valueChanged, this, [this] {
      // The pictures are read again at the new size.
      m_aCharger.clear();
      for (size_t i = 0; i < m_tuiles.size(); ++i) m_aCharger.push_back(static_cast<int>(i));
      Dispose();
      m_minuterie.start();
    });
  }
  barre->addStretch(1);
  c->addLayout(barre);
  m_defile = new QScrollArea(this);
  m_defile->setObjectName("sbTuiles");
  m_defile->setWidgetResizable(false);
  m_surface = new QWidget(m_defile);
  m_surface->setObjectName("pTuiles");
  m_defile->setWidget(m_surface);
  c->addWidget(m_defile, 1);
  m_minuterie.setInterval(0);
  connect(&m_minuterie, &QTimer::timeout, this, [this] { ChargeSuivantes(); });
  connect(m_sorte, &QComboBox::currentIndexChanged, this, [this] { Reconstruit(); });
  TraduitFenetre(this, m_app.traduction);
  resize(640, 480);
}

void TfmSourceVue::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (e->spontaneous()) return;  // only when shown again, not when the window manager restores it
  Reconstruit();
}

void TfmSourceVue::Reconstruit() {
  // The kinds, keeping the one chosen.
  const QString avant = m_sorte->currentText();
  m_sorte->blockSignals(true);
  m_sorte->clear();
  m_sorte->addItem(VersQString(m_app.traduction.Msg(1002)));
  for (const std::string& s : SortesDeSource(m_app.tables.Grille(SorteTable::Sources)))
    m_sorte->addItem(VersQString(s));
  const int i = m_sorte->findText(avant);
  m_sorte->setCurrentIndex(i >= 0 ? i : 0);
  m_sorte->blockSignals(false);

  for (Tuile_& t : m_tuiles) delete t.cadre;
  m_tuiles.clear();
  m_aCharger.clear();
  const TBD& bd = *m_app.bd;
  const std::string sorte = m_sorte->currentIndex() > 0 ? DepuisQString(m_sorte->currentText()) : "";
  for (int s : SourcesEnUsage(bd, sorte)) {
    // A panel, so that a source without a picture still reads as a tile.
    auto* cadre = new QFrame(m_surface);
    cadre->setFrameShape(QFrame::StyledPanel);
    cadre->setBackgroundRole(QPalette::Base);
    cadre->setObjectName(QString("tuile%1").arg(s));
    cadre->setCursor(Qt::PointingHandCursor);
    cadre->setAutoFillBackground(true);
    cadre->installEventFilter(this);
    auto* image = new QLabel(cadre);
    image->setAlignment(Qt::AlignCenter);
    image->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* nom = new QLabel(cadre);
    nom->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    nom->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_tuiles.push_back(Tuile_{s, cadre, image, nom});
    m_aCharger.push_back(static_cast<int>(m_tuiles.size()) - 1);
    RemplitTuile(static_cast<int>(m_tuiles.size()) - 1);
    cadre->show();
  }
  Dispose();
  m_minuterie.start();
}

void TfmSourceVue::RemplitTuile(int index) {
  Tuile_& t = m_tuiles[static_cast<size_t>(index)];
  const QString titre = VersQString(m_app.bd->Src(t.source).SrcTitre);
  t.nom->setText(t.nom->fontMetrics().elidedText(titre, Qt::ElideRight, m_largeur->value() - 4));
  t.cadre->setToolTip(titre);
}

void TfmSourceVue::ChargeSuivantes() {
  const TDossiersMedia d{m_app.dossiers.modele, m_app.dossiers.programme, m_app.fichierCourant};
  const QSize boite(m_largeur->value() - 4, std::max(1, m_hauteur->value() - kHauteurNom - 4));
  for (int n = 0; n < kParTour && !m_aCharger.empty(); ++n) {
    const int index = m_aCharger.front();
    m_aCharger.pop_front();
    if (index < 0 || index >= static_cast<int>(m_tuiles.size())) continue;
    Tuile_& t = m_tuiles[static_cast<size_t>(index)];
    const TMediaSource m = LitMedia(m_app.bd->Src(t.source).SrcMedia);
    const std::string f = ResoutMedia(m.fichier, d);
    QPixmap p;
    if (!f.empty() && GenreDe(f) == GenreMedia::Image) p = m_cache.Vignette(VersQString(f), boite);
    if (p.isNull() && !m.fichier.empty() && GenreDe(m.fichier) == GenreMedia::Image)
      p = ImageAbsente(boite, VersQString(f.empty() ? "Fichier introuvable" : "Image illisible"));
    t.image->setPixmap(p);
  }
  if (m_aCharger.empty()) m_minuterie.stop();
}

void TfmSourceVue::Dispose() {
  const int l = m_largeur->value();
  const int h = m_hauteur->value();
  const int largeur = std::max(l, m_defile->viewport()->width());
  int x = 0, y = 0;
  for (Tuile_& t : m_tuiles) {
    if (x > 0 && x + l > largeur) {
      x = 0;
      y += h + kEspace;
    }
    t.cadre->setGeometry(x, y, l, h);
    t.image->setGeometry(2, 2, l - 4, h - kHauteurNom - 4);
    t.nom->setGeometry(2, h - kHauteurNom, l - 4, kHauteurNom - 2);
    x += l + kEspace;
  }
  m_surface->resize(largeur, m_tuiles.empty() ? 1 : y + h);
  for (size_t i = 0; i < m_tuiles.size(); ++i) RemplitTuile(static_cast<int>(i));
}

void TfmSourceVue::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Dispose();
}

std::vector<int> TfmSourceVue::Sources() const {
  std::vector<int> v;
  for (const Tuile_& t : m_tuiles) v.push_back(t.source);
  return v;
}

QWidget* TfmSourceVue::Tuile(int source) const {
  for (const Tuile_& t : m_tuiles)
    if (t.source == source) return t.cadre;
  return nullptr;
}

void TfmSourceVue::ClicTuile(int source) {
  if (m_edite) m_edite(source);
  for (size_t i = 0; i < m_tuiles.size(); ++i) {
    if (m_tuiles[i].source != source) continue;
    RemplitTuile(static_cast<int>(i));
    m_aCharger.push_back(static_cast<int>(i));
    m_minuterie.start();
  }
}

bool TfmSourceVue::eventFilter(QObject* objet, QEvent* e) {
  if (e->type() == QEvent::MouseButtonRelease) {
    for (const Tuile_& t : m_tuiles) {
      if (t.cadre != objet) continue;
      ClicTuile(t.source);
      return true;
    }
  }
  return QWidget::eventFilter(objet, e);
}

}  // namespace kindrela
