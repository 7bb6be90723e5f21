#include "exact/conduction_solve.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "exact/conductances.h"
#include "exact/dense_product.h"
#include "exact/grid_solve.h"
#include "exact/line_multigrid.h"
#include "exact/separable_preconditioner.h"
#include "exact/separable_solve.h"

namespace strativex::exact {
namespace {

constexpr double kToleranceShare = 1e-3;
// The first solve under a temperature-dependent conductivity moves the temperatures by far
// more than this leaves unsolved, and the conductivities change with them anyway; the solves
// that settle the iteration are held to the asked tolerance.
constexpr double kLoosestTolerance = 1e-3;
constexpr double kNearlySettled = 10.0;
// A solve this many times finer than wanted costs about one application more; asked for
// instead, it spares the iteration that would only tighten the solve once the changes settle.
constexpr double kNearlyAsked = 4.0;
// Conductivity iterations converging slower than this are only trusted on their last change.
constexpr double kSlowestFactor = 0.5;

// A temperature-dependent conductivity can run away (K falling as T rises faster than the
// spreading makes up for it) until it overflows or vanishes; a vanished K would silently cut
// cells out of the body, so the iteration stops instead.
bool AllUsable(const Grid& grid, const std::vector<double>& conductivity,
               const std::vector<double>& riseK) {
    for (std::size_t c = 0; c < conductivity.size(); ++c) {
        if (!std::isfinite(riseK[c]) || !std::isfinite(conductivity[c])) return false;
    }
    const std::vector<RowCorner> corners = BodyCorners(grid);
    for (int i = 0; i < grid.Nx(); ++i) {
        for (int j = 0; j < grid.Ny(); ++j) {
            const std::size_t column = grid.Index(i, j, 0);
            for (std::size_t l = 0; l < corners.size(); ++l) {
                if (corners[l].Holds(i, j) && !(conductivity[column + l] > 0.0)) return false;
            }
        }
    }
    return true;
}

// The direct solve of the filled grid is tried first where the layers do not all cover the
// grid, up to transforms of this many products per cell: as much as a multigrid cycle costs
// at about Nx + Ny = 80 with the portable product, while on graded grids it needs far fewer
// applications (three-layer die: 6 against 11 on the fine grid). Costlier grids go to the
// multigrid, whose cycle costs a cell the same whatever the grid's size.
constexpr double kMostFilledProducts = 160.0;
// The wide-vector kernel does the products about this many times as fast: filled, the
// ten-layer and three-layer stacks at up to twice their fineness (170 to 190 products per
// cell) took half the multigrid's time or less.
constexpr double kWideProductGain = 2.5;
// Where a narrow layer conducts far better than what lies beside it, filling its row lets heat
// spread where the body cannot, and the filled grid's solve creeps or stalls. A solve that has
// not converged after this many applications gives way to the multigrid.
constexpr int kMostFilledApplications = 10;
// A solve of at least this many applications, each leaving more than this share of the
// residual, did no better than multigrid cycles would have: the multigrid takes the grid's
// remaining solves. Each application leaves 0.02 to 0.33 of the residual on the bench
// stacks, 0.4 to 0.65 on the stacks where filling misleads.
constexpr int kJudgedApplications = 4;
constexpr double kSlowestFilledRate = 0.4;

bool TooSlow(const LinearStep& step) {
    if (step.Status == SolveStatus::NotConverged) return true;
    return step.Iterations >= kJudgedApplications &&
           std::pow(step.Reduction, 1.0 / step.Iterations) > kSlowestFilledRate;
}

// Whether the direct solve of the filled grid is worth a try on `grid`.
bool WorthFilling(const Grid& grid) {
    const double most = kMostFilledProducts * (MultipliesWide() ? kWideProductGain : 1.0);
    return !IsSeparable(grid) && TransformProductsPerCell(grid) <= most;
}

// The linear solves of one grid's conductivity iterations. Rebuilding the multigrid levels
// for every new set of conductivities costs more than the few extra conjugate-gradient
// iterations that the levels of the first set cost later on: K(T) moves the conductances by
// tens of percent at most, which the preconditioner tolerates.
class LinearSolves {
public:
    // `varyingRows` marks the rows of cells whose conductivity depends on the temperature.
    LinearSolves(const Grid& grid, const ExactOptions& options, const SolveHooks& hooks,
                 std::vector<bool> varyingRows)
        : separable_(hooks.Cancel),
          varyingRows_(std::move(varyingRows)),
          maxIterations_(options.MaxSolverIterations),
          fillFirst_(hooks.TryFilledGrid && WorthFilling(grid)) {
        multigrid_.SetCancelFlag(hooks.Cancel);
    }

