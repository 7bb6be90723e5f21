#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/material_table.h"
#include "core/model.h"

// Models for the 3-D check's tests and benchmark, in millimetres.
namespace exact_stacks {

struct StackLayer {
    float Thickness = 0.0f;
    float Width = 0.0f;  // 0: no lateral limit
    float Length = 0.0f;
    std::int16_t MaterialId = 1;
};

// Materials with ids 1, 2, ... holding K = A * T^B.
inline strativex::MaterialTable TableOf(const std::vector<std::pair<float, float>>& laws) {
    strativex::MaterialTable table;
    table.Materials[0] = strativex::NoneSelectedMaterial();
    for (std::size_t m = 0; m < laws.size(); ++m) {
        table.Materials[m + 1] = {"Material " + std::to_string(m + 1),
                                  static_cast<std::int16_t>(m + 1), laws[m].first, laws[m].second};
    }
    table.FirstCustomIndex = static_cast<std::int16_t>(laws.size() + 1);
    return table;
}

inline strativex::Model StackModel(float deviceWidth, float deviceLength,
                                   const std::vector<StackLayer>& layers, float power,
                                   float baseC = 25.0f) {
    strativex::Model model;
    strativex::ResetToNewModel(model, strativex::ModelDefaults{});
    model.UnitSystem = strativex::LengthUnit::Millimeters;
    model.Layers[0].Width = deviceWidth;
    model.Layers[0].Length = deviceLength;
    model.PowerDissipation = power;
    model.IsothermalTemp = baseC;
    for (std::size_t i = 0; i < layers.size(); ++i) {
        strativex::Layer& layer = model.Layers[i + 1];
        layer.Thickness = layers[i].Thickness;
        layer.Width = layers[i].Width;
        layer.Length = layers[i].Length;
        layer.MaterialId = layers[i].MaterialId;
        layer.SpreadAngle = 45.0f;
    }
    model.LayerCount = static_cast<std::int16_t>(layers.size());
    return model;
}

struct Case {
    strativex::Model Model;
    strativex::MaterialTable Table;
};

// Silicon with K falling with temperature, a solder and copper: a power die on a base plate.
inline Case ThreeLayerCase() {
    return {
        StackModel(5.0f, 5.0f, {{0.5f, 10, 10, 1}, {0.1f, 12, 12, 2}, {3.0f, 30, 30, 3}}, 50.0f),
        TableOf({{3268.703f, -1.35f}, {0.5f, 0.0f}, {3.9f, 0.0f}})};
}

// A narrow GaAs transistor through die attach, ceramic, solders, an epoxy film and copper to
// an unlimited housing floor: thin layers of very different conductivity.
inline Case TenLayerCase() {
    return {StackModel(1.5f, 0.3f,
                       {{0.1f, 3, 2.3f, 1},
                        {0.025f, 3, 2.3f, 2},
                        {0.5f, 6, 5, 4},
                        {0.05f, 6, 5, 2},
                        {0.3f, 8, 7, 3},
                        {0.03f, 9, 8, 5},
                        {1.0f, 15, 12, 3},
                        {0.1f, 15, 12, 2},
                        {2.0f, 30, 25, 4},
                        {3.0f, 0, 0, 3}},
                       5.0f),
            TableOf({{200.0f, -1.25f}, {0.5f, 0.0f}, {3.9f, 0.0f}, {1.7f, 0.0f}, {0.02f, 0.0f}})};
}

// A 2 um hot spot dissipating 5 mW on the ten-layer transistor stack with every layer
// unlimited: the grid must reach from micrometres at the source to centimetres at the cut-off
// edge.
inline Case TinySourceOnUnlimitedLayersCase() {
    Case c = TenLayerCase();
    c.Model.PowerDissipation = 0.005f;
    c.Model.Layers[0].Width = 0.002f;
    c.Model.Layers[0].Length = 0.002f;
    for (int n = 1; n <= c.Model.LayerCount; ++n) {
        c.Model.Layers[n].Width = 0.0f;
        c.Model.Layers[n].Length = 0.0f;
    }
    return c;
}

// A 1 mm source on 50 um of copper over 5 mm of an insulating board, both without lateral
// limit: the copper spreads the heat over centimetres.
inline Case FilmOnInsulatorCase() {
    return {StackModel(1.0f, 1.0f, {{0.05f, 0, 0, 1}, {5.0f, 0, 0, 2}}, 1.0f),
            TableOf({{4.0f, 0.0f}, {0.01f, 0.0f}})};
}

}  // namespace exact_stacks
