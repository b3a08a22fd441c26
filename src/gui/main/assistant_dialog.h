// The new-tree assistant: seven persons (the user, parents, grandparents)
// typed in one grid.
#pragma once

#include <array>

#include "app/main_commands.h"

class QWidget;

namespace kindrela {

class TTraduction;

// Shows the assistant; true on OK with `personnes` filled in slot order
// (0 the person, 1 father, 2 mother, 3-4 the father's parents, 5-6 the
// mother's parents).
bool DialogueAssistant(QWidget* parent, const TTraduction& traduction,
                       std::array<TPersonneAssistant, 7>& personnes);

}  // namespace kindrela
