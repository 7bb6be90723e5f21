#pragma once

#include <QPointF>

#include <optional>

#include "views/plot/plot_geometry.h"

namespace strativex {

// The point whose x is nearest to a cursor inside the plot area; nothing outside it. The
// read-out of that point is PointReadout.
std::optional<std::size_t> PointIndexAt(const SweepPlotGeometry& geometry, QPointF cursor);

}  // namespace strativex
