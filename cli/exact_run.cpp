#include "cli/exact_run.h"

#include "exact/exact_check.h"

namespace strativex {

exact::ExactResult ExactCheckForReport(const Model& model, const MaterialTable& table) {
    exact::ExactResult result = exact::RunExactCheck(model, table);
    result.Field = {};
    result.Section = {};
    result.WidthProfile = {};
    result.LengthProfile = {};
    result.Outlines.clear();
    return result;
}

bool ExactCheckFailed(const exact::ExactResult& result) {
    return result.Status != exact::ExactStatus::Ok;
}

}  // namespace strativex
