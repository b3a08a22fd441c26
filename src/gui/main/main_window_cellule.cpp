// The main window's cell editor: command 201 and the chart's pop-up menu
// show or hide it; it follows the looks the main window loads.
#include "gui/chart/cell_editor_window.h"
#include "gui/chart/chart_view.h"
#include "gui/main/application.h"
#include "gui/main/main_window.h"

namespace kindrela {

void TScaWin::ShowCellule() {
  if (!m_app.bd->BaseChargee) return;
  if (!m_cellule) {
    TfmCellule::Actions actions;
    actions.reconstruit = [this] { Affiche(); };
    actions.selecPers = [this] { return m_selecPers; };
    actions.dossierLooksUtilisateur = DossierLooksUtilisateur();
    m_cellule = new TfmCellule(m_app, *m_aff, actions, this);
  }
  if (!ArbreVisible()) ShowArbre();
  m_cellule->Montre();
}

void TScaWin::HideCellule() {
  if (m_cellule && m_cellule->isVisible()) m_cellule->Ok();
}

void TScaWin::BasculeCellule() {
  if (m_cellule && m_cellule->isVisible()) HideCellule();
  else ShowCellule();
}

void TScaWin::RelitCellule() {
  if (m_cellule && m_cellule->isVisible()) m_cellule->Relit();
}

}  // namespace kindrela
