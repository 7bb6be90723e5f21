#include "cli/transient_report.h"

namespace strativex {

std::string_view TransientStatusName(exact::TransientReportStatus status) {
    switch (status) {
        case exact::TransientReportStatus::Ok:
            break;
        case exact::TransientReportStatus::NotAvailable:
            return "not_available";
        case exact::TransientReportStatus::NotConverged:
            return "not_converged";
        case exact::TransientReportStatus::NoNetwork:
            return "no_network";
    }
    return "ok";
}

}  // namespace strativex
