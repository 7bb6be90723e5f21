#include "mainwindow/analysis_launcher.h"

#include <QAction>
#include <QMenuBar>

#include <utility>

#include "analysis/exact_check_window.h"
#include "analysis/live_exact_readout.h"
#include "analysis/sweep_window.h"
#include "analysis/transient_window.h"
#include "platform/window_placement.h"

namespace strativex {

AnalysisLauncher::AnalysisLauncher(const AppState& state, Desktop& desktop,
                                   const ModelDocument& document, std::function<bool()> commitEdits,
                                   QWidget& mainWindow)
    : QObject(&mainWindow),
      state_(state),
      desktop_(desktop),
      document_(document),
      commitEdits_(std::move(commitEdits)),
      mainWindow_(mainWindow) {}

// Between Preferences and Help: windows that compute more than the model's own results.
void AnalysisLauncher::BuildMenu(QMenuBar& bar) {
    QMenu* analysis = bar.addMenu(tr("&Analysis"));
    analysis->setObjectName(QStringLiteral("mnuAnalysis"));
    const auto add = [analysis, this](const QString& caption, const char* name,
                                      void (AnalysisLauncher::*open)()) {
        QAction* action = analysis->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, open);
    };
    add(tr("&3-D Check..."), "mnuExactCheck", &AnalysisLauncher::OpenExactCheck);
    add(tr("&Sweep..."), "mnuSweep", &AnalysisLauncher::OpenSweep);
    add(tr("&Transient..."), "mnuTransient", &AnalysisLauncher::OpenTransient);
    analysis->addSeparator();
    live_ = new LiveExactReadout(state_, bar, this);
    analysis->addAction(live_->ToggleAction());
    connect(&document_, &ModelDocument::changed, live_, &LiveExactReadout::ModelChanged);
}

void AnalysisLauncher::RestoreSettings() {
    if (live_) live_->RestoreToggle();
}

void AnalysisLauncher::DigitsChanged() {
    if (live_) live_->DigitsChanged();
}

// The windows read the model when their work starts, so a typed value is committed first, as
// every command that uses the model does. A closed window is kept, so that it opens again with
// what it showed.
template <typename Window>
void AnalysisLauncher::Open(QPointer<Window>& window) {
    if (!commitEdits_()) return;
    if (!window) {
        window = new Window(state_, desktop_, commitEdits_, &mainWindow_);
        connect(&document_, &ModelDocument::changed, window, &Window::ModelChanged);
    }
    PlaceOnScreenOf(*window, mainWindow_);
    window->show();
    window->raise();
    window->activateWindow();
}

void AnalysisLauncher::OpenExactCheck() {
    Open(exactCheck_);
}

void AnalysisLauncher::OpenSweep() {
    Open(sweep_);
}

void AnalysisLauncher::OpenTransient() {
    Open(transient_);
}

std::optional<exact::ExactResult> AnalysisLauncher::ExactCheckResult() const {
    if (!exactCheck_) return std::nullopt;
    return exactCheck_->CurrentResult();
}

std::optional<TransientSummary> AnalysisLauncher::TransientReportSummary() const {
    if (!transient_) return std::nullopt;
    return transient_->ReportSummary();
}

}  // namespace strativex
