#include "exact/transient_measures.h"

#include <algorithm>

namespace strativex::exact {
namespace {

// The grid holds a quarter of the stack.
constexpr double kQuarters = 4.0;

}  // namespace

SourceFace SourceFaceOf(const Grid& grid, const std::vector<double>& conductivity, double power) {
    SourceFace face;
    const double flux = power / (kQuarters * grid.SourceHalfWidth * grid.SourceHalfLength);
    const double halfDepth = 0.5 * (grid.Z[1] - grid.Z[0]);
    for (int i = 0; i < grid.Nx(); ++i) {
        for (int j = 0; j < grid.Ny(); ++j) {
            if (!grid.IsHeated(i, j)) continue;
            const std::size_t c = grid.Index(i, j, 0);
            const double area = (grid.X[i + 1] - grid.X[i]) * (grid.Y[j + 1] - grid.Y[j]);
            face.Cells.push_back(c);
            face.Areas.push_back(area);
            face.Drops.push_back(flux * halfDepth / conductivity[c]);
            face.Area += area;
        }
    }
    return face;
}

FaceRise MeasureFace(const SourceFace& face, const std::vector<double>& riseK) {
    FaceRise rise;
    double weighted = 0.0;
    for (std::size_t n = 0; n < face.Cells.size(); ++n) {
        const double atFace = riseK[face.Cells[n]] + face.Drops[n];
        weighted += atFace * face.Areas[n];
        rise.Peak = std::max(rise.Peak, atFace);
    }
    rise.Average = weighted / face.Area;
    return rise;
}

double StoredHeat(const std::vector<double>& capacity, const std::vector<double>& riseK) {
    double stored = 0.0;
    for (std::size_t c = 0; c < capacity.size(); ++c) stored += capacity[c] * riseK[c];
    return kQuarters * stored;
}

double BaseFlow(const Conductances& g, const std::vector<double>& riseK) {
    double flow = 0.0;
    for (std::size_t c = 0; c < g.CellCount(); ++c) flow += g.Base[c] * riseK[c];
    return kQuarters * flow;
}

}  // namespace strativex::exact
