#include <QAction>
#include <QMenuBar>

#include "analysis/sweep_window.h"
#include "mainwindow/main_window.h"

namespace strativex {

void MainWindow::BuildAnalysisMenu() {
    QMenu* analysis = menuBar()->addMenu(tr("&Analysis"));
    analysis->setObjectName(QStringLiteral("mnuAnalysis"));
    sweepAction_ = analysis->addAction(tr("&Sweep..."));
    sweepAction_->setObjectName(QStringLiteral("mnuSweep"));
}

// One window, kept when closed so that it opens again with the sweep the user set up.
void MainWindow::SweepCommand() {
    if (!CommitActiveField()) return;
    if (!sweep_) {
        // The window is active when it asks, so the field being edited is this window's own
        // focus widget, not the application's.
        const auto commitEdits = [this] {
            const auto field = FieldOf(focusWidget());
            return !field || committing_ || CommitField(*field, Refusal::Tell);
        };
        sweep_ = new SweepWindow(state_, desktop_, commitEdits, this);
    }
    sweep_->show();
    sweep_->raise();
    sweep_->activateWindow();
}

}  // namespace strativex
