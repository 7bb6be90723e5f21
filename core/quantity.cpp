#include "core/quantity.h"

#include <algorithm>
#include <array>

#include "core/number_format.h"

namespace strativex {
namespace {

Layer& Record(Model& model, int layer) {
    return model.Layers[static_cast<std::size_t>(layer)];
}

const Layer& Record(const Model& model, int layer) {
    return model.Layers[static_cast<std::size_t>(layer)];
}

// The same bounds in either unit system.
constexpr Bounds Fixed(float low, float high) {
    return {{low, high}, {low, high}};
}

constexpr Bounds kSize{{0.025f, 250.0f}, {0.001f, 10.0f}};
// The decimals slots of a length in millimetres; in inches each is two further on.
constexpr int kWidthLengthSlot = 0;
constexpr int kThicknessSlot = 1;
constexpr int kGeneralForm = -1;

// A material id travels as a float, which holds every 16-bit id exactly.
const std::array kQuantities{
    QuantityDescriptor{.Id = QuantityId::Power,
                       .Name = "Power",
                       .Phrase = "power",
                       .Heading = "Power",
                       .Key = "power",
                       .Column = "power",
                       .Label = "Power Dissipation",
                       .AppliesTo = "heat source",
                       .Unit = UnitFamily::Power,
                       .OfLayer = false,
                       .Sweepable = true,
                       .DigitsSlot = kPowerSlot,
                       .Accepted = Fixed(0.0001f, 1000.0f),
                       .ZeroMeansNoLimit = false,
                       .WholeSteps = false,
                       .RangeMessage = "Thermal output must be between {low} and {high} Watts.",
                       .RangeTitle = "Thermal Output Value Out of Range",
                       .Read = [](const Model& m, int) { return m.PowerDissipation; },
                       .Write = [](Model& m, int, float v) { m.PowerDissipation = v; }},
    QuantityDescriptor{
        .Id = QuantityId::IsothermalTemp,
        .Name = "Isothermal temperature",
        .Phrase = "isothermal temperature",
        .Heading = "Isothermal base",
        .Key = "isothermal",
        .Column = "isothermal_temp",
        .Label = "Isothermal Temperature",
        .AppliesTo = "heat source (the base)",
        .Unit = UnitFamily::Temperature,
        .OfLayer = false,
        .Sweepable = true,
        .DigitsSlot = kTemperatureSlot,
        .Accepted = Fixed(-50.0f, 500.0f),
        .ZeroMeansNoLimit = false,
        .WholeSteps = false,
        .RangeMessage = "Isothermal temperature must be between {low} and {high} deg C.",
        .RangeTitle = "Isothermal Temperature Value Out of Range",
        .Read = [](const Model& m, int) { return m.IsothermalTemp; },
        .Write = [](Model& m, int, float v) { m.IsothermalTemp = v; }},
    QuantityDescriptor{.Id = QuantityId::DeviceWidth,
                       .Name = "Device width",
                       .Phrase = "device width",
                       .Heading = "Width",
                       .Key = "device_width",
                       .Column = "device_width",
                       .Label = "Width",
                       .AppliesTo = "heat source",
                       .Unit = UnitFamily::Length,
                       .OfLayer = false,
                       .Sweepable = true,
                       .DigitsSlot = kWidthLengthSlot,
                       .Accepted = kSize,
                       .ZeroMeansNoLimit = false,
                       .WholeSteps = false,
                       .RangeMessage = "Width must be between {low} and {high} {unit}",
                       .RangeTitle = "Width Value Out of Range",
                       .Read = [](const Model& m, int) { return m.Layers[0].Width; },
                       .Write = [](Model& m, int, float v) { m.Layers[0].Width = v; }},
    QuantityDescriptor{.Id = QuantityId::DeviceLength,
                       .Name = "Device length",
                       .Phrase = "device length",
                       .Heading = "Length",
                       .Key = "device_length",
                       .Column = "device_length",
                       .Label = "Length",
                       .AppliesTo = "heat source",
                       .Unit = UnitFamily::Length,
                       .OfLayer = false,
                       .Sweepable = true,
                       .DigitsSlot = kWidthLengthSlot,
                       .Accepted = kSize,
                       .ZeroMeansNoLimit = false,
                       .WholeSteps = false,
                       .RangeMessage = "Length must be between {low} and {high} {unit}",
                       .RangeTitle = "Length Value Out of Range",
                       .Read = [](const Model& m, int) { return m.Layers[0].Length; },
                       .Write = [](Model& m, int, float v) { m.Layers[0].Length = v; }},
    QuantityDescriptor{.Id = QuantityId::Thickness,
                       .Name = "Layer thickness",
                       .Phrase = "thickness",
                       .Heading = "Thickness",
                       .Key = "thickness",
                       .Column = "thickness",
                       .Label = "Thickness",
                       .AppliesTo = "layer",
                       .Unit = UnitFamily::Length,
                       .OfLayer = true,
                       .Sweepable = true,
                       .DigitsSlot = kThicknessSlot,
                       .Accepted = Bounds{{2.5e-5f, 25.0f}, {1e-6f, 1.0f}},
                       .ZeroMeansNoLimit = false,
                       .WholeSteps = false,
                       .RangeMessage = "Layer thickness must be between {low} and {high} {unit}",
                       .RangeTitle = "Layer Thickness Value Out of Range",
                       .Read = [](const Model& m, int i) { return Record(m, i).Thickness; },
                       .Write = [](Model& m, int i, float v) { Record(m, i).Thickness = v; }},
    QuantityDescriptor{.Id = QuantityId::Width,
                       .Name = "Layer width",
                       .Phrase = "width",
                       .Heading = "Width",
                       .Key = "width",
                       .Column = "width",
                       .Label = "Width",
                       .AppliesTo = "layer",
                       .Unit = UnitFamily::Length,
                       .OfLayer = true,
                       .Sweepable = true,
                       .DigitsSlot = kWidthLengthSlot,
                       .Accepted = kSize,
                       .ZeroMeansNoLimit = true,
                       .WholeSteps = false,
                       .RangeMessage = "Width must be between {low} and {high} {unit}",
                       .RangeTitle = "Width Value Out of Range",
                       .Read = [](const Model& m, int i) { return Record(m, i).Width; },
                       .Write = [](Model& m, int i, float v) { Record(m, i).Width = v; }},
    QuantityDescriptor{.Id = QuantityId::Length,
                       .Name = "Layer length",
                       .Phrase = "length",
                       .Heading = "Length",
                       .Key = "length",
                       .Column = "length",
                       .Label = "Length",
                       .AppliesTo = "layer",
                       .Unit = UnitFamily::Length,
                       .OfLayer = true,
                       .Sweepable = true,
                       .DigitsSlot = kWidthLengthSlot,
                       .Accepted = kSize,
                       .ZeroMeansNoLimit = true,
                       .WholeSteps = false,
                       .RangeMessage = "Length must be between {low} and {high} {unit}",
                       .RangeTitle = "Length Value Out of Range",
                       .Read = [](const Model& m, int i) { return Record(m, i).Length; },
                       .Write = [](Model& m, int i, float v) { Record(m, i).Length = v; }},
    QuantityDescriptor{.Id = QuantityId::SpreadAngle,
                       .Name = "Layer spreading angle",
                       .Phrase = "spreading angle",
                       .Heading = "Angle",
                       .Key = "angle",
                       .Column = "spread_angle",
                       .Label = "Thermal Spreading Angle",
                       .AppliesTo = "layer",
                       .Unit = UnitFamily::Angle,
                       .OfLayer = true,
                       .Sweepable = true,
                       .DigitsSlot = kGeneralForm,
                       .Accepted = Fixed(0.0f, 45.0f),
                       .ZeroMeansNoLimit = false,
                       .WholeSteps = true,
                       .RangeMessage = {},
                       .RangeTitle = {},
                       .Read = [](const Model& m, int i) { return Record(m, i).SpreadAngle; },
                       .Write = [](Model& m, int i, float v) { Record(m, i).SpreadAngle = v; }},
    QuantityDescriptor{
        .Id = QuantityId::Material,
        .Name = "Layer material",
        .Phrase = "material",
        .Heading = "Material",
        .Key = "material",
        .Column = "material",
        .Label = "Material",
        .AppliesTo = "layer",
        .Unit = UnitFamily::MaterialId,
        .OfLayer = true,
        .Sweepable = true,
        .DigitsSlot = kGeneralForm,
        .Accepted = Bounds{},
        .ZeroMeansNoLimit = false,
        .WholeSteps = false,
        .RangeMessage = {},
        .RangeTitle = {},
        .Read = [](const Model& m, int i) { return static_cast<float>(Record(m, i).MaterialId); },
        .Write = [](Model& m, int i,
                    float v) { Record(m, i).MaterialId = static_cast<std::int16_t>(v); }},
};

void ReplaceAll(std::string& text, std::string_view mark, const std::string& value) {
    for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark, at)) {
        text.replace(at, mark.size(), value);
        at += value.size();
    }
}

}  // namespace

