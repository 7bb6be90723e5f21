#include <algorithm>
#include <chrono>
#include <cmath>
#include <sstream>

#include "exact/conduction_solve.h"
#include "exact/refinement.h"
#include "exact/richardson.h"
#include "exact/transient_check.h"
#include "exact/transient_grid.h"
#include "exact/transient_measures.h"
#include "exact/transient_stepping.h"

namespace strativex::exact {
namespace {

constexpr double kCm3PerM3 = 1e6;
// Shares of the progress bar: the steady solution, then the time steps.
constexpr double kCoarseSteadyEnd = 0.05;
constexpr double kSteadyEnd = 0.2;
// A step lands on the start time up to the rounding of the summed steps.
constexpr double kStartSlack = 1e-9;

void Report(const CheckHooks& hooks, double fraction, std::string_view stage) {
    if (hooks.Progress) hooks.Progress(fraction, stage);
}

TransientResult Stopped(SolveStatus status, std::string_view what) {
    TransientResult result;
    if (status == SolveStatus::Cancelled) {
        result.Status = TransientStatus::Cancelled;
        result.Message = "The transient was cancelled.";
    } else {
        result.Status = TransientStatus::NotConverged;
        result.Message = "The transient has no result: " + std::string(what);
    }
    return result;
}

std::string UnusableCapacity(const std::vector<double>& heatCapacity, std::size_t layers) {
    if (heatCapacity.size() != layers) {
        std::ostringstream text;
        text << "The stack has " << layers << " layers but " << heatCapacity.size()
             << " heat capacities.";
        return text.str();
    }
    for (std::size_t n = 0; n < layers; ++n) {
        if (std::isfinite(heatCapacity[n]) && heatCapacity[n] > 0.0) continue;
        std::ostringstream text;
        text << "Layer " << n + 1 << " has a heat capacity of " << heatCapacity[n]
             << " J/m3-K, which is not a positive number.";
        return text.str();
    }
    return {};
}

std::string UnusableOptions(const TransientOptions& options) {
    std::ostringstream text;
    if (!(std::isfinite(options.StartTime) && options.StartTime > 0.0)) {
        text << "The start time of the transient, " << options.StartTime
             << " s, is not a positive number.";
    } else if (!(options.SettledShare > 0.0 && options.SettledShare < 1.0)) {
        text << "The settling share of the transient, " << options.SettledShare
             << ", is not between 0 and 1.";
    } else if (options.StepsPerDoubling < 1) {
        text << "The steps per doubling of the transient, " << options.StepsPerDoubling
             << ", are fewer than one.";
    }
    return text.str();
}

std::vector<double> CellCapacity(const Grid& grid, const std::vector<double>& perCm3,
                                 const std::vector<double>& conductivity) {
    std::vector<double> capacity(grid.CellCount(), 0.0);
    for (int i = 0; i < grid.Nx(); ++i) {
        for (int j = 0; j < grid.Ny(); ++j) {
            for (int l = 0; l < grid.Nz(); ++l) {
                const std::size_t c = grid.Index(i, j, l);
                if (conductivity[c] <= 0.0) continue;
                capacity[c] = perCm3[static_cast<std::size_t>(grid.LayerOfRow[l])] *
                              (grid.X[i + 1] - grid.X[i]) * (grid.Y[j + 1] - grid.Y[j]) *
                              (grid.Z[l + 1] - grid.Z[l]);
            }
        }
    }
    return capacity;
}

SolveHooks SteadyHooks(const CheckHooks& hooks, double from, double to) {
    SolveHooks steadyHooks;
    steadyHooks.Cancel = hooks.Cancel;
    if (hooks.Progress) {
        steadyHooks.Iteration = [&hooks, from, to](int iteration, double) {
            hooks.Progress(to - (to - from) * std::pow(0.5, iteration), "Steady state");
        };
    }
    return steadyHooks;
}

// One grid's part of the problem: its heat balance at the steady conductivities and where
// the source face lies on it.
struct GridProblem {
    HeatBalance Balance;
    SourceFace Face;
    FaceRise Steady;
};

GridProblem ProblemOn(const Grid& grid, const Stack& stack, const std::vector<double>& perCm3,
                      const GridSolution& steady) {
    GridProblem problem{
        {AssembleConductances(grid, steady.Conductivity),
         CellCapacity(grid, perCm3, steady.Conductivity), SourceHeat(grid, stack.Power)},
        SourceFaceOf(grid, steady.Conductivity, stack.Power),
        {}};
    problem.Steady = MeasureFace(problem.Face, steady.RiseK);
    return problem;
}

struct Steadies {
    SolveStatus Status = SolveStatus::NotConverged;
    GridSolution Fine, Coarse;
};

// The coarse grid first: its solution starts the fine grid's conductivity iteration.
Steadies SolveSteadies(const Grid& fine, const Grid& coarse, const Stack& stack,
                       const TransientOptions& options, const CheckHooks& hooks) {
    Steadies steadies;
    steadies.Coarse = SolveConduction(coarse, stack, options.Steady, {},
                                      SteadyHooks(hooks, 0.0, kCoarseSteadyEnd));
    steadies.Status = steadies.Coarse.Status;
    if (steadies.Status != SolveStatus::Converged) return steadies;
    SolveHooks fineHooks = SteadyHooks(hooks, kCoarseSteadyEnd, kSteadyEnd);
    fineHooks.TryFilledGrid = !steadies.Coarse.FilledGridTooSlow;
    steadies.Fine = SolveConduction(fine, stack, options.Steady,
                                    Refined(coarse, fine, steadies.Coarse.RiseK), fineHooks);
    steadies.Status = steadies.Fine.Status;
    return steadies;
}

// Records the curve from the start time, extrapolated from the two grids, and says when it
// has settled.
class CurveRecorder {
public:
    CurveRecorder(const GridProblem& fine, const GridProblem& coarse, double power,
                  const TransientOptions& options, const CheckHooks& hooks, TransientResult& result)
        : fine_(fine),
          coarse_(coarse),
          steadyAverage_(Richardson(fine.Steady.Average, coarse.Steady.Average)),
          steadyPeak_(Richardson(fine.Steady.Peak, coarse.Steady.Peak)),
          power_(power),
          options_(options),
          hooks_(hooks),
          result_(result) {
        result_.SteadyZthAverage = steadyAverage_.Value / power;
        result_.SteadyZthPeak = steadyPeak_.Value / power;
        NoteError(steadyAverage_);
    }

