#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

#include <algorithm>

#include "analysis/exact_sweep_job.h"
#include "analysis/sweep_form.h"
#include "analysis/sweep_plot_view.h"
#include "analysis/sweep_table_model.h"
#include "analysis/sweep_window.h"
#include "core/sweep_check.h"
#include "views/plot/plot_texts.h"
#include "views/surface/model_text.h"

namespace strativex {
namespace {

QString Sentence(const std::string& text) {
    QString sentence = QString::fromStdString(text);
    if (!sentence.isEmpty()) sentence[0] = sentence[0].toUpper();
    return sentence + QLatin1Char('.');
}

QString Count(std::size_t count, const QString& one, const QString& many) {
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}

}  // namespace

void SweepWindow::Calculate() {
    if (!commitEdits_()) return;
    const auto request = CheckedRequest();
    if (!request) return;
    // Whatever an earlier check still finds belongs to the sweep about to be replaced.
    exactRun_->Abandon();
    exactRunning_ = false;
    exactCancelled_ = false;
    shown_ = SweepShown{*RunSweep(state_.model, state_.materials, *request),
                        state_.materials,
                        exact_->isChecked(),
                        {},
                        {}};
    shownTitle_ = FromModelText(state_.model.ModelName);
    shownRevision_ = revision_;
    tableModel_->SweepReplaced();
    plot_->SweepReplaced();
    if (shown_.ExactAsked) StartExact(*request);
    ShowState();
}

// The typed sweep if it fits the model; otherwise the user is told why, in the words of the
// main window's range messages.
std::optional<SweepRequest> SweepWindow::CheckedRequest() {
    const TypedSweep typed = form_->Typed();
    if (!typed.Request) {
        Message(typed.Error, tr("Sweep"));
        return std::nullopt;
    }
    if (const auto error = SweepModelError(state_.model, state_.materials, *typed.Request)) {
        Message(Sentence(*error), tr("Sweep"));
        return std::nullopt;
    }
    return typed.Request;
}

void SweepWindow::StartExact(const SweepRequest& request) {
    std::vector<ExactTarget> targets;
    const auto indices = ExactPointIndices(shown_.Sweep.Points.size(), exactPoints_->value());
    for (const std::size_t index : indices) {
        targets.push_back({index, shown_.Sweep.Points[index].Value});
    }
    exactWanted_ = targets.size();
    exactRunning_ = true;
    progress_->setValue(0);
    // Outcomes are handed over only while the job is current, never after the window has gone.
    exactRun_->Start(revision_, [this, model = state_.model, table = state_.materials, request,
                                 targets = std::move(targets)](const JobControl& control) {
        CheckSweepPoints(control, model, table, request, targets,
                         [this](const ExactPointOutcome& outcome) { ExactPointChecked(outcome); });
    });
}

void SweepWindow::ExactProgressed(double fraction, const QString& stage) {
    progress_->setValue(static_cast<int>(fraction * progress_->maximum()));
    status_->setText(stage);
}

void SweepWindow::ExactPointChecked(const ExactPointOutcome& outcome) {
    shown_.AddExact(outcome);
    tableModel_->ExactChanged();
    plot_->update();
}

void SweepWindow::ExactFinished(std::uint64_t, bool cancelled) {
    exactRunning_ = false;
    exactCancelled_ = cancelled;
    ShowState();
}

void SweepWindow::ShowState() {
    const bool shown = !shown_.Sweep.Points.empty();
    outOfDateLabel_->setVisible(IsOutOfDate());
    progress_->setVisible(exactRunning_);
    cancel_->setVisible(exactRunning_);
    for (QPushButton* button : {exportCsv_, exportPng_, exportPdf_, copyPicture_}) {
        button->setEnabled(shown);
    }
    if (!exactRunning_) status_->setText(SweepSummary());
    plot_->update();
}

QString SweepWindow::SweepSummary() const {
    const auto& points = shown_.Sweep.Points;
    if (points.empty()) return tr("Choose what to sweep and click Calculate.");
    const auto gaps = static_cast<std::size_t>(std::count_if(
        points.begin(), points.end(), [](const SweepPoint& p) { return !p.HasResult(); }));
    QString summary = Count(points.size(), tr("point"), tr("points"));
    if (gaps > 0) summary += tr(", %1 without a result").arg(gaps);
    summary += QLatin1Char('.');
    if (!shown_.ExactAsked) return summary;
    const std::size_t done = shown_.ExactPoints.size();
    if (exactCancelled_) {
        return summary + tr(" 3-D check cancelled after %1 of %2.")
                             .arg(done)
                             .arg(Count(exactWanted_, tr("point"), tr("points")));
    }
    const auto failed = static_cast<std::size_t>(
        std::count_if(shown_.ExactPoints.begin(), shown_.ExactPoints.end(),
                      [](const SweepExactPoint& p) { return !p.AverageC; }));
    summary += tr(" 3-D check at %1").arg(Count(done, tr("point"), tr("points")));
    if (failed > 0) summary += tr(", %1 without a result").arg(failed);
    return summary + QLatin1Char('.');
}

void SweepWindow::ShowReadout(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= shown_.Sweep.Points.size()) {
        readout_->clear();
        return;
    }
    readout_->setText(PointReadout(PlotInputs(), static_cast<std::size_t>(index)));
    table_->selectRow(index);
}

void SweepWindow::Message(const QString& text, const QString& title) {
    desktop_.ShowMessage(this, text, title, MessageIcon::Exclamation, MessageButtons::Ok);
}

}  // namespace strativex
