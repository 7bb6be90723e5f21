#pragma once

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

#include "core/material_table.h"
#include "core/number_format.h"
#include "core/sweep.h"

namespace strativex {

// The 3-D check at one of the sweep's points: its average and peak source temperature in
// degrees C, nothing where the check found no result.
struct SweepExactPoint {
    std::size_t Index = 0;
    std::optional<double> AverageC;
    std::optional<double> PeakC;
};

// What the sweep plot reads; it changes none of it.
struct SweepPlotInputs {
    const SweepResult& sweep;
    const MaterialTable& materials;  // the names of a material sweep's points
    const DecimalDigitsTable& digits;
    bool layerTemps = false;  // every layer's top temperature beside the source's
    QString title;            // above the legend; none when empty
    // The 3-D check's points in the order of the sweep's, at some or all of them; none drawn
    // when null.
    const std::vector<SweepExactPoint>* exact = nullptr;
};

}  // namespace strativex
