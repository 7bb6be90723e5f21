#include "exact/rc_network.h"

#include <cmath>
#include <sstream>

namespace strativex::exact {
namespace {

bool Usable(double value) {
    return std::isfinite(value) && value > 0.0;
}

std::string ValueText(double value) {
    std::ostringstream text;
    text.precision(6);
    text << value;
    return text.str();
}

}  // namespace

double TotalResistance(const std::vector<RcStage>& stages) {
    double sum = 0.0;
    for (const RcStage& stage : stages) sum += stage.R;
    return sum;
}

double TotalCapacitance(const std::vector<RcStage>& stages) {
    double sum = 0.0;
    for (const RcStage& stage : stages) sum += stage.C;
    return sum;
}

double FosterZth(const FosterNetwork& network, double time) {
    double zth = 0.0;
    for (const RcStage& stage : network.Stages) {
        zth += stage.R * -std::expm1(-time / stage.Tau());
    }
    return zth;
}

std::string StagesProblem(const std::vector<RcStage>& stages) {
    const auto count = static_cast<int>(stages.size());
    if (count < kMinStages || count > kMaxStages) {
        return "the network has " + std::to_string(count) + " stages; it must have from " +
               std::to_string(kMinStages) + " to " + std::to_string(kMaxStages);
    }
    for (int k = 0; k < count; ++k) {
        const RcStage& stage = stages[static_cast<std::size_t>(k)];
        if (!Usable(stage.R) || !Usable(stage.C) || !Usable(stage.Tau())) {
            return "stage " + std::to_string(k + 1) + " has R = " + ValueText(stage.R) +
                   " K/W and C = " + ValueText(stage.C) + " J/K; both must be positive and finite";
        }
    }
    return {};
}

}  // namespace strativex::exact
