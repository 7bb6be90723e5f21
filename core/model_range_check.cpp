#include "core/model_range_check.h"

#include <array>

namespace strativex {
namespace {

constexpr std::array kLayerQuantities{SweepQuantity::Thickness, SweepQuantity::Width,
                                      SweepQuantity::Length, SweepQuantity::SpreadAngle};

void AddIfOutside(std::vector<OutOfRangeValue>& found, const Model& model, SweepQuantity quantity,
                  int layer) {
    const float value = SweptValueOf(model, quantity, layer);
    auto text = OutsideAcceptedText(quantity, layer, value, model.UnitSystem);
    if (!text) return;
    found.push_back({quantity, IsLayerQuantity(quantity) ? layer : 0, value,
                     SweepValueBounds(quantity, model.UnitSystem), std::move(*text)});
}

}  // namespace

std::vector<OutOfRangeValue> OutOfRangeValues(const Model& model) {
    std::vector<OutOfRangeValue> found;
    for (const SweepQuantity quantity : {SweepQuantity::Power, SweepQuantity::IsothermalTemp,
                                         SweepQuantity::DeviceWidth, SweepQuantity::DeviceLength}) {
        AddIfOutside(found, model, quantity, 0);
    }
    for (int i = 1; i <= StackLayerCount(model.LayerCount); ++i) {
        for (const SweepQuantity quantity : kLayerQuantities) {
            AddIfOutside(found, model, quantity, i);
        }
    }
    return found;
}

}  // namespace strativex
