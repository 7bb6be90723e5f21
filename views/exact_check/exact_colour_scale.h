#pragma once

#include <QColor>

namespace strativex {

// The colour of a temperature that lies `fraction` of the way from the coolest to the hottest
// shown (clamped to 0..1): dark blue through cyan, green, yellow and orange to dark red, the
// order of a thermal camera's picture that engineers read without a legend.
QColor TemperatureColour(double fraction);

}  // namespace strativex
