// The record window's sources tab: the person's sources with the picture
// or the player of the one selected, and the menu that creates, chooses,
// unlinks and edits them through the source windows.
#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "editing/record.h"
#include "editing/sources.h"
#include "gui/common/qt_text.h"
#include "gui/editing/media_player.h"
#include "gui/editing/picture_loader.h"
#include "gui/editing/picture_viewer.h"
#include "gui/editing/record_window.h"
#include "gui/main/application.h"

namespace kindrela {
namespace {

QString Q(std::string_view ansi) { return VersQString(ansi); }

// The picture label passes its mouse releases on, and asks for the picture
// again at its new size once it has stopped changing size (the tab is laid
// out only when first shown; a window being dragged larger resizes it many
// times).
class TPhotoDonnee : public QLabel {
 public:
  TPhotoDonnee(QWidget* parent, std::function<void(Qt::MouseButton)> clic, std::function<void()> taille)
      : QLabel(parent), m_clic(std::move(clic)), m_taille(std::move(taille)) {
    m_attente.setSingleShot(true);
    m_attente.setInterval(120);
    QObject::connect(&m_attente, &QTimer::timeout, this, [this] { m_taille(); });
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    e->accept();
    m_clic(e->button());
  }
  void contextMenuEvent(QContextMenuEvent* e) override { e->accept(); }
  void resizeEvent(QResizeEvent* e) override {
    QLabel::resizeEvent(e);
    m_attente.start();
  }

 private:
  std::function<void(Qt::MouseButton)> m_clic;
  std::function<void()> m_taille;
  QTimer m_attente;
};

}  // namespace

QWidget* TfmFiche::PageDonnee() {
  auto* page = new QWidget;
  page->setObjectName("TS_Donnee");
  lbDonnee = new QListWidget(page);
  lbDonnee->setObjectName("lbDonnee");
  lbDonnee->setContextMenuPolicy(Qt::CustomContextMenu);
  lbDonnee->setToolTip(Q("Double clic : créer ou modifier une source ; clic droit : menu"_ansi));
  auto* photo = new TPhotoDonnee(page, [this](Qt::MouseButton b) { ClicPhoto(b); }, [this] {
    if (!m_photo.isEmpty()) MontreDonnee(lbDonnee->currentRow());
  });
  iPhoto = photo;
  iPhoto->setObjectName("iPhoto");
  iPhoto->setAlignment(Qt::AlignCenter);
  iPhoto->setMinimumSize(160, 120);
  // The picture follows the label's size, never the other way round.
  iPhoto->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  iPhoto->setFrameShape(QFrame::StyledPanel);
  mpDonnee = new TLecteurMedia(page);
  mpDonnee->setObjectName("mpDonnee");
  mpDonnee->setVisible(false);
  auto* v = new QVBoxLayout(page);
  auto* l = new QLabel(Q("Sources et documents de la personne"), page);
  l->setObjectName("lDonnee");
  v->addWidget(l);
  v->addWidget(lbDonnee, 1);
  v->addWidget(iPhoto, 2);
  v->addWidget(mpDonnee, 2);
  connect(lbDonnee, &QListWidget::currentRowChanged, this, [this](int r) { MontreDonnee(r); });
  connect(lbDonnee, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    if (SourceALaLigne(lbDonnee->row(item)) == 0) CreeSource();
    else ModifieSource();
  });
  connect(lbDonnee, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    QMenu* menu = CreeMenuDonnee();
    menu->exec(lbDonnee->viewport()->mapToGlobal(pos));
    delete menu;
  });
  return page;
}

int TfmFiche::SourceALaLigne(int ligne) const {
  const TBD& bd = *m_app.bd;
  if (ligne < 0 || ligne >= bd.NbreSrcFiche(m_personne)) return 0;
  return LitEntree(bd.Fiche(m_personne).TabSrc, ligne + 1);
}

void TfmFiche::ListeDonnee() {
  const TBD& bd = *m_app.bd;
  lbDonnee->blockSignals(true);
  lbDonnee->clear();
  const int nbre = bd.NbreSrcFiche(m_personne);
  for (int k = 1; k <= nbre; ++k) lbDonnee->addItem(Q(bd.LitSrcFiche(m_personne, k, 1)));
  lbDonnee->addItem(Q(kEntreeCreer));
  lbDonnee->setCurrentRow(0);
  lbDonnee->blockSignals(false);
  MontreDonnee(0);
}

