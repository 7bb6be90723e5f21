#include "exact/transient_guess.h"

#include <Eigen/Eigenvalues>

namespace strativex::exact {
namespace {

// Successive solutions are nearly parallel, so the projected system is nearly singular: the
// directions it cannot resolve within rounding are left out of the guess, not amplified.
constexpr double kResolvable = 1e-12;

// Extends a symmetric Gram matrix by the products of a new vector with the others and itself.
void Extend(Eigen::MatrixXd& gram, const Eigen::VectorXd& products) {
    const Eigen::Index n = products.size();
    gram.conservativeResize(n, n);
    gram.row(n - 1) = products.transpose();
    gram.col(n - 1) = products;
}

void DropFirst(Eigen::MatrixXd& gram) {
    const Eigen::Index n = gram.rows() - 1;
    gram = gram.bottomRightCorner(n, n).eval();
}

}  // namespace

StepGuess::StepGuess(const Eigen::SparseMatrix<double>& stiffness, const Eigen::VectorXd& capacity,
                     std::size_t remembered)
    : stiffness_(stiffness), capacity_(capacity), remembered_(remembered) {}

void StepGuess::Remember(const Eigen::VectorXd& solution) {
    if (remembered_ == 0) return;
    if (solutions_.size() == remembered_) {
        solutions_.pop_front();
        DropFirst(stiffnessGram_);
        DropFirst(capacityGram_);
    }
    solutions_.push_back(solution);
    const Eigen::VectorXd conducted = stiffness_ * solution;
    const Eigen::VectorXd held = capacity_.cwiseProduct(solution);
    const auto n = static_cast<Eigen::Index>(solutions_.size());
    Eigen::VectorXd stiffnessProducts(n), capacityProducts(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        const Eigen::VectorXd& other = solutions_[static_cast<std::size_t>(i)];
        stiffnessProducts(i) = other.dot(conducted);
        capacityProducts(i) = other.dot(held);
    }
    Extend(stiffnessGram_, stiffnessProducts);
    Extend(capacityGram_, capacityProducts);
}

Eigen::VectorXd StepGuess::For(const Eigen::VectorXd& rhs, double shift) const {
    Eigen::VectorXd guess = Eigen::VectorXd::Zero(rhs.size());
    if (solutions_.empty()) return guess;
    const auto n = static_cast<Eigen::Index>(solutions_.size());
    const Eigen::MatrixXd projected = stiffnessGram_ + shift * capacityGram_;
    // Scaled to a unit diagonal, so that what can be resolved does not depend on the units.
    const Eigen::VectorXd scale = projected.diagonal().cwiseSqrt().cwiseInverse();
    Eigen::VectorXd load(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        load(i) = scale(i) * solutions_[static_cast<std::size_t>(i)].dot(rhs);
    }
    const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> modes(scale.asDiagonal() * projected *
                                                               scale.asDiagonal());
    const Eigen::VectorXd& values = modes.eigenvalues();
    Eigen::VectorXd inverse = Eigen::VectorXd::Zero(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        if (values(i) > kResolvable * values(n - 1)) inverse(i) = 1.0 / values(i);
    }
    const Eigen::VectorXd weights = scale.cwiseProduct(modes.eigenvectors() * inverse.asDiagonal() *
                                                       modes.eigenvectors().transpose() * load);
    for (Eigen::Index i = 0; i < n; ++i) {
        guess += weights(i) * solutions_[static_cast<std::size_t>(i)];
    }
    return guess;
}

}  // namespace strativex::exact
