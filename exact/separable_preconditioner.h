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

// The products per cell of the direct solve's transforms, both ways: about Nx + Ny each way
// on a separable grid, fewer where layers narrow.
double TransformProductsPerCell(const Grid& grid);

// The direct solve of a separable grid's operator with one conductivity per row of cells, used
// as the preconditioner of the conjugate gradients. With one conductivity per row the
// operator is a sum of products of one-dimensional operators, so the lateral eigenmodes of each
// axis (the 1-D conductances against the cell widths: adiabatic sides and symmetry planes
// alike) turn it into one tridiagonal system through the thickness per pair of lateral modes;
// the base condition enters those systems only. Exact where every layer has a constant
// conductivity; where K(T) makes the cells of a row differ, it solves for each row's mean.
// Where layers do not cover the grid, it solves for the grid filled with each row's material,
// from and into the cells of the body only.
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
    // Consecutive rows of cells whose body fills the same corner of the quarter, [0, CellsX)
    // by [0, CellsY): the transforms read and write that corner only, which spares a narrow
    // layer's rows most of their products.
    struct RowRun {
        int First = 0, Rows = 0;
        int CellsX = 0, CellsY = 0;
        // Where the run starts among all runs' columns of the y transform, and where its
        // values start in the corners, among those transformed along y only, and among those
        // transformed along both axes.
        Eigen::Index AtColumns = 0, AtCorner = 0, AtModesY = 0, AtModes = 0;

        // A column of the y transform per cell along x and row.
        Eigen::Index Columns() const { return Eigen::Index{CellsX} * Rows; }
    };

    void FindRuns(const Grid& grid);
    CorePair* SharedCores() const;
    void ToModes(const Eigen::VectorXd& residual, CorePair* cores) const;
    // Calls part(run, first, count), shared between the cores in fixed blocks, for every
    // run's share of the rows of the x transform (Ny per row of cells), or of the columns of
    // the y transform; `first` counts from the run's own.
    template <typename Part>
    void ShareRunRows(CorePair* cores, const Part& part) const;
    template <typename Part>
    void ShareRunColumns(CorePair* cores, const Part& part) const;
    template <typename Copy>
    void ForCornerCells(const RowRun& run, Eigen::Index first, Eigen::Index count,
                        const Copy& copy) const;
    void SolveThickness(Eigen::Index firstMode, Eigen::Index endMode) const;
    void FromModes(Eigen::VectorXd& correction, CorePair* cores) const;

    int nx_ = 0, ny_ = 0, nz_ = 0;
    // Columns are the modes, normalised so that modes' * widths * modes = 1; rates are the
    // eigenvalues, 1/cm2.
    Eigen::MatrixXd modesX_, modesY_;
    // The same transposed, so that every product of the transforms has its factors stored
    // column by column.
    Eigen::MatrixXd transposedX_, transposedY_;
    Eigen::VectorXd ratesX_, ratesY_;
    // Through the thickness: per row the conductance to the row below (the base for the last
    // row) and the lateral weight k * dz; per x mode, row and y mode the inverse pivot.
    std::vector<double> down_, lateral_, inversePivot_;
    std::vector<RowRun> runs_;
    Eigen::Index columns_ = 0;
    // Per run: its cells in the corner (y cells side by side), their y modes (row outer, mode
    // inner) against the cells along x, and those against the x modes; per row of cells
    // where its y modes start among the last at the first x mode, and how far on they start
    // at the next.
    mutable Eigen::VectorXd corner_, byModeY_, byModes_;
    std::vector<Eigen::Index> rowStart_, rowStride_;
    // The transforms are dense products, much work per column of cells: they are shared
    // between the cores in fixed blocks, so that no result depends on how many there are.
    mutable CorePair cores_;
    const std::atomic<bool>* cancel_ = nullptr;
};

}  // namespace strativex::exact