void TfmFiche::MontreDonnee(int ligne) {
  mpDonnee->Arrete();
  mpDonnee->setVisible(false);
  iPhoto->setVisible(true);
  iPhoto->clear();
  iPhoto->setToolTip(QString());
  m_photo.clear();
  const int s = SourceALaLigne(ligne);
  if (s <= 0) return;
  const std::string fichier = LitMedia(m_app.bd->Src(s).SrcMedia).fichier;
  if (fichier.empty()) return;
  const TDossiersMedia d{m_app.dossiers.modele, m_app.dossiers.programme, m_app.fichierCourant};
  const std::string chemin = ResoutMedia(fichier, d);
  const GenreMedia genre = GenreDe(chemin.empty() ? fichier : chemin);
  if (genre == GenreMedia::Image) {
    // Within the frame: the picture never makes the label grow.
    const QSize boite = iPhoto->contentsRect().size().expandedTo(QSize(160, 120));
    const TImageChargee c = ChargeImage(VersQString(chemin), boite);
    if (c.Ok()) {
      iPhoto->setPixmap(QPixmap::fromImage(c.image));
      m_photo = VersQString(chemin);
    } else {
      const QString raison = chemin.empty() ? Q("Fichier introuvable") : Q("Image illisible");
      iPhoto->setPixmap(ImageAbsente(QSize(160, 120), raison));
      iPhoto->setToolTip(raison + " : " + VersQString(chemin.empty() ? fichier : chemin));
    }
  } else if (genre == GenreMedia::Lecteur && !chemin.empty()) {
    iPhoto->setVisible(false);
    mpDonnee->setVisible(true);
    mpDonnee->Ouvre(VersQString(chemin));
  }
}

QMenu* TfmFiche::CreeMenuDonnee() {
  auto* menu = new QMenu(this);
  menu->setObjectName("pmDonnee");
  const bool reelle = SourceALaLigne(lbDonnee->currentRow()) > 0;
  auto entree = [&](const char* nom, std::string_view texte, bool actif, void (TfmFiche::*action)()) {
    QAction* a = menu->addAction(Q(texte));
    a->setObjectName(nom);
    a->setEnabled(actif && m_personne > 0);
    connect(a, &QAction::triggered, this, action);
  };
  entree("psCreeSource", "Créer une nouvelle source..."_ansi, bool(m_actionsSources.edite),
         &TfmFiche::CreeSource);
  entree("psChoisitSource", "Sélectionner la source dans la liste..."_ansi,
         bool(m_actionsSources.choisit), &TfmFiche::SelectionneSource);
  entree("psRetireSource", "Supprimer le lien avec la source sélectionnée"_ansi, reelle,
         &TfmFiche::RetireLienSource);
  entree("psModifieSource", "Modifier la source sélectionnée..."_ansi,
         reelle && m_actionsSources.edite, &TfmFiche::ModifieSource);
  return menu;
}

void TfmFiche::ApresSource() {
  const int ligne = lbDonnee->currentRow();
  ListeDonnee();
  if (ligne >= 0 && ligne < lbDonnee->count()) lbDonnee->setCurrentRow(ligne);
  ActualiseOnglet();
  FicheMAJ();
}

void TfmFiche::CreeSource() {
  if (m_personne <= 0 || !m_actionsSources.edite) return;
  const int s = m_app.bd->AjouteNouvelleSrc(m_personne);
  if (s == 0) return;  // the source table is full
  m_actionsSources.edite(s);
  ApresSource();
  lbDonnee->setCurrentRow(m_app.bd->NbreSrcFiche(m_personne) - 1);
}

void TfmFiche::SelectionneSource() {
  if (m_personne <= 0 || !m_actionsSources.choisit) return;
  TBD& bd = *m_app.bd;
  const int s = m_actionsSources.choisit(m_app.traduction.Msg(124) + " " + bd.NomCourt(m_personne));
  if (s <= 0) return;
  bd.AjouteSrc(m_personne, s);
  ApresSource();
}

void TfmFiche::RetireLienSource() {
  const int s = SourceALaLigne(lbDonnee->currentRow());
  if (s <= 0) return;
  m_app.bd->RetireSrc(m_personne, s);
  ApresSource();
}

void TfmFiche::ModifieSource() {
  const int s = SourceALaLigne(lbDonnee->currentRow());
  if (s <= 0 || !m_actionsSources.edite) return;
  m_actionsSources.edite(s);
  ApresSource();
}

void TfmFiche::ClicPhoto(Qt::MouseButton bouton) {
  if (SourceALaLigne(lbDonnee->currentRow()) == 0) {
    CreeSource();
  } else if (bouton == Qt::RightButton || m_photo.isEmpty()) {
    ModifieSource();
  } else {
    MontreImage(m_photo, this);
  }
}

}  // namespace kindrela
