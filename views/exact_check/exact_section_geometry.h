#pragma once

#include <QLineF>
#include <QRectF>
#include <QSizeF>

#include <vector>

#include "views/exact_check/exact_picture_inputs.h"
#include "views/plot/plot_axis.h"
#include "views/plot/plot_geometry.h"

namespace strativex {

struct IsothermLines {
    double LevelC = 0.0;
    std::vector<QLineF> Segments;  // layout pixels
};

// The cross-section map laid out in layout pixels from the top-left corner.
struct SectionGeometry {
    QSizeF Size;
    QRectF Map;  // where the section is drawn
    // The region shown, in the model's unit: x from Left to Right, depth from 0 to Depth.
    double Left = 0.0, Right = 0.0, Depth = 0.0;
    // Layout pixels per model unit across and down; their ratio is the depth's exaggeration,
    // which the caption states (1: true proportions).
    double ScaleX = 1.0, ScaleZ = 1.0;
    // Height the map's proportions leave empty, shared above and below it: a picture laid out
    // this much lower keeps the same scales.
    double SpareHeight = 0.0;
    PlotAxis Colours;  // its range spans the colour scale, its ticks are the isotherms' levels
    QRectF Bar;        // the colour scale, hottest at the top
    std::vector<QRectF> Outlines;  // every layer, clipped to the map
    // Where the sources heat the top face: one mark per column of an array, clipped to the map.
    std::vector<QLineF> Sources;
    std::vector<IsothermLines> Isotherms;
    std::vector<QLineF> Ticks;  // of both axes and of the colour scale
    std::vector<PlotLabel> Labels;

    QPointF At(double x, double depth) const {
        return {Map.left() + (x - Left) * ScaleX, Map.top() + depth * ScaleZ};
    }
    double DepthExaggeration() const { return ScaleZ / ScaleX; }
};

SectionGeometry ComputeExactSection(const ExactPictureInputs& inputs, QSizeF size);

}  // namespace strativex
