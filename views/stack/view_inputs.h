#pragma once

#include <string>

#include "core/material_table.h"
#include "core/model.h"
#include "core/number_format.h"
#include "persistence/preferences.h"
#include "views/exact_check/exact_summary.h"
#include "views/report/transient_summary.h"
#include "views/stack/layer_palette.h"

namespace strativex {

// What the drawings read; they change none of it.
struct ViewInputs {
    const Model& model;
    const MaterialTable& materials;
    const DecimalDigitsTable& digits;
    const LayerPalette& palette;
};

// The printed page adds the user's information lines and the program's name; the details
// page of the PDF adds the 3-D check when there is one.
struct ReportInputs {
    ViewInputs view;
    const Preferences& prefs;
    const std::string& programName;
    const ExactCheckSummary* exact = nullptr;
    // The transient's networks when they were computed for the model as it is.
    const TransientSummary* transient = nullptr;
};

}  // namespace strativex
