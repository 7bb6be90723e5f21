#include "core/accepted_ranges.h"

namespace strativex {

AcceptedRange AcceptedRangeOf(EditedNumber number, LengthUnit unit) {
    const bool inches = unit == LengthUnit::Inches;
    switch (number) {
        case EditedNumber::Power:
            return {0.0001f, 1000.0f};
        case EditedNumber::IsothermalTemp:
            return {-50.0f, 500.0f};
        case EditedNumber::Size:
            return {inches ? 0.001f : 0.025f, inches ? 10.0f : 250.0f};
        case EditedNumber::Thickness:
            return {inches ? 1e-6f : 2.5e-5f, inches ? 1.0f : 25.0f};
        case EditedNumber::SpreadAngle:
            return {0.0f, 45.0f};
    }
    return {};
}

}  // namespace strativex
