#include "exact/input_check.h"

#include <cmath>

namespace strativex::exact {
namespace {

bool IsPositiveNumber(double value) {
    return std::isfinite(value) && value > 0.0;
}

std::optional<UnavailableReason> SourceProblem(const Layer& source) {
    if (!IsPositiveNumber(source.Width) || !IsPositiveNumber(source.Length)) {
        return UnavailableReason::InvalidSize;
    }
    return std::nullopt;
}

std::optional<UnavailableReason> MaterialProblem(const Layer& layer, const MaterialTable& table,
                                                 double baseK) {
    if (layer.MaterialId < 1) return UnavailableReason::NoMaterial;
    const std::int16_t index = FindMaterialIndex(table, layer.MaterialId);
    if (index == 0) return UnavailableReason::MissingMaterial;
    const Material& material = table.Materials[index];
    const double conductivity = material.A * std::pow(baseK, static_cast<double>(material.B));
    if (!IsPositiveNumber(material.A) || !std::isfinite(material.B) ||
        !IsPositiveNumber(conductivity)) {
        return UnavailableReason::InvalidConductivity;
    }
    return std::nullopt;
}

std::optional<UnavailableReason> LayerProblem(const Layer& layer, const MaterialTable& table,
                                              double baseK) {
    if (auto problem = MaterialProblem(layer, table, baseK)) return problem;
    if (!IsPositiveNumber(layer.Thickness)) return UnavailableReason::InvalidThickness;
    // Zero or below means "no lateral limit"; only a value that is no number at all is wrong.
    if (!std::isfinite(layer.Width) || !std::isfinite(layer.Length)) {
        return UnavailableReason::InvalidSize;
    }
    return std::nullopt;
}

}  // namespace

std::optional<Unavailability> FindUnavailability(const Model& model, const MaterialTable& table,
                                                 const BaseCondition& base,
                                                 const SourceArray& sources) {
    if (model.LayerCount < 1 || model.LayerCount > kMaxLayerCount) {
        return Unavailability{kWholeModel, UnavailableReason::NoLayers};
    }
    if (!IsPositiveNumber(model.PowerDissipation)) {
        return Unavailability{kWholeModel, UnavailableReason::InvalidPower};
    }
    const double baseK = static_cast<double>(model.IsothermalTemp) + kKelvinOffset;
    if (!IsPositiveNumber(baseK)) {
        return Unavailability{kWholeModel, UnavailableReason::InvalidBaseTemperature};
    }
    if (auto problem = SourceProblem(model.Layers[0])) return Unavailability{0, *problem};
    for (int i = 1; i <= model.LayerCount; ++i) {
        if (auto problem = LayerProblem(model.Layers[i], table, baseK)) {
            return Unavailability{i, *problem};
        }
    }
    if (BaseConditionProblem(base)) {
        return Unavailability{kWholeModel, UnavailableReason::InvalidBaseCondition};
    }
    if (SourceArrayProblem(sources, model)) {
        return Unavailability{0, UnavailableReason::InvalidSourceArray};
    }
    const Layer& bottom = model.Layers[model.LayerCount];
    if (!base.IsIsothermal() && !(bottom.Width > 0.0f && bottom.Length > 0.0f)) {
        return Unavailability{model.LayerCount, UnavailableReason::UnlimitedBottomWithSink};
    }
    return std::nullopt;
}

std::string UnavailabilityText(const Unavailability& unavailability) {
    std::string subject = unavailability.Layer == 0 ? "The heat source"
                          : unavailability.Layer > 0
                              ? "Layer " + std::to_string(unavailability.Layer)
                              : "The model";
    switch (unavailability.Reason) {
        case UnavailableReason::NoLayers:
            return "The model has no layers.";
        case UnavailableReason::NoMaterial:
            return subject + " has no material selected.";
        case UnavailableReason::MissingMaterial:
            return subject + " uses a material that is not in the materials table.";
        case UnavailableReason::InvalidConductivity:
            return subject + "'s material gives no positive conductivity at the base temperature.";
        case UnavailableReason::InvalidThickness:
            return subject + " needs a positive thickness.";
        case UnavailableReason::InvalidSize:
            return subject + " needs a valid width and length.";
        case UnavailableReason::InvalidPower:
            return "The power dissipation must be a positive number.";
        case UnavailableReason::InvalidBaseTemperature:
            return "The isothermal temperature must lie above absolute zero.";
        case UnavailableReason::InvalidBaseCondition:
            return "The base needs a positive heat transfer coefficient or heat sink resistance.";
        case UnavailableReason::InvalidSourceArray:
            return "The array of heat sources cannot be placed on layer 1.";
        case UnavailableReason::GridTooLarge:
            return "The 3-D check would need more memory than it may use.";
        case UnavailableReason::UnlimitedBottomWithSink:
            return subject +
                   " has no lateral limit: a heat transfer coefficient or heat sink at the base "
                   "needs the bottom layer's width and length.";
    }
    return subject + " cannot be checked.";
}

}  // namespace strativex::exact
