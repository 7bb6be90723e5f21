#include "exact/transient_guess.h"

#include <Eigen/Eigenvalues>
#include <algorithm>

namespace strativex::exact {
namespace {

// Successive solutions are nearly parallel, so the projected system is nearly singular: the
// directions it cannot resolve within rounding are left out of the guess, not amplified.
constexpr double kResolvable = 1e-12;

// Sets the products of the solution in `slot` with all others (itself included).
void SetProducts(Eigen::MatrixXd& gram, Eigen::Index slot, const Eigen::VectorXd& products) {
    const Eigen::Index n = products.size();
    gram.row(slot).head(n) = products.transpose();
    gram.col(slot).head(n) = products;
}

}  // namespace

StepGuess::StepGuess(const Eigen::VectorXd& capacity, Eigen::Index remembered)
    : capacity_(capacity),
      solutions_(capacity.size(), remembered),
      conducted_(capacity.size(), remembered),
      stiffnessGram_(remembered, remembered),
      capacityGram_(remembered, remembered) {}

void StepGuess::Remember(const Eigen::VectorXd& solution, const Eigen::VectorXd& conducted) {
    if (solutions_.cols() == 0) return;
    solutions_.col(next_) = solution;
    conducted_.col(next_) = conducted;
    stored_ = std::max(stored_, next_ + 1);
    const auto stored = solutions_.leftCols(stored_);
    SetProducts(stiffnessGram_, next_, stored.transpose() * conducted);
    SetProducts(capacityGram_, next_, stored.transpose() * capacity_.cwiseProduct(solution));
    next_ = (next_ + 1) % solutions_.cols();
}

StepGuess::Guess StepGuess::For(const Eigen::VectorXd& rhs, double shift) const {
    if (stored_ == 0) {
        return {Eigen::VectorXd::Zero(rhs.size()), Eigen::VectorXd::Zero(rhs.size())};
    }
    const auto stored = solutions_.leftCols(stored_);
    const Eigen::MatrixXd projected = stiffnessGram_.topLeftCorner(stored_, stored_) +
                                      shift * capacityGram_.topLeftCorner(stored_, stored_);
    // Scaled to a unit diagonal, so that what can be resolved does not depend on the units.
    const Eigen::VectorXd scale = projected.diagonal().cwiseSqrt().cwiseInverse();
    const Eigen::VectorXd load = scale.cwiseProduct(stored.transpose() * rhs);
    const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> modes(scale.asDiagonal() * projected *
                                                               scale.asDiagonal());
    const Eigen::VectorXd& values = modes.eigenvalues();
    Eigen::VectorXd inverse = Eigen::VectorXd::Zero(stored_);
    for (Eigen::Index i = 0; i < stored_; ++i) {
        if (values(i) > kResolvable * values(stored_ - 1)) inverse(i) = 1.0 / values(i);
    }
    const Eigen::VectorXd weights = scale.cwiseProduct(modes.eigenvectors() * inverse.asDiagonal() *
                                                       modes.eigenvectors().transpose() * load);
    Guess guess{stored * weights, conducted_.leftCols(stored_) * weights};
    guess.Product += shift * capacity_.cwiseProduct(guess.Solution);
    return guess;
}

}  // namespace strativex::exact