    bool FilledGridTooSlow() const { return tooSlow_; }

    // One linear solve at fixed conductivities, from `rise` and into it.
    LinearStep Solve(const Grid& grid, const std::vector<double>& conductivity,
                     const std::vector<double>& heat, double tolerance, std::vector<double>& rise) {
        Assemble(grid, conductivity);
        // Where every layer covers the same lateral domain, the operator with one
        // conductivity per row has a direct solve, which preconditions far better than the
        // multigrid.
        if (IsSeparable(grid)) {
            return separable_.Solve(grid, conductances_, conductivity, heat, tolerance,
                                    maxIterations_, rise);
        }
        int triedFilled = 0;
        if (fillFirst_) {
            const LinearStep step =
                separable_.Solve(grid, conductances_, conductivity, heat, tolerance,
                                 std::min(kMostFilledApplications, maxIterations_), rise);
            if (TooSlow(step)) {
                fillFirst_ = false;
                tooSlow_ = true;
            }
            if (step.Status != SolveStatus::NotConverged) return step;
            triedFilled = step.Iterations;
        }
        if (!multigridBuilt_) {
            multigrid_.Build(conductances_);
            multigridBuilt_ = true;
        }
        LinearStep step = SolveOnGrid(conductances_, multigrid_, heat, tolerance, maxIterations_,
                                      rise, workspace_);
        step.Iterations += triedFilled;
        return step;
    }

private:
    void Assemble(const Grid& grid, const std::vector<double>& conductivity) {
        // The cores of the solve that follows, already awake.
        CorePair& cores = IsSeparable(grid) || fillFirst_ ? separable_.Cores() : multigrid_.Cores();
        if (assembled_) {
            ReassembleConductances(grid, conductivity, varyingRows_, conductances_, &cores);
        } else {
            AssembleConductances(grid, conductivity, conductances_, &cores);
            assembled_ = true;
        }
    }

