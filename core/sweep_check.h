#pragma once

#include <optional>
#include <string>

#include "core/material_table.h"
#include "core/model.h"
#include "core/sweep.h"

namespace strativex {

// Why the window would refuse the value for a numeric quantity: "layer 2 thickness 1000000 mm is
// outside the accepted 2.5E-05 to 25 mm"; nothing when it accepts it.
std::optional<std::string> OutsideAcceptedText(QuantityId quantity, int layer, float value,
                                               LengthUnit unit);

// Why the request cannot run on any model; nothing when it can.
std::optional<std::string> SweepRequestError(const SweepRequest& request);

// Why it cannot run on this model: the layer must exist and every point must be a value the
// window accepts for that field in the model's units, or a material of the table.
std::optional<std::string> SweepModelError(const Model& model, const MaterialTable& table,
                                           const SweepRequest& request);

}  // namespace strativex
