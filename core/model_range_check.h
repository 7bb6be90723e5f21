#pragma once

#include <string>
#include <vector>

#include "core/model.h"
#include "core/sweep.h"
#include "core/sweep_check.h"

// A model file may hold values the window never lets the user type: they are calculated as the
// file says, but named, in the words a sweep uses to refuse the same value.
namespace strativex {

struct OutOfRangeValue {
    QuantityId Quantity = QuantityId::Power;
    int Layer = 0;  // 0 for a value of the whole model or the heat source
    float Value = 0.0f;
    AcceptedRange Accepted;
    std::string Text;  // "layer 2 thickness 1000000 mm is outside the accepted 2.5E-05 to 25 mm"
};

// The model's values outside the accepted ranges: the whole model's first, then layer by layer.
std::vector<OutOfRangeValue> OutOfRangeValues(const Model& model);

}  // namespace strativex
