#include "analysis/run_controls.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/named_widget.h"

namespace strativex {
namespace {

// Progress arrives as a fraction; a thousand steps move the bar smoothly at any width.
constexpr int kProgressRange = 1000;

}  // namespace

RunControls AddRunControls(QVBoxLayout& column, const QString& startName, const QString& startText,
                           const QString& progressName) {
    RunControls controls;
    controls.start = NamedWidget<QPushButton>(startName, startText);
    controls.start->setDefault(true);
    column.addWidget(controls.start);
    controls.progress = NamedWidget<QProgressBar>(progressName);
    controls.progress->setRange(0, kProgressRange);
    controls.cancel = NamedWidget<QPushButton>(QStringLiteral("CmdCancel"), QObject::tr("Cancel"));
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(controls.progress, 1);
    progressRow->addWidget(controls.cancel);
    column.addLayout(progressRow);
    controls.status = NamedWidget<QLabel>(QStringLiteral("LblStatus"));
    controls.status->setWordWrap(true);
    return controls;
}

}  // namespace strativex
