#include "exact/transient_conjugate_gradients.h"

#include <algorithm>
#include <limits>

namespace strativex::exact {

GradientsOutcome ConjugateGradients(const Eigen::SparseMatrix<double>& a,
                                    const LineMultigrid& preconditioner, const Eigen::VectorXd& b,
                                    Eigen::VectorXd& x, Eigen::VectorXd& residual, double tolerance,
                                    int maxIterations) {
    GradientsOutcome outcome;
    const double threshold =
        std::max(tolerance * tolerance * b.squaredNorm(), std::numeric_limits<double>::min());
    double residualNorm2 = residual.squaredNorm();
    if (residualNorm2 < threshold) {
        outcome.Converged = true;
        return outcome;
    }
    Eigen::VectorXd direction = preconditioner.solve(residual);
    Eigen::VectorXd product(x.size());
    double absolute = residual.dot(direction);
    while (outcome.Iterations < maxIterations) {
        // A is symmetric: its rows are its columns, and a row-wise product gathers instead of
        // scattering.
        product.noalias() = a.transpose() * direction;
        const double alpha = absolute / direction.dot(product);
        x += alpha * direction;
        residual -= alpha * product;
        residualNorm2 = residual.squaredNorm();
        if (residualNorm2 < threshold) break;
        const Eigen::VectorXd preconditioned = preconditioner.solve(residual);
        const double previous = absolute;
        absolute = residual.dot(preconditioned);
        direction = preconditioned + (absolute / previous) * direction;
        ++outcome.Iterations;
    }
    outcome.Converged = residualNorm2 < threshold && x.allFinite();
    return outcome;
}

}  // namespace strativex::exact
