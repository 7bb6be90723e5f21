#include "cli/exact_run.h"

#include <new>

namespace strativex {

namespace {

exact::ExactResult CheckWithinMemory(const Model& model, const MaterialTable& table,
                                     const exact::ExactOptions& options,
                                     const exact::CheckHooks& hooks) {
    try {
        return exact::RunExactCheck(model, table, options, hooks);
    } catch (const std::bad_alloc&) {
        exact::ExactResult result;
        result.Status = exact::ExactStatus::NotAvailable;
        result.Message = "the 3-D grid of this model needs more memory than the machine gives";
        return result;
    }
}

}  // namespace

exact::ExactResult ExactCheckForReport(const Model& model, const MaterialTable& table,
                                       bool keepPictures, const exact::BaseCondition& base,
                                       const exact::CheckHooks& hooks,
                                       const exact::SourceArray& sources) {
    exact::ExactOptions options;
    options.Base = base;
    options.Sources = sources;
    exact::ExactResult result = CheckWithinMemory(model, table, options, hooks);
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