    bool Record(double time, const std::vector<std::vector<double>>& riseK) {
        if (time < options_.StartTime * (1.0 - kStartSlack)) return true;
        const FaceRise fine = MeasureFace(fine_.Face, riseK[0]);
        const FaceRise coarse = MeasureFace(coarse_.Face, riseK[1]);
        const Extrapolated average = Richardson(fine.Average, coarse.Average);
        const Extrapolated peak = Richardson(fine.Peak, coarse.Peak);
        NoteError(average);
        result_.TimeS.push_back(time);
        result_.ZthAverage.push_back(average.Value / power_);
        result_.ZthPeak.push_back(peak.Value / power_);
        result_.StoredJ.push_back(StoredHeat(fine_.Balance.Capacity, riseK[0]));
        result_.BaseFlowW.push_back(BaseFlow(fine_.Balance.Conductance, riseK[0]));
        const double share =
            std::min(average.Value / steadyAverage_.Value, peak.Value / steadyPeak_.Value);
        progress_ = std::max(progress_, kSteadyEnd + (1.0 - kSteadyEnd) * std::min(share, 1.0));
        Report(hooks_, progress_, "Time steps");
        return !(Settled(average.Value, steadyAverage_.Value) &&
                 Settled(peak.Value, steadyPeak_.Value));
    }

private:
    bool Settled(double rise, double steady) const {
        return std::fabs(rise - steady) <= options_.SettledShare * steady;
    }

    void NoteError(const Extrapolated& rise) {
        result_.ErrorPercent =
            std::max(result_.ErrorPercent, 100.0 * rise.ErrorEstimate / rise.Value);
    }

    const GridProblem& fine_;
    const GridProblem& coarse_;
    Extrapolated steadyAverage_, steadyPeak_;
    double power_;
    const TransientOptions& options_;
    const CheckHooks& hooks_;
    TransientResult& result_;
    double progress_ = kSteadyEnd;
};

}  // namespace

TransientResult SolveTransient(const Stack& stack, const std::vector<double>& heatCapacity,
                               const TransientOptions& options, const CheckHooks& hooks) {
    const auto started = std::chrono::steady_clock::now();
    std::string problem = UnusableOptions(options);
    if (problem.empty()) problem = UnusableCapacity(heatCapacity, stack.Layers.size());
    if (!problem.empty()) {
        TransientResult result;
        result.Message = problem;
        return result;
    }
    std::vector<double> perCm3;
    for (const double value : heatCapacity) perCm3.push_back(value / kCm3PerM3);
    Report(hooks, 0.0, "Steady state");
    const Grid fine = TransientGrid(stack, perCm3, options);
    const Grid coarse = HalvedGrid(fine);
    const Steadies steadies = SolveSteadies(fine, coarse, stack, options, hooks);
    if (steadies.Status != SolveStatus::Converged) {
        return Stopped(steadies.Status, "the temperature-dependent conductivity did not settle.");
    }
    std::vector<GridProblem> problems{ProblemOn(fine, stack, perCm3, steadies.Fine),
                                      ProblemOn(coarse, stack, perCm3, steadies.Coarse)};
    TransientResult result;
    CurveRecorder recorder(problems[0], problems[1], stack.Power, options, hooks, result);
    const SteppingOutcome outcome =
        StepThrough({problems[0].Balance, problems[1].Balance}, options, hooks.Cancel,
                    [&recorder](double time, const std::vector<std::vector<double>>& riseK) {
                        return recorder.Record(time, riseK);
                    });
    if (outcome.Status != SolveStatus::Converged) {
        return Stopped(outcome.Status, "the time steps did not settle on the steady rise.");
    }
    result.Status = TransientStatus::Ok;
    result.Cells = fine.CellCount();
    result.Steps = outcome.Steps;
    result.SolverIterations = steadies.Fine.SolverIterations + steadies.Coarse.SolverIterations +
                              outcome.SolverIterations;
    result.Seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    Report(hooks, 1.0, "Done");
    return result;
}

}  // namespace strativex::exact
