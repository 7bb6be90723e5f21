#pragma once

#include <string>

#include "exact/foster_fit.h"
#include "exact/rc_network.h"
#include "exact/structure_function.h"
#include "exact/transient_result.h"

namespace strativex::exact {

enum class TransientReportStatus {
    Ok,
    NotAvailable,  // the model cannot be solved, or a layer's material has no heat capacity
    NotConverged,  // the curve did not settle
    NoNetwork,     // the curve is there, but no network could be fitted to it
};

// A model's thermal impedance and the compact models derived from it, as the calculator
// prints them. The networks mean nothing unless Status is Ok.
struct TransientReport {
    TransientReportStatus Status = TransientReportStatus::NotAvailable;
    std::string Reason;
    // A layer's material lacks its heat capacity: the user must add it before asking again.
    bool MissingHeatCapacity = false;
    TransientResult Curve;
    FosterFit Foster;  // fitted to the peak rise
    CauerNetwork Cauer;
    StructureFunction Structure;
    double Seconds = 0.0;  // the curve, the fit and the ladder together

    bool HasCurve() const {
        return Status == TransientReportStatus::Ok || Status == TransientReportStatus::NoNetwork;
    }
    bool HasNetworks() const { return Status == TransientReportStatus::Ok; }
};

}  // namespace strativex::exact
