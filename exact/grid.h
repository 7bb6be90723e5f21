#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "exact/exact_options.h"
#include "exact/stack.h"

namespace strativex::exact {

// A quarter of the stack (x >= 0, y >= 0; the model is symmetric about both axes) cut into
// cells by faces on every layer edge, every source edge and every interface. Lengths in cm; z
// runs down from the source face. Cells are indexed column by column so that the cells under
// one another are neighbours in memory.
// Where the heated area lies along one axis of the quarter, on faces of the grid.
struct HeatedSpan {
    double Low = 0.0;
    double High = 0.0;
};

struct Grid {
    std::vector<double> X, Y, Z;                          // face positions
    std::vector<int> LayerOfRow;                          // 0-based layer of each row of cells in z
    std::vector<double> LayerHalfWidth, LayerHalfLength;  // the cut-off edge where unlimited
    double SourceHalfWidth = 0.0;  // of the heated area: the source where it meets layer 1
    double SourceHalfLength = 0.0;
    // The sources of an array heat where a cell's centre lies in a span on both axes: every
    // source whose centre is not negative, from the one nearest the axis outwards. A single
    // source has one span from 0 to its half-size.
    std::vector<HeatedSpan> HeatedX{{0.0, 0.0}};
    std::vector<HeatedSpan> HeatedY{{0.0, 0.0}};
    double BaseHeatTransfer = kUnlimited;  // the stack's, W/cm2-K

    int Nx() const { return static_cast<int>(X.size()) - 1; }
    int Ny() const { return static_cast<int>(Y.size()) - 1; }
    int Nz() const { return static_cast<int>(Z.size()) - 1; }
    std::size_t CellCount() const {
        return static_cast<std::size_t>(Nx()) * static_cast<std::size_t>(Ny()) *
               static_cast<std::size_t>(Nz());
    }
    std::size_t Index(int i, int j, int l) const {
        return (static_cast<std::size_t>(i) * static_cast<std::size_t>(Ny()) +
                static_cast<std::size_t>(j)) *
                   static_cast<std::size_t>(Nz()) +
               static_cast<std::size_t>(l);
    }
    // Whether the cell lies inside its layer (the others are no part of the body). Inline:
    // the solves ask it of every cell on every conductivity iteration.
    bool IsActive(int i, int j, int l) const {
        const auto layer = static_cast<std::size_t>(LayerOfRow[static_cast<std::size_t>(l)]);
        return 0.5 * (X[i] + X[i + 1]) < LayerHalfWidth[layer] &&
               0.5 * (Y[j] + Y[j + 1]) < LayerHalfLength[layer];
    }
    bool IsHeated(int i, int j) const;  // under a heat source, on the top face
    // The span along each axis that holds the cell's centre; nothing where no source does.
    std::optional<std::size_t> SpanX(int i) const;
    std::optional<std::size_t> SpanY(int j) const;
    // The heated area of the quarter, cm2.
    double HeatedArea() const;
};

// The corner of the quarter that holds a row's cells in the body: [0, CellsX) by [0, CellsY),
// the cells IsActive holds, as every layer is centred on the stack.
struct RowCorner {
    int CellsX = 0, CellsY = 0;

    bool Holds(int i, int j) const { return i < CellsX && j < CellsY; }
};

// Every row's corner, top row first.
std::vector<RowCorner> BodyCorners(const Grid& grid);

struct CellPosition {
    int I = 0, J = 0, L = 0;
};

// The cell holding a point given in cm; nothing outside the grid. Negative x and y are
// mirrored.
std::optional<CellPosition> LocateCell(const Grid& grid, double x, double y, double z);

// The fine grid for this stack: graded towards every edge and interface, its size chosen from
// the heated area, made coarser while it has more cells than the options allow.
Grid BuildGrid(const Stack& stack, const ExactOptions& options);

// The 0-based layer of every row of cells between the faces z, by the row's centre.
std::vector<int> LayersOfRows(const Stack& stack, const std::vector<double>& z);

// Every other face of the fine grid: the grid twice as coarse for Richardson extrapolation.
Grid HalvedGrid(const Grid& fine);

}  // namespace strativex::exact
