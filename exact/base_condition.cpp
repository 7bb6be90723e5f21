#include "exact/base_condition.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace strativex::exact {
namespace {

constexpr double kSquareMetresPerSquareCm = 1e-4;

// The shortest text that reads back to the same value, as the user most likely typed it.
std::string Shortest(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

}  // namespace

double BaseHeatTransfer(const BaseCondition& base, double bottomAreaCm2) {
    switch (base.Kind) {
        case BaseKind::Isothermal:
            break;
        case BaseKind::HeatTransfer:
            return base.Value * kSquareMetresPerSquareCm;
        case BaseKind::SinkResistance:
            return 1.0 / (base.Value * bottomAreaCm2);
    }
    return std::numeric_limits<double>::infinity();
}

std::optional<std::string> BaseConditionProblem(const BaseCondition& base) {
    if (base.IsIsothermal() || (std::isfinite(base.Value) && base.Value > 0.0)) {
        return std::nullopt;
    }
    const std::string value = std::isnan(base.Value) ? "not a number" : Shortest(base.Value);
    if (base.Kind == BaseKind::HeatTransfer) {
        return "The heat transfer coefficient of the base must be a positive number of "
               "W/m2-K (given: " +
               value + ").";
    }
    return "The heat sink's resistance must be a positive number of K/W (given: " + value + ").";
}

std::string BaseConditionText(const BaseCondition& base) {
    switch (base.Kind) {
        case BaseKind::Isothermal:
            break;
        case BaseKind::HeatTransfer:
            return "h = " + Shortest(base.Value) + " W/m2-K";
        case BaseKind::SinkResistance:
            return "heat sink " + Shortest(base.Value) + " K/W";
    }
    return "isothermal";
}

}  // namespace strativex::exact
