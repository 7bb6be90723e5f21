#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/material_table.h"
#include "core/model.h"
#include "core/sweep.h"
#include "exact/exact_check.h"
#include "views/plot/plot_inputs.h"

// The 3-D check beside a sweep: at a few of its points, each a model of its own.
namespace strativex {

// The points that get the check: count of them spread evenly over the sweep, both ends
// included; every point when there are no more than count.
std::vector<std::size_t> ExactPointIndices(std::size_t pointCount, int count);

struct ExactPointOutcome {
    SweepExactPoint Point;
    exact::ExactStatus Status = exact::ExactStatus::NotAvailable;
    std::string Message;  // why there is no result
};

// The check of the model with the point's value stored as the sweep stores it, on the base
// the options give; the model is not changed.
ExactPointOutcome CheckSweepPoint(const Model& model, const MaterialTable& table,
                                  const SweepRequest& request, std::size_t index, float value,
                                  const exact::CheckHooks& hooks = {},
                                  const exact::ExactOptions& options = {});

}  // namespace strativex
