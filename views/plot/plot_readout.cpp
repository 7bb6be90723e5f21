#include "views/plot/plot_readout.h"

#include <cmath>

namespace strativex {

std::optional<std::size_t> PointIndexAt(const SweepPlotGeometry& geometry, QPointF cursor) {
    if (!geometry.Area.contains(cursor) || geometry.PointX.empty()) return std::nullopt;
    std::size_t nearest = 0;
    for (std::size_t p = 1; p < geometry.PointX.size(); ++p) {
        if (std::fabs(geometry.PointX[p] - cursor.x()) <
            std::fabs(geometry.PointX[nearest] - cursor.x())) {
            nearest = p;
        }
    }
    return nearest;
}

}  // namespace strativex
