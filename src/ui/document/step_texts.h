// What a step of the history did, in words of the editor's language, for the Edit menu's undo
// and redo commands ("Undo Delete Font FSans16").
#pragma once

#include "history/project_history.h"

#include <QString>

namespace kx::ui {

// "Delete Font FSans16", "Move OBHeat", "Edit".
QString StepText(const StepLabel &label);

} // namespace kx::ui
