#pragma once

#include <vector>

#include "exact/transient_report.h"
#include "views/plot/plot_curves.h"

// What the Transient window's plots show of a result; null or without a curve, empty frames.
namespace strativex {

// Zth average and peak against time after the step, the Foster fit over the peak.
CurvePlotInputs ZthPlot(const exact::TransientReport* report);
// The peak rise per watt at the end of a pulse against its width: a single pulse and the
// periodic family, from the Foster network.
CurvePlotInputs PulsePlot(const exact::TransientReport* report);
// The cumulative structure function, Cth on a log axis against Rth, from the junction.
CurvePlotInputs StructurePlot(const exact::TransientReport* report);
// Its derivative dCΣ/dRΣ, where the heat flow widens or a material changes.
CurvePlotInputs DerivativePlot(const exact::TransientReport* report);

// The four, in the window's order.
std::vector<CurvePlotInputs> TransientPlots(const exact::TransientReport* report);

}  // namespace strativex
