#pragma once

#include <optional>
#include <string>

namespace strativex::exact {

// How the bottom face of the stack gives its heat away. The ambient is the model's isothermal
// temperature in every case; only the isothermal base holds the bottom face at it.
enum class BaseKind {
    Isothermal,
    HeatTransfer,    // Value: heat transfer coefficient to the ambient, W/m2-K
    SinkResistance,  // Value: a heat sink's resistance to the ambient, K/W, spread evenly
};

struct BaseCondition {
    BaseKind Kind = BaseKind::Isothermal;
    double Value = 0.0;

    bool IsIsothermal() const { return Kind == BaseKind::Isothermal; }
};

// The heat transfer coefficient over a bottom face of `bottomAreaCm2`, W/cm2-K; infinite for
// the isothermal base.
double BaseHeatTransfer(const BaseCondition& base, double bottomAreaCm2);

// What is wrong with the value, naming it; nothing when it can be used.
std::optional<std::string> BaseConditionProblem(const BaseCondition& base);

// "isothermal", "h = 2500 W/m2-K" or "heat sink 0.5 K/W", for the reports.
std::string BaseConditionText(const BaseCondition& base);

}  // namespace strativex::exact
