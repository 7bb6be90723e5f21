#include "core/model_range_check.h"

namespace strativex {
namespace {

void AddIfOutside(std::vector<OutOfRangeValue>& found, const Model& model,
                  const QuantityDescriptor& quantity, int layer) {
    const float value = quantity.Read(model, layer);
    auto text = OutsideAcceptedText(quantity.Id, layer, value, model.UnitSystem);
    if (!text) return;
    found.push_back(
        {quantity.Id, layer, value, AcceptedRangeOf(quantity, model.UnitSystem), std::move(*text)});
}

}  // namespace

std::vector<OutOfRangeValue> OutOfRangeValues(const Model& model) {
    std::vector<OutOfRangeValue> found;
    for (const QuantityDescriptor& quantity : Quantities()) {
        if (!quantity.OfLayer && HasBounds(quantity)) AddIfOutside(found, model, quantity, 0);
    }
    for (int i = 1; i <= StackLayerCount(model.LayerCount); ++i) {
        for (const QuantityDescriptor& quantity : Quantities()) {
            if (quantity.OfLayer && HasBounds(quantity)) AddIfOutside(found, model, quantity, i);
        }
    }
    return found;
}

}  // namespace strativex
