#include "exact/separable_preconditioner.h"

#include <Eigen/Eigenvalues>
#include <cmath>

#include "exact/block_loops.h"
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
    alongX_.resize(static_cast<Eigen::Index>(ny_) * nz_, nx_);
    alongY_.resize(static_cast<Eigen::Index>(ny_) * nz_, nx_);
}

void SeparablePreconditioner::SetConductivity(const Grid& grid,
                                              const std::vector<double>& conductivity) {
    const std::vector<double> k = RowConductivity(grid, conductivity);
    outside_.clear();
    for (std::size_t c = 0; c < conductivity.size(); ++c) {
        if (!(conductivity[c] > 0.0)) outside_.push_back(c);
    }
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

    inversePivot_.resize(static_cast<std::size_t>(nx_) * static_cast<std::size_t>(ny_) * rows);
    double* inverse = inversePivot_.data();
    for (int p = 0; p < nx_; ++p) {
        for (int q = 0; q < ny_; ++q) {
            const double rate = ratesX_(p) + ratesY_(q);
            double above = 0.0, previousInverse = 0.0;
            for (std::size_t l = 0; l < rows; ++l) {
                const double pivot =
                    above + down_[l] + rate * lateral_[l] - above * above * previousInverse;
                previousInverse = 1.0 / pivot;
                *inverse++ = previousInverse;
                above = down_[l];
            }
        }
    }
}

CorePair* SeparablePreconditioner::SharedCores() const {
    const std::size_t cells = static_cast<std::size_t>(alongX_.size());
    return cells >= CorePair::kLeastSharedCells ? &cores_ : nullptr;
}

void SeparablePreconditioner::Apply(const Eigen::VectorXd& residual,
                                    Eigen::VectorXd& correction) const {
    if (cancel_ != nullptr && cancel_->load(std::memory_order_relaxed)) throw SolveCancelled{};
    CorePair* cores = SharedCores();
    ToModes(residual, cores);
    const auto columns = static_cast<Eigen::Index>(nx_) * ny_;
    RunBlocks(cores, columns, [this](std::size_t, Eigen::Index begin, Eigen::Index count) {
        SolveThickness(static_cast<std::size_t>(begin), static_cast<std::size_t>(begin + count));
    });
    FromModes(correction, cores);
    for (const std::size_t c : outside_) correction[static_cast<Eigen::Index>(c)] = 0.0;
}

// Cells are stored x-major, then y, then z: the x transform is a product over whole columns
// of cells, block by block of rows, the y transform one product per x mode.
void SeparablePreconditioner::ToModes(const Eigen::VectorXd& residual, CorePair* cores) const {
    const Eigen::Map<const Eigen::MatrixXd> cells(residual.data(), alongX_.rows(), nx_);
    RunBlocks(cores, alongX_.rows(), [&](std::size_t, Eigen::Index begin, Eigen::Index count) {
        alongX_.middleRows(begin, count).noalias() = cells.middleRows(begin, count) * modesX_;
    });
    RunBlocks(cores, nx_, [&](std::size_t, Eigen::Index begin, Eigen::Index count) {
        for (Eigen::Index p = begin; p < begin + count; ++p) {
            const Eigen::Map<const Eigen::MatrixXd> in(alongX_.col(p).data(), nz_, ny_);
            Eigen::Map<Eigen::MatrixXd>(alongY_.col(p).data(), nz_, ny_).noalias() = in * modesY_;
        }
    });
}

void SeparablePreconditioner::SolveThickness(std::size_t firstColumn, std::size_t endColumn) const {
    const std::size_t rows = static_cast<std::size_t>(nz_);
    const double* inverse = inversePivot_.data() + firstColumn * rows;
    double* value = alongY_.data() + firstColumn * rows;
    for (std::size_t column = firstColumn; column < endColumn; ++column) {
        value[0] *= inverse[0];
        for (int l = 1; l < nz_; ++l) {
            value[l] = (value[l] + down_[l - 1] * value[l - 1]) * inverse[l];
        }
        for (int l = nz_ - 2; l >= 0; --l) value[l] += down_[l] * inverse[l] * value[l + 1];
        value += nz_;
        inverse += nz_;
    }
}

void SeparablePreconditioner::FromModes(Eigen::VectorXd& correction, CorePair* cores) const {
    RunBlocks(cores, nx_, [&](std::size_t, Eigen::Index begin, Eigen::Index count) {
        for (Eigen::Index p = begin; p < begin + count; ++p) {
            const Eigen::Map<const Eigen::MatrixXd> in(alongY_.col(p).data(), nz_, ny_);
            Eigen::Map<Eigen::MatrixXd>(alongX_.col(p).data(), nz_, ny_).noalias() =
                in * modesY_.transpose();
        }
    });
    Eigen::Map<Eigen::MatrixXd> cells(correction.data(), alongX_.rows(), nx_);
    RunBlocks(cores, alongX_.rows(), [&](std::size_t, Eigen::Index begin, Eigen::Index count) {
        cells.middleRows(begin, count).noalias() =
            alongX_.middleRows(begin, count) * modesX_.transpose();
    });
}

}  // namespace strativex::exact
