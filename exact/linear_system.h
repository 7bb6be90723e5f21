#pragma once

#include <Eigen/SparseCore>
#include <span>
#include <vector>

#include "exact/conductances.h"

namespace strativex::exact {

// The cells inside the body, numbered in grid order, and the symmetric positive definite
// matrix of their conductances; the isothermal base makes it definite.
struct LinearSystem {
    std::vector<std::size_t> Cells;  // grid index of every unknown
    Eigen::SparseMatrix<double> Matrix;
};

LinearSystem AssembleSystem(const Conductances& g);

// Grid-wide vectors (zero outside the body) to and from the unknowns of the system.
Eigen::VectorXd Gather(const LinearSystem& system, std::span<const double> gridValues);
void Scatter(const LinearSystem& system, const Eigen::VectorXd& values,
             std::vector<double>& gridValues);

}  // namespace strativex::exact
