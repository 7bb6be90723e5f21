#include "exact/source_array.h"

#include <charconv>
#include <cmath>

#include "core/units.h"

namespace strativex::exact {
namespace {

// Sizes are typed and stored in single precision: a pitch typed as the device's width must
// not read as smaller than the width's float.
constexpr double kSizeSlack = 1e-6;

std::string Shortest(double value) {
    if (std::isnan(value)) return "not a number";
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::string Length(double value, LengthUnit unit) {
    return Shortest(value) + " " + std::string(UnitLabel(unit));
}

struct AxisNames {
    const char* Along;  // "the width"
    const char* Size;   // "width"
    const char* Wider;  // "wider"
};

constexpr AxisNames kWidth{"the width", "width", "wider"};
constexpr AxisNames kLength{"the length", "length", "longer"};

std::optional<std::string> AxisProblem(int count, double pitch, double device, double layer,
                                       LengthUnit unit, const AxisNames& names) {
    if (count == 1) return std::nullopt;
    if (!(std::isfinite(pitch) && pitch > 0.0)) {
        return std::string("The pitch along ") + names.Along +
               " must be a positive length (given: " + Shortest(pitch) + ").";
    }
    if (pitch < device * (1.0 - kSizeSlack)) {
        return std::string("The pitch along ") + names.Along + ", " + Length(pitch, unit) +
               ", is smaller than the device " + names.Size + ", " + Length(device, unit) +
               ": neighbouring sources would overlap.";
    }
    const double extent = (count - 1) * pitch + device;
    if (layer > 0.0 && extent > layer * (1.0 + kSizeSlack)) {
        return std::string("The array is ") + Length(extent, unit) + " along " + names.Along +
               ", " + names.Wider + " than layer 1 (" + Length(layer, unit) + ").";
    }
    return std::nullopt;
}

}  // namespace

std::vector<double> SourceCentres(int count, double pitch) {
    // A pitch along an axis with one source means nothing, whatever its value.
    if (count == 1) return {0.0};
    std::vector<double> centres;
    for (int k = 0; k < count; ++k) centres.push_back((k - 0.5 * (count - 1)) * pitch);
    return centres;
}

std::optional<std::string> SourceArrayProblem(const SourceArray& array, const Model& model) {
    if (array.CountX < 1 || array.CountY < 1) {
        return "The array needs at least one source along the width and the length (given: " +
               std::to_string(array.CountX) + " x " + std::to_string(array.CountY) + ").";
    }
    if (array.CountX > kMaxSourcesPerAxis || array.CountY > kMaxSourcesPerAxis) {
        return "The array may have at most " + std::to_string(kMaxSourcesPerAxis) +
               " sources along each axis (given: " + std::to_string(array.CountX) + " x " +
               std::to_string(array.CountY) + ").";
    }
    const Layer& device = model.Layers[0];
    const Layer& first = model.Layers[1];
    if (auto problem = AxisProblem(array.CountX, array.PitchX, device.Width, first.Width,
                                   model.UnitSystem, kWidth)) {
        return problem;
    }
    return AxisProblem(array.CountY, array.PitchY, device.Length, first.Length, model.UnitSystem,
                       kLength);
}

std::string SourceArrayText(const SourceArray& array, LengthUnit unit) {
    if (array.IsSingle()) return "one source";
    return std::to_string(array.CountX) + " x " + std::to_string(array.CountY) + " sources at " +
           Shortest(array.PitchX) + " x " + Shortest(array.PitchY) + " " +
           std::string(UnitLabel(unit)) + " pitch";
}

}  // namespace strativex::exact
