#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/model.h"
#include "core/typed_number.h"
#include "core/units.h"

// Every number a user gives a model, described once: how it is named, written, bounded, read
// and stored. The window's fields, the sweep, the calculator and the report all look here, so
// that a new quantity is one row of the table.
namespace strativex {

enum class QuantityId : std::uint8_t {
    Power,
    IsothermalTemp,
    DeviceWidth,
    DeviceLength,
    // The quantities of one layer, named by its index.
    Thickness,
    Width,
    Length,
    SpreadAngle,
    Material,
};

struct AcceptedRange {
    float Low = 0.0f;  // both bounds included, in single precision
    float High = 0.0f;
};

// The values the window accepts; a length's in either unit system, another's twice the same.
struct Bounds {
    AcceptedRange Millimetres;
    AcceptedRange Inches;
};

struct QuantityDescriptor {
    QuantityId Id = QuantityId::Power;
    std::string_view Name;    // as a list shows it: "Layer thickness"
    std::string_view Phrase;  // in a sentence, after "layer 2 " for a layer's: "thickness"
    // Over its column in the report; the heat source's size shares the layers' columns.
    std::string_view Heading;
    std::string_view Key;     // on the command line: "thickness"
    std::string_view Column;  // a CSV/JSON column before its unit: "thickness"
    // The caption of its field in the window and the record it is given on, as the help's
    // table of the fields names them: "Thickness", "layer".
    std::string_view Label;
    std::string_view AppliesTo;
    UnitFamily Unit = UnitFamily::Power;
    bool OfLayer = false;
    bool Sweepable = true;
    // The decimals the preferences keep for it; a length's slot moves on by two in inches. -1:
    // shown in its general form.
    int DigitsSlot = -1;
    Bounds Accepted;
    bool ZeroMeansNoLimit = false;  // a layer's width or length: 0 is "no limit of its own"
    bool WholeSteps = false;        // the window takes whole units only: the angle's scroll bar
    // The refusal, {low}, {high} and {unit} filled in, and its title; empty for no bounds.
    std::string_view RangeMessage;
    std::string_view RangeTitle;
    // A layer's quantity reads and writes record `layer`; the others ignore it.
    float (*Read)(const Model& model, int layer) = nullptr;
    void (*Write)(Model& model, int layer, float value) = nullptr;
};

std::span<const QuantityDescriptor> Quantities();
const QuantityDescriptor& QuantityOf(QuantityId id);
// The quantity a command line names by its key; nothing for an unknown key.
std::optional<QuantityId> QuantityKeyed(std::string_view key);

bool IsLayerQuantity(QuantityId id);
bool HasBounds(const QuantityDescriptor& quantity);
AcceptedRange AcceptedRangeOf(const QuantityDescriptor& quantity, LengthUnit unit);
bool Accepts(const QuantityDescriptor& quantity, float value, LengthUnit unit);
// The window's refusal: "Layer thickness must be between 2.5E-05 and 25 mm".
std::string RangeMessageOf(const QuantityDescriptor& quantity, LengthUnit unit);
std::optional<int> DigitsSlotOf(const QuantityDescriptor& quantity, LengthUnit unit);
// A value typed for it, with its unit after it if the user likes: "2.5 mm" typed while inches
// are in use is not 2.5 inches.
TypedNumber ReadQuantityText(const QuantityDescriptor& quantity, std::string_view text,
                             LengthUnit unit);

// The quantity as a sentence names it: "power", "layer 2 thickness".
std::string QuantityText(QuantityId id, int layer);

}  // namespace strativex
