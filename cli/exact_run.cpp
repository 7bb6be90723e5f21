#include "cli/exact_run.h"

#include "exact/exact_check.h"

namespace strativex {

exact::ExactResult ExactCheckForReport(const Model& model, const MaterialTable& table,
                                       bool keepPictures, const exact::BaseCondition& base) {
    exact::ExactOptions options;
    options.Base = base;
    exact::ExactResult result = exact::RunExactCheck(model, table, options);
    result.Field = {};
    if (keepPictures) return result;
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
