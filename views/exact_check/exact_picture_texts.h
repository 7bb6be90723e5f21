#pragma once

#include <QString>

#include "core/model.h"

namespace strativex {

// A tick's value, as short as it reads back.
QString PictureTickText(double value);
// A temperature tick: "140 °C".
QString DegreesTickText(double value);
// "Depth (mm)", named with the program's label of the unit.
QString LengthAxisTitle(const QString& name, LengthUnit unit);

// Under the map: how its depth is drawn against its width, and the isotherms' spacing.
QString SectionCaption(double depthExaggeration, double isothermStepC);

}  // namespace strativex
