#pragma once

#include <Eigen/Dense>
#include <Eigen/SparseCore>
#include <cstddef>

namespace strativex::exact {

// The first guess of a time step's solve, (G + s C) x = b: of all combinations of the last
// few solutions, the one closest to the new solution in the energy norm of the step's matrix
// (a Galerkin projection onto them). The temperature field moves through a handful of shapes
// as it spreads and settles, so the guess leaves a residual some hundred times smaller than
// extrapolating the last two solutions does, and most steps end after one multigrid cycle.
// G is held and C is diagonal, so every step's small projected system comes from two Gram
// matrices kept up to date one solution at a time, whatever the step s belongs to.
class StepGuess {
public:
    StepGuess(const Eigen::SparseMatrix<double>& stiffness, const Eigen::VectorXd& capacity,
              Eigen::Index remembered);

    void Remember(const Eigen::VectorXd& solution);
    // Zero until a solution is remembered.
    Eigen::VectorXd For(const Eigen::VectorXd& rhs, double shift) const;

private:
    const Eigen::SparseMatrix<double>& stiffness_;
    const Eigen::VectorXd& capacity_;
    // One column per solution; the newest overwrites the oldest.
    Eigen::MatrixXd solutions_;
    Eigen::Index stored_ = 0, next_ = 0;
    // Between every two remembered solutions, x_i' G x_j and x_i' C x_j.
    Eigen::MatrixXd stiffnessGram_, capacityGram_;
};

}  // namespace strativex::exact
