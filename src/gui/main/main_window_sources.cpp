// The main window's sources: the "Source" section of the left menu (top
// button 2), the commands that find, delete, add and show sources, and the
// source windows they open, created when first needed and kept.
#include <QMenu>
#include <QToolButton>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "editing/sources.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/editing/person_pick.h"
#include "gui/editing/record_window.h"
#include "gui/editing/picture_loader.h"
#include "gui/editing/source_gallery.h"
#include "gui/editing/source_search.h"
#include "gui/editing/source_window.h"
#include "gui/main/application.h"
#include "gui/main/command_menu.h"
#include "gui/main/main_window.h"

namespace kindrela {

// The source windows of the run; parented to the main window.
class TFenetresSources : public QObject {
 public:
  explicit TFenetresSources(QObject* parent) : QObject(parent) {}
  TCacheVignettes vignettes;
  TfmSource* editeur = nullptr;
  TfmSourceRech* choix = nullptr;
  TfmSourceVue* album = nullptr;
};

TFenetresSources& TScaWin::Sources() {
  if (!m_sources) m_sources = new TFenetresSources(this);
  return *m_sources;
}

TfmSource& TScaWin::EditeurSource() {
  TFenetresSources& s = Sources();
  if (!s.editeur) {
    TfmSource::Actions a;
    a.selectionnePersonne = [this](int n) { SetSelecPers(n); };
    a.choisitPersonne = [this] {
      return ChoisitPersonne(ParentDialogues(), *m_app.bd, VersQString("Rechercher une fiche"));
    };
    s.editeur = new TfmSource(m_app, a, this);
  }
  return *s.editeur;
}

QWidget* TScaWin::ParentDialogues() {
  if (m_sources && m_sources->editeur && m_sources->editeur->isVisible()) return m_sources->editeur;
  return this;
}

TfmSourceRech& TScaWin::ChoixSource() {
  TFenetresSources& s = Sources();
  if (!s.choix) s.choix = new TfmSourceRech(m_app, s.vignettes, this);
  return *s.choix;
}

void TScaWin::EditeSource(int s) {
  if (s <= 0) return;
  EditeurSource().Edite(s);
  RafraichitAlbum();
  if (FicheVisible()) Fiche()->ListeDonnee();
}

void TScaWin::RafraichitAlbum() {
  if (m_sources && m_sources->album && m_sources->album->isVisible()) m_sources->album->Reconstruit();
}

int TScaWin::ChoisitSource(const std::string& titre) { return ChoixSource().Choisit(VersQString(titre)); }

void TScaWin::CommandeSource(int numero) {
  TBD& bd = *m_app.bd;
  if (!bd.BaseChargee) return;
  switch (numero) {
    case kCmdRechercheSource:
      EditeSource(ChoisitSource(m_app.traduction.Msg(525)));
      break;
    case kCmdSupprimeSource: {
      const int s = ChoisitSource(m_app.traduction.Msg(526));
      if (s <= 0) return;
      SupprimeSource(bd, s);
      bd.BaseModifiee = 1;
      RafraichitAlbum();
      // The record and the chart show the person's sources: refresh them.
      const int n = m_selecPers;
      m_selecPers = 0;
      SetSelecPers(n);
      Affiche();
      break;
    }
    case kCmdAjouteSource: {
      const int s = bd.NouvelleSrc();
      if (s == 0) return;  // the source table is full
      bd.BaseModifiee = 1;
      EditeSource(s);
      break;
    }
    case kCmdAlbum: {
      TFenetresSources& f = Sources();
      if (!f.album) {
        f.album = new TfmSourceVue(m_app, f.vignettes, [this](int s) { EditeSource(s); }, this);
        f.album->setWindowFlag(Qt::Window);
      }
      f.album->show();
      f.album->raise();
      break;
    }
    default: break;
  }
}

void TScaWin::BasculeSources(bool visible) {
  m_menu->MontreSection("Source", visible && m_app.bd->BaseChargee);
  if (QToolButton* b = m_boutonsHaut[1]) {
    const QSignalBlocker bloque(b);
    b->setChecked(visible && m_app.bd->BaseChargee);
  }
}

}  // namespace kindrela
