#pragma once

#include <string>
#include <vector>

#include "core/model.h"
#include "exact/foster_fit.h"
#include "exact/rc_network.h"
#include "exact/structure_function.h"
#include "exact/transient_result.h"

namespace strativex {

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
    exact::TransientResult Curve;
    exact::FosterFit Foster;  // fitted to the peak rise
    exact::CauerNetwork Cauer;
    exact::StructureFunction Structure;
    double Seconds = 0.0;  // the curve, the fit and the ladder together

    bool HasCurve() const {
        return Status == TransientReportStatus::Ok || Status == TransientReportStatus::NoNetwork;
    }
    bool HasNetworks() const { return Status == TransientReportStatus::Ok; }
};

std::string_view TransientStatusName(TransientReportStatus status);

// The value of a model's "transient" member.
std::string TransientJson(const TransientReport& report, int indent);

// The columns the CSV report adds to each line of a model with the transient, and their
// fields, each after a comma.
std::string TransientCsvHeader();
std::string TransientCsvFields(const TransientReport& report);

// The curve and the networks do not fit in columns of a layer's line: they follow the layers'
// lines, after an empty line, as a second table with a header of its own, one line per sample.
std::string TransientSeriesCsvHeader();
std::string TransientSeriesCsvLines(const TransientReport& report, const std::string& file);

// The table report's lines under a model's summary: the networks and a few points of the curve.
std::string TransientTableLines(const TransientReport& report);

}  // namespace strativex
