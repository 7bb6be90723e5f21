#include <QProgressBar>

#include <cmath>

#include "analysis/exact_check_run.h"
#include "analysis/exact_check_window.h"

namespace strativex {

void ExactCheckWindow::Compute() {
    if (run_->IsRunning() || !commitEdits_()) return;
    const std::optional<exact::BaseCondition> base = ReadBase();
    if (!base) {
        ShowState();
        return;
    }
    exact::ExactOptions options;
    options.Base = *base;
    runModel_ = state_.model;
    if (!run_->Start(runModel_, state_.materials, options)) return;
    runUpToDate_ = true;
    cancelled_ = false;
    stage_ = tr("Starting");
    progress_->setValue(0);
    ShowState();
}

void ExactCheckWindow::Cancel() {
    if (!run_->IsRunning()) return;
    run_->Cancel();
    cancelled_ = true;
    ShowState();
}

void ExactCheckWindow::MarkOutOfDate() {
    runUpToDate_ = false;
    if (!shownUpToDate_) return;
    shownUpToDate_ = false;
    ShowState();
    emit resultChanged();
}

void ExactCheckWindow::ShowProgress(double fraction, const QString& stage) {
    if (!run_->IsRunning() || cancelled_) return;
    progress_->setValue(static_cast<int>(std::lround(fraction * progress_->maximum())));
    stage_ = stage;
    ShowState();
}

// A cancelled check leaves the result before it on the screen, as it was.
void ExactCheckWindow::TakeResult(std::shared_ptr<const exact::ExactResult> result) {
    progress_->setValue(0);
    if (result->Status == exact::ExactStatus::Cancelled) {
        cancelled_ = true;
        ShowState();
        return;
    }
    cancelled_ = false;
    shown_ = std::move(result);
    shownModel_ = runModel_;
    shownUpToDate_ = runUpToDate_;
    ShowState();
    emit resultChanged();
}

}  // namespace strativex
