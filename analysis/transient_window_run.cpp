#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include "analysis/base_condition_editor.h"
#include "analysis/job_runner.h"
#include "analysis/pulse_calculator.h"
#include "analysis/transient_plot_view.h"
#include "analysis/transient_window.h"
#include "core/heat_capacity_file.h"
#include "exact/rc_network.h"
#include "exact/transient_compute.h"
#include "platform/native_path.h"

namespace strativex {
namespace {

QString Number(double value) {
    return QString::number(value, 'g', 4);
}

void SetCell(QTableWidget& table, int row, int column, double value) {
    auto* item = new QTableWidgetItem(Number(value));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table.setItem(row, column, item);
}

}  // namespace

// The heat capacities are read at every Compute, so that a row just added in the custom
// materials window counts. A file with a bad row computes nothing: the missing row might be
// one the model needs, and a result resting on a guess is worse than none.
std::optional<HeatCapacityTable> TransientWindow::LoadedHeat(const std::string& path) {
    HeatCapacityTable heat = LoadHeatCapacities(path);
    if (!heat.FileProblem.empty()) {
        problem_ = tr("%1: %2. The transient needs the heat capacities of the materials.")
                       .arg(PathText(path), QString::fromStdString(heat.FileProblem));
        return std::nullopt;
    }
    if (!heat.Problems.empty()) {
        QStringList lines;
        for (const HeatCapacityProblem& problem : heat.Problems) {
            lines << QString::fromStdString(ProblemText(problem));
        }
        problem_ = tr("%1 has rows that could not be read; correct them first:\n%2")
                       .arg(PathText(path), lines.join(QLatin1Char('\n')));
        return std::nullopt;
    }
    return heat;
}

void TransientWindow::Compute() {
    if (!commitEdits_()) return;
    run_->Abandon();
    problem_.clear();
    cancelled_ = false;
    const auto base = base_->Read(problem_);
    if (!base) {
        ShowState();
        return;
    }
    runSetting_ = {baseChoice_, *base, state_.model.IsothermalTemp, state_.model.PowerDissipation};
    const std::string heatPath = exact::TransientHeatPath(state_.materialPaths);
    const auto heat = LoadedHeat(heatPath);
    if (!heat) {
        running_ = false;
        ShowState();
        return;
    }
    std::optional<int> stages;
    if (stages_->value() >= exact::kMinStages) stages = stages_->value();
    running_ = true;
    progress_->setValue(0);
    // The job works on copies: the model may be edited while it runs.
    run_->Start(revision_, [this, model = state_.model, table = state_.materials, heat = *heat,
                            heatPath, base = *base, stages](const JobControl& control) {
        exact::CheckHooks hooks;
        hooks.Cancel = control.CancelFlag();
        hooks.Progress = [&control](double fraction, std::string_view stage) {
            control.Progress(fraction,
                             QString::fromUtf8(stage.data(), static_cast<qsizetype>(stage.size())));
        };
        exact::TransientReport report =
            exact::ComputeTransient(model, table, heat, heatPath, base, stages, hooks);
        if (control.IsCancelled()) return;
        control.Deliver([this, report = std::move(report)] { Computed(report); });
    });
    ShowState();
}

void TransientWindow::Progressed(double fraction, const QString& stage) {
    progress_->setValue(static_cast<int>(fraction * progress_->maximum()));
    status_->setText(stage);
}

// A model the solver refuses keeps the last curve off the screen: it belonged to another model.
void TransientWindow::Computed(const exact::TransientReport& report) {
    if (!report.HasCurve()) {
        shown_.reset();
        problem_ = QString::fromStdString(report.Reason);
    } else {
        shown_ = report;
        shownRevision_ = run_->Revision();
        shownSetting_ = runSetting_;
    }
    ShowNetworks();
    pulse_->SetNetwork(
        shown_ && shown_->HasNetworks() ? std::optional(shown_->Foster.Network) : std::nullopt,
        shownSetting_.BaseC, shownSetting_.Power);
    RedrawPlots();
}

void TransientWindow::Finished(std::uint64_t, bool cancelled) {
    running_ = false;
    cancelled_ = cancelled;
    ShowState();
}

void TransientWindow::ShowState() {
    outOfDateLabel_->setVisible(IsOutOfDate());
    progress_->setVisible(running_);
    cancel_->setVisible(running_);
    compute_->setEnabled(!running_);
    const bool shown = !running_ && shown_.has_value();
    for (QPushButton* output : {copy_, exportCsv_, exportPng_, exportPdf_}) {
        output->setEnabled(shown);
    }
    exportSpice_->setEnabled(shown && shown_->HasNetworks());
    if (!running_) status_->setText(Summary());
    RedrawPlots();
}

void TransientWindow::RedrawPlots() {
    for (TransientPlotView* plot : plotViews_) plot->update();
}

QString TransientWindow::Summary() const {
    if (cancelled_) return tr("Cancelled; nothing new is shown.");
    if (!problem_.isEmpty()) return problem_;
    if (!shown_)
        return tr(
            "Click Compute for the thermal impedance after a step of the model's "
            "power.");
    const exact::TransientResult& curve = shown_->Curve;
    QString summary = tr("Zth(∞): average %1 K/W, peak %2 K/W, base %3; "
                         "%4 points from %5 s to %6 s in %7 s.")
                          .arg(Number(curve.SteadyZthAverage), Number(curve.SteadyZthPeak),
                               QString::fromStdString(exact::BaseConditionText(shownSetting_.Base)))
                          .arg(curve.TimeS.size())
                          .arg(Number(curve.TimeS.front()), Number(curve.TimeS.back()),
                               QString::number(shown_->Seconds, 'f', 1));
    if (!shown_->HasNetworks()) {
        summary +=
            QLatin1Char(' ') + tr("No network: %1").arg(QString::fromStdString(shown_->Reason));
    }
    return summary;
}

void TransientWindow::ShowNetworks() {
    networks_->clearContents();
    fitError_->clear();
    if (!shown_ || !shown_->HasNetworks()) {
        networks_->setRowCount(0);
        return;
    }
    const auto& foster = shown_->Foster.Network.Stages;
    const auto& cauer = shown_->Cauer.Stages;
    networks_->setRowCount(static_cast<int>(std::max(foster.size(), cauer.size())));
    for (std::size_t i = 0; i < foster.size(); ++i) {
        const int row = static_cast<int>(i);
        SetCell(*networks_, row, 0, foster[i].R);
        SetCell(*networks_, row, 1, foster[i].C);
        SetCell(*networks_, row, 2, foster[i].Tau());
    }
    for (std::size_t i = 0; i < cauer.size(); ++i) {
        SetCell(*networks_, static_cast<int>(i), 3, cauer[i].R);
        SetCell(*networks_, static_cast<int>(i), 4, cauer[i].C);
    }
    fitError_->setText(tr("Fitted to Zth peak with %1 stages; fit error %2 % of Zth(∞). The Cauer "
                          "ladder runs from the junction down.")
                           .arg(foster.size())
                           .arg(QString::number(shown_->Foster.ErrorPercent, 'f', 2)));
}

}  // namespace strativex
