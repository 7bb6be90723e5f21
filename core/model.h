#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace strativex {

enum class LengthUnit : bool { Millimeters = false, Inches = true };

// Why a layer has, or lacks, a result after the most recent recalculation.
enum class ResultStatus : std::uint8_t {
    Ok,
    MissingMaterial,       // the layer names a material id that the table does not hold
    NoConvergence,         // the temperature iteration did not settle on a finite value
    InvalidInput,          // an input no package can have; InvalidField names it
    DependsOnFailedLayer,  // a layer it depends on has no result, so neither has this one
    NoLayers,              // of a whole model only: there is no layer to compute
};

// The text a result shows in place of a number when it has none: "material?", "no result",
// "invalid", "n/a", "no layers"; empty for a result that exists.
std::string_view MissingResultMark(ResultStatus status);

// The input that makes a result impossible. The first three belong to the whole model, the
// others to one layer.
enum class InputField : std::uint8_t {
    None,
    Power,           // negative or not a number
    IsothermalTemp,  // at or below absolute zero
    DeviceSize,      // a width or length not above 0
    Thickness,       // negative
    SpreadAngle,     // outside 0 to 90 degrees, where the footprint would shrink or explode
    Conductivity,    // the material's K at the layer's temperature is not a positive number
    Footprint,       // the spread area came out as 0 or beyond the range of a float
};

// The field's name in the calculator's outputs: "power", "isothermal_temp", ...
std::string_view InputFieldName(InputField field);
bool IsModelWide(InputField field);

struct Layer {
    std::int16_t MaterialId = -1;
    std::int16_t ColorIndex = -1;
    float Thickness = 0.0f;
    float Width = 0.0f;
    float Length = 0.0f;
    float SpreadAngle = 0.0f;
    std::string Description;

    float Area = 0.0f;
    float TopTemp = 0.0f;
    float Resistance = 0.0f;
    ResultStatus Status = ResultStatus::Ok;
    InputField InvalidField = InputField::None;  // for InvalidInput
    int Passes = 0;                              // passes the temperature iteration took
};

constexpr int kMaxLayerCount = 10;
constexpr int kScratchRecord = 11;
constexpr int kRecordCount = 12;
// Kelvin at 0 degrees C as the program has always used it; every conversion goes through it so
// that temperatures shown and computed agree to the last digit.
constexpr double kKelvinOffset = 273.16;

// The values a new model and a new layer start with; they live in the preferences.
struct ModelDefaults {
    float DefaultDeviceWidth = 1.0f;
    float DefaultDeviceLength = 1.0f;
    float DefaultLayerWidth = 0.0f;
    float DefaultLayerLength = 0.0f;
    float DefaultLayerThickness = 0.01f;
    float DefaultSpreadAngle = 0.0f;
    float DefaultIsothermalTemp = 25.0f;
    float DefaultPowerDissipation = 1.0f;
};

struct Model {
    std::array<Layer, kRecordCount> Layers{};
    std::int16_t LayerCount = 0;
    float PowerDissipation = 1.0f;
    LengthUnit UnitSystem = LengthUnit::Inches;
    float IsothermalTemp = 25.0f;
    std::string ModelName = "(Untitled)";
    std::string ModelFileName = "untitled.mdl";
    std::string ModelComments;
};

// The layers there are to walk, 0 to 10, whatever a damaged count says.
int StackLayerCount(int layerCount);

// Data half of setting up a new model; the unit system is kept.
void ResetToNewModel(Model& model, const ModelDefaults& defaults);

// Copies the seven fields the user edits; the computed fields stay behind.
void CopyUserFields(const Layer& from, Layer& to);

}  // namespace strativex
