#include "exact/conductance_operator.h"

#include <algorithm>
#include <cstddef>

namespace strativex::exact {
namespace {

// The planes [first, last) of i.
void ApplyToPlanes(const Conductances& g, const RowsInBody& rows, const double* diagonal,
                   const Eigen::VectorXd& in, Eigen::VectorXd& out, int first, int last) {
    const std::size_t nz = static_cast<std::size_t>(g.Nz);
    const std::size_t stepX = static_cast<std::size_t>(g.Ny) * nz;
    const double* gx = g.Gx.data();
    const double* gy = g.Gy.data();
    const double* gz = g.Gz.data();
    const double* x = in.data();
    double* y = out.data();
    // Each cell gathers from its six neighbours, so every cell is written once; the links at
    // the grid's ends are zero, but the neighbours past them do not exist to be read.
    for (int i = first; i < last; ++i) {
        for (int j = 0; j < g.Ny; ++j) {
            const std::size_t index = static_cast<std::size_t>(i) * g.Ny + j;
            const std::size_t column = index * nz;
            const auto first = static_cast<std::size_t>(rows.First[index]);
            const auto end = static_cast<std::size_t>(rows.End[index]);
            std::fill(y + column, y + column + first, 0.0);
            std::fill(y + column + end, y + column + nz, 0.0);
            const bool west = i > 0, east = i + 1 < g.Nx;
            const bool south = j > 0, north = j + 1 < g.Ny;
            for (std::size_t l = first; l < end; ++l) {
                const std::size_t c = column + l;
                double v = diagonal[c] * x[c];
                if (l > 0) v -= gz[c - 1] * x[c - 1];
                if (l + 1 < nz) v -= gz[c] * x[c + 1];
                if (south) v -= gy[c - nz] * x[c - nz];
                if (north) v -= gy[c] * x[c + nz];
                if (west) v -= gx[c - stepX] * x[c - stepX];
                if (east) v -= gx[c] * x[c + stepX];
                y[c] = v;
            }
        }
    }
}

}  // namespace

void ApplyConductances(const Conductances& g, const RowsInBody& rows, const double* diagonal,
                       const Eigen::VectorXd& in, Eigen::VectorXd& out, CorePair* cores) {
    if (cores == nullptr || g.CellCount() < CorePair::kLeastSharedCells) {
        ApplyToPlanes(g, rows, diagonal, in, out, 0, g.Nx);
        return;
    }
    cores->Run(0, static_cast<std::size_t>(g.Nx), [&](std::size_t first, std::size_t last) {
        ApplyToPlanes(g, rows, diagonal, in, out, static_cast<int>(first), static_cast<int>(last));
    });
}

}  // namespace strativex::exact
