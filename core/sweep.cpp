#include "core/sweep.h"

#include <cmath>

#include "core/sweep_check.h"
#include "core/thermal_calc.h"

namespace strativex {
namespace {

float PointValue(const SweepRequest& request, int index) {
    const int last = request.PointCount - 1;
    if (index == 0) return static_cast<float>(request.From);
    if (index == last) return static_cast<float>(request.To);
    const double fraction = static_cast<double>(index) / last;
    if (request.Spacing == SweepSpacing::Logarithmic) {
        return static_cast<float>(request.From * std::pow(request.To / request.From, fraction));
    }
    return static_cast<float>(request.From + (request.To - request.From) * fraction);
}

SweepPoint PointOf(const Model& model, float value) {
    SweepPoint point;
    point.Value = value;
    point.HeatSourceTempC = HeatSourceTempC(model);
    point.TotalResistance = TotalResistance(model);
    for (int i = 1; i <= model.LayerCount; ++i) {
        const Layer& layer = model.Layers[i];
        point.Layers[static_cast<std::size_t>(i - 1)] = {layer.TopTemp, layer.Status};
    }
    // The calculation walks up from the base, so the lowest failed layer stopped it; those
    // above it only depend on it.
    for (int i = model.LayerCount; i >= 1; --i) {
        if (!HasResult(model.Layers[i])) {
            point.FailedLayer = i;
            point.Cause = model.Layers[i].Status;
            break;
        }
    }
    return point;
}

}  // namespace

std::vector<float> SweepValues(const SweepRequest& request) {
    std::vector<float> values;
    if (request.Quantity == QuantityId::Material) {
        values.assign(request.MaterialIds.begin(), request.MaterialIds.end());
        return values;
    }
    if (request.PointCount < 2 || request.PointCount > kMaxSweepPoints) return values;
    values.reserve(static_cast<std::size_t>(request.PointCount));
    for (int i = 0; i < request.PointCount; ++i) values.push_back(PointValue(request, i));
    return values;
}

std::optional<SweepResult> RunSweep(const Model& model, const MaterialTable& table,
                                    const SweepRequest& request,
                                    LayersWithoutMaterial withoutMaterial) {
    if (SweepModelError(model, table, request)) return std::nullopt;
    const int layer = IsLayerQuantity(request.Quantity) ? request.Layer : 0;
    SweepResult result{request,
                       model.UnitSystem,
                       model.LayerCount,
                       QuantityOf(request.Quantity).Read(model, layer),
                       {}};
    const std::vector<float> values = SweepValues(request);
    result.Points.reserve(values.size());
    Model copy = model;
    for (const float value : values) {
        QuantityOf(request.Quantity).Write(copy, layer, value);
        RecalculateModel(copy, table);
        if (withoutMaterial == LayersWithoutMaterial::WithoutResult) {
            MarkLayersWithoutMaterial(copy);
        }
        result.Points.push_back(PointOf(copy, value));
    }
    return result;
}

}  // namespace strativex
