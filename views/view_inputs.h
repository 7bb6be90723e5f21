#pragma once

#include <string>

#include "core/material_table.h"
#include "core/model.h"
#include "core/number_format.h"
#include "persistence/app_state.h"
#include "persistence/preferences.h"
#include "views/layer_palette.h"

namespace strativex {

// What the drawings read; they change none of it.
struct ViewInputs {
    const Model& model;
    const MaterialTable& materials;
    const DecimalDigitsTable& digits;
    const LayerPalette& palette;
};

// The printed page adds the user's information lines and the program's name.
struct ReportInputs {
    ViewInputs view;
    const Preferences& prefs;
    const std::string& programName;
};

ViewInputs ViewInputsOf(const AppState& state, const LayerPalette& palette);
ReportInputs ReportInputsOf(const AppState& state, const LayerPalette& palette);

}  // namespace strativex
