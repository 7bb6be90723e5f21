#include "core/thermal_calc.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/units.h"

namespace strativex {
namespace {

constexpr double kConvergenceTolerance = 0.0001;
constexpr float kNoValue = std::numeric_limits<float>::quiet_NaN();

struct LayerResult {
    ResultStatus Status = ResultStatus::Ok;
    float Resistance = kNoValue;
    float Rise = kNoValue;
    int Passes = 0;
    InputField Invalid = InputField::None;
};

LayerResult Invalid(InputField field) {
    return {ResultStatus::InvalidInput, kNoValue, kNoValue, 0, field};
}

bool Positive(double value) {
    return std::isfinite(value) && value > 0.0;
}

// Inputs of the whole model that no package can have. A power of 0 is possible: nothing heats.
InputField ModelWideProblem(const Model& model) {
    if (!std::isfinite(model.PowerDissipation) || model.PowerDissipation < 0.0f) {
        return InputField::Power;
    }
    if (!Positive(static_cast<float>(model.IsothermalTemp + kKelvinOffset))) {
        return InputField::IsothermalTemp;
    }
    const Layer& device = model.Layers[0];
    if (!Positive(device.Width) || !Positive(device.Length)) return InputField::DeviceSize;
    return InputField::None;
}

// A layer's own width and length may be anything: 0 or less means no limit.
InputField GeometryProblem(const Layer& layer) {
    if (!std::isfinite(layer.Thickness) || layer.Thickness < 0.0f) return InputField::Thickness;
    if (!(layer.SpreadAngle >= 0.0f && layer.SpreadAngle < 90.0f)) return InputField::SpreadAngle;
    return InputField::None;
}

// The mean footprint and the thickness of a layer, in square centimetres and centimetres.
struct LayerGeometry {
    float MeanArea = 0.0f;
    float Thickness = 0.0f;
};

LayerGeometry ConvertToCentimetres(const Model& model, int i) {
    auto meanArea = static_cast<float>((static_cast<double>(model.Layers[i - 1].Area) +
                                        static_cast<double>(model.Layers[i].Area)) /
                                       2.0f);
    float thickness = model.Layers[i].Thickness;
    if (model.UnitSystem == LengthUnit::Inches) {
        meanArea = static_cast<float>(std::pow(kCmPerInch, 2) * meanArea);
        thickness = static_cast<float>(thickness * kCmPerInch);
    } else {
        meanArea = static_cast<float>(static_cast<double>(meanArea) / 100.0f);
        thickness = static_cast<float>(static_cast<double>(thickness) / 10.0f);
    }
    return {meanArea, thickness};
}

using StackGeometry = std::array<LayerGeometry, kRecordCount>;

// Every layer's geometry before the first pass: none depends on a temperature, so the
// conversions run side by side instead of in the chain of passes.
StackGeometry ConvertStackToCentimetres(const Model& model) {
    StackGeometry geometry{};
    for (int i = 1; i <= model.LayerCount; ++i) geometry[i] = ConvertToCentimetres(model, i);
    return geometry;
}

// tan of a record's spreading angle, remembered per thread: the angles rarely change from one
// recalculation to the next, and their tangents took a tenth of one.
double SpreadTangent(int record, float angleDegrees) {
    struct Remembered {
        std::uint32_t AngleBits = 0;  // +0 degrees, whose tangent is 0
        double Tangent = 0.0;
    };
    thread_local std::array<Remembered, kRecordCount> remembered{};
    Remembered& entry = remembered[static_cast<std::size_t>(record)];
    const auto bits = std::bit_cast<std::uint32_t>(angleDegrees);
    if (bits != entry.AngleBits) {
        entry = {bits, std::tan(static_cast<double>(angleDegrees) * kDegreesToRadians)};
    }
    return entry.Tangent;
}

// K = A * T^B of one layer, looked up once for all its passes; no material conducts as if
// its conductivity were 9e15.
struct ConductivityLaw {
    const Material* LayerMaterial = nullptr;

