#include "analysis/sweep_exact_point.h"

namespace strativex {

std::vector<std::size_t> ExactPointIndices(std::size_t pointCount, int count) {
    std::vector<std::size_t> indices;
    if (pointCount == 0 || count < 1) return indices;
    const std::size_t wanted = std::min(pointCount, static_cast<std::size_t>(count));
    if (wanted == 1) return {0};
    const std::size_t last = pointCount - 1;
    for (std::size_t k = 0; k < wanted; ++k) {
        // Rounded to the nearest point, so that the spacing is as even as the points allow.
        indices.push_back((k * last + (wanted - 1) / 2) / (wanted - 1));
    }
    return indices;
}

ExactPointOutcome CheckSweepPoint(const Model& model, const MaterialTable& table,
                                  const SweepRequest& request, std::size_t index, float value,
                                  const exact::CheckHooks& hooks,
                                  const exact::ExactOptions& options) {
    Model copy = model;
    const int layer = IsLayerQuantity(request.Quantity) ? request.Layer : 0;
    QuantityOf(request.Quantity).Write(copy, layer, value);
    const exact::ExactResult result = exact::RunExactCheck(copy, table, options, hooks);
    ExactPointOutcome outcome;
    outcome.Point.Index = index;
    outcome.Status = result.Status;
    if (result.Status != exact::ExactStatus::Ok) {
        outcome.Message = result.Message;
        return outcome;
    }
    outcome.Point.AverageC = result.AverageSourceTempC;
    outcome.Point.PeakC = result.PeakSourceTempC;
    return outcome;
}

}  // namespace strativex
