#include "cli/exact_run.h"

#include <new>

namespace strativex {

namespace {

exact::ExactResult CheckWithinMemory(const Model& model, const MaterialTable& table,
                                     const exact::CheckHooks& hooks) {
    try {
        return exact::RunExactCheck(model, table, {}, hooks);
    } catch (const std::bad_alloc&) {
        exact::ExactResult result;
        result.Status = exact::ExactStatus::NotAvailable;
        result.Message = "the 3-D grid of this model needs more memory than the machine gives";
        return result;
    }
}

}  // namespace

exact::ExactResult ExactCheckForReport(const Model& model, const MaterialTable& table,
                                       bool keepPictures, const exact::CheckHooks& hooks) {
    exact::ExactResult result = CheckWithinMemory(model, table, hooks);
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
