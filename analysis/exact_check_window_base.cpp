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

// Nor is one computed for other sources.
void ExactCheckWindow::ChangeArray() {
    const bool wasUpToDate = ShownUpToDate();
    arrayError_.clear();
    ++baseChoice_;
    ShowState();
    if (wasUpToDate) emit resultChanged();
}

}  // namespace strativex