    SeparableSolves separable_;
    std::vector<bool> varyingRows_;
    Conductances conductances_;
    LineMultigrid multigrid_;
    GridSolveWorkspace workspace_;
    int maxIterations_;
    bool fillFirst_;
    bool tooSlow_ = false;
    bool assembled_ = false;
    bool multigridBuilt_ = false;
};

// Early conductivity iterations move temperatures by far more than a loose linear solve gets
// wrong, so each solve only needs to be a little finer than the change the last one made. Once
// the changes near the tolerance, the solve is as fine as asked, so that the iteration that
// meets the tolerance can be the last.
double ToleranceAfter(double change, const std::vector<double>& rise, const ExactOptions& options) {
    if (change < kNearlySettled * options.TemperatureTolerance) return options.SolverTolerance;
    const double largest = *std::max_element(rise.begin(), rise.end());
    const double wanted = kToleranceShare * change / largest;
    if (wanted < kNearlyAsked * options.SolverTolerance) return options.SolverTolerance;
    return std::clamp(wanted, options.SolverTolerance, kLoosestTolerance);
}

// How far the temperatures still are from where the iteration leads, from its last two
// changes: each change shrinks by about the same factor, so what is left is a geometric
// series. Where that factor is not clearly below 1 the last change itself stands in, as it did
// before; where the iteration converges fast this spares the solve that would only confirm it.
double RemainingChange(double change, double previousChange) {
    const double factor = change / previousChange;
    if (!(factor < kSlowestFactor)) return change;
    return change * factor / (1.0 - factor);
}

std::vector<bool> VaryingRows(const Grid& grid, const Stack& stack) {
    std::vector<bool> rows(static_cast<std::size_t>(grid.Nz()));
    for (std::size_t l = 0; l < rows.size(); ++l) {
        rows[l] = stack.Layers[static_cast<std::size_t>(grid.LayerOfRow[l])].B != 0.0;
    }
    return rows;
}

// A NaN anywhere makes the change NaN, never passed over as "no change".
double LargestChange(const std::vector<double>& before, const std::vector<double>& after) {
    double change = 0.0;
    bool unknown = false;
    for (std::size_t c = 0; c < before.size(); ++c) {
        const double difference = std::fabs(after[c] - before[c]);
        change = std::max(change, difference);
        unknown |= std::isnan(difference);
    }
    return unknown ? std::numeric_limits<double>::quiet_NaN() : change;
}

}  // namespace

std::vector<double> CellConductivity(const Grid& grid, const Stack& stack,
                                     const std::vector<double>& riseK) {
    std::vector<double> conductivity(grid.CellCount(), 0.0);
    const std::vector<RowCorner> corners = BodyCorners(grid);
    std::vector<const StackLayer*> layers(corners.size());
    for (std::size_t l = 0; l < corners.size(); ++l) {
        layers[l] = &stack.Layers[static_cast<std::size_t>(grid.LayerOfRow[l])];
    }
    for (int i = 0; i < grid.Nx(); ++i) {
        for (int j = 0; j < grid.Ny(); ++j) {
            const std::size_t column = grid.Index(i, j, 0);
            for (std::size_t l = 0; l < corners.size(); ++l) {
                if (!corners[l].Holds(i, j)) continue;
                const StackLayer& layer = *layers[l];
                // A layer of constant conductivity needs no power of its temperature, and
                // most layers are of one.
                conductivity[column + l] =
                    layer.B == 0.0 ? layer.A
                                   : layer.Conductivity(stack.BaseTempK + riseK[column + l]);
            }
        }
    }
    return conductivity;
}

GridSolution SolveConduction(const Grid& grid, const Stack& stack, const ExactOptions& options,
                             std::vector<double> initialRise, const SolveHooks& hooks) {
    GridSolution solution;
    solution.RiseK =
        initialRise.empty() ? std::vector<double>(grid.CellCount(), 0.0) : std::move(initialRise);
    const std::vector<double> heat = SourceHeat(grid, stack.Power);
    // Constant conductivities settle in one solve; a second would only repeat it.
    const bool constant = std::all_of(stack.Layers.begin(), stack.Layers.end(),
                                      [](const StackLayer& layer) { return layer.B == 0.0; });
    double tolerance = constant ? options.SolverTolerance : kLoosestTolerance;
    LinearSolves solves(grid, options, hooks, VaryingRows(grid, stack));
    double previousChange = std::numeric_limits<double>::infinity();
    for (int iteration = 1; iteration <= options.MaxConductivityIterations; ++iteration) {
        const std::vector<double> conductivity = CellConductivity(grid, stack, solution.RiseK);
        if (!AllUsable(grid, conductivity, solution.RiseK)) break;
        const std::vector<double> before = solution.RiseK;
        const LinearStep step = solves.Solve(grid, conductivity, heat, tolerance, solution.RiseK);
        solution.SolverIterations += step.Iterations;
        solution.ConductivityIterations = iteration;
        solution.FilledGridTooSlow = solves.FilledGridTooSlow();
        if (step.Status != SolveStatus::Converged) {
            solution.Status = step.Status;
            return solution;
        }
        const double change = LargestChange(before, solution.RiseK);
        if (hooks.Iteration) hooks.Iteration(iteration, change);
        if (!std::isfinite(change)) break;
        const bool settled =
            constant || RemainingChange(change, previousChange) < options.TemperatureTolerance;
        previousChange = change;
        if (settled && tolerance <= options.SolverTolerance) {
            solution.Status = SolveStatus::Converged;
            break;
        }
        tolerance = ToleranceAfter(change, solution.RiseK, options);
    }
    if (solution.Status == SolveStatus::Converged) {
        solution.Conductivity = CellConductivity(grid, stack, solution.RiseK);
        if (!AllUsable(grid, solution.Conductivity, solution.RiseK)) {
            solution.Status = SolveStatus::NotConverged;
        }
    }
    return solution;
}

}  // namespace strativex::exact
