#pragma once

#include <QString>

#include "core/sweep.h"
#include "views/plot/plot_inputs.h"

namespace strativex {

// The unit of the swept values: "W", "mm"; none for a material.
QString SweptUnit(QuantityId quantity, LengthUnit unit);
// "Layer 2 thickness", and with its unit for the axis: "Layer 2 thickness (mm)".
QString SweptName(const SweepResult& sweep);
QString SweptAxisTitle(const SweepResult& sweep);
QString TemperatureAxisTitle();
QString ResistanceAxisTitle();

// A point's swept value with its unit, or its material's name.
QString SweptValueText(const SweepPlotInputs& inputs, float value);
// Why a point has no result: "layer 2: no result".
QString GapReason(const SweepPoint& point);
// The line under the cursor: the swept value, then the results or why there are none, and the
// 3-D check's where it ran at the point.
QString PointReadout(const SweepPlotInputs& inputs, std::size_t index);

}  // namespace strativex
