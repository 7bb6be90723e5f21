#include "exact/transient_stepping.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "exact/conductance_operator.h"
#include "exact/conjugate_gradients.h"
#include "exact/line_multigrid.h"
#include "exact/rows_in_body.h"
#include "exact/transient_guess.h"

namespace strativex::exact {
namespace {

// The steps double this many times at most (2^64 times the first step) before giving up.
constexpr int kMaxDoublings = 64;
// Solutions the first guess of a step is combined from: beyond six, the residual it leaves
// hardly shrinks further.
constexpr Eigen::Index kRememberedSolutions = 6;

// Variable-step BDF2: a0 y(n+1) + a1 y(n) + a2 y(n-1) = dt y'(n+1), with ratio the new step
// over the last; ratio 0 is the first step, by backward Euler.
struct Coefficients {
    double A0 = 1.0, A1 = -1.0, A2 = 0.0;
};

Coefficients BackwardDifferences(double ratio) {
    if (ratio <= 0.0) return {};
    return {(1.0 + 2.0 * ratio) / (1.0 + ratio), -(1.0 + ratio), ratio * ratio / (1.0 + ratio)};
}

Eigen::VectorXd InGridOrder(const std::vector<double>& values) {
    return Eigen::Map<const Eigen::VectorXd>(values.data(),
                                             static_cast<Eigen::Index>(values.size()));
}

Conductances Shifted(const HeatBalance& balance, double shift) {
    Conductances shifted = balance.Conductance;
    for (std::size_t c = 0; c < shifted.CellCount(); ++c) {
        shifted.Base[c] += shift * balance.Capacity[c];
    }
    SumDiagonal(shifted);
    return shifted;
}

class Integrator {
public:
    Integrator(const HeatBalance& balance, const TransientOptions& options,
               const std::atomic<bool>* cancel)
        : balance_(balance),
          rows_(FindRowsInBody(balance.Conductance)),
          stiffnessDiagonal_(InGridOrder(balance.Conductance.Diagonal)),
          diagonal_(stiffnessDiagonal_),
          capacity_(InGridOrder(balance.Capacity)),
          heat_(InGridOrder(balance.Heat)),
          current_(Eigen::VectorXd::Zero(heat_.size())),
          previous_(current_),
          guess_(capacity_, kRememberedSolutions),
          tolerance_(options.SolverTolerance),
          maxIterations_(options.Steady.MaxSolverIterations),
          cancel_(cancel) {
        preconditioner_.SetCancelFlag(cancel);
    }

    // Prepares the preconditioner for steps of `dt`.
    void Prepare(double dt) {
        preconditioner_.Build(Shifted(balance_, BackwardDifferences(1.0).A0 / dt));
    }

    SolveStatus Step(double dt) {
        if (cancel_ != nullptr && cancel_->load(std::memory_order_relaxed)) {
            return SolveStatus::Cancelled;
        }
        const double ratio = lastStep_ > 0.0 ? dt / lastStep_ : 0.0;
        const Coefficients k = BackwardDifferences(ratio);
        const double shift = k.A0 / dt;
        diagonal_ = stiffnessDiagonal_ + shift * capacity_;
        const Eigen::VectorXd rhs =
            heat_ - capacity_.cwiseProduct(k.A1 * current_ + k.A2 * previous_) / dt;
        StepGuess::Guess guess = guess_.For(rhs, shift);
        Eigen::VectorXd residual = rhs - guess.Product;
        GradientsOutcome solved;
        try {
            solved = ConjugateGradients(
                [this](const Eigen::VectorXd& in, Eigen::VectorXd& out) {
                    ApplyConductances(balance_.Conductance, rows_, diagonal_.data(), in, out,
                                      &preconditioner_.Cores());
                },
                [this](const Eigen::VectorXd& in, Eigen::VectorXd& out) {
                    preconditioner_.Apply(in, out);
                },
                rhs, guess.Solution, residual, tolerance_, maxIterations_, gradients_,
                &preconditioner_.Cores());
        } catch (const SolveCancelled&) {
            return SolveStatus::Cancelled;
        }
        lastIterations_ = solved.Applications;
        if (!solved.Converged) return SolveStatus::NotConverged;
        previous_ = std::move(current_);
        current_ = std::move(guess.Solution);
        lastStep_ = dt;
        // (G + s C) x = b - r.
        guess_.Remember(current_, rhs - residual - shift * capacity_.cwiseProduct(current_));
        return SolveStatus::Converged;
    }

    // Every cell's rise; `rise` is zero outside the body.
    void RiseInto(std::vector<double>& rise) const {
        std::copy(current_.begin(), current_.end(), rise.begin());
    }
    int LastIterations() const { return lastIterations_; }

private:
    const HeatBalance& balance_;
    RowsInBody rows_;
    // Every vector holds every cell of the grid, zero outside the body.
    Eigen::VectorXd stiffnessDiagonal_, diagonal_, capacity_, heat_, current_, previous_;
    StepGuess guess_;
    GradientsWorkspace gradients_;
    LineMultigrid preconditioner_;
    double tolerance_;
    int maxIterations_;
    double lastStep_ = 0.0;
    int lastIterations_ = 0;
    const std::atomic<bool>* cancel_;
};

}  // namespace

SteppingOutcome StepThrough(const std::vector<HeatBalance>& balances,
                            const TransientOptions& options, const std::atomic<bool>* cancel,
                            const StepObserver& observe) {
    std::vector<std::unique_ptr<Integrator>> integrators;
    for (const HeatBalance& balance : balances) {
        integrators.push_back(std::make_unique<Integrator>(balance, options, cancel));
    }
    std::vector<std::vector<double>> rises;
    for (const HeatBalance& balance : balances) rises.emplace_back(balance.Capacity.size(), 0.0);
    const int perRun = options.StepsPerDoubling;
    // The first run ends on the start time with twice the steps of the others: the first doubled
    // step then lengthens the time reached by the same share as every later run's first step does.
    // Starting with equal steps instead of a few doublings also leaves the early curve closer to
    // the series solutions.
    const int warmUpSteps = 2 * perRun;
    double dt = options.StartTime / warmUpSteps;
    double time = 0.0;
    SteppingOutcome outcome;
    for (int run = 0; run < kMaxDoublings; ++run, dt *= 2.0) {
        for (auto& integrator : integrators) integrator->Prepare(dt);
        const int steps = run == 0 ? warmUpSteps : perRun;
        for (int step = 0; step < steps; ++step) {
            for (std::size_t n = 0; n < integrators.size(); ++n) {
                outcome.Status = integrators[n]->Step(dt);
                outcome.SolverIterations += integrators[n]->LastIterations();
                if (outcome.Status != SolveStatus::Converged) return outcome;
                integrators[n]->RiseInto(rises[n]);
            }
            ++outcome.Steps;
            time += dt;
            if (!observe(time, rises)) return outcome;
        }
    }
    outcome.Status = SolveStatus::NotConverged;
    return outcome;
}

}  // namespace strativex::exact
