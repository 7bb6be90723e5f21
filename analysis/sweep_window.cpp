#include "analysis/sweep_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "analysis/job_runner.h"
#include "analysis/run_controls.h"
#include "analysis/sweep_form.h"
#include "analysis/sweep_plot_view.h"
#include "analysis/sweep_table_model.h"
#include "dialogs/named_widget.h"
#include "platform/window_placement.h"

namespace strativex {
namespace {

constexpr int kDefaultExactPoints = 5;
// Each check takes up to a few tenths of a second; more points than this are a long wait for
// little more insight.
constexpr int kMostExactPoints = 50;
const QSize kWindowSize{1360, 680};
constexpr int kSidePanelWidth = 290;
constexpr int kPlotWidth = 620;

}  // namespace

SweepWindow::SweepWindow(const AppState& state, Desktop& desktop, std::function<bool()> commitEdits,
                         QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      desktop_(desktop),
      commitEdits_(std::move(commitEdits)) {
    setObjectName(QStringLiteral("FrmSweep"));
    setWindowTitle(tr("Sweep"));
    exactRun_ = new JobRunner(this);
    tableModel_ = new SweepTableModel(shown_, state_.prefs.DecimalDigits, this);
    BuildControls();
    Wire();
    resize(kWindowSize);
    CloseOnEscape(*this);
    ShowState();
}

void SweepWindow::BuildControls() {
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(BuildSidePanel());
    splitter->addWidget(BuildResults());
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kSidePanelWidth, kWindowSize.width() - kSidePanelWidth});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);
}

QWidget* SweepWindow::BuildSidePanel() {
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    auto* sweepBox = new QGroupBox(tr("What to sweep"), panel);
    form_ = new SweepForm(state_, sweepBox);
    (new QVBoxLayout(sweepBox))->addWidget(form_);
    column->addWidget(sweepBox);

    auto* showBox = new QGroupBox(tr("Show"), panel);
    auto* show = new QVBoxLayout(showBox);
    layerTemps_ = NamedWidget<QCheckBox>(QStringLiteral("CheckLayerTemps"),
                                         tr("Every layer's top &temperature"));
    exact_ = NamedWidget<QCheckBox>(QStringLiteral("CheckExact"), tr("3-D &check at"));
    exact_->setToolTip(tr("The 3-D conduction check's average and peak source temperature"));
    exactPoints_ = NamedWidget<QSpinBox>(QStringLiteral("SpinExactPoints"));
    exactPoints_->setRange(1, kMostExactPoints);
    exactPoints_->setValue(kDefaultExactPoints);
    exactPoints_->setSuffix(tr(" points"));
    auto* exactRow = new QHBoxLayout;
    exactRow->addWidget(exact_);
    exactRow->addWidget(exactPoints_);
    exactRow->addStretch();
    show->addWidget(layerTemps_);
    show->addLayout(exactRow);
    column->addWidget(showBox);

    const RunControls run = AddRunControls(*column, QStringLiteral("CmdCalculate"),
                                           tr("C&alculate"), QStringLiteral("ProgressExact"));
    calculate_ = run.start;
    progress_ = run.progress;
    cancel_ = run.cancel;
    status_ = run.status;
    outOfDateLabel_ = NamedWidget<QLabel>(
        QStringLiteral("LblOutOfDate"),
        tr("<b>Out of date:</b> the model has changed since this sweep. Click Calculate to "
           "bring it up to date."));
    outOfDateLabel_->setWordWrap(true);
    column->addWidget(status_);
    column->addWidget(outOfDateLabel_);
    column->addStretch();

    exportCsv_ = NamedWidget<QPushButton>(QStringLiteral("CmdExportCsv"), tr("Export C&SV..."));
    exportPng_ = NamedWidget<QPushButton>(QStringLiteral("CmdExportPng"), tr("Export P&NG..."));
    exportPdf_ = NamedWidget<QPushButton>(QStringLiteral("CmdExportPdf"), tr("Export P&DF..."));
    copyPicture_ = NamedWidget<QPushButton>(QStringLiteral("CmdCopyPicture"), tr("C&opy Picture"));
    for (QPushButton* button : {exportCsv_, exportPng_, exportPdf_, copyPicture_}) {
        column->addWidget(button);
    }
    return panel;
}

QWidget* SweepWindow::BuildResults() {
    auto* results = new QSplitter(Qt::Horizontal, this);
    auto* plotPane = new QWidget(results);
    auto* plotColumn = new QVBoxLayout(plotPane);
    plotColumn->setContentsMargins(0, 0, 0, 0);
    plot_ =
        NamedWidget<SweepPlotView>(QStringLiteral("PlotSweep"), [this] { return PlotInputs(); });
    readout_ = NamedWidget<QLabel>(QStringLiteral("LblReadout"));
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    plotColumn->addWidget(plot_, 1);
    plotColumn->addWidget(readout_);
    table_ = NamedWidget<QTableView>(QStringLiteral("TableSweep"), results);
    table_->setModel(tableModel_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    results->addWidget(plotPane);
    results->addWidget(table_);
    results->setStretchFactor(0, 3);
    results->setStretchFactor(1, 2);
    results->setSizes({kPlotWidth, kWindowSize.width() - kSidePanelWidth - kPlotWidth});
    return results;
}

void SweepWindow::Wire() {
    connect(calculate_, &QPushButton::clicked, this, &SweepWindow::Calculate);
    connect(cancel_, &QPushButton::clicked, exactRun_, &JobRunner::Cancel);
    connect(layerTemps_, &QCheckBox::toggled, plot_, qOverload<>(&QWidget::update));
    connect(exact_, &QCheckBox::toggled, exactPoints_, &QWidget::setEnabled);
    connect(exactRun_, &JobRunner::progressed, this, &SweepWindow::ExactProgressed);
    connect(exactRun_, &JobRunner::finished, this, &SweepWindow::ExactFinished);
    connect(plot_, &SweepPlotView::pointHovered, this, &SweepWindow::ShowReadout);
    connect(exportCsv_, &QPushButton::clicked, this, &SweepWindow::ExportCsv);
    connect(exportPng_, &QPushButton::clicked, this, &SweepWindow::ExportPng);
    connect(exportPdf_, &QPushButton::clicked, this, &SweepWindow::ExportPdf);
    connect(copyPicture_, &QPushButton::clicked, this, &SweepWindow::CopyPicture);
    exactPoints_->setEnabled(false);
}

void SweepWindow::closeEvent(QCloseEvent* event) {
    exactRun_->Stop();
    QWidget::closeEvent(event);
}

void SweepWindow::ModelChanged(std::uint64_t revision) {
    revision_ = revision;
    form_->ShowModel();
    ShowState();
}

bool SweepWindow::IsOutOfDate() const {
    return !shown_.Sweep.Points.empty() && shownRevision_ != revision_;
}

SweepPlotInputs SweepWindow::PlotInputs() const {
    return {shown_.Sweep,
            shown_.Materials,
            state_.prefs.DecimalDigits,
            layerTemps_->isChecked(),
            shownTitle_,
            shown_.ExactAsked ? &shown_.ExactPoints : nullptr};
}

}  // namespace strativex
