#include "exact/exact_check.h"

#include <chrono>
#include <cmath>
#include <limits>
#include <string>

#include "exact/conduction_solve.h"
#include "exact/grid.h"
#include "exact/grid_bound.h"
#include "exact/refinement.h"
#include "exact/richardson.h"
#include "exact/spreading_estimate.h"
#include "exact/stack.h"

namespace strativex::exact {
namespace {

// Shares of the progress bar: the coarsest grid, the medium one, the fine one, then the
// comparison.
constexpr double kCoarseStart = 0.02;
constexpr double kMediumStart = 0.04;
constexpr double kFineStart = 0.15;
constexpr double kFineEnd = 0.95;
constexpr double kSquareCmPerSquareMetre = 1e4;
// Of an array's progress: the array, then the lone source for the coupling.
constexpr double kArrayShare = 0.6;

void Report(const CheckHooks& hooks, double fraction, std::string_view stage) {
    if (hooks.Progress) hooks.Progress(fraction, stage);
}

SolveHooks HooksFor(const CheckHooks& hooks, double start, double end, std::string_view stage) {
    SolveHooks solveHooks;
    solveHooks.Cancel = hooks.Cancel;
    if (hooks.Progress) {
        // How many conductivity iterations a model takes is not known beforehand; each one
        // covers half of what is left of the share.
        solveHooks.Iteration = [&hooks, start, end, stage](int iteration, double) {
            hooks.Progress(end - (end - start) * std::pow(0.5, iteration), stage);
        };
    }
    return solveHooks;
}

ExactResult Stopped(SolveStatus status) {
    ExactResult result;
    if (status == SolveStatus::Cancelled) {
        result.Status = ExactStatus::Cancelled;
        result.Message = "The 3-D check was cancelled.";
    } else {
        result.Status = ExactStatus::NotConverged;
        result.Message =
            "The 3-D check found no steady temperature: the temperature-dependent conductivity "
            "did not settle.";
    }
    return result;
}

ExactResult TooLarge(std::string message) {
    ExactResult result;
    result.Unavailable = Unavailability{kWholeModel, UnavailableReason::GridTooLarge};
    result.Message = std::move(message);
    return result;
}

TemperatureField FieldOf(const Grid& grid, const Stack& stack, const GridSolution& solution) {
    TemperatureField field;
    field.Mesh = grid;
    field.TempK.assign(grid.CellCount(), std::numeric_limits<double>::quiet_NaN());
    for (std::size_t c = 0; c < grid.CellCount(); ++c) {
        if (solution.Conductivity[c] > 0.0) field.TempK[c] = stack.BaseTempK + solution.RiseK[c];
    }
    field.Conductivity = solution.Conductivity;
    field.SourceFlux = stack.Power / (4.0 * grid.HeatedArea());
    field.CmPerUnit = stack.CmPerUnit;
    return field;
}

void FillTemperatures(const FieldMeasures& fine, const FieldMeasures& medium,
                      const FieldMeasures& coarse, const Stack& stack, ExactResult& result) {
    const Extrapolated average =
        Extrapolate(fine.AverageSourceK, medium.AverageSourceK, coarse.AverageSourceK);
    const Extrapolated peak = Extrapolate(fine.PeakSourceK, medium.PeakSourceK, coarse.PeakSourceK);
    result.BaseTempC = stack.BaseTempK - kKelvinOffset;
    result.AverageSourceTempK = average.Value;
    result.PeakSourceTempK = peak.Value;
    result.AverageSourceTempC = average.Value - kKelvinOffset;
    result.PeakSourceTempC = peak.Value - kKelvinOffset;
    result.AverageResistance = (average.Value - stack.BaseTempK) / stack.Power;
    result.PeakResistance = (peak.Value - stack.BaseTempK) / stack.Power;
    result.AverageErrorK = average.ErrorEstimate;
    result.PeakErrorK = peak.ErrorEstimate;
    result.AverageErrorPercent = 100.0 * average.ErrorEstimate / (average.Value - stack.BaseTempK);
    result.ObservedOrder = average.Order;
    result.ErrorBoundConservative = average.Conservative;
    for (std::size_t n = 0; n < fine.LayerTopK.size(); ++n) {
        const Extrapolated top =
            Extrapolate(fine.LayerTopK[n], medium.LayerTopK[n], coarse.LayerTopK[n]);
        result.LayerTopTempC.push_back(top.Value - kKelvinOffset);
        result.LayerTopErrorK.push_back(top.ErrorEstimate);
    }
}

void FillSink(const Stack& stack, ExactResult& result) {
    if (stack.HasIsothermalBase()) return;
    result.SinkResistance = 1.0 / (stack.BaseHeatTransfer * stack.BottomArea());
    result.SinkHeatTransfer = stack.BaseHeatTransfer * kSquareCmPerSquareMetre;
}

void FillComparison(const Model& model, const MaterialTable& table, const Stack& stack,
                    ExactResult& result) {
    const SpreadingEstimate estimate = EstimateOf(model, table);
    const double sinkRise = stack.Power * result.SinkResistance.value_or(0.0);
    result.EstimateSourceTempC = estimate.SourceTempC;
    result.EstimateResistance = estimate.Resistance;
    for (const double top : estimate.LayerTopTempC) {
        result.EstimateLayerTopTempC.push_back(top + sinkRise);
    }
    if (estimate.SourceTempC) {
        const double withSink = *estimate.SourceTempC + sinkRise;
        if (result.SinkResistance) result.EstimateWithSinkTempC = withSink;
        const double exactRise = result.AverageSourceTempC - result.BaseTempC;
        result.EstimateErrorPercent = 100.0 * (withSink - result.BaseTempC - exactRise) / exactRise;
    }
    result.EquivalentAngleDeg = EquivalentAngle(model, table, result.AverageSourceTempC - sinkRise);
}

// The mirror image in the quarter of the source at `index` of `count` along one axis.
std::size_t InQuarter(std::size_t index, std::size_t count) {
    const std::size_t below = count / 2;
    return index >= below ? index - below : count - 1 - index - below;
}

// Every source of the array from the quarter's, extrapolated; the hottest gives the result's
// source temperatures.
void FillSources(const FieldMeasures& fine, const FieldMeasures& medium,
                 const FieldMeasures& coarse, const Stack& stack, const SourceArray& sources,
                 ExactResult& result) {
    // The centres as the user gave them, in the model's unit, not back from centimetres.
    const std::vector<double> centresX = SourceCentres(sources.CountX, sources.PitchX);
    const std::vector<double> centresY = SourceCentres(sources.CountY, sources.PitchY);
    const std::size_t across = stack.SourceCentreY.size();
    const std::size_t quarterAcross = (across + 1) / 2;
    double hottest = -std::numeric_limits<double>::infinity();
    for (std::size_t a = 0; a < stack.SourceCentreX.size(); ++a) {
        for (std::size_t b = 0; b < across; ++b) {
            const std::size_t q =
                InQuarter(a, stack.SourceCentreX.size()) * quarterAcross + InQuarter(b, across);
            const Extrapolated average = Extrapolate(
                fine.SourceAverageK[q], medium.SourceAverageK[q], coarse.SourceAverageK[q]);
            const Extrapolated peak =
                Extrapolate(fine.SourcePeakK[q], medium.SourcePeakK[q], coarse.SourcePeakK[q]);
            result.SourceTemps.push_back({centresX[a], centresY[b], average.Value - kKelvinOffset,
                                          peak.Value - kKelvinOffset, average.ErrorEstimate});
            if (average.Value <= hottest) continue;
            hottest = average.Value;
            result.HottestSource = result.SourceTemps.size() - 1;
            result.AverageSourceTempK = average.Value;
            result.PeakSourceTempK = peak.Value;
            result.AverageErrorK = average.ErrorEstimate;
            result.PeakErrorK = peak.ErrorEstimate;
            result.ObservedOrder = average.Order;
            result.ErrorBoundConservative = average.Conservative;
        }
    }
    result.AverageSourceTempC = result.AverageSourceTempK - kKelvinOffset;
    result.PeakSourceTempC = result.PeakSourceTempK - kKelvinOffset;
    result.AverageResistance = (result.AverageSourceTempK - stack.BaseTempK) / stack.Power;
    result.PeakResistance = (result.PeakSourceTempK - stack.BaseTempK) / stack.Power;
    result.AverageErrorPercent =
        100.0 * result.AverageErrorK / (result.AverageSourceTempK - stack.BaseTempK);
}

bool IsClipped(const Stack& stack) {
    const StackLayer& first = stack.Layers.front();
    return stack.SourceHalfWidth > first.HalfWidth || stack.SourceHalfLength > first.HalfLength;
}

void FillPictures(const Stack& stack, ExactResult& result) {
    result.Section = CentreSection(result.Field);
    result.WidthProfile = ProfileAcrossWidth(result.Field);
    result.LengthProfile = ProfileAcrossLength(result.Field);
    result.Outlines = LayerOutlines(result.Field, stack);
}

ExactResult Check(const Model& model, const MaterialTable& table, const ExactOptions& options,
                  const CheckHooks& hooks) {
    const auto started = std::chrono::steady_clock::now();
    if (const auto unavailable = FindUnavailability(model, table, options.Base, options.Sources)) {
        ExactResult result;
        result.Unavailable = unavailable;
        result.Message = BaseConditionProblem(options.Base)
                             .value_or(SourceArrayProblem(options.Sources, model)
                                           .value_or(UnavailabilityText(*unavailable)));
        return result;
    }
    Report(hooks, 0.0, "Building the grid");
    const Stack stack = StackOf(model, table, options.Base, options.Sources);
    const Grid fine = BuildGrid(stack, options);
    if (auto tooLarge = GridTooLarge(fine, options)) return TooLarge(std::move(*tooLarge));
    const Grid medium = HalvedGrid(fine);
    const Grid coarse = HalvedGrid(medium);

    Report(hooks, kCoarseStart, "Solving on the coarse grid");
    const GridSolution coarseSolution =
        SolveConduction(coarse, stack, options, {},
                        HooksFor(hooks, kCoarseStart, kMediumStart, "Solving on the coarse grid"));
    if (coarseSolution.Status != SolveStatus::Converged) return Stopped(coarseSolution.Status);
    Report(hooks, kMediumStart, "Solving on the medium grid");
    SolveHooks mediumHooks =
        HooksFor(hooks, kMediumStart, kFineStart, "Solving on the medium grid");
    mediumHooks.TryFilledGrid = !coarseSolution.FilledGridTooSlow;
    const GridSolution mediumSolution = SolveConduction(
        medium, stack, options, Refined(coarse, medium, coarseSolution.RiseK), mediumHooks);
    if (mediumSolution.Status != SolveStatus::Converged) return Stopped(mediumSolution.Status);
    Report(hooks, kFineStart, "Solving on the fine grid");
    SolveHooks fineHooks = HooksFor(hooks, kFineStart, kFineEnd, "Solving on the fine grid");
    fineHooks.TryFilledGrid = mediumHooks.TryFilledGrid && !mediumSolution.FilledGridTooSlow;
    const GridSolution fineSolution = SolveConduction(
        fine, stack, options,
        ExtrapolatedGuess(coarse, medium, fine, coarseSolution.RiseK, mediumSolution.RiseK),
        fineHooks);
    if (fineSolution.Status != SolveStatus::Converged) return Stopped(fineSolution.Status);

    Report(hooks, kFineEnd, "Comparing with the spreading-angle estimate");
    ExactResult result;
    result.Status = ExactStatus::Ok;
    result.Field = FieldOf(fine, stack, fineSolution);
    const FieldMeasures fineMeasures = MeasureField(result.Field);
    const FieldMeasures mediumMeasures = MeasureField(FieldOf(medium, stack, mediumSolution));
    const FieldMeasures coarseMeasures = MeasureField(FieldOf(coarse, stack, coarseSolution));
    FillTemperatures(fineMeasures, mediumMeasures, coarseMeasures, stack, result);
    if (!options.Sources.IsSingle()) {
        FillSources(fineMeasures, mediumMeasures, coarseMeasures, stack, options.Sources, result);
    }
    if (!std::isfinite(result.AverageSourceTempK) || !std::isfinite(result.PeakSourceTempK)) {
        return Stopped(SolveStatus::NotConverged);
    }
    FillSink(stack, result);
    if (options.Sources.IsSingle()) FillComparison(model, table, stack, result);
    result.SourceClipped = IsClipped(stack);
    FillPictures(stack, result);
    result.Cells = fine.CellCount();
    result.SolverIterations = coarseSolution.SolverIterations + mediumSolution.SolverIterations +
                              fineSolution.SolverIterations;
    result.ConductivityIterations = coarseSolution.ConductivityIterations +
                                    mediumSolution.ConductivityIterations +
                                    fineSolution.ConductivityIterations;
    result.Seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    Report(hooks, 1.0, "Done");
    return result;
}

// Hooks that report the whole progress of a check within [from, to] of the caller's.
CheckHooks ShareOf(const CheckHooks& hooks, double from, double to, std::string prefix) {
    CheckHooks share;
    share.Cancel = hooks.Cancel;
    if (hooks.Progress) {
        share.Progress = [&hooks, from, to, prefix](double fraction, std::string_view stage) {
            hooks.Progress(from + (to - from) * fraction, prefix + std::string(stage));
        };
    }
    return share;
}

// One of the array's sources alone, centred, at its share of the power: the reference the
// coupling is measured against.
ExactResult CheckLoneSource(const Model& model, const MaterialTable& table,
                            const ExactOptions& options, const CheckHooks& hooks) {
    Model lone = model;
    lone.PowerDissipation = model.PowerDissipation / static_cast<float>(options.Sources.Count());
    ExactOptions single = options;
    single.Sources = {};
    return Check(lone, table, single, hooks);
}

}  // namespace

ExactResult RunExactCheck(const Model& model, const MaterialTable& table,
                          const ExactOptions& options, const CheckHooks& hooks) {
    if (options.Sources.IsSingle()) {
        ExactResult result = Check(model, table, options, hooks);
        result.Base = options.Base;
        return result;
    }
    ExactResult result = Check(model, table, options, ShareOf(hooks, 0.0, kArrayShare, "Array: "));
    result.Base = options.Base;
    result.Sources = options.Sources;
    if (result.Status != ExactStatus::Ok) return result;
    ExactResult lone = CheckLoneSource(model, table, options,
                                       ShareOf(hooks, kArrayShare, 1.0, "One source alone: "));
    if (lone.Status != ExactStatus::Ok) return lone;
    result.LoneSourceTempC = lone.AverageSourceTempC;
    result.Coupling =
        (result.AverageSourceTempC - result.BaseTempC) / (lone.AverageSourceTempC - lone.BaseTempC);
    result.Seconds += lone.Seconds;
    result.SolverIterations += lone.SolverIterations;
    result.ConductivityIterations += lone.ConductivityIterations;
    Report(hooks, 1.0, "Done");
    return result;
}

}  // namespace strativex::exact
