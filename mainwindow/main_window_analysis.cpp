#include <QAction>
#include <QMenuBar>

#include "analysis/exact_check_window.h"
#include "analysis/live_exact_readout.h"
#include "analysis/sweep_window.h"
#include "analysis/transient_window.h"
#include "mainwindow/main_window.h"
#include "platform/window_placement.h"

namespace strativex {

// Between Preferences and Help: windows that compute more than the model's own results.
void MainWindow::BuildAnalysisMenu() {
    QMenu* analysis = menuBar()->addMenu(tr("&Analysis"));
    analysis->setObjectName(QStringLiteral("mnuAnalysis"));
    exactCheckAction_ = analysis->addAction(tr("&3-D Check..."));
    exactCheckAction_->setObjectName(QStringLiteral("mnuExactCheck"));
    sweepAction_ = analysis->addAction(tr("&Sweep..."));
    sweepAction_->setObjectName(QStringLiteral("mnuSweep"));
    transientAction_ = analysis->addAction(tr("&Transient..."));
    transientAction_->setObjectName(QStringLiteral("mnuTransient"));
    analysis->addSeparator();
    liveReadout_ = new LiveExactReadout(state_, *menuBar(), this);
    analysis->addAction(liveReadout_->ToggleAction());
    connect(this, &MainWindow::modelChanged, liveReadout_, &LiveExactReadout::ModelChanged);
}

// What an analysis window calls before it reads the model: the value typed in this window's
// field is committed as leaving the field would, since switching windows does not leave it.
// The analysis window is active when it asks, so the field is this window's own focus widget.
std::function<bool()> MainWindow::EditsCommitter() {
    return [this] {
        const auto field = FieldOf(focusWidget());
        return !field || committing_ || CommitField(*field, Refusal::Tell);
    };
}

// One window, raised when asked for again. It reads the model when its check starts, so a
// typed value is committed first, as every command that uses the model does.
void MainWindow::ExactCheckCommand() {
    if (!CommitActiveField()) return;
    if (!exactCheck_) {
        exactCheck_ = new ExactCheckWindow(state_, desktop_, EditsCommitter(), this);
        connect(this, &MainWindow::modelChanged, exactCheck_, &ExactCheckWindow::ModelChanged);
    }
    PlaceOnScreenOf(*exactCheck_, *this);
    exactCheck_->show();
    exactCheck_->raise();
    exactCheck_->activateWindow();
}

// One window, kept when closed so that it opens again with the sweep the user set up.
void MainWindow::SweepCommand() {
    if (!CommitActiveField()) return;
    if (!sweep_) {
        sweep_ = new SweepWindow(state_, desktop_, EditsCommitter(), this);
        connect(this, &MainWindow::modelChanged, sweep_, &SweepWindow::ModelChanged);
    }
    PlaceOnScreenOf(*sweep_, *this);
    sweep_->show();
    sweep_->raise();
    sweep_->activateWindow();
}

// One window, kept when closed so that it opens again with the result it showed.
void MainWindow::TransientCommand() {
    if (!CommitActiveField()) return;
    if (!transient_) {
        transient_ = new TransientWindow(state_, desktop_, EditsCommitter(), this);
        connect(this, &MainWindow::modelChanged, transient_, &TransientWindow::ModelChanged);
    }
    PlaceOnScreenOf(*transient_, *this);
    transient_->show();
    transient_->raise();
    transient_->activateWindow();
}

}  // namespace strativex