std::span<const QuantityDescriptor> Quantities() {
    return kQuantities;
}

const QuantityDescriptor& QuantityOf(QuantityId id) {
    return kQuantities[static_cast<std::size_t>(id)];
}

std::optional<QuantityId> QuantityKeyed(std::string_view key) {
    const auto found = std::find_if(kQuantities.begin(), kQuantities.end(),
                                    [key](const QuantityDescriptor& q) { return q.Key == key; });
    if (found == kQuantities.end()) return std::nullopt;
    return found->Id;
}

bool IsLayerQuantity(QuantityId id) {
    return QuantityOf(id).OfLayer;
}

bool HasBounds(const QuantityDescriptor& quantity) {
    return quantity.Unit != UnitFamily::MaterialId;
}

AcceptedRange AcceptedRangeOf(const QuantityDescriptor& quantity, LengthUnit unit) {
    return unit == LengthUnit::Inches ? quantity.Accepted.Inches : quantity.Accepted.Millimetres;
}

bool Accepts(const QuantityDescriptor& quantity, float value, LengthUnit unit) {
    const AcceptedRange range = AcceptedRangeOf(quantity, unit);
    return (quantity.ZeroMeansNoLimit && value == 0.0f) ||
           (value >= range.Low && value <= range.High);
}

std::string RangeMessageOf(const QuantityDescriptor& quantity, LengthUnit unit) {
    const AcceptedRange range = AcceptedRangeOf(quantity, unit);
    std::string text(quantity.RangeMessage);
    ReplaceAll(text, "{low}", NumberText(range.Low));
    ReplaceAll(text, "{high}", NumberText(range.High));
    ReplaceAll(text, "{unit}", std::string(UnitText(quantity.Unit, unit)));
    return text;
}

