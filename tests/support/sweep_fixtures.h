#pragma once

#include "core/material_table.h"
#include "core/model.h"

namespace strativex::testing {

constexpr std::int16_t kCopperId = 1;
constexpr std::int16_t kSolderId = 2;
constexpr std::int16_t kFallingId = 3;    // K = 450 / T: 1.5 W/cm-K at 300 K
constexpr std::int16_t kDivergingId = 4;  // falls so fast that a high power never settles

inline MaterialTable SweepMaterials() {
    MaterialTable table;
    table.Materials[0] = NoneSelectedMaterial();
    table.Materials[1] = {"Copper", kCopperId, 3.9f, 0.0f};
    table.Materials[2] = {"Solder", kSolderId, 0.5f, 0.0f};
    table.Materials[3] = {"Falling", kFallingId, 450.0f, -1.0f};
    table.Materials[4] = {"Diverging", kDivergingId, 1e6f, -3.0f};
    table.FirstCustomIndex = 5;
    return table;
}

inline Layer SweepLayer(std::int16_t materialId, float thickness, float angle, float width = 0.0f) {
    Layer layer;
    layer.MaterialId = materialId;
    layer.Thickness = thickness;
    layer.SpreadAngle = angle;
    layer.Width = width;
    layer.Length = width;
    return layer;
}

// A die on a solder line on a copper base, in millimetres; the die's conductivity falls with
// temperature and the solder is clipped to 8 mm.
inline Model DieOnCopper() {
    Model model;
    ResetToNewModel(model, ModelDefaults{});
    model.UnitSystem = LengthUnit::Millimeters;
    model.PowerDissipation = 20.0f;
    model.Layers[0].Width = 5.0f;
    model.Layers[0].Length = 4.0f;
    model.Layers[1] = SweepLayer(kFallingId, 0.3f, 45.0f);
    model.Layers[2] = SweepLayer(kSolderId, 0.05f, 30.0f, 8.0f);
    model.Layers[3] = SweepLayer(kCopperId, 2.0f, 45.0f);
    model.LayerCount = 3;
    return model;
}

}  // namespace strativex::testing
