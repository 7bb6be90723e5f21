#pragma once

#include <optional>
#include <vector>

#include "exact/grid.h"

namespace strativex::exact {

// The solved temperatures of one grid and what is needed to find face temperatures from them.
struct TemperatureField {
    Grid Mesh;
    std::vector<double> TempK;         // per cell; NaN outside the body
    std::vector<double> Conductivity;  // per cell, W/cm-K; 0 outside the body
    double SourceFlux = 0.0;           // W/cm2 over the heated area
    double CmPerUnit = 1.0;            // centimetres in one length unit of the model
};

// The temperature at a point given in the model's length unit (x, y from the centre, z down
// from the source face); nothing outside the body.
std::optional<double> TemperatureAtK(const TemperatureField& field, double x, double y, double z);

// The temperature of the top face of cell (i, j, l): where the source heats it, the cell
// temperature plus the drop across the half-cell; where a cell lies above, the value that
// carries the same flux out of one half-cell as into the other; on an adiabatic face, the
// cell temperature.
double TopFaceTempK(const TemperatureField& field, int i, int j, int l);

// Results a grid gives, in kelvin.
struct FieldMeasures {
    double AverageSourceK = 0.0;  // area-weighted over the heated area
    double PeakSourceK = 0.0;
    std::vector<double> LayerTopK;  // mean over the contact with the record above, per layer
    // Each source of the quarter on its own, by HeatedX span then HeatedY span (index
    // x * HeatedY.size() + y); by symmetry also the mirror images in the other quarters.
    std::vector<double> SourceAverageK;
    std::vector<double> SourcePeakK;
};

FieldMeasures MeasureField(const TemperatureField& field);

}  // namespace strativex::exact
