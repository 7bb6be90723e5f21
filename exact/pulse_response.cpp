#include "exact/pulse_response.h"

#include <cmath>
#include <sstream>

namespace strativex::exact {
namespace {

std::string ValueText(double value) {
    std::ostringstream text;
    text.precision(6);
    text << value;
    return text.str();
}

std::string PositiveProblem(const char* what, double value, const char* unit) {
    if (std::isfinite(value) && value > 0.0) return {};
    return std::string(what) + " " + ValueText(value) + " " + unit + " is not a positive number";
}

std::string PulseProblem(double power, double width, std::optional<double> period) {
    for (std::string problem :
         {PositiveProblem("The power", power, "W"), PositiveProblem("The pulse width", width, "s"),
          period ? PositiveProblem("The period", *period, "s") : ""}) {
        if (!problem.empty()) return problem;
    }
    if (period && width >= *period) {
        return "The pulse width " + ValueText(width) + " s is not shorter than its period " +
               ValueText(*period) + " s (duty " + ValueText(width / *period) +
               "; it must lie between 0 and 1)";
    }
    return {};
}

}  // namespace

double SinglePulseZth(const FosterNetwork& network, double width) {
    return FosterZth(network, width);
}

double PeriodicPulseZth(const FosterNetwork& network, double width, double duty) {
    const double period = width / duty;
    double zth = 0.0;
    for (const RcStage& stage : network.Stages) {
        // expm1 keeps the ratio exact where a stage is far slower than the period.
        zth += stage.R * std::expm1(-width / stage.Tau()) / std::expm1(-period / stage.Tau());
    }
    return zth;
}

std::vector<PulseCurve> PulseFamily(const FosterNetwork& network,
                                    const std::vector<double>& widths) {
    std::vector<PulseCurve> family(1);
    for (double width : widths) family[0].Zth.push_back(SinglePulseZth(network, width));
    for (double duty : kDutyCycles) {
        PulseCurve curve{duty, {}};
        for (double width : widths) curve.Zth.push_back(PeriodicPulseZth(network, width, duty));
        family.push_back(std::move(curve));
    }
    return family;
}

PeakRise PeakTemperatureRise(const FosterNetwork& network, double power, double width,
                             std::optional<double> period) {
    PeakRise peak;
    peak.Problem = StagesProblem(network.Stages);
    if (peak.Problem.empty()) peak.Problem = PulseProblem(power, width, period);
    if (!peak.Problem.empty()) return peak;
    const double zth =
        period ? PeriodicPulseZth(network, width, width / *period) : SinglePulseZth(network, width);
    peak.RiseK = power * zth;
    return peak;
}

}  // namespace strativex::exact
