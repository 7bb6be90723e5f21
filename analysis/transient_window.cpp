#include "analysis/transient_window.h"

#include <QCloseEvent>
#include <QGridLayout>
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

#include "analysis/base_condition_editor.h"
#include "analysis/job_runner.h"
#include "analysis/pulse_calculator.h"
#include "analysis/run_controls.h"
#include "analysis/transient_plot_view.h"
#include "dialogs/named_widget.h"
#include "exact/rc_network.h"
#include "platform/window_placement.h"
#include "views/plot/transient_plots.h"

namespace strativex {
namespace {

const QSize kWindowSize{1440, 900};
constexpr int kSidePanelWidth = 300;
constexpr int kPlotColumns = 2;

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
    base_ = new BaseConditionEditor(BaseConditionEditor::Arrangement::Stacked, panel);
    column->addWidget(base_);

    const RunControls run = AddRunControls(*column, QStringLiteral("CmdCompute"), tr("C&ompute"),
                                           QStringLiteral("ProgressTransient"));
    compute_ = run.start;
    progress_ = run.progress;
    cancel_ = run.cancel;
    status_ = run.status;
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    outOfDateLabel_ = NamedWidget<QLabel>(
        QStringLiteral("LblOutOfDate"),
        tr("<b>Out of date:</b> the model or the base has changed since this result. Click "
           "Compute to bring it up to date."));
    outOfDateLabel_->setWordWrap(true);
    column->addWidget(status_);
    column->addWidget(outOfDateLabel_);
    pulse_ = new PulseCalculator(panel);
    column->addWidget(pulse_);
    column->addStretch();
    column->addWidget(BuildOutputButtons(panel));
    return panel;
}

QWidget* TransientWindow::BuildOutputButtons(QWidget* panel) {
    auto* buttons = new QWidget(panel);
    auto* grid = new QGridLayout(buttons);
    grid->setContentsMargins(0, 0, 0, 0);
    copy_ = NamedWidget<QPushButton>(QStringLiteral("CmdCopy"), tr("Cop&y"));
    copy_->setToolTip(tr("The curve and the networks as tab-separated text"));
    exportCsv_ = NamedWidget<QPushButton>(QStringLiteral("CmdExportCsv"), tr("Export C&SV..."));
    exportSpice_ =
        NamedWidget<QPushButton>(QStringLiteral("CmdExportSpice"), tr("Export S&PICE..."));
    exportSpice_->setToolTip(tr("The Foster and Cauer networks as subcircuits"));
    exportPng_ = NamedWidget<QPushButton>(QStringLiteral("CmdExportPng"), tr("Export P&NG..."));
    exportPdf_ = NamedWidget<QPushButton>(QStringLiteral("CmdExportPdf"), tr("Export P&DF..."));
    for (QPushButton* button : {exportPng_, exportPdf_}) button->setToolTip(tr("The four plots"));
    grid->addWidget(copy_, 0, 0, 1, 2);
    grid->addWidget(exportCsv_, 1, 0);
    grid->addWidget(exportSpice_, 1, 1);
    grid->addWidget(exportPng_, 2, 0);
    grid->addWidget(exportPdf_, 2, 1);
    return buttons;
}

QWidget* TransientWindow::BuildPlots(QWidget* parent) {
    plots_ = NamedWidget<QWidget>(QStringLiteral("PlotsTransient"));
    plots_->setParent(parent);
    auto* grid = new QGridLayout(plots_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    const std::vector<std::pair<QString, CurvePlotInputs (*)(const exact::TransientReport*)>> plots{
        {QStringLiteral("PlotTransient"), &ZthPlot},
        {QStringLiteral("PlotPulses"), &PulsePlot},
        {QStringLiteral("PlotStructure"), &StructurePlot},
        {QStringLiteral("PlotStructureDerivative"), &DerivativePlot}};
    for (std::size_t i = 0; i < plots.size(); ++i) {
        auto* view = NamedWidget<TransientPlotView>(
            plots[i].first, [this, inputs = plots[i].second] { return inputs(Shown()); });
        const int index = static_cast<int>(i);
        grid->addWidget(view, index / kPlotColumns, index % kPlotColumns);
        plotViews_.push_back(view);
    }
    return plots_;
}

QWidget* TransientWindow::BuildResults() {
    auto* results = new QSplitter(Qt::Vertical, this);
    BuildPlots(results);
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
    results->addWidget(plots_);
    results->addWidget(tablePane);
    results->setStretchFactor(0, 4);
    results->setStretchFactor(1, 1);
    return results;
}

void TransientWindow::Wire() {
    connect(compute_, &QPushButton::clicked, this, &TransientWindow::Compute);
    connect(cancel_, &QPushButton::clicked, run_, &JobRunner::Cancel);
    connect(run_, &JobRunner::progressed, this, &TransientWindow::Progressed);
    connect(run_, &JobRunner::finished, this, &TransientWindow::Finished);
    connect(base_, &BaseConditionEditor::changed, this, &TransientWindow::ChangeBase);
    connect(copy_, &QPushButton::clicked, this, &TransientWindow::Copy);
    connect(exportCsv_, &QPushButton::clicked, this, &TransientWindow::ExportCsv);
    connect(exportSpice_, &QPushButton::clicked, this, &TransientWindow::ExportSpice);
    connect(exportPng_, &QPushButton::clicked, this, &TransientWindow::ExportPng);
    connect(exportPdf_, &QPushButton::clicked, this, &TransientWindow::ExportPdf);
}

void TransientWindow::closeEvent(QCloseEvent* event) {
    run_->Stop();
    QWidget::closeEvent(event);
}

void TransientWindow::ModelChanged(std::uint64_t revision) {
    revision_ = revision;
    ShowState();
}

void TransientWindow::ChangeBase() {
    ++baseChoice_;
    ShowState();
}

bool TransientWindow::IsOutOfDate() const {
    return shown_.has_value() &&
           (shownRevision_ != revision_ || shownSetting_.BaseChoice != baseChoice_);
}

const exact::TransientReport* TransientWindow::Shown() const {
    return shown_ ? &*shown_ : nullptr;
}

}  // namespace strativex
