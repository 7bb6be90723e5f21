#include "exact/transient_check.h"

#include <cmath>
#include <sstream>

#include "exact/input_check.h"

namespace strativex::exact {
namespace {

constexpr const char* kHeatCapacityFile = "Materials/matheat.csv";

TransientResult NotAvailable(std::string message) {
    TransientResult result;
    result.Status = TransientStatus::NotAvailable;
    result.Message = std::move(message);
    return result;
}

std::string LayerAndMaterial(int layer, const Material& material) {
    std::ostringstream text;
    text << "Layer " << layer << " (" << material.Name << ", material " << material.Id << ")";
    return text.str();
}

struct HeatCapacities {
    std::vector<double> PerLayer;
    std::string Problem;  // empty when every layer has one
};

HeatCapacities HeatCapacitiesOf(const Model& model, const MaterialTable& table,
                                const HeatCapacityLookup& lookup) {
    HeatCapacities found;
    for (int i = 1; i <= model.LayerCount; ++i) {
        const int id = model.Layers[i].MaterialId;
        const Material& material = table.Materials[FindMaterialIndex(table, id)];
        const std::optional<double> value = lookup ? lookup(id) : std::nullopt;
        if (!value) {
            found.Problem = LayerAndMaterial(i, material) +
                            " has no heat capacity: add its density and specific heat to " +
                            kHeatCapacityFile + ".";
            return found;
        }
        if (!std::isfinite(*value) || *value <= 0.0) {
            std::ostringstream text;
            text << LayerAndMaterial(i, material) << " has a heat capacity of " << *value
                 << " J/m3-K, which is not a positive number: correct it in " << kHeatCapacityFile
                 << ".";
            found.Problem = text.str();
            return found;
        }
        found.PerLayer.push_back(*value);
    }
    return found;
}

}  // namespace

TransientResult RunTransient(const Model& model, const MaterialTable& table,
                             const HeatCapacityLookup& heatCapacity,
                             const TransientOptions& options, const CheckHooks& hooks) {
    if (const auto unavailable = FindUnavailability(model, table)) {
        return NotAvailable(UnavailabilityText(*unavailable));
    }
    const HeatCapacities capacities = HeatCapacitiesOf(model, table, heatCapacity);
    if (!capacities.Problem.empty()) return NotAvailable(capacities.Problem);
    return SolveTransient(StackOf(model, table), capacities.PerLayer, options, hooks);
}

}  // namespace strativex::exact
