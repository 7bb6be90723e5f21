#pragma once

#include <Eigen/Core>
#include <vector>

#include "exact/conductance_operator.h"
#include "exact/conductances.h"
#include "exact/conduction_solve.h"
#include "exact/conjugate_gradients.h"
#include "exact/line_multigrid.h"
#include "exact/rows_in_body.h"

namespace strativex::exact {

// What one linear solve at fixed conductivities came to, and the preconditioner applications
// it took.
struct LinearStep {
    SolveStatus Status = SolveStatus::Converged;
    int Iterations = 0;
    // The residual's norm at the end over its norm at the start.
    double Reduction = 1.0;
};

// What a solve works in, kept from one conductivity iteration to the next.
struct GridSolveWorkspace {
    Eigen::VectorXd Heat, Solution, Residual;
    GradientsWorkspace Gradients;
};

// Conjugate gradients on the operator of the conductances `g`, from `rise` and into it, every
// vector in grid order. `preconditioner.Apply(residual, correction)` is the preconditioner.
template <typename Preconditioner>
LinearStep SolveOnGrid(const Conductances& g, const Preconditioner& preconditioner,
                       const std::vector<double>& heat, double tolerance, int maxIterations,
                       std::vector<double>& rise, GridSolveWorkspace& work) {
    const auto cells = static_cast<Eigen::Index>(rise.size());
    Eigen::VectorXd& b = work.Heat;
    b = Eigen::Map<const Eigen::VectorXd>(heat.data(), cells);
    Eigen::Map<Eigen::VectorXd> solution(rise.data(), cells);
    Eigen::VectorXd& x = work.Solution;
    x = solution;
    const RowsInBody rows = FindRowsInBody(g);
    CorePair* cores = nullptr;
    if constexpr (requires { preconditioner.Cores(); }) cores = &preconditioner.Cores();
    const auto product = [&g, &rows, cores](const Eigen::VectorXd& in, Eigen::VectorXd& out) {
        ApplyConductances(g, rows, g.Diagonal.data(), in, out, cores);
    };
    Eigen::VectorXd& residual = work.Residual;
    residual.resize(cells);
    product(x, residual);
    residual = b - residual;
    GradientsOutcome outcome;
    try {
        outcome = ConjugateGradients(
            product,
            [&preconditioner](const Eigen::VectorXd& in, Eigen::VectorXd& out) {
                preconditioner.Apply(in, out);
            },
            b, x, residual, tolerance, maxIterations, work.Gradients, cores);
    } catch (const SolveCancelled&) {
        return {SolveStatus::Cancelled, 0};
    }
    if (!outcome.Converged) {
        return {SolveStatus::NotConverged, outcome.Applications, outcome.Reduction};
    }
    solution = x;
    return {SolveStatus::Converged, outcome.Applications, outcome.Reduction};
}

}  // namespace strativex::exact
