#include "exact/lateral_reach.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>

namespace strativex::exact {
namespace {

constexpr int kCellsPerLayer = 16;

bool IsUnlimited(const StackLayer& layer, Axis axis) {
    return std::isinf(axis == Axis::Width ? layer.HalfWidth : layer.HalfLength);
}

// The slowest lateral decay rate exp(-rate * x) of a temperature disturbance in layers
// [first, last] beyond every finite edge: the through-thickness eigenproblem
// -(k phi')' = rate^2 k phi, adiabatic on top, held at the base when the run reaches it and
// adiabatic below otherwise (where the constant mode carries no heat and is passed over).
double SlowestDecayRate(const Stack& stack, int first, int last) {
    const int layers = last - first + 1;
    const int n = layers * kCellsPerLayer;
    Eigen::MatrixXd stiffness = Eigen::MatrixXd::Zero(n, n);
    Eigen::VectorXd mass(n);
    Eigen::VectorXd halfConductance(n);
    for (int c = 0; c < n; ++c) {
        const StackLayer& layer = stack.Layers[first + c / kCellsPerLayer];
        const double dz = layer.Thickness / kCellsPerLayer;
        const double k = layer.Conductivity(stack.BaseTempK);
        mass(c) = k * dz;
        halfConductance(c) = 2.0 * k / dz;
    }
    for (int c = 0; c + 1 < n; ++c) {
        const double g = 1.0 / (1.0 / halfConductance(c) + 1.0 / halfConductance(c + 1));
        stiffness(c, c) += g;
        stiffness(c + 1, c + 1) += g;
        stiffness(c, c + 1) -= g;
        stiffness(c + 1, c) -= g;
    }
    const bool heldAtBase = last == static_cast<int>(stack.Layers.size()) - 1;
    if (heldAtBase) stiffness(n - 1, n - 1) += halfConductance(n - 1);
    const Eigen::GeneralizedSelfAdjointEigenSolver<Eigen::MatrixXd> solver(
        stiffness, Eigen::MatrixXd(mass.asDiagonal()), Eigen::EigenvaluesOnly);
    const double eigenvalue = solver.eigenvalues()(heldAtBase ? 0 : std::min(1, n - 1));
    return std::sqrt(std::max(eigenvalue, 0.0));
}

}  // namespace

double TruncationDistance(const Stack& stack, Axis axis, double tolerance) {
    double distance = 0.0;
    const int count = static_cast<int>(stack.Layers.size());
    for (int first = 0; first < count;) {
        if (!IsUnlimited(stack.Layers[first], axis)) {
            ++first;
            continue;
        }
        int last = first;
        while (last + 1 < count && IsUnlimited(stack.Layers[last + 1], axis)) ++last;
        const double rate = SlowestDecayRate(stack, first, last);
        if (rate > 0.0) distance = std::max(distance, std::log(1.0 / tolerance) / rate);
        first = last + 1;
    }
    return distance;
}

}  // namespace strativex::exact
