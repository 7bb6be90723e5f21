#include <QProgressBar>

#include <cmath>

#include "analysis/base_condition_editor.h"
#include "analysis/exact_check_window.h"
#include "analysis/job_runner.h"
#include "analysis/source_array_editor.h"
#include "exact/exact_check.h"

namespace strativex {

void ExactCheckWindow::Compute() {
    if (run_->IsRunning() || !commitEdits_()) return;
    const std::optional<exact::BaseCondition> base = base_->Read(baseError_);
    const std::optional<exact::SourceArray> sources = array_->Read(arrayError_);
    if (!base || !sources) {
        ShowState();
        return;
    }
    exact::ExactOptions options;
    options.Base = *base;
    options.Sources = *sources;
    runModel_ = state_.model;
    runBaseChoice_ = baseChoice_;
    // The result is handed over only while the job is current, never after the window has gone;
    // it is taken when the job has ended.
    run_->Start(revision_, [this, model = runModel_, table = state_.materials,
                            options](const JobControl& control) {
        exact::CheckHooks hooks;
        hooks.Cancel = control.CancelFlag();
        hooks.Progress = [&control](double fraction, std::string_view stage) {
            control.Progress(fraction, QString::fromUtf8(stage.data(), std::ssize(stage)));
        };
        auto result = std::make_shared<const exact::ExactResult>(
            exact::RunExactCheck(model, table, options, hooks));
        control.Deliver([this, result] { ranResult_ = result; });
    });
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

// What was up to date no longer is: the window says so once.
void ExactCheckWindow::ModelChanged(std::uint64_t revision) {
    const bool wasUpToDate = ShownUpToDate();
    revision_ = revision;
    if (!wasUpToDate && !run_->IsRunning()) return;
    ShowState();
    if (wasUpToDate) emit resultChanged();
}

bool ExactCheckWindow::ShownUpToDate() const {
    return shown_ && shownRevision_ == revision_ && shownBaseChoice_ == baseChoice_;
}

void ExactCheckWindow::ShowProgress(double fraction, const QString& stage) {
    if (!run_->IsRunning() || cancelled_) return;
    progress_->setValue(static_cast<int>(std::lround(fraction * progress_->maximum())));
    stage_ = stage;
    ShowState();
}

// A cancelled check leaves the result before it on the screen, as it was.
void ExactCheckWindow::TakeResult(std::uint64_t revision) {
    progress_->setValue(0);
    std::shared_ptr<const exact::ExactResult> result = std::move(ranResult_);
    if (!result || result->Status == exact::ExactStatus::Cancelled) {
        cancelled_ = true;
        ShowState();
        return;
    }
    cancelled_ = false;
    shown_ = std::move(result);
    shownModel_ = runModel_;
    shownRevision_ = revision;
    shownBaseChoice_ = runBaseChoice_;
    ShowState();
    emit resultChanged();
}

}  // namespace strativex
