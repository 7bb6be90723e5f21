#pragma once

#include <atomic>
#include <functional>
#include <vector>

#include "exact/conductances.h"
#include "exact/conduction_solve.h"
#include "exact/transient_options.h"

namespace strativex::exact {

// The heat balance of every cell, C dT/dt + G T = q, at fixed conductivities.
struct HeatBalance {
    Conductances Conductance;      // G, the base included
    std::vector<double> Capacity;  // C per cell, J/K; 0 outside the body
    std::vector<double> Heat;      // q per cell, W
};

// Called after every step with the time and, for every balance, every cell's rise above the
// base; returns whether to go on.
using StepObserver =
    std::function<bool(double timeS, const std::vector<std::vector<double>>& riseK)>;

struct SteppingOutcome {
    SolveStatus Status = SolveStatus::NotConverged;
    int Steps = 0;
    int SolverIterations = 0;
};

// Integrates the balances (of one stack on several grids) side by side from rest by the
// second-order backward differences (BDF2) with variable steps, the first step by backward Euler:
// both damp the stiff modes the sudden power step excites instead of letting them ring. The step is
// held for options.StepsPerDoubling steps and then doubled, so that each run of steps shares one
// preconditioner: LineMultigrid built on G with C times the BDF2 coefficient
// over the step added as a conductance to the base (the shift is a diagonal term, so the
// multigrid's coarsening sums it as it sums the base). A first run of equal steps ends on
// options.StartTime. Stops when the observer says so
// (Converged), when cancelled, or NotConverged when a solve fails or the steps run out.
SteppingOutcome StepThrough(const std::vector<HeatBalance>& balances,
                            const TransientOptions& options, const std::atomic<bool>* cancel,
                            const StepObserver& observe);

}  // namespace strativex::exact
