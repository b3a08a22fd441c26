// Questions a save asks before writing.
#pragma once

#include "core/tree_file/tree_file_writer.h"

class QWidget;

namespace kindrela {

class TTraduction;

// Shows what the tree file would cut (ValeursCoupees) and asks whether to
// save anyway; only Yes saves.
ConfirmeCoupures QuestionCoupures(QWidget* parent, const TTraduction& traduction);

}  // namespace kindrela
