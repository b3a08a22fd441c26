// The main window's merge of duplicates (command 109): the dialog "Fusion",
// bound to the person search "Recherche d'une fiche", the selection, the
// family window and the chart.
#include "core/database.h"
#include "editing/search.h"
#include "gui/editing/merge_dialog.h"
#include "gui/editing/record_window.h"
#include "gui/main/application.h"
#include "gui/main/main_window.h"

namespace kindrela {

TFusion* TScaWin::Fusion() const { return m_fusion; }

void TScaWin::FusionFiches() {
  if (m_fusion) {
    // Only one at a time: the open one comes forward.
    m_fusion->raise();
    m_fusion->activateWindow();
    return;
  }
  if (!m_app.bd->BaseChargee) return;
  TFusion::Actions actions;
  actions.recherche = [this] { return RecherchePersonne(ModeRecherche::Selection, 0); };
  actions.selectionne = [this](int p) { SetSelecPers(p); };
  actions.voir = [this](int p) {
    SetSelecPers(p);
    ShowFicheArbre();
    Affiche();
  };
  actions.avant = [this] {
    if (FicheVisible()) m_fiche->Valide();
  };
  actions.apres = [this](int garde) {
    SetSelecPers(garde);
    RafraichitFiches();
    Affiche();
    MetAJourBarreEtat();
  };
  m_fusion = new TFusion(m_app, m_selecPers, std::move(actions), this);
  m_fusion->setAttribute(Qt::WA_DeleteOnClose);
  m_fusion->setWindowFlag(Qt::Window);
  m_fusion->show();
}

}  // namespace kindrela
