#include "exact/separable_preconditioner.h"

#include <Eigen/Eigenvalues>
#include <cmath>

#include "exact/block_loops.h"
#include "exact/dense_product.h"
#include "exact/line_multigrid.h"

namespace strativex::exact {
namespace {

struct AxisModes {
    Eigen::MatrixXd Modes;
    Eigen::VectorXd Rates;
};

// The 1-D conductances between neighbouring cells of widths w (per unit of the other two
// sizes and of K), with no flux through either end, against the widths: L v = rate W v. The
// symmetric scaling W^-1/2 L W^-1/2 is tridiagonal already, so it goes to Eigen's tridiagonal
// solver as it is; that also keeps the smallest rates, which the far field of a tiny source
// lives on, as accurate as the cells' sizes spanning six decades allow.
AxisModes ModesOf(const std::vector<double>& faces) {
    const auto n = static_cast<Eigen::Index>(faces.size()) - 1;
    Eigen::VectorXd width(n);
    for (Eigen::Index i = 0; i < n; ++i) width(i) = faces[i + 1] - faces[i];
    Eigen::VectorXd diagonal = Eigen::VectorXd::Zero(n);
    Eigen::VectorXd offDiagonal(std::max<Eigen::Index>(n - 1, 0));
    for (Eigen::Index i = 0; i + 1 < n; ++i) {
        const double between = 2.0 / (width(i) + width(i + 1));
        diagonal(i) += between / width(i);
        diagonal(i + 1) += between / width(i + 1);
        offDiagonal(i) = -between / std::sqrt(width(i) * width(i + 1));
    }
    Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> solver;
    solver.computeFromTridiagonal(diagonal, offDiagonal, Eigen::ComputeEigenvectors);
    return {width.cwiseSqrt().cwiseInverse().asDiagonal() * solver.eigenvectors(),
            solver.eigenvalues()};
}

// A row's conductivity for the operator with one per row: the mean over the area of its cells
// in the body.
std::vector<double> RowConductivity(const Grid& grid, const std::vector<double>& conductivity) {
    std::vector<double> weighted(static_cast<std::size_t>(grid.Nz()), 0.0);
    std::vector<double> area(static_cast<std::size_t>(grid.Nz()), 0.0);
    for (int i = 0; i < grid.Nx(); ++i) {
        for (int j = 0; j < grid.Ny(); ++j) {
            const double cellArea = (grid.X[i + 1] - grid.X[i]) * (grid.Y[j + 1] - grid.Y[j]);
            const double* column = conductivity.data() + grid.Index(i, j, 0);
            for (int l = 0; l < grid.Nz(); ++l) {
                if (!(column[l] > 0.0)) continue;
                weighted[l] += cellArea * column[l];
                area[l] += cellArea;
            }
        }
    }
    // Every row holds cells of its layer, so no area is zero.
    for (std::size_t l = 0; l < weighted.size(); ++l) weighted[l] /= area[l];
    return weighted;
}

}  // namespace

bool IsSeparable(const Grid& grid) {
    for (std::size_t n = 0; n < grid.LayerHalfWidth.size(); ++n) {
        if (grid.LayerHalfWidth[n] < grid.X.back() || grid.LayerHalfLength[n] < grid.Y.back()) {
            return false;
        }
    }
    return true;
}

double TransformProductsPerCell(const Grid& grid) {
    double products = 0.0;
    for (const RowCorner& corner : BodyCorners(grid)) {
        const double cornerCells = static_cast<double>(corner.CellsX) * corner.CellsY;
        // Each way: along y into the corner's columns, then along x over all y modes.
        products += 2.0 * (cornerCells * grid.Ny() +
                           static_cast<double>(corner.CellsX) * grid.Ny() * grid.Nx());
    }
    return products / static_cast<double>(grid.CellCount());
}

void SeparablePreconditioner::Build(const Grid& grid) {
    nx_ = grid.Nx();
    ny_ = grid.Ny();
    nz_ = grid.Nz();
    AxisModes x = ModesOf(grid.X);
    AxisModes y = ModesOf(grid.Y);
    modesX_ = std::move(x.Modes);
    ratesX_ = std::move(x.Rates);
    modesY_ = std::move(y.Modes);
    ratesY_ = std::move(y.Rates);
    transposedX_ = modesX_.transpose();
    transposedY_ = modesY_.transpose();
    FindRuns(grid);
}

void SeparablePreconditioner::SetConductivity(const Grid& grid,
                                              const std::vector<double>& conductivity) {
    const std::vector<double> k = RowConductivity(grid, conductivity);
    const auto rows = static_cast<std::size_t>(nz_);
    std::vector<double> halfResistance(rows);
    lateral_.resize(rows);
    for (std::size_t l = 0; l < rows; ++l) {
        const double dz = grid.Z[l + 1] - grid.Z[l];
        halfResistance[l] = 0.5 * dz / k[l];
        lateral_[l] = k[l] * dz;
    }
    // As the finite-volume conductances have them per unit area: two half-cells in series,
    // and the last half-cell in series with the base's heat transfer.
    down_.resize(rows);
    for (std::size_t l = 0; l + 1 < rows; ++l) {
        down_[l] = 1.0 / (halfResistance[l] + halfResistance[l + 1]);
    }
    const double baseResistance =
        std::isinf(grid.BaseHeatTransfer) ? 0.0 : 1.0 / grid.BaseHeatTransfer;
    down_[rows - 1] = 1.0 / (halfResistance[rows - 1] + baseResistance);

    // Mode pairs of one x mode lie side by side, so that the eliminations through the
    // thickness run across them at once.
    inversePivot_.resize(static_cast<std::size_t>(nx_) * static_cast<std::size_t>(ny_) * rows);
    const auto across = static_cast<std::size_t>(ny_);
    for (int p = 0; p < nx_; ++p) {
        double* inverse = inversePivot_.data() + static_cast<std::size_t>(p) * rows * across;
        for (std::size_t q = 0; q < across; ++q) {
            const double rate = ratesX_(p) + ratesY_(static_cast<Eigen::Index>(q));
            inverse[q] = 1.0 / (down_[0] + rate * lateral_[0]);
        }
        for (std::size_t l = 1; l < rows; ++l, inverse += across) {
            const double above = down_[l - 1];
            for (std::size_t q = 0; q < across; ++q) {
                const double rate = ratesX_(p) + ratesY_(static_cast<Eigen::Index>(q));
                inverse[across + q] =
                    1.0 / (above + down_[l] + rate * lateral_[l] - above * above * inverse[q]);
            }
        }
    }
}

// The body's corners, row by row, fixed by the layers' sizes once per grid: the residual is
// zero outside them, and so is the correction, as nothing is written there.
void SeparablePreconditioner::FindRuns(const Grid& grid) {
    const std::vector<RowCorner> corners = BodyCorners(grid);
    runs_.clear();
    for (int l = 0; l < nz_; ++l) {
        const RowCorner& corner = corners[static_cast<std::size_t>(l)];
        if (runs_.empty() || runs_.back().CellsX != corner.CellsX ||
            runs_.back().CellsY != corner.CellsY) {
            runs_.push_back({l, 0, corner.CellsX, corner.CellsY});
        }
        ++runs_.back().Rows;
    }
    rowStart_.resize(static_cast<std::size_t>(nz_));
    rowStride_.resize(static_cast<std::size_t>(nz_));
    columns_ = 0;
    Eigen::Index atCorner = 0;
    for (RowRun& run : runs_) {
        run.AtColumns = columns_;
        run.AtCorner = atCorner;
        run.AtModesY = Eigen::Index{ny_} * columns_;
        run.AtModes = Eigen::Index{nx_} * ny_ * run.First;
        columns_ += run.Columns();
        atCorner += run.Columns() * run.CellsY;
        for (int l = run.First; l < run.First + run.Rows; ++l) {
            rowStart_[static_cast<std::size_t>(l)] =
                run.AtModes + Eigen::Index{ny_} * (l - run.First);
            rowStride_[static_cast<std::size_t>(l)] = Eigen::Index{ny_} * run.Rows;
        }
    }
    corner_.resize(atCorner);
    byModeY_.resize(Eigen::Index{ny_} * columns_);
    byModes_.resize(Eigen::Index{nx_} * ny_ * nz_);
}

CorePair* SeparablePreconditioner::SharedCores() const {
    const std::size_t cells = static_cast<std::size_t>(byModes_.size());
    return cells >= CorePair::kLeastSharedCells ? &cores_ : nullptr;
}

void SeparablePreconditioner::Apply(const Eigen::VectorXd& residual,
                                    Eigen::VectorXd& correction) const {
    if (cancel_ != nullptr && cancel_->load(std::memory_order_relaxed)) throw SolveCancelled{};
    CorePair* cores = SharedCores();
    ToModes(residual, cores);
    RunBlocks(cores, nx_, [this](std::size_t, Eigen::Index begin, Eigen::Index count) {
        SolveThickness(begin, begin + count);
    });
    FromModes(correction, cores);
}

template <typename Part>
void SeparablePreconditioner::ShareRunRows(CorePair* cores, const Part& part) const {
    RunBlocks(cores, Eigen::Index{ny_} * nz_,
              [&](std::size_t, Eigen::Index firstRow, Eigen::Index count) {
                  for (const RowRun& run : runs_) {
                      const Eigen::Index runFirst = Eigen::Index{ny_} * run.First;
                      const Eigen::Index begin = std::max(firstRow, runFirst);
                      const Eigen::Index end =
                          std::min(firstRow + count, runFirst + Eigen::Index{ny_} * run.Rows);
                      if (begin < end) part(run, begin - runFirst, end - begin);
                  }
              });
}

template <typename Part>
void SeparablePreconditioner::ShareRunColumns(CorePair* cores, const Part& part) const {
    RunBlocks(cores, columns_, [&](std::size_t, Eigen::Index firstColumn, Eigen::Index count) {
        for (const RowRun& run : runs_) {
            const Eigen::Index begin = std::max(firstColumn, run.AtColumns);
            const Eigen::Index end = std::min(firstColumn + count, run.AtColumns + run.Columns());
            if (begin < end) part(run, begin - run.AtColumns, end - begin);
        }
    });
}

// Copies the run's cells of the columns [first, first + count) between the grid's order and
// the run's corner: a column per cell along x and row of the run, its y cells side by side.
template <typename Copy>
void SeparablePreconditioner::ForCornerCells(const RowRun& run, Eigen::Index first,
                                             Eigen::Index count, const Copy& copy) const {
    const Eigen::Index end = first + count;
    for (Eigen::Index column = first; column < end;) {
        const Eigen::Index i = column / run.Rows;
        const Eigen::Index stop = std::min(end, (i + 1) * run.Rows);
        for (; column < stop; ++column) {
            const Eigen::Index cell = i * ny_ * nz_ + run.First + (column - i * run.Rows);
            const Eigen::Index corner = run.AtCorner + column * run.CellsY;
            for (Eigen::Index j = 0; j < run.CellsY; ++j) copy(cell + j * nz_, corner + j);
        }
    }
}

namespace {

MatrixView Factor(const double* first, Eigen::Index rows, Eigen::Index columns,
                  Eigen::Index stride) {
    return {first, rows, columns, Eigen::OuterStride<>(stride)};
}

MutableMatrixView Into(double* first, Eigen::Index rows, Eigen::Index columns,
                       Eigen::Index stride) {
    return {first, rows, columns, Eigen::OuterStride<>(stride)};
}

}  // namespace

// Cells are stored x-major, then y, then z. A run's cells, gathered into its corner, take the
// y transform in one product, a column per cell along x and row; the x transform is one
// product per run over all of its rows. Both are cut into fixed blocks for the cores.
void SeparablePreconditioner::ToModes(const Eigen::VectorXd& residual, CorePair* cores) const {
    ShareRunColumns(cores, [&](const RowRun& run, Eigen::Index first, Eigen::Index columns) {
        ForCornerCells(run, first, columns, [&](Eigen::Index cell, Eigen::Index corner) {
            corner_[corner] = residual[cell];
        });
        Multiply(Factor(transposedY_.data(), ny_, run.CellsY, ny_),
                 Factor(corner_.data() + run.AtCorner + first * run.CellsY, run.CellsY, columns,
                        run.CellsY),
                 Into(byModeY_.data() + run.AtModesY + first * ny_, ny_, columns, ny_));
    });
    ShareRunRows(cores, [&](const RowRun& run, Eigen::Index first, Eigen::Index rows) {
        const Eigen::Index runRows = Eigen::Index{ny_} * run.Rows;
        Multiply(Factor(byModeY_.data() + run.AtModesY + first, rows, run.CellsX, runRows),
                 Factor(modesX_.data(), run.CellsX, nx_, nx_),
                 Into(byModes_.data() + run.AtModes + first, rows, nx_, runRows));
    });
}

// Elimination through the thickness for every y mode of the x modes [firstMode, endMode), the
// y modes side by side.
void SeparablePreconditioner::SolveThickness(Eigen::Index firstMode, Eigen::Index endMode) const {
    const auto across = static_cast<std::size_t>(ny_);
    double* const values = byModes_.data();
    const auto row = [&](Eigen::Index p, int l) {
        const auto at = static_cast<std::size_t>(l);
        return values + rowStart_[at] + p * rowStride_[at];
    };
    for (Eigen::Index p = firstMode; p < endMode; ++p) {
        const double* inverse = inversePivot_.data() + static_cast<std::size_t>(p) *
                                                           static_cast<std::size_t>(nz_) * across;
        double* below = row(p, 0);
        for (std::size_t q = 0; q < across; ++q) below[q] *= inverse[q];
        for (int l = 1; l < nz_; ++l) {
            double* value = row(p, l);
            const double* rowInverse = inverse + static_cast<std::size_t>(l) * across;
            const double down = down_[static_cast<std::size_t>(l - 1)];
            for (std::size_t q = 0; q < across; ++q) {
                value[q] = (value[q] + down * below[q]) * rowInverse[q];
            }
            below = value;
        }
        for (int l = nz_ - 2; l >= 0; --l) {
            double* value = row(p, l);
            const double* rowInverse = inverse + static_cast<std::size_t>(l) * across;
            const double down = down_[static_cast<std::size_t>(l)];
            for (std::size_t q = 0; q < across; ++q) value[q] += down * rowInverse[q] * below[q];
            below = value;
        }
    }
}

void SeparablePreconditioner::FromModes(Eigen::VectorXd& correction, CorePair* cores) const {
    ShareRunRows(cores, [&](const RowRun& run, Eigen::Index first, Eigen::Index rows) {
        const Eigen::Index runRows = Eigen::Index{ny_} * run.Rows;
        Multiply(Factor(byModes_.data() + run.AtModes + first, rows, nx_, runRows),
                 Factor(transposedX_.data(), nx_, run.CellsX, nx_),
                 Into(byModeY_.data() + run.AtModesY + first, rows, run.CellsX, runRows));
    });
    // Outside the runs' corners nothing is written: the correction is zero there.
    correction.setZero();
    ShareRunColumns(cores, [&](const RowRun& run, Eigen::Index first, Eigen::Index columns) {
        Multiply(Factor(modesY_.data(), run.CellsY, ny_, ny_),
                 Factor(byModeY_.data() + run.AtModesY + first * ny_, ny_, columns, ny_),
                 Into(corner_.data() + run.AtCorner + first * run.CellsY, run.CellsY, columns,
                      run.CellsY));
        ForCornerCells(run, first, columns, [&](Eigen::Index cell, Eigen::Index corner) {
            correction[cell] = corner_[corner];
        });
    });
}

}  // namespace strativex::exact
