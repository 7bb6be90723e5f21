#pragma once

#include <string>
#include <vector>

#include "analysis/sweep_exact_point.h"
#include "core/material_table.h"
#include "core/sweep.h"
#include "views/plot/plot_inputs.h"

namespace strativex {

// What the sweep window shows: the sweep as it ran, the materials it named then (the table may
// change later), and the 3-D check's points as they arrive.
struct SweepShown {
    SweepResult Sweep;
    MaterialTable Materials;
    bool ExactAsked = false;
    std::vector<SweepExactPoint> ExactPoints;  // in the order of the sweep's points
    std::vector<std::string> ExactNotes;       // beside each: why it has no result

    void AddExact(const ExactPointOutcome& outcome) {
        ExactPoints.push_back(outcome.Point);
        ExactNotes.push_back(outcome.Message);
    }
};

}  // namespace strativex