    float At(float temperatureK) const {
        if (LayerMaterial == nullptr) return kNoMaterialConductivity;
        return static_cast<float>(
            std::pow(static_cast<double>(temperatureK), static_cast<double>(LayerMaterial->B)) *
            LayerMaterial->A);
    }
};

// The law of layer i; nothing when it names a material the table does not hold.
std::optional<ConductivityLaw> LawOf(const Model& model, const MaterialTable& table, int i) {
    const std::int16_t id = model.Layers[i].MaterialId;
    if (id < 1) return ConductivityLaw{};
    const std::int16_t index = FindMaterialIndex(table, id);
    if (index == 0) return std::nullopt;
    return ConductivityLaw{&table.Materials[index]};
}

LayerResult IterateLayer(const Model& model, const ConductivityLaw& law,
                         const LayerGeometry& geometry, float base, int maxPasses) {
    const float meanArea = geometry.MeanArea;
    const float thickness = geometry.Thickness;
    if (!Positive(meanArea)) return Invalid(InputField::Footprint);
    // The sum and the product of two floats are exact in double, so rounding them to float
    // once gives the float operation's own result: the passes keep them in float, which
    // shortens the chain of dependent steps every pass waits on.
    const float power = model.PowerDissipation;
    float rise = 0.0f;
    for (int pass = 1; pass <= maxPasses; ++pass) {
        const float previous = rise;
        const float trial = rise + base;
        const float k = law.At(trial);
        // The first pass takes K at the layer's own base, where the law must give a
        // conductivity; one that fails only at a temperature the iteration climbed to is a
        // divergence.
        if (pass == 1 && !Positive(k)) return Invalid(InputField::Conductivity);
        // K and the area are 24-bit values, so their product is exact in double: one division
        // by it is t / K / Am evaluated without the intermediate rounding.
        const auto resistance = static_cast<float>(static_cast<double>(thickness) /
                                                   (static_cast<double>(k) * meanArea));
        rise = power * resistance;
        if (!std::isfinite(resistance) || !std::isfinite(rise) || !(k > 0.0f)) {
            return {ResultStatus::NoConvergence, kNoValue, kNoValue, pass, InputField::None};
        }
        const float change = rise - previous;
        if (std::fabs(change) < kConvergenceTolerance) {
            return {ResultStatus::Ok, resistance, rise, pass, InputField::None};
        }
    }
    return {ResultStatus::NoConvergence, kNoValue, kNoValue, maxPasses, InputField::None};
}

void MarkWithoutResult(Layer& layer, ResultStatus status, int passes = 0,
                       InputField field = InputField::None) {
    layer.Status = status;
    layer.InvalidField = field;
    layer.Passes = passes;
    layer.Resistance = kNoValue;
    layer.TopTemp = kNoValue;
}

// Impossible inputs of the whole model or of a layer's shape leave no layer computable: the
// footprints below a bad shape and the temperatures above it are all built on it. True when
// the model has such an input; its layers then say which.
bool MarkImpossibleShape(Model& model) {
    const InputField modelWide = ModelWideProblem(model);
    bool impossible = modelWide != InputField::None;
    for (int i = 1; i <= model.LayerCount && !impossible; ++i) {
        impossible = GeometryProblem(model.Layers[i]) != InputField::None;
    }
    if (!impossible) return false;
    for (int i = 1; i <= model.LayerCount; ++i) {
        const InputField field =
            modelWide != InputField::None ? modelWide : GeometryProblem(model.Layers[i]);
        MarkWithoutResult(model.Layers[i],
                          field == InputField::None ? ResultStatus::DependsOnFailedLayer
                                                    : ResultStatus::InvalidInput,
                          0, field);
    }
    return true;
}

}  // namespace

void ComputeSpreadAreas(Model& model) {
    float w = model.Layers[0].Width;
    float l = model.Layers[0].Length;
    model.Layers[0].Area = static_cast<float>(static_cast<double>(w) * l);
    for (int i = 1; i <= model.LayerCount; ++i) {
        Layer& layer = model.Layers[i];
        const auto d = static_cast<float>(2.0f * static_cast<double>(layer.Thickness) *
                                          SpreadTangent(i, layer.SpreadAngle));
        w = static_cast<float>(static_cast<double>(w) + d);
        if (layer.Width > 0.0f && layer.Width < w) w = layer.Width;
        l = static_cast<float>(static_cast<double>(l) + d);
        if (layer.Length > 0.0f && layer.Length < l) l = layer.Length;
        layer.Area = static_cast<float>(static_cast<double>(w) * l);
    }
}

float LayerConductivity(const Model& model, const MaterialTable& table, int layerIndex,
                        float temperatureK) {
    // A material missing from the table conducts like the "(none selected)" record: not at all.
    const auto law = LawOf(model, table, layerIndex);
    return law ? law->At(temperatureK) : ConductivityLaw{&table.Materials[0]}.At(temperatureK);
}

void RecalculateModel(Model& model, const MaterialTable& table, int maxPasses) {
    if (model.LayerCount == 0) return;
    ComputeSpreadAreas(model);
    if (MarkImpossibleShape(model)) return;
    const StackGeometry geometry = ConvertStackToCentimetres(model);
    auto base = static_cast<float>(model.IsothermalTemp + kKelvinOffset);
    bool failedBelow = false;
    for (int i = model.LayerCount; i >= 1; --i) {
        Layer& layer = model.Layers[i];
        if (failedBelow) {
            MarkWithoutResult(layer, ResultStatus::DependsOnFailedLayer);
            continue;
        }
        const auto law = LawOf(model, table, i);
        if (!law) {
            MarkWithoutResult(layer, ResultStatus::MissingMaterial);
            failedBelow = true;
            continue;
        }
        const LayerResult result = IterateLayer(model, *law, geometry[i], base, maxPasses);
        if (result.Status != ResultStatus::Ok) {
            MarkWithoutResult(layer, result.Status, result.Passes, result.Invalid);
            failedBelow = true;
            continue;
        }
        base += result.Rise;  // exact in double, so the float sum is the same
        layer.Status = ResultStatus::Ok;
        layer.InvalidField = InputField::None;
        layer.Resistance = result.Resistance;
        layer.TopTemp = base;
        layer.Passes = result.Passes;
        if (!std::isfinite(base)) {
            MarkWithoutResult(layer, ResultStatus::NoConvergence);
            failedBelow = true;
        }
    }
}

void MarkLayersWithoutMaterial(Model& model) {
    bool missingBelow = false;
    for (int i = model.LayerCount; i >= 1; --i) {
        Layer& layer = model.Layers[i];
        if (missingBelow && HasResult(layer)) {
            MarkWithoutResult(layer, ResultStatus::DependsOnFailedLayer);
        } else if (layer.MaterialId < 1 && layer.Status != ResultStatus::InvalidInput) {
            MarkWithoutResult(layer, ResultStatus::MissingMaterial);
            missingBelow = true;
        }
    }
}

bool HasResult(const Layer& layer) {
    return layer.Status == ResultStatus::Ok;
}

std::optional<int> FirstLayerWithoutResult(const Model& model) {
    for (int i = 1; i <= model.LayerCount; ++i) {
        if (!HasResult(model.Layers[i])) return i;
    }
    return std::nullopt;
}

std::optional<float> TotalResistance(const Model& model) {
    if (FirstLayerWithoutResult(model)) return std::nullopt;
    float total = 0.0f;
    for (int i = 1; i <= model.LayerCount; ++i) total += model.Layers[i].Resistance;
    return total;
}

std::optional<double> HeatSourceTempC(const Model& model) {
    if (model.LayerCount == 0 || !HasResult(model.Layers[1])) return std::nullopt;
    return static_cast<double>(model.Layers[1].TopTemp) - kKelvinOffset;
}

std::optional<InvalidInputAt> FirstInvalidInput(const Model& model) {
    for (int i = 1; i <= model.LayerCount; ++i) {
        const Layer& layer = model.Layers[i];
        if (layer.Status != ResultStatus::InvalidInput) continue;
        return InvalidInputAt{IsModelWide(layer.InvalidField) ? 0 : i, layer.InvalidField};
    }
    return std::nullopt;
}

}  // namespace strativex
