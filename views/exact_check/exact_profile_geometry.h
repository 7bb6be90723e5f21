#pragma once

#include <QPolygonF>
#include <QRectF>
#include <QSizeF>

#include <optional>
#include <vector>

#include "views/exact_check/exact_picture_inputs.h"
#include "views/plot/plot_axis.h"
#include "views/plot/plot_geometry.h"

namespace strativex {

struct ProfileCurve {
    QPolygonF Points;
    PlotLine Line;
};

// A horizontal line across the plot at a temperature the profiles are compared with.
struct ProfileLevel {
    double Y = 0.0;
    PlotLine Line;
};

// The temperature across the heated face, laid out in layout pixels from the top-left corner:
// one curve across the width and one across the length, the heated area's edges, and the 3-D
// average and the estimate as levels.
struct ProfileGeometry {
    QSizeF Size;
    QRectF Area;  // inside the axes
    PlotAxis X;   // distance from the centre, in the model's unit
    PlotAxis Y;   // degrees C
    std::vector<double> GridX, GridY;
    ProfileCurve AcrossWidth, AcrossLength;
    // Every source's edges across the width, then across the length.
    std::vector<double> SourceEdgesX;
    PlotLine EdgeLine;
    std::vector<ProfileLevel> Levels;  // the 3-D average, then the estimate where there is one
    std::vector<PlotLegendEntry> Legend;
    std::vector<PlotLabel> Labels;
};

ProfileGeometry ComputeExactProfile(const ExactPictureInputs& inputs, QSizeF size);

}  // namespace strativex
