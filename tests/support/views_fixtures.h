#pragma once

#include <QImage>
#include <QPainter>

#include "core/material_table.h"
#include "core/model.h"
#include "persistence/app_state.h"
#include "views/surface/drawing_surface.h"

namespace strativex::testing {

constexpr int kCopper = 1;
constexpr int kAlumina = 2;

inline MaterialTable TwoMaterials() {
    MaterialTable table;
    table.Materials[0] = NoneSelectedMaterial();
    table.Materials[1] = {"Copper", kCopper, 3.9f, 0.0f};
    table.Materials[2] = {"Alumina", kAlumina, 0.3f, 0.0f};
    table.FirstCustomIndex = 3;
    return table;
}

inline Layer MakeLayer(float thickness, float width, float angle, int colorIndex,
                       int materialId = kCopper) {
    Layer layer;
    layer.Thickness = thickness;
    layer.Width = width;
    layer.Length = width;
    layer.SpreadAngle = angle;
    layer.ColorIndex = static_cast<std::int16_t>(colorIndex);
    layer.MaterialId = static_cast<std::int16_t>(materialId);
    return layer;
}

// Device 2 wide; a blue unlimited layer at 45 degrees over a green one 4 wide. On a 400 x 200
// picture both scales are 85 units per length unit.
inline Model TwoLayerModel(float secondAngle = 45.0f) {
    Model model;
    model.UnitSystem = LengthUnit::Millimeters;
    model.Layers[0].Width = 2.0f;
    model.Layers[0].Length = 2.0f;
    model.Layers[1] = MakeLayer(1.0f, 0.0f, 45.0f, 4);
    model.Layers[2] = MakeLayer(1.0f, 4.0f, secondAngle, 1, kAlumina);
    model.LayerCount = 2;
    return model;
}

inline Model StackOf(int layerCount) {
    Model model;
    model.UnitSystem = LengthUnit::Millimeters;
    model.Layers[0].Width = 5.0f;
    model.Layers[0].Length = 5.0f;
    for (int i = 1; i <= layerCount; ++i) {
        model.Layers[i] = MakeLayer(0.5f, 0.0f, 30.0f, (i - 1) % 10);
    }
    model.LayerCount = static_cast<std::int16_t>(layerCount);
    return model;
}

inline QImage WhitePicture(int width, int height, int dpi = 96) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    return image;
}

// A painter and a surface over a whole image, in the given scale.
struct ImageSurface {
    ImageSurface(QImage& image, QSizeF scale, SurfaceKind kind = SurfaceKind::Picture)
        : painter(&image), surface(painter, QRectF(image.rect()), scale, kind) {}
    QPainter painter;
    DrawingSurface surface;
};

}  // namespace strativex::testing
