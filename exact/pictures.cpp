#include "exact/pictures.h"

#include <cmath>
#include <limits>

namespace strativex::exact {
namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// -faces[n] .. faces[n] from a half axis 0 .. faces[n].
std::vector<double> Mirrored(const std::vector<double>& faces, double scale) {
    std::vector<double> full;
    for (std::size_t f = faces.size(); f-- > 1;) full.push_back(-faces[f] * scale);
    for (const double face : faces) full.push_back(face * scale);
    return full;
}

std::vector<double> Scaled(const std::vector<double>& values, double scale) {
    std::vector<double> scaled;
    for (const double value : values) scaled.push_back(value * scale);
    return scaled;
}

double CellTempC(const TemperatureField& field, int i, int j, int l) {
    if (!field.Mesh.IsActive(i, j, l)) return kNoValue;
    return field.TempK[field.Mesh.Index(i, j, l)] - kKelvinOffset;
}

FaceProfile Profile(const TemperatureField& field, bool alongWidth) {
    const Grid& grid = field.Mesh;
    const std::vector<double>& faces = alongWidth ? grid.X : grid.Y;
    const double unit = 1.0 / field.CmPerUnit;
    const double extent = alongWidth ? grid.LayerHalfWidth.front() : grid.LayerHalfLength.front();
    FaceProfile profile;
    profile.SourceHalfSize = (alongWidth ? grid.SourceHalfWidth : grid.SourceHalfLength) * unit;
    std::vector<double> position, temperature;
    for (int n = 0; n + 1 < static_cast<int>(faces.size()) && faces[n] < extent; ++n) {
        position.push_back(0.5 * (faces[n] + faces[n + 1]) * unit);
        const int i = alongWidth ? n : 0;
        const int j = alongWidth ? 0 : n;
        temperature.push_back(TopFaceTempK(field, i, j, 0) - kKelvinOffset);
    }
    for (std::size_t n = position.size(); n-- > 0;) {
        profile.Position.push_back(-position[n]);
        profile.TempC.push_back(temperature[n]);
    }
    profile.Position.insert(profile.Position.end(), position.begin(), position.end());
    profile.TempC.insert(profile.TempC.end(), temperature.begin(), temperature.end());
    return profile;
}

}  // namespace

CrossSection CentreSection(const TemperatureField& field) {
    const Grid& grid = field.Mesh;
    const double unit = 1.0 / field.CmPerUnit;
    CrossSection section{Mirrored(grid.X, unit), Scaled(grid.Z, unit), {}};
    // The row of cells next to the plane y = 0 stands for it: the temperature is flat across
    // the plane of symmetry, so the two differ by the square of the half cell only.
    for (int l = 0; l < grid.Nz(); ++l) {
        for (int i = grid.Nx(); i-- > 0;) section.TempC.push_back(CellTempC(field, i, 0, l));
        for (int i = 0; i < grid.Nx(); ++i) section.TempC.push_back(CellTempC(field, i, 0, l));
    }
    return section;
}

FaceProfile ProfileAcrossWidth(const TemperatureField& field) {
    return Profile(field, true);
}

FaceProfile ProfileAcrossLength(const TemperatureField& field) {
    return Profile(field, false);
}

std::vector<LayerOutline> LayerOutlines(const TemperatureField& field, const Stack& stack) {
    const double unit = 1.0 / field.CmPerUnit;
    std::vector<LayerOutline> outlines;
    double top = 0.0;
    for (std::size_t n = 0; n < stack.Layers.size(); ++n) {
        const StackLayer& layer = stack.Layers[n];
        outlines.push_back({top * unit, (top + layer.Thickness) * unit,
                            field.Mesh.LayerHalfWidth[n] * unit,
                            field.Mesh.LayerHalfLength[n] * unit, std::isinf(layer.HalfWidth),
                            std::isinf(layer.HalfLength)});
        top += layer.Thickness;
    }
    return outlines;
}

}  // namespace strativex::exact
