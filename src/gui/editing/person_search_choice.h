// One person chosen with the person search window, for the windows that
// need a person (merging, sources...): shown modally in selection mode.
#pragma once

class QWidget;

namespace kindrela {

struct TApplication;

// The search "Recherche d'une fiche" starting on person `depart` (0: none);
// the chosen person's record number, 0 when cancelled. Nothing is linked
// and the main window's selection is left alone. `app` must hold the tree.
int ChoisitPersonne(QWidget* parent, TApplication& app, int depart = 0);

}  // namespace kindrela
