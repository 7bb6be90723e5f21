#include "dialogs/state_inputs.h"

namespace strativex {

ViewInputs ViewInputsOf(const AppState& state, const LayerPalette& palette) {
    return ViewInputs{state.model, state.materials, state.prefs.DecimalDigits, palette};
}

ReportInputs ReportInputsOf(const AppState& state, const LayerPalette& palette) {
    return ReportInputs{ViewInputsOf(state, palette), state.prefs, state.ProgramName};
}

}  // namespace strativex
