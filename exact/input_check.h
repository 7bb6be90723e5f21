#pragma once

#include <optional>
#include <string>

#include "core/material_table.h"
#include "core/model.h"
#include "exact/base_condition.h"
#include "exact/source_array.h"

namespace strativex::exact {

// Why the 3-D check cannot be computed for a model.
enum class UnavailableReason {
    NoLayers,
    NoMaterial,               // the layer has no material selected
    MissingMaterial,          // the layer names a material the table does not hold
    InvalidConductivity,      // A not positive, or A and B give no finite positive K at the base
    InvalidThickness,         // not a positive finite number
    InvalidSize,              // heat source: not positive and finite; layer: not finite
    InvalidPower,             // not a positive finite number
    InvalidBaseTemperature,   // not finite, or at or below absolute zero
    InvalidBaseCondition,     // a heat transfer coefficient or sink resistance not positive
    UnlimitedBottomWithSink,  // a finite heat transfer needs the bottom layer's area
    GridTooLarge,             // the grid would take more memory than the check may use
    InvalidSourceArray,       // see SourceArrayProblem
};

// The record the reason belongs to, as the user counts: 0 the heat source, 1.. the layers.
constexpr int kWholeModel = -1;

struct Unavailability {
    int Layer = kWholeModel;
    UnavailableReason Reason = UnavailableReason::NoLayers;
};

// The first input, from the top of the stack, that keeps the check from being computed.
std::optional<Unavailability> FindUnavailability(const Model& model, const MaterialTable& table,
                                                 const BaseCondition& base = {},
                                                 const SourceArray& sources = {});

// One sentence for the user, naming the layer.
std::string UnavailabilityText(const Unavailability& unavailability);

}  // namespace strativex::exact
