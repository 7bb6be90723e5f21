#pragma once

#include <vector>

#include "exact/core_pair.h"
#include "exact/grid.h"

namespace strativex::exact {

// The finite-volume operator of one grid as conductances (W/K) between neighbouring cells,
// indexed like the cells: Gx[c] joins cell c to its neighbour at i + 1, Gy at j + 1, Gz at
// l + 1; Base joins a bottom cell to the base temperature, through the grid's heat transfer
// coefficient where it has one. Cells outside the body have none.
struct Conductances {
    int Nx = 0, Ny = 0, Nz = 0;
    std::vector<double> Gx, Gy, Gz, Base;
    std::vector<double> Diagonal;  // the sum of a cell's conductances; 0 outside the body

    std::size_t CellCount() const { return Gx.size(); }
};

// `conductivity` holds every cell's K (W/cm-K); faces between cells take the series
// conductance of the two half-cells, which keeps heat flux continuous across interfaces.
Conductances AssembleConductances(const Grid& grid, const std::vector<double>& conductivity);
// The same into `g`, reusing its storage: a conductivity iteration assembles many times.
// `cores`, where given, share the work.
void AssembleConductances(const Grid& grid, const std::vector<double>& conductivity,
                          Conductances& g, CorePair* cores = nullptr);
// `g` assembled for `conductivity` once more, where only the rows of cells marked in
// `changedRows` (one flag per row, top first) have changed their conductivity since: in
// most stacks the temperature-dependent layers are a few thin rows of many.
void ReassembleConductances(const Grid& grid, const std::vector<double>& conductivity,
                            const std::vector<bool>& changedRows, Conductances& g,
                            CorePair* cores = nullptr);

// Fills Diagonal from the conductances.
void SumDiagonal(Conductances& g);

// Heat entering every cell, W: a quarter of the power spread evenly over the heated area, so
// that every source of an array takes an equal share.
std::vector<double> SourceHeat(const Grid& grid, double power);

}  // namespace strativex::exact
