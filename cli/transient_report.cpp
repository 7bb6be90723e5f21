#include "cli/transient_report.h"

namespace strativex {

std::string_view TransientStatusName(TransientReportStatus status) {
    switch (status) {
        case TransientReportStatus::Ok:
            break;
        case TransientReportStatus::NotAvailable:
            return "not_available";
        case TransientReportStatus::NotConverged:
            return "not_converged";
        case TransientReportStatus::NoNetwork:
            return "no_network";
    }
    return "ok";
}

}  // namespace strativex
