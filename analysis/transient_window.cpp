#include "analysis/transient_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/job_runner.h"
#include "analysis/transient_plot_view.h"
#include "dialogs/named_widget.h"
#include "exact/rc_network.h"
#include "platform/window_placement.h"

namespace strativex {
namespace {

constexpr int kProgressRange = 1000;
const QSize kWindowSize{1240, 720};
constexpr int kSidePanelWidth = 270;

}  // namespace

TransientWindow::TransientWindow(const AppState& state, Desktop& desktop,
                                 std::function<bool()> commitEdits, QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      desktop_(desktop),
      commitEdits_(std::move(commitEdits)) {
    setObjectName(QStringLiteral("FrmTransient"));
    setWindowTitle(tr("Transient"));
    run_ = new JobRunner(this);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(BuildSidePanel());
    splitter->addWidget(BuildResults());
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kSidePanelWidth, kWindowSize.width() - kSidePanelWidth});
    (new QHBoxLayout(this))->addWidget(splitter);
    Wire();
    resize(kWindowSize);
    CloseOnEscape(*this);
    ShowState();
}

QWidget* TransientWindow::BuildSidePanel() {
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    auto* stagesBox = new QGroupBox(tr("Network"), panel);
    auto* stagesRow = new QHBoxLayout(stagesBox);
    stagesRow->addWidget(new QLabel(tr("&Stages:"), stagesBox));
    stages_ = NamedWidget<QSpinBox>(QStringLiteral("SpinStages"));
    // One below the fewest stands for "the fewest that fit within 1 %".
    stages_->setRange(exact::kMinStages - 1, exact::kMaxStages);
    stages_->setSpecialValueText(tr("Auto"));
    stages_->setToolTip(tr("Foster stages; Auto takes the fewest whose fit error is under 1 %"));
    qobject_cast<QLabel*>(stagesRow->itemAt(0)->widget())->setBuddy(stages_);
    stagesRow->addWidget(stages_);
    stagesRow->addStretch();
    column->addWidget(stagesBox);

    compute_ = NamedWidget<QPushButton>(QStringLiteral("CmdCompute"), tr("C&ompute"));
    compute_->setDefault(true);
    column->addWidget(compute_);
    progress_ = NamedWidget<QProgressBar>(QStringLiteral("ProgressTransient"));
    progress_->setRange(0, kProgressRange);
    cancel_ = NamedWidget<QPushButton>(QStringLiteral("CmdCancel"), tr("Cancel"));
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(progress_, 1);
    progressRow->addWidget(cancel_);
    column->addLayout(progressRow);
    status_ = NamedWidget<QLabel>(QStringLiteral("LblStatus"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    outOfDateLabel_ = NamedWidget<QLabel>(
        QStringLiteral("LblOutOfDate"),
        tr("<b>Out of date:</b> the model has changed since this result. Click Compute to "
           "bring it up to date."));
    outOfDateLabel_->setWordWrap(true);
    column->addWidget(status_);
    column->addWidget(outOfDateLabel_);
    column->addStretch();

    exportCsv_ = NamedWidget<QPushButton>(QStringLiteral("CmdExportCsv"), tr("Export C&SV..."));
    exportSpice_ =
        NamedWidget<QPushButton>(QStringLiteral("CmdExportSpice"), tr("Export S&PICE..."));
    exportSpice_->setToolTip(tr("The Foster and Cauer networks as subcircuits"));
    column->addWidget(exportCsv_);
    column->addWidget(exportSpice_);
    return panel;
}

QWidget* TransientWindow::BuildResults() {
    auto* results = new QSplitter(Qt::Vertical, this);
    plot_ =
        NamedWidget<TransientPlotView>(QStringLiteral("PlotTransient"), [this] { return Shown(); });
    auto* tablePane = new QWidget(results);
    auto* tableColumn = new QVBoxLayout(tablePane);
    tableColumn->setContentsMargins(0, 0, 0, 0);
    fitError_ = NamedWidget<QLabel>(QStringLiteral("LblFitError"));
    networks_ = NamedWidget<QTableWidget>(QStringLiteral("TableNetworks"));
    networks_->setColumnCount(5);
    networks_->setHorizontalHeaderLabels({tr("Foster R (K/W)"), tr("Foster C (J/K)"),
                                          tr("Foster tau (s)"), tr("Cauer R (K/W)"),
                                          tr("Cauer C (J/K)")});
    networks_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    networks_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    networks_->verticalHeader()->setDefaultSectionSize(networks_->fontMetrics().height() + 4);
    tableColumn->addWidget(fitError_);
    tableColumn->addWidget(networks_, 1);
    results->addWidget(plot_);
    results->addWidget(tablePane);
    results->setStretchFactor(0, 3);
    results->setStretchFactor(1, 2);
    return results;
}

void TransientWindow::Wire() {
    connect(compute_, &QPushButton::clicked, this, &TransientWindow::Compute);
    connect(cancel_, &QPushButton::clicked, run_, &JobRunner::Cancel);
    connect(run_, &JobRunner::progressed, this, &TransientWindow::Progressed);
    connect(run_, &JobRunner::finished, this, &TransientWindow::Finished);
    connect(exportCsv_, &QPushButton::clicked, this, &TransientWindow::ExportCsv);
    connect(exportSpice_, &QPushButton::clicked, this, &TransientWindow::ExportSpice);
}

void TransientWindow::closeEvent(QCloseEvent* event) {
    run_->Stop();
    QWidget::closeEvent(event);
}

void TransientWindow::ModelChanged(std::uint64_t revision) {
    revision_ = revision;
    ShowState();
}

bool TransientWindow::IsOutOfDate() const {
    return shown_.has_value() && shownRevision_ != revision_;
}

const exact::TransientReport* TransientWindow::Shown() const {
    return shown_ ? &*shown_ : nullptr;
}

}  // namespace strativex
