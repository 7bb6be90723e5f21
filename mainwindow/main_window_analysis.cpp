#include <QAction>
#include <QMenuBar>

#include "analysis/exact_check_window.h"
#include "mainwindow/main_window.h"

namespace strativex {

// Between Preferences and Help: windows that compute more than the model's own results.
void MainWindow::BuildAnalysisMenu() {
    QMenu* analysis = menuBar()->addMenu(tr("&Analysis"));
    analysis->setObjectName(QStringLiteral("mnuAnalysis"));
    exactCheckAction_ = analysis->addAction(tr("&3-D Check..."));
    exactCheckAction_->setObjectName(QStringLiteral("mnuExactCheck"));
}

// One window, raised when asked for again. It reads the model when its check starts, so a
// typed value is committed first, as every command that uses the model does.
void MainWindow::ExactCheckCommand() {
    if (!CommitActiveField()) return;
    if (!exactCheck_) {
        exactCheck_ = new ExactCheckWindow(state_, desktop_, this);
        WireExactCheck();
    }
    exactCheck_->show();
    exactCheck_->raise();
    exactCheck_->activateWindow();
}

}  // namespace strativex
