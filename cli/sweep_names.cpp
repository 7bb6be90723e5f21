#include "cli/sweep_names.h"

#include <array>
#include <utility>

#include "cli/model_summary.h"
#include "core/windows1252.h"

namespace strativex {
namespace {

constexpr std::array<std::pair<std::string_view, SweepQuantity>, 9> kNames{{
    {"power", SweepQuantity::Power},
    {"isothermal", SweepQuantity::IsothermalTemp},
    {"device_width", SweepQuantity::DeviceWidth},
    {"device_length", SweepQuantity::DeviceLength},
    {"thickness", SweepQuantity::Thickness},
    {"width", SweepQuantity::Width},
    {"length", SweepQuantity::Length},
    {"angle", SweepQuantity::SpreadAngle},
    {"material", SweepQuantity::Material},
}};

}  // namespace

std::optional<SweepQuantity> SweepQuantityNamed(std::string_view name) {
    for (const auto& [text, quantity] : kNames) {
        if (text == name) return quantity;
    }
    return std::nullopt;
}

std::string_view SweepQuantityName(SweepQuantity quantity) {
    for (const auto& [text, named] : kNames) {
        if (named == quantity) return text;
    }
    return {};
}

std::string SweepQuantityNames() {
    std::string names;
    for (const auto& entry : kNames) {
        names += (names.empty() ? "" : ", ") + std::string(entry.first);
    }
    return names;
}

std::string SweptColumn(const SweepResult& sweep) {
    const SweepQuantity quantity = sweep.Request.Quantity;
    const std::string length = "_" + std::string(UnitName(sweep.Unit));
    switch (quantity) {
        case SweepQuantity::Power:
            return "power_w";
        case SweepQuantity::IsothermalTemp:
            return "isothermal_temp_c";
        case SweepQuantity::DeviceWidth:
        case SweepQuantity::DeviceLength:
            return std::string(SweepQuantityName(quantity)) + length;
        case SweepQuantity::Thickness:
        case SweepQuantity::Width:
        case SweepQuantity::Length:
            return LayerColumn(sweep.Request.Layer, SweepQuantityName(quantity)) + length;
        case SweepQuantity::SpreadAngle:
            return LayerColumn(sweep.Request.Layer, "spread_angle_deg");
        case SweepQuantity::Material:
            break;
    }
    return LayerColumn(sweep.Request.Layer, "material_id");
}

std::string SweptMaterialName(const MaterialTable& table, float id) {
    return Windows1252ToUtf8(table.Materials[FindMaterialIndex(table, static_cast<int>(id))].Name);
}

std::string LayerColumn(int layer, std::string_view name) {
    return "layer_" + std::to_string(layer) + "_" + std::string(name);
}

}  // namespace strativex
