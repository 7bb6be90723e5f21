#include "cli/sweep_names.h"

#include "core/windows1252.h"

namespace strativex {

std::optional<QuantityId> SweepQuantityNamed(std::string_view name) {
    const auto id = QuantityKeyed(name);
    if (!id || !QuantityOf(*id).Sweepable) return std::nullopt;
    return id;
}

std::string_view SweepQuantityName(QuantityId quantity) {
    return QuantityOf(quantity).Key;
}

std::string SweepQuantityNames() {
    std::string names;
    for (const QuantityDescriptor& quantity : Quantities()) {
        if (!quantity.Sweepable) continue;
        names += (names.empty() ? "" : ", ") + std::string(quantity.Key);
    }
    return names;
}

std::string SweptColumn(const SweepResult& sweep) {
    const QuantityDescriptor& quantity = QuantityOf(sweep.Request.Quantity);
    const std::string column =
        std::string(quantity.Column) + "_" + std::string(UnitColumnText(quantity.Unit, sweep.Unit));
    return quantity.OfLayer ? LayerColumn(sweep.Request.Layer, column) : column;
}

std::string SweptMaterialName(const MaterialTable& table, float id) {
    return Windows1252ToUtf8(table.Materials[FindMaterialIndex(table, static_cast<int>(id))].Name);
}

std::string LayerColumn(int layer, std::string_view name) {
    return "layer_" + std::to_string(layer) + "_" + std::string(name);
}

}  // namespace strativex
