#include "core/model_inputs.h"

#include <bit>

namespace strativex {
namespace {

bool SameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

bool SameLayer(const Layer& a, const Layer& b) {
    return a.MaterialId == b.MaterialId && a.ColorIndex == b.ColorIndex &&
           SameBits(a.Thickness, b.Thickness) && SameBits(a.Width, b.Width) &&
           SameBits(a.Length, b.Length) && SameBits(a.SpreadAngle, b.SpreadAngle) &&
           a.Description == b.Description;
}

}  // namespace

ModelInputs InputsOf(const Model& model) {
    ModelInputs inputs;
    for (int i = 0; i < kRecordCount; ++i) CopyUserFields(model.Layers[i], inputs.Layers[i]);
    inputs.LayerCount = model.LayerCount;
    inputs.PowerDissipation = model.PowerDissipation;
    inputs.UnitSystem = model.UnitSystem;
    inputs.IsothermalTemp = model.IsothermalTemp;
    inputs.ModelName = model.ModelName;
    inputs.ModelComments = model.ModelComments;
    return inputs;
}

void RestoreInputs(Model& model, const ModelInputs& inputs) {
    for (int i = 0; i < kRecordCount; ++i) CopyUserFields(inputs.Layers[i], model.Layers[i]);
    model.LayerCount = inputs.LayerCount;
    model.PowerDissipation = inputs.PowerDissipation;
    model.UnitSystem = inputs.UnitSystem;
    model.IsothermalTemp = inputs.IsothermalTemp;
    model.ModelName = inputs.ModelName;
    model.ModelComments = inputs.ModelComments;
}

bool SameInputs(const ModelInputs& a, const ModelInputs& b) {
    for (int i = 0; i < kRecordCount; ++i) {
        if (!SameLayer(a.Layers[i], b.Layers[i])) return false;
    }
    return a.LayerCount == b.LayerCount && SameBits(a.PowerDissipation, b.PowerDissipation) &&
           a.UnitSystem == b.UnitSystem && SameBits(a.IsothermalTemp, b.IsothermalTemp) &&
           a.ModelName == b.ModelName && a.ModelComments == b.ModelComments;
}

}  // namespace strativex
