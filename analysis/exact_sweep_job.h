#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "analysis/job_runner.h"
#include "analysis/sweep_exact_point.h"

namespace strativex {

// One point of a sweep to check: its index and the value the sweep gave it.
struct ExactTarget {
    std::size_t Index = 0;
    float Value = 0.0f;
};

// The job's work: the 3-D check at each target, one after another, each outcome handed to
// checked on the runner's thread as soon as it is known; a cancel ends it after the point
// being checked, which is not handed over.
void CheckSweepPoints(const JobControl& control, const Model& model, const MaterialTable& table,
                      const SweepRequest& request, const std::vector<ExactTarget>& targets,
                      const std::function<void(const ExactPointOutcome&)>& checked);

}  // namespace strativex
