#pragma once

#include <Eigen/Dense>
#include <Eigen/SparseCore>

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
    struct Guess {
        Eigen::VectorXd Solution;
        Eigen::VectorXd Product;  // (G + s C) times the solution
    };

    StepGuess(const Eigen::VectorXd& capacity, Eigen::Index remembered);

    // A solution x with G x, which its solve yields without a product with G.
    void Remember(const Eigen::VectorXd& solution, const Eigen::VectorXd& conducted);
    // Zero until a solution is remembered.
    Guess For(const Eigen::VectorXd& rhs, double shift) const;

private:
    const Eigen::VectorXd& capacity_;
    // One column per solution and per its G x; the newest overwrites the oldest.
    Eigen::MatrixXd solutions_, conducted_;
    Eigen::Index stored_ = 0, next_ = 0;
    // Between every two remembered solutions, x_i' G x_j and x_i' C x_j.
    Eigen::MatrixXd stiffnessGram_, capacityGram_;
};

}  // namespace strativex::exact
