#include "exact/conductances.h"

#include <cmath>

#include "exact/block_loops.h"

namespace strativex::exact {
namespace {

double Series(double a, double b) {
    return a > 0.0 && b > 0.0 ? a * b / (a + b) : 0.0;
}

// The faces of the cells in the rows marked in `rows`, every row where it is empty, of the
// columns along x [firstI, endI); the other cells keep what `g` holds.
void AssembleRows(const Grid& grid, const std::vector<double>& conductivity,
                  const std::vector<bool>& rows, int firstI, int endI, Conductances& g) {
    const std::size_t stepX = static_cast<std::size_t>(g.Ny) * g.Nz;
    const std::size_t stepY = static_cast<std::size_t>(g.Nz);
    for (int i = firstI; i < endI; ++i) {
        const double dx = grid.X[i + 1] - grid.X[i];
        for (int j = 0; j < g.Ny; ++j) {
            const double dy = grid.Y[j + 1] - grid.Y[j];
            for (int l = 0; l < g.Nz; ++l) {
                if (!rows.empty() && !rows[static_cast<std::size_t>(l)]) continue;
                const std::size_t c = grid.Index(i, j, l);
                g.Gx[c] = g.Gy[c] = g.Gz[c] = g.Base[c] = 0.0;
                const double k = conductivity[c];
                if (k <= 0.0) continue;
                const double dz = grid.Z[l + 1] - grid.Z[l];
                // Half-cell conductances towards the +x, +y and +z faces.
                const double hx = 2.0 * k * dy * dz / dx;
                const double hy = 2.0 * k * dx * dz / dy;
                const double hz = 2.0 * k * dx * dy / dz;
                if (i + 1 < g.Nx) {
                    const double dxn = grid.X[i + 2] - grid.X[i + 1];
                    g.Gx[c] = Series(hx, 2.0 * conductivity[c + stepX] * dy * dz / dxn);
                }
                if (j + 1 < g.Ny) {
                    const double dyn = grid.Y[j + 2] - grid.Y[j + 1];
                    g.Gy[c] = Series(hy, 2.0 * conductivity[c + stepY] * dx * dz / dyn);
                }
                if (l + 1 < g.Nz) {
                    const double dzn = grid.Z[l + 2] - grid.Z[l + 1];
                    g.Gz[c] = Series(hz, 2.0 * conductivity[c + 1] * dx * dy / dzn);
                } else {
                    g.Base[c] = std::isinf(grid.BaseHeatTransfer)
                                    ? hz
                                    : Series(hz, grid.BaseHeatTransfer * dx * dy);
                }
            }
        }
    }
}

// Every cell writes its own faces only, so the columns along x are shared between the cores.
void AssembleRows(const Grid& grid, const std::vector<double>& conductivity,
                  const std::vector<bool>& rows, Conductances& g, CorePair* cores) {
    const bool shared = grid.CellCount() >= CorePair::kLeastSharedCells;
    RunBlocks(shared ? cores : nullptr, g.Nx,
              [&](std::size_t, Eigen::Index begin, Eigen::Index count) {
                  AssembleRows(grid, conductivity, rows, static_cast<int>(begin),
                               static_cast<int>(begin + count), g);
              });
}

// SumDiagonal for the cells of the rows marked in `rows` only: each diagonal gathered from the
// same faces in the same order as SumDiagonal adds them, so that it comes out the same to the
// last bit.
void SumDiagonalOfRows(const std::vector<bool>& rows, Conductances& g) {
    const std::size_t stepX = static_cast<std::size_t>(g.Ny) * g.Nz;
    const std::size_t stepY = static_cast<std::size_t>(g.Nz);
    const std::size_t columns = static_cast<std::size_t>(g.Nx) * g.Ny;
    for (std::size_t l = 0; l < rows.size(); ++l) {
        if (!rows[l]) continue;
        for (std::size_t column = 0; column < columns; ++column) {
            const std::size_t c = column * stepY + l;
            double sum = 0.0;
            if (c >= stepX) sum += g.Gx[c - stepX];
            if (c >= stepY) sum += g.Gy[c - stepY];
            if (c >= 1) sum += g.Gz[c - 1];
            g.Diagonal[c] = sum + (g.Gx[c] + g.Gy[c] + g.Gz[c] + g.Base[c]);
        }
    }
}

}  // namespace

Conductances AssembleConductances(const Grid& grid, const std::vector<double>& conductivity) {
    Conductances g;
    AssembleConductances(grid, conductivity, g);
    return g;
}

void AssembleConductances(const Grid& grid, const std::vector<double>& conductivity,
                          Conductances& g, CorePair* cores) {
    g.Nx = grid.Nx();
    g.Ny = grid.Ny();
    g.Nz = grid.Nz();
    const std::size_t cells = grid.CellCount();
    g.Gx.resize(cells);
    g.Gy.resize(cells);
    g.Gz.resize(cells);
    g.Base.resize(cells);
    AssembleRows(grid, conductivity, {}, g, cores);
    SumDiagonal(g);
}

void ReassembleConductances(const Grid& grid, const std::vector<double>& conductivity,
                            const std::vector<bool>& changedRows, Conductances& g,
                            CorePair* cores) {
    // A face through the thickness joins a row to the one below, so a row's faces change
    // with the row below it too.
    std::vector<bool> rows(changedRows);
    for (std::size_t l = 0; l + 1 < rows.size(); ++l) rows[l] = rows[l] || changedRows[l + 1];
    AssembleRows(grid, conductivity, rows, g, cores);
    // A cell's diagonal holds the face to the row above it as well.
    std::vector<bool> summed(rows);
    for (std::size_t l = 1; l < summed.size(); ++l) summed[l] = rows[l] || rows[l - 1];
    SumDiagonalOfRows(summed, g);
}

void SumDiagonal(Conductances& g) {
    const std::size_t cells = g.CellCount();
    const std::size_t stepX = static_cast<std::size_t>(g.Ny) * g.Nz;
    const std::size_t stepY = static_cast<std::size_t>(g.Nz);
    g.Diagonal.assign(cells, 0.0);
    for (std::size_t c = 0; c < cells; ++c) {
        g.Diagonal[c] += g.Gx[c] + g.Gy[c] + g.Gz[c] + g.Base[c];
        if (c + stepX < cells) g.Diagonal[c + stepX] += g.Gx[c];
        if (c + stepY < cells) g.Diagonal[c + stepY] += g.Gy[c];
        if (c + 1 < cells) g.Diagonal[c + 1] += g.Gz[c];
    }
}

std::vector<double> SourceHeat(const Grid& grid, double power) {
    std::vector<double> heat(grid.CellCount(), 0.0);
    const double flux = 0.25 * power / grid.HeatedArea();
    for (int i = 0; i < grid.Nx(); ++i) {
        for (int j = 0; j < grid.Ny(); ++j) {
            if (!grid.IsHeated(i, j)) continue;
            heat[grid.Index(i, j, 0)] =
                flux * (grid.X[i + 1] - grid.X[i]) * (grid.Y[j + 1] - grid.Y[j]);
        }
    }
    return heat;
}

}  // namespace strativex::exact
