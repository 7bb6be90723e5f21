#include "core/units.h"

namespace strativex {
namespace {

constexpr auto kInchesPerMillimetre = static_cast<float>(1.0 / kMillimetresPerInch);

float Scaled(float value, double factor) {
    return static_cast<float>(value * factor);
}

}  // namespace

int UnitIndex(LengthUnit unit) {
    return unit == LengthUnit::Inches ? 1 : 0;
}

std::string_view UnitLabel(LengthUnit unit) {
    return UnitLabels[UnitIndex(unit)];
}

std::string_view UnitText(UnitFamily family, LengthUnit unit) {
    switch (family) {
        case UnitFamily::Power:
            return "W";
        case UnitFamily::Temperature:
            return "deg C";
        case UnitFamily::Length:
            return UnitLabel(unit);
        case UnitFamily::Angle:
            return "deg";
        case UnitFamily::MaterialId:
            break;
    }
    return {};
}

std::string_view UnitColumnText(UnitFamily family, LengthUnit unit) {
    switch (family) {
        case UnitFamily::Power:
            return "w";
        case UnitFamily::Temperature:
            return "c";
        case UnitFamily::Length:
            return unit == LengthUnit::Inches ? "in" : "mm";
        case UnitFamily::Angle:
            return "deg";
        case UnitFamily::MaterialId:
            break;
    }
    return "id";
}

void ConvertModelUnits(Model& model) {
    const double factor =
        model.UnitSystem == LengthUnit::Millimeters ? kMillimetresPerInch : kInchesPerMillimetre;
    for (int i = 0; i <= model.LayerCount; ++i) {
        Layer& layer = model.Layers[i];
        layer.Thickness = Scaled(layer.Thickness, factor);
        layer.Width = Scaled(layer.Width, factor);
        layer.Length = Scaled(layer.Length, factor);
    }
}

bool SelectUnit(Model& model, LengthUnit unit) {
    if (model.UnitSystem == unit) return false;
    model.UnitSystem = unit;
    ConvertModelUnits(model);
    return true;
}

}  // namespace strativex
