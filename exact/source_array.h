#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/model.h"

namespace strativex::exact {

// Copies of the device rectangle on a regular nx x ny raster centred on the stack, sharing
// the model's power equally. Pitches in the model's length unit, centre to centre; a pitch
// along an axis with one source means nothing.
struct SourceArray {
    int CountX = 1;
    int CountY = 1;
    double PitchX = 0.0;
    double PitchY = 0.0;

    int Count() const { return CountX * CountY; }
    bool IsSingle() const { return CountX == 1 && CountY == 1; }
};

// More sources per axis than this would only make a grid the check cannot hold.
constexpr int kMaxSourcesPerAxis = 32;

// The centres along one axis, symmetric about 0, in the pitch's unit.
std::vector<double> SourceCentres(int count, double pitch);

// What keeps the array from being checked on this model, naming the value: no sources, too
// many, a pitch that makes neighbours overlap, an array that does not fit on layer 1.
std::optional<std::string> SourceArrayProblem(const SourceArray& array, const Model& model);

// "2 x 3 sources at 5 x 4 mm pitch", for the reports.
std::string SourceArrayText(const SourceArray& array, LengthUnit unit);

}  // namespace strativex::exact
