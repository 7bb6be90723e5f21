#pragma once

#include <Eigen/SparseCore>

#include "exact/line_multigrid.h"

namespace strativex::exact {

struct GradientsOutcome {
    bool Converged = false;
    int Iterations = 0;  // counted as Eigen's conjugate gradients count them
};

// Preconditioned conjugate gradients for a time step's symmetric system A x = b, from the guess
// in `x` with its residual b - A x in `residual`, as the caller often knows it without a product
// with A. Stops once the residual is below `tolerance` times b, leaving the solution in `x` and
// its residual in `residual`: a caller remembering A x takes it from there too. Lets the
// preconditioner's SolveCancelled through.
GradientsOutcome ConjugateGradients(const Eigen::SparseMatrix<double>& a,
                                    const LineMultigrid& preconditioner, const Eigen::VectorXd& b,
                                    Eigen::VectorXd& x, Eigen::VectorXd& residual, double tolerance,
                                    int maxIterations);

}  // namespace strativex::exact
