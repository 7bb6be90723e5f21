#pragma once

#include <optional>
#include <string>
#include <vector>

#include "exact/base_condition.h"
#include "exact/input_check.h"
#include "exact/pictures.h"
#include "exact/source_array.h"
#include "exact/temperature_field.h"

namespace strativex::exact {

enum class ExactStatus {
    Ok,
    NotAvailable,  // the model cannot be checked: see Unavailable
    Cancelled,
    NotConverged,  // the conductivity iteration or the linear solver did not settle
};

// One source of an array: its centre in the model's unit, from the stack's centre; its
// temperatures in degrees C, extrapolated like the result's.
struct SourceTemperature {
    double X = 0.0, Y = 0.0;
    double AverageC = 0.0;
    double PeakC = 0.0;
    double AverageErrorK = 0.0;
};

// The 3-D check of one model. Temperatures in degrees C unless named K; resistances in C/W;
// lengths of the pictures in the model's unit. Only Status and Message mean anything unless
// Status is Ok.
struct ExactResult {
    ExactStatus Status = ExactStatus::NotAvailable;
    std::optional<Unavailability> Unavailable;
    std::string Message;  // why there is no result, for the user

    double BaseTempC = 0.0;
    double AverageSourceTempC = 0.0;
    double PeakSourceTempC = 0.0;
    double AverageSourceTempK = 0.0;
    double PeakSourceTempK = 0.0;
    double AverageResistance = 0.0;  // (average - base) / power
    double PeakResistance = 0.0;     // (peak - base) / power
    // Mean temperature of every layer's top face where the record above touches it (the
    // heated area for layer 1); index 0 is layer 1.
    std::vector<double> LayerTopTempC;
    std::vector<double> LayerTopErrorK;  // estimated discretisation error of each, kelvin

    // The base the check was computed with; BaseTempC is its ambient. Beside a base that is
    // not isothermal, the heat sink's own resistance 1 / (h * bottom area), C/W, and its heat
    // transfer coefficient, W/m2-K, whichever of them was given.
    BaseCondition Base;
    std::optional<double> SinkResistance;
    std::optional<double> SinkHeatTransfer;

    // The sources the check was computed with. With more than one, the average and peak
    // source temperatures above (and the resistances, per watt of the whole array) are the
    // hottest source's, and there is no comparison with the estimate, which knows one source.
    SourceArray Sources;
    // With an array: every source, along the width first, from the most negative centre.
    std::vector<SourceTemperature> SourceTemps;
    std::size_t HottestSource = 0;  // index into SourceTemps
    // With an array: the hottest source's average rise over that of one source alone at the
    // same power per source (from a second check of the single source), and that source's
    // average, degrees C.
    std::optional<double> Coupling;
    std::optional<double> LoneSourceTempC;

    // The spreading-angle calculation beside it, and how far its source temperature rise lies
    // from the exact average rise, in % of the latter (negative: the estimate is optimistic).
    // The estimate knows only the isothermal base: with a heat sink, EstimateWithSinkTempC
    // adds the sink in series, and the layer tops, the error and the equivalent angle are
    // those of the estimate with the sink.
    std::optional<double> EstimateSourceTempC;
    std::optional<double> EstimateResistance;
    std::optional<double> EstimateWithSinkTempC;
    std::vector<double> EstimateLayerTopTempC;  // empty when the estimate has no result
    std::optional<double> EstimateErrorPercent;
    // The angle that, given to every layer, makes the estimate meet the exact average.
    std::optional<double> EquivalentAngleDeg;
    // The device is larger than layer 1 along the width or the length: the 3-D check heats
    // only where they meet, at the same power, while the estimate takes the whole device.
    bool SourceClipped = false;

    // Results are extrapolated from three grids at the order of convergence they show; these
    // are the estimated remaining discretisation errors of the average and the peak, kelvin,
    // and the average's in % of its rise. Where the grids show no steady order the values are
    // the fine grid's and the errors a conservative bound (see Extrapolate).
    double AverageErrorK = 0.0;
    double PeakErrorK = 0.0;
    double AverageErrorPercent = 0.0;
    std::optional<double> ObservedOrder;  // of the average
    bool ErrorBoundConservative = false;

    std::size_t Cells = 0;           // of the fine grid (a quarter of the stack)
    int SolverIterations = 0;        // conjugate-gradient iterations over all solves
    int ConductivityIterations = 0;  // K(T) iterations over all three grids
    double Seconds = 0.0;

    CrossSection Section;
    FaceProfile WidthProfile, LengthProfile;
    std::vector<LayerOutline> Outlines;
    TemperatureField Field;  // the fine grid's solution, for sampling anywhere
};

}  // namespace strativex::exact
