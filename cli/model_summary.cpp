#include "cli/model_summary.h"

#include "core/number_text.h"
#include "core/thermal_calc.h"
#include "core/units.h"
#include "core/windows1252.h"

namespace strativex {
std::string_view StatusName(ResultStatus status) {
    switch (status) {
        case ResultStatus::Ok:
            return "ok";
        case ResultStatus::MissingMaterial:
            return "missing_material";
        case ResultStatus::NoConvergence:
            return "no_convergence";
        case ResultStatus::InvalidInput:
            return "invalid_input";
        case ResultStatus::DependsOnFailedLayer:
            return "depends_on_failed_layer";
        case ResultStatus::NoLayers:
            return "no_layers";
    }
    return "unknown";
}

ResultStatus ModelStatus(const Model& model) {
    // A heat source on nothing has no temperature to report, which a script must not take for ok.
    if (model.LayerCount == 0) return ResultStatus::NoLayers;
    const auto first = FirstLayerWithoutResult(model);
    if (!first) return ResultStatus::Ok;
    for (int i = *first; i <= model.LayerCount; ++i) {
        const ResultStatus status = model.Layers[i].Status;
        if (status != ResultStatus::Ok && status != ResultStatus::DependsOnFailedLayer) {
            return status;
        }
    }
    return model.Layers[*first].Status;
}

std::string_view UnitName(LengthUnit unit) {
    return UnitColumnText(UnitFamily::Length, unit);
}

std::optional<std::string> MaterialName(const MaterialTable& table, const Layer& layer) {
    if (layer.MaterialId < 1) return std::nullopt;
    const Material& material = table.Materials[FindMaterialIndex(table, layer.MaterialId)];
    return Windows1252ToUtf8(material.Name);
}

std::optional<float> ResistanceOf(const Layer& layer) {
    if (!HasResult(layer)) return std::nullopt;
    return layer.Resistance;
}

std::optional<float> TopTempKOf(const Layer& layer) {
    if (!HasResult(layer)) return std::nullopt;
    return layer.TopTemp;
}

std::optional<double> TopTempCOf(const Layer& layer) {
    if (!HasResult(layer)) return std::nullopt;
    return static_cast<double>(layer.TopTemp) - kKelvinOffset;
}

std::optional<std::string> TopTempCText(const Layer& layer) {
    if (!HasResult(layer)) return std::nullopt;
    return CelsiusText(layer.TopTemp);
}

std::optional<std::string> HeatSourceTempCText(const Model& model) {
    if (model.LayerCount == 0) return std::nullopt;
    return TopTempCText(model.Layers[1]);
}

std::optional<std::string> InvalidInputName(const Model& model) {
    const auto invalid = FirstInvalidInput(model);
    if (!invalid) return std::nullopt;
    return std::string(InputFieldName(invalid->Field));
}

std::optional<int> InvalidInputLayer(const Model& model) {
    const auto invalid = FirstInvalidInput(model);
    if (!invalid) return std::nullopt;
    return invalid->Layer;
}

}  // namespace strativex
