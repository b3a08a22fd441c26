#include "gui/editing/person_search_choice.h"

#include "gui/editing/person_search.h"

namespace kindrela {

int ChoisitPersonne(QWidget* parent, TApplication& app, int depart) {
  TfmRechFiche dialogue(app, {}, parent);
  return dialogue.Recherche(ModeRecherche::Selection, 0, depart);
}

}  // namespace kindrela
