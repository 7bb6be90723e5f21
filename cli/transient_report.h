#pragma once

#include <string>
#include <vector>

#include "exact/transient_report.h"

namespace strativex {

std::string_view TransientStatusName(exact::TransientReportStatus status);

// The value of a model's "transient" member.
std::string TransientJson(const exact::TransientReport& report, int indent);

// The columns the CSV report adds to each line of a model with the transient, and their
// fields, each after a comma.
std::string TransientCsvHeader();
std::string TransientCsvFields(const exact::TransientReport& report);

// The curve and the networks do not fit in columns of a layer's line: they follow the layers'
// lines, after an empty line, as a second table with a header of its own, one line per sample.
std::string TransientSeriesCsvHeader();
std::string TransientSeriesCsvLines(const exact::TransientReport& report, const std::string& file);

// The table report's lines under a model's summary: the networks and a few points of the curve.
std::string TransientTableLines(const exact::TransientReport& report);

}  // namespace strativex
