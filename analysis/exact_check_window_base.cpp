#include "analysis/base_condition_editor.h"
#include "analysis/exact_check_window.h"

namespace strativex {

// A result computed for another base is no answer for this one.
void ExactCheckWindow::ChangeBase() {
    const bool wasUpToDate = ShownUpToDate();
    baseError_.clear();
    ++baseChoice_;
    ShowState();
    if (wasUpToDate) emit resultChanged();
}

std::optional<exact::BaseCondition> ExactCheckWindow::ReadBase() {
    return base_->Read(baseError_);
}

}  // namespace strativex
