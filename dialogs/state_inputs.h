#pragma once

#include "persistence/app_state.h"
#include "views/stack/layer_palette.h"
#include "views/stack/view_inputs.h"

namespace strativex {

// What the drawings read of the program's state, for the windows that hold it.
ViewInputs ViewInputsOf(const AppState& state, const LayerPalette& palette);
ReportInputs ReportInputsOf(const AppState& state, const LayerPalette& palette);

}  // namespace strativex
