#pragma once

#include <QString>

#include "core/material_table.h"
#include "core/number_format.h"
#include "core/sweep.h"

namespace strativex {

// What the sweep plot reads; it changes none of it.
struct SweepPlotInputs {
    const SweepResult& sweep;
    const MaterialTable& materials;  // the names of a material sweep's points
    const DecimalDigitsTable& digits;
    bool layerTemps = false;  // every layer's top temperature beside the source's
    QString title;            // above the legend; none when empty
};

}  // namespace strativex
