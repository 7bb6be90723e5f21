#pragma once

#include <Eigen/Core>
#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>
#include <atomic>
#include <vector>

#include "exact/conductances.h"
#include "exact/core_pair.h"
#include "exact/linear_system.h"

namespace strativex::exact {

// Thrown out of the conjugate gradients when the user cancels: it ends a solve within one
// preconditioner application, without waiting for the iteration to finish.
struct SolveCancelled {};

// A multigrid V-cycle for layered grids, used as the preconditioner of the conjugate
// gradients. Thin, well-conducting layers couple cells through the thickness far more
// strongly than sideways, and graded cells couple them more strongly along one lateral axis
// than the other; both stall point smoothers. Here the smoother solves whole lines of cells
// at once (a tridiagonal solve per line, red-black over the lines), through the thickness and
// then along x and y, so whichever direction is strong is solved exactly. Only the lateral
// directions are coarsened, by merging 2 x 2 columns and summing the conductances between
// them (the Galerkin operator of piecewise-constant interpolation); the smallest level is
// solved directly. The cycle is symmetric, as conjugate gradients require.
class LineMultigrid {
public:
    // Builds the levels for this operator.
    void Build(const Conductances& fine);
    void SetCancelFlag(const std::atomic<bool>* cancel) { cancel_ = cancel; }
    // 1 runs the cycle on the calling thread only; its result is the same to the last bit.
    void SetThreads(int threads) { cores_.SetThreads(threads); }
    // The cycle's cores, for the conjugate gradients' product between two cycles: their
    // worker is spinning then, ready for it.
    CorePair& Cores() const { return cores_; }

    // One V-cycle from a zero guess: `correction` approximates A^-1 `residual`, both in grid
    // order, zero outside the body.
    void Apply(const Eigen::VectorXd& residual, Eigen::VectorXd& correction) const;

private:
    // The conductances as the cycle reads them: the sweeps stream their arrays from memory,
    // and single precision halves the bytes. The cycle stays a fixed symmetric operator, as
    // conjugate gradients require, because its vectors and line eliminations stay in double
    // precision and every part of it reads the same rounded conductances.
    using Link = float;

    struct Level {
        Conductances Operator;
        std::vector<Link> Gx, Gy, Gz;
        std::vector<double> Diagonal;
        // Per axis, the pivots of the lines' tridiagonal eliminations, inverted.
        std::vector<double> InversePivot[3];
        // Per column, the rows [FirstRow, EndRow) that hold its cells in the body.
        std::vector<int> FirstRow, EndRow;
        mutable std::vector<double> Solution, Rhs;
        // What the level's part of a cycle solves for: its Rhs, or on the finest level the
        // residual handed to Apply, read where it is rather than copied.
        mutable const double* RhsIn;
    };

    static void Narrow(Level& level);
    static void Factorize(Level& level);
    template <int Axis>
    static void RelaxLines(const Level& level, int colour, std::size_t first, std::size_t last);
    template <bool FromZero>
    static void RelaxColumns(const Level& level, int colour, std::size_t first, std::size_t last);
    static void Sweep(const Level& level, int n, CorePair& cores);
    static void PreSmooth(const Level& level, CorePair& cores);
    static void PostSmooth(const Level& level, CorePair& cores);
    static void RestrictResidual(const Level& level, const Level& coarse, std::size_t first,
                                 std::size_t last);
    void Cycle(std::size_t level) const;
    void SolveCoarsest() const;

    std::vector<Level> levels_;
    LinearSystem coarsestSystem_;
    Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>> coarsestSolver_;
    const std::atomic<bool>* cancel_ = nullptr;
    // Shares the sweeps and transfers of the finer levels between two cores.
    mutable CorePair cores_;
};

}  // namespace strativex::exact
