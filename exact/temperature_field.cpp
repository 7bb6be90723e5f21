#include "exact/temperature_field.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace strativex::exact {
namespace {

double CellArea(const Grid& grid, int i, int j) {
    return (grid.X[i + 1] - grid.X[i]) * (grid.Y[j + 1] - grid.Y[j]);
}

// The first row of cells of every layer.
std::vector<int> TopRows(const Grid& grid) {
    std::vector<int> rows;
    for (int l = 0; l < grid.Nz(); ++l) {
        if (l == 0 || grid.LayerOfRow[l] != grid.LayerOfRow[l - 1]) rows.push_back(l);
    }
    return rows;
}

double MeanOverContact(const TemperatureField& field, int row) {
    const Grid& grid = field.Mesh;
    double sum = 0.0, area = 0.0;
    for (int i = 0; i < grid.Nx(); ++i) {
        for (int j = 0; j < grid.Ny(); ++j) {
            const bool inContact = row == 0
                                       ? grid.IsHeated(i, j)
                                       : grid.IsActive(i, j, row) && grid.IsActive(i, j, row - 1);
            if (!inContact) continue;
            sum += TopFaceTempK(field, i, j, row) * CellArea(grid, i, j);
            area += CellArea(grid, i, j);
        }
    }
    return sum / area;
}

void MeasureSources(const TemperatureField& field, FieldMeasures& measures) {
    const Grid& grid = field.Mesh;
    const std::size_t across = grid.HeatedY.size();
    const std::size_t count = grid.HeatedX.size() * across;
    std::vector<double> sum(count, 0.0), area(count, 0.0);
    measures.SourcePeakK.assign(count, -std::numeric_limits<double>::infinity());
    for (int i = 0; i < grid.Nx(); ++i) {
        const auto x = grid.SpanX(i);
        if (!x) continue;
        for (int j = 0; j < grid.Ny(); ++j) {
            const auto y = grid.SpanY(j);
            if (!y) continue;
            const std::size_t source = *x * across + *y;
            const double temp = TopFaceTempK(field, i, j, 0);
            sum[source] += temp * CellArea(grid, i, j);
            area[source] += CellArea(grid, i, j);
            measures.SourcePeakK[source] = std::max(measures.SourcePeakK[source], temp);
        }
    }
    for (std::size_t source = 0; source < count; ++source) {
        measures.SourceAverageK.push_back(sum[source] / area[source]);
    }
}

}  // namespace

std::optional<double> TemperatureAtK(const TemperatureField& field, double x, double y, double z) {
    const double cm = field.CmPerUnit;
    const auto cell = LocateCell(field.Mesh, x * cm, y * cm, z * cm);
    if (!cell || !field.Mesh.IsActive(cell->I, cell->J, cell->L)) return std::nullopt;
    return field.TempK[field.Mesh.Index(cell->I, cell->J, cell->L)];
}

double TopFaceTempK(const TemperatureField& field, int i, int j, int l) {
    const Grid& grid = field.Mesh;
    const std::size_t c = grid.Index(i, j, l);
    const double halfDepth = 0.5 * (grid.Z[l + 1] - grid.Z[l]);
    if (l == 0) {
        const double flux = grid.IsHeated(i, j) ? field.SourceFlux : 0.0;
        return field.TempK[c] + flux * halfDepth / field.Conductivity[c];
    }
    if (!grid.IsActive(i, j, l - 1)) return field.TempK[c];
    const double below = field.Conductivity[c] / halfDepth;
    const double above = field.Conductivity[c - 1] / (0.5 * (grid.Z[l] - grid.Z[l - 1]));
    return (below * field.TempK[c] + above * field.TempK[c - 1]) / (below + above);
}

FieldMeasures MeasureField(const TemperatureField& field) {
    const Grid& grid = field.Mesh;
    FieldMeasures measures;
    measures.AverageSourceK = MeanOverContact(field, 0);
    measures.PeakSourceK = -std::numeric_limits<double>::infinity();
    for (int i = 0; i < grid.Nx(); ++i) {
        for (int j = 0; j < grid.Ny(); ++j) {
            if (!grid.IsHeated(i, j)) continue;
            measures.PeakSourceK = std::max(measures.PeakSourceK, TopFaceTempK(field, i, j, 0));
        }
    }
    for (const int row : TopRows(grid)) measures.LayerTopK.push_back(MeanOverContact(field, row));
    MeasureSources(field, measures);
    return measures;
}

}  // namespace strativex::exact
