#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/model.h"

namespace strativex {

// What the user edits in a model: the values an undo goes back to. The results are left out,
// since they are computed again from these, and so is the file the model lives in, which
// saving changes and no edit does.
struct ModelInputs {
    std::array<Layer, kRecordCount> Layers{};  // the edited fields; results at their defaults
    std::int16_t LayerCount = 0;
    float PowerDissipation = 0.0f;
    LengthUnit UnitSystem = LengthUnit::Inches;
    float IsothermalTemp = 0.0f;
    std::string ModelName;
    std::string ModelComments;
};

ModelInputs InputsOf(const Model& model);

// Puts the inputs back; the results are stale until the model is recalculated.
void RestoreInputs(Model& model, const ModelInputs& inputs);

// Bit for bit, so that an edit from 0 to -0, or of a value that is not a number, still counts.
bool SameInputs(const ModelInputs& a, const ModelInputs& b);

}  // namespace strativex