std::optional<int> DigitsSlotOf(const QuantityDescriptor& quantity, LengthUnit unit) {
    if (quantity.DigitsSlot < 0) return std::nullopt;
    return quantity.Unit == UnitFamily::Length ? quantity.DigitsSlot + 2 * UnitIndex(unit)
                                               : quantity.DigitsSlot;
}

TypedNumber ReadQuantityText(const QuantityDescriptor& quantity, std::string_view text,
                             LengthUnit unit) {
    switch (quantity.Unit) {
        case UnitFamily::Power:
            return ReadTypedNumber(text, {"W"});
        case UnitFamily::Temperature:
            return ReadTypedNumber(text, {"\u00B0C", "C"});
        case UnitFamily::Length:
            return unit == LengthUnit::Inches ? ReadTypedNumber(text, {"in.", "in"})
                                              : ReadTypedNumber(text, {"mm"});
        case UnitFamily::Angle:
            return ReadTypedNumber(text, {"\u00B0", "deg"});
        case UnitFamily::MaterialId:
            break;
    }
    return ReadTypedNumber(text, {});
}

std::string QuantityText(QuantityId id, int layer) {
    const QuantityDescriptor& quantity = QuantityOf(id);
    const std::string phrase(quantity.Phrase);
    return quantity.OfLayer ? "layer " + std::to_string(layer) + " " + phrase : phrase;
}

}  // namespace strativex
