#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/material_table.h"
#include "core/model.h"
#include "core/sweep.h"

// How the calculator names sweeps on its command line and in its columns; a script finds a
// value by these names whatever the format.
namespace strativex {

std::optional<QuantityId> SweepQuantityNamed(std::string_view name);
std::string_view SweepQuantityName(QuantityId quantity);
// Every name, for the message that refuses an unknown one.
std::string SweepQuantityNames();

// The column of the swept value, its unit in the name: "power_w", "layer_2_thickness_mm".
std::string SweptColumn(const SweepResult& sweep);
// The UTF-8 name of a material the sweep steps through; its ids were checked against the table.
std::string SweptMaterialName(const MaterialTable& table, float id);

// A column of one layer's value: "layer_2_top_temp_c".
std::string LayerColumn(int layer, std::string_view name);

}  // namespace strativex
