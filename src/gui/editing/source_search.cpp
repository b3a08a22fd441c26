#include "gui/editing/source_search.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "editing/sources.h"
#include "gui/common/qt_text.h"
#include "gui/editing/picture_loader.h"
#include "gui/editing/picture_viewer.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"

namespace kindrela {

TfmSourceRech::TfmSourceRech(TApplication& app, TCacheVignettes& cache, QWidget* parent)
    : QDialog(parent), m_app(app), m_cache(cache) {
  setObjectName("fmSourceRech");
  setWindowTitle(VersQString("Liste des sources"));
  auto* c = new QVBoxLayout(this);
  m_sorte = new QComboBox(this);
  m_sorte->setObjectName("cbSorte");
  c->addWidget(m_sorte);
  auto* corps = new QHBoxLayout;
  auto* gauche = new QVBoxLayout;
  gauche->addWidget(new QLabel(VersQString("Noms des sources:"), this));
  m_liste = new QListWidget(this);
  m_liste->setObjectName("lb");
  gauche->addWidget(m_liste, 1);
  corps->addLayout(gauche, 1);
  m_image = new QLabel(this);
  m_image->setObjectName("iPhoto");
  m_image->setFixedSize(200, 200);
  m_image->setAlignment(Qt::AlignCenter);
  m_image->setFrameShape(QFrame::StyledPanel);
  m_image->installEventFilter(this);
  corps->addWidget(m_image);
  c->addLayout(corps, 1);
  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  m_ok = boutons->button(QDialogButtonBox::Ok);
  m_ok->setObjectName("bOk");
  c->addWidget(boutons);
  connect(m_sorte, &QComboBox::currentIndexChanged, this, [this] { RemplitListe(); });
  connect(m_liste, &QListWidget::currentRowChanged, this, [this] {
    m_ok->setEnabled(m_liste->currentRow() >= 0);
    MontreImage();
  });
  connect(m_liste, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  TraduitFenetre(this, m_app.traduction);
  resize(520, 360);
}

void TfmSourceRech::Remplit() {
  const QString avant = m_sorte->currentText();
  m_sorte->blockSignals(true);
  m_sorte->clear();
  m_sorte->addItem(VersQString(m_app.traduction.Msg(1002)));
  for (const std::string& s : SortesDeSource(m_app.tables.Grille(SorteTable::Sources)))
    m_sorte->addItem(VersQString(s));
  const int i = m_sorte->findText(avant);
  m_sorte->setCurrentIndex(i >= 0 ? i : 0);
  m_sorte->blockSignals(false);
  RemplitListe();
}

void TfmSourceRech::RemplitListe() {
  const TBD& bd = *m_app.bd;
  const std::string sorte = m_sorte->currentIndex() > 0 ? DepuisQString(m_sorte->currentText()) : "";
  m_liste->blockSignals(true);
  m_liste->clear();
  int choix = -1;
  for (int s : SourcesEnUsage(bd, sorte)) {
    auto* item = new QListWidgetItem(VersQString(bd.Src(s).SrcTitre), m_liste);
    item->setData(Qt::UserRole, s);
    if (s == m_derniere) choix = m_liste->count() - 1;
  }
  m_liste->blockSignals(false);
  if (m_liste->count() > 0) m_liste->setCurrentRow(choix >= 0 ? choix : 0);
  m_ok->setEnabled(m_liste->currentRow() >= 0);
  MontreImage();
}

int TfmSourceRech::SourceSelectionnee() const {
  QListWidgetItem* item = m_liste->currentItem();
  return item ? item->data(Qt::UserRole).toInt() : 0;
}

void TfmSourceRech::MontreImage() {
  m_fichierImage.clear();
  m_image->clear();
  m_image->setCursor(Qt::ArrowCursor);
  const int s = SourceSelectionnee();
  if (s <= 0) return;
  const TMediaSource m = LitMedia(m_app.bd->Src(s).SrcMedia);
  const TDossiersMedia d{m_app.dossiers.modele, m_app.dossiers.programme, m_app.fichierCourant};
  const std::string f = ResoutMedia(m.fichier, d);
  if (GenreDe(f.empty() ? m.fichier : f) != GenreMedia::Image) return;
  QPixmap p = f.empty() ? QPixmap() : m_cache.Vignette(VersQString(f), m_image->size());
  if (p.isNull()) {
    m_image->setPixmap(ImageAbsente(m_image->size(), VersQString(f.empty() ? "Fichier introuvable" : "Image illisible")));
    return;
  }
  m_image->setPixmap(p);
  m_fichierImage = VersQString(f);
  m_image->setCursor(Qt::PointingHandCursor);
}

bool TfmSourceRech::eventFilter(QObject* objet, QEvent* e) {
  if (objet == m_image && e->type() == QEvent::MouseButtonPress && !m_fichierImage.isEmpty()) {
    kindrela::MontreImage(m_fichierImage, this);
    return true;
  }
  return QDialog::eventFilter(objet, e);
}

int TfmSourceRech::Choisit(const QString& titre) {
  setWindowTitle(titre);
  Remplit();
  if (exec() != QDialog::Accepted) return 0;
  m_derniere = SourceSelectionnee();
  return m_derniere;
}

}  // namespace kindrela
