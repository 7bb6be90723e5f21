#include "core/model.h"

#include <algorithm>

namespace strativex {

std::string_view MissingResultMark(ResultStatus status) {
    switch (status) {
        case ResultStatus::Ok:
            return {};
        case ResultStatus::MissingMaterial:
            return "material?";
        case ResultStatus::NoConvergence:
            return "no result";
        case ResultStatus::InvalidInput:
            return "invalid";
        case ResultStatus::DependsOnFailedLayer:
            return "n/a";
        case ResultStatus::NoLayers:
            return "no layers";
    }
    return "n/a";
}

std::string_view InputFieldName(InputField field) {
    switch (field) {
        case InputField::None:
            return {};
        case InputField::Power:
            return "power";
        case InputField::IsothermalTemp:
            return "isothermal_temp";
        case InputField::DeviceSize:
            return "device_size";
        case InputField::Thickness:
            return "thickness";
        case InputField::SpreadAngle:
            return "spread_angle";
        case InputField::Conductivity:
            return "conductivity";
        case InputField::Footprint:
            return "footprint";
    }
    return {};
}

bool IsModelWide(InputField field) {
    return field == InputField::Power || field == InputField::IsothermalTemp ||
           field == InputField::DeviceSize;
}

int StackLayerCount(int layerCount) {
    return std::clamp(layerCount, 0, kMaxLayerCount);
}

void ResetToNewModel(Model& model, const ModelDefaults& defaults) {
    for (Layer& layer : model.Layers) {
        layer = Layer{};
        layer.Thickness = defaults.DefaultLayerThickness;
        layer.Width = defaults.DefaultLayerWidth;
        layer.Length = defaults.DefaultLayerLength;
        layer.SpreadAngle = defaults.DefaultSpreadAngle;
    }
    Layer& source = model.Layers[0];
    source.Description = "Heat Source";
    source.Width = defaults.DefaultDeviceWidth;
    source.Length = defaults.DefaultDeviceLength;
    source.Thickness = 0.0f;

    model.LayerCount = 0;
    model.PowerDissipation = defaults.DefaultPowerDissipation;
    model.IsothermalTemp = defaults.DefaultIsothermalTemp;
    model.ModelName = "(Untitled)";
    model.ModelFileName = "untitled.mdl";
    model.ModelComments.clear();
}

void CopyUserFields(const Layer& from, Layer& to) {
    to.MaterialId = from.MaterialId;
    to.ColorIndex = from.ColorIndex;
    to.Thickness = from.Thickness;
    to.Width = from.Width;
    to.Length = from.Length;
    to.SpreadAngle = from.SpreadAngle;
    to.Description = from.Description;
}

}  // namespace strativex
