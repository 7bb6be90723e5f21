#pragma once

#include <vector>

#include "exact/stack.h"
#include "exact/temperature_field.h"

namespace strativex::exact {

// The x-z plane through the centre of the stack, mirrored to its full width. Lengths are in
// the model's unit, z down from the source face; temperatures in degrees C, NaN outside the
// body. Cell (i, l) spans X[i]..X[i + 1] and Z[l]..Z[l + 1]; TempC[l * (X.size() - 1) + i].
struct CrossSection {
    std::vector<double> X, Z;
    std::vector<double> TempC;
};

// Temperatures along one axis through the centre of the top face of layer 1, across its whole
// width: Position at cell centres in the model's unit, TempC in degrees C.
struct FaceProfile {
    std::vector<double> Position;
    std::vector<double> TempC;
    double SourceHalfSize = 0.0;  // the heated area ends at +-this
};

// A layer's outline in the cross-section, in the model's unit.
struct LayerOutline {
    double Top = 0.0, Bottom = 0.0;
    double HalfWidth = 0.0, HalfLength = 0.0;  // the cut-off edge where unlimited
    bool UnlimitedWidth = false, UnlimitedLength = false;
};

CrossSection CentreSection(const TemperatureField& field);
FaceProfile ProfileAcrossWidth(const TemperatureField& field);
FaceProfile ProfileAcrossLength(const TemperatureField& field);
std::vector<LayerOutline> LayerOutlines(const TemperatureField& field, const Stack& stack);

}  // namespace strativex::exact
