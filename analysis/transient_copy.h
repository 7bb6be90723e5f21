#pragma once

#include <QString>

#include "exact/transient_report.h"

namespace strativex {

// The curve, then after an empty line the networks, as tab-separated lines with a header each:
// what a spreadsheet takes from the clipboard. Numbers in full precision with a point.
QString TransientTabText(const exact::TransientReport& report);

}  // namespace strativex
