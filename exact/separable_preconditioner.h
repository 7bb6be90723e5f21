#pragma once

#include <Eigen/Core>
#include <atomic>
#include <cstddef>
#include <vector>

#include "exact/core_pair.h"
#include "exact/grid.h"

namespace strativex::exact {

// Whether every layer covers the grid's whole lateral extent (all of them unlimited, or all of
// one size), so that every cell is in the body and the grid is a product of its three axes.
bool IsSeparable(const Grid& grid);

// The direct solve of a separable grid's operator with one conductivity per row of cells, used
// as the preconditioner of the conjugate gradients. With one conductivity per row the
// operator is a sum of products of one-dimensional operators, so the lateral eigenmodes of each
// axis (the 1-D conductances against the cell widths: adiabatic sides and symmetry planes
// alike) turn it into one tridiagonal system through the thickness per pair of lateral modes;
// the base condition enters those systems only. Exact where every layer has a constant
// conductivity; where K(T) makes the cells of a row differ, it solves for each row's mean.
class SeparablePreconditioner {
public:
    // The lateral modes, once per grid: they depend on the cell widths only.
    void Build(const Grid& grid);
    // Factorises the tridiagonal systems for the cells' conductivities, per row the
    // volume-weighted mean of its cells in the body (those of a conductivity above 0).
    void SetConductivity(const Grid& grid, const std::vector<double>& conductivity);
    void SetCancelFlag(const std::atomic<bool>* cancel) { cancel_ = cancel; }
    // 1 runs the solve on the calling thread only; its result is the same to the last bit.
    void SetThreads(int threads) { cores_.SetThreads(threads); }
    // The solve's cores, for the conjugate gradients' product and vector loops.
    CorePair& Cores() const { return cores_; }

    // The direct solve for the rows' conductivities: `correction` from `residual`, both in
    // grid order.
    void Apply(const Eigen::VectorXd& residual, Eigen::VectorXd& correction) const;

private:
    CorePair* SharedCores() const;
    void ToModes(const Eigen::VectorXd& residual, CorePair* cores) const;
    void SolveThickness(std::size_t firstColumn, std::size_t endColumn) const;
    void FromModes(Eigen::VectorXd& correction, CorePair* cores) const;

    int nx_ = 0, ny_ = 0, nz_ = 0;
    // Columns are the modes, normalised so that modes' * widths * modes = 1; rates are the
    // eigenvalues, 1/cm2.
    Eigen::MatrixXd modesX_, modesY_;
    Eigen::VectorXd ratesX_, ratesY_;
    // Through the thickness: per row the conductance to the row below (the base for the last
    // row) and the lateral weight k * dz; per mode pair and row the inverse pivot.
    std::vector<double> down_, lateral_, inversePivot_;
    mutable Eigen::MatrixXd alongX_, alongY_;
    // The cells outside the body, whose correction is zero.
    std::vector<std::size_t> outside_;
    // The transforms are dense products, much work per column of cells: they are shared
    // between the cores in fixed blocks, so that no result depends on how many there are.
    mutable CorePair cores_;
    const std::atomic<bool>* cancel_ = nullptr;
};

}  // namespace strativex::exact
