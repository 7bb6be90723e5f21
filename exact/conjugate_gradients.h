#pragma once

#include <Eigen/Core>
#include <algorithm>
#include <cmath>
#include <limits>

#include "exact/block_loops.h"
#include "exact/core_pair.h"

namespace strativex::exact {

struct GradientsOutcome {
    bool Converged = false;
    // The preconditioner's applications: the steps the solve took, none where the guess met
    // the tolerance already.
    int Applications = 0;
    // The residual's norm at the end over its norm at the start.
    double Reduction = 1.0;
};

// The vectors the iteration works in, kept by a caller that solves again and again: fresh
// ones of a large grid cost a page fault every 4 kB.
struct GradientsWorkspace {
    Eigen::VectorXd Preconditioned, Applied, Direction;
};

// Preconditioned conjugate gradients for a symmetric positive definite system A x = b, from
// the guess in `x` with its residual b - A x in `residual` (a caller often knows it without a
// product with A). `product(in, out)` sets out = A in; `precondition(in, out)` applies a fixed
// symmetric positive definite approximation of A's inverse. Stops once the residual is below
// `tolerance` times b, leaving the solution in `x` and its residual in `residual`. Lets what
// the preconditioner throws (a cancelled solve) through. With `cores`, the loops over the
// vectors are shared between them; the residual's norm is summed block by block right after
// the block's update, while it is still in the cache.
template <typename Product, typename Precondition>
GradientsOutcome ConjugateGradients(const Product& product, const Precondition& precondition,
                                    const Eigen::VectorXd& b, Eigen::VectorXd& x,
                                    Eigen::VectorXd& residual, double tolerance, int maxIterations,
                                    GradientsWorkspace& work, CorePair* cores = nullptr) {
    GradientsOutcome outcome;
    const double threshold =
        std::max(tolerance * tolerance * b.squaredNorm(), std::numeric_limits<double>::min());
    double residualNorm2 = residual.squaredNorm();
    const double startNorm2 = residualNorm2;
    if (residualNorm2 < threshold) {
        outcome.Converged = x.allFinite();
        return outcome;
    }
    Eigen::VectorXd& preconditioned = work.Preconditioned;
    Eigen::VectorXd& applied = work.Applied;
    Eigen::VectorXd& direction = work.Direction;
    preconditioned.resize(x.size());
    applied.resize(x.size());
    const auto dot = [cores](const Eigen::VectorXd& u, const Eigen::VectorXd& v) {
        return SumOverBlocks(cores, u.size(), [&](Eigen::Index begin, Eigen::Index count) {
            return u.segment(begin, count).dot(v.segment(begin, count));
        });
    };
    precondition(residual, preconditioned);
    ++outcome.Applications;
    direction = preconditioned;
    double absolute = dot(residual, preconditioned);
    for (int iteration = 0; iteration < maxIterations; ++iteration) {
        product(direction, applied);
        const double alpha = absolute / dot(direction, applied);
        residualNorm2 = SumOverBlocks(cores, x.size(), [&](Eigen::Index begin, Eigen::Index count) {
            x.segment(begin, count) += alpha * direction.segment(begin, count);
            auto r = residual.segment(begin, count);
            r -= alpha * applied.segment(begin, count);
            return r.squaredNorm();
        });
        if (residualNorm2 < threshold) break;
        precondition(residual, preconditioned);
        ++outcome.Applications;
        const double previous = absolute;
        absolute = dot(residual, preconditioned);
        const double beta = absolute / previous;
        ForEachBlock(cores, x.size(), [&](std::size_t, Eigen::Index begin, Eigen::Index count) {
            auto d = direction.segment(begin, count);
            d = preconditioned.segment(begin, count) + beta * d;
        });
    }
    outcome.Converged = residualNorm2 < threshold && x.allFinite();
    outcome.Reduction = std::sqrt(residualNorm2 / startNorm2);
    return outcome;
}

}  // namespace strativex::exact
