#pragma once

#include "core/model.h"

namespace strativex {

// The numbers the user edits, and the values the program accepts for each, in the model's own
// unit: the window's field checks and the checks of a sweep take them from here.
enum class EditedNumber { Power, IsothermalTemp, Size, Thickness, SpreadAngle };

struct AcceptedRange {
    float Low = 0.0f;  // both bounds included, in single precision
    float High = 0.0f;
};

AcceptedRange AcceptedRangeOf(EditedNumber number, LengthUnit unit);

}  // namespace strativex
