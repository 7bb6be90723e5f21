#include "analysis/exact_check_window.h"

#include "analysis/base_condition_editor.h"
#include "analysis/source_array_editor.h"

#include <utility>

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/exact_check_texts.h"
#include "analysis/exact_picture_view.h"
#include "analysis/job_runner.h"
#include "platform/window_placement.h"

namespace strativex {
namespace {

constexpr int kProgressSteps = 1000;
constexpr int kWidth = 1180;
constexpr int kHeight = 760;
constexpr int kSectionStretch = 3;
constexpr int kProfileStretch = 2;

template <typename Widget, typename... Args>
Widget* Named(const char* name, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

}  // namespace

ExactCheckWindow::ExactCheckWindow(const AppState& state, Desktop& desktop,
                                   std::function<bool()> commitEdits, QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      desktop_(desktop),
      commitEdits_(std::move(commitEdits)) {
    setObjectName(QStringLiteral("FrmExactCheck"));
    setWindowTitle(tr("3-D Check"));
    run_ = new JobRunner(this);
    BuildControls();
    Wire();
    resize(kWidth, kHeight);
    CloseOnEscape(*this);
    ShowState();
}

void ExactCheckWindow::BuildControls() {
    computeButton_ = Named<QPushButton>("CmdCompute", tr("&Compute"));
    cancelButton_ = Named<QPushButton>("CmdCancel", tr("C&ancel"));
    progress_ = Named<QProgressBar>("PrgCheck");
    progress_->setRange(0, kProgressSteps);
    status_ = Named<QLabel>("LblStatus");
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);

    auto* top = new QHBoxLayout;
    top->addWidget(computeButton_);
    top->addWidget(cancelButton_);
    top->addWidget(progress_, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(BuildNumbers(), 2);
    middle->addWidget(BuildPictures(), 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    base_ = new BaseConditionEditor;
    layout->addWidget(base_);
    array_ = new SourceArrayEditor;
    layout->addWidget(array_);
    layout->addWidget(status_);
    layout->addLayout(middle, 1);
    layout->addWidget(BuildButtons());
}

QWidget* ExactCheckWindow::BuildNumbers() {
    numbers_ = Named<QGroupBox>("FraNumbers", tr("Results"));
    auto* grid = new QGridLayout;
    int row = 0;
    for (const ExactNumberRow& caption : ExactNumberCaptions()) {
        grid->addWidget(new QLabel(caption.Caption + QStringLiteral(":")), row, 0,
                        Qt::AlignTop | Qt::AlignLeft);
        auto* value = new QLabel;
        value->setObjectName(caption.Name);
        value->setWordWrap(true);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(value, row++, 1, Qt::AlignTop);
        values_.push_back(value);
    }
    grid->setColumnStretch(1, 1);
    const QStringList headings = ExactLayerHeadings();
    layers_ = Named<QTableWidget>("TblLayers", 0, static_cast<int>(headings.size()));
    layers_->setHorizontalHeaderLabels(headings);
    layers_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layers_->verticalHeader()->setVisible(false);
    layers_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layers_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(numbers_);
    layout->addLayout(grid);
    layout->addWidget(
        new QLabel(tr("Top of every layer, over its contact with the record "
                      "above:")));
    layout->addWidget(layers_, 1);
    layout->addWidget(BuildSourceTable());
    return numbers_;
}

QWidget* ExactCheckWindow::BuildPictures() {
    extent_ = Named<QComboBox>("CboExtent");
    extent_->addItem(tr("Around the heat source"), static_cast<int>(SectionExtent::AroundSource));
    extent_->addItem(tr("Whole cross-section"), static_cast<int>(SectionExtent::Whole));
    section_ = Named<ExactPictureView>("PicSection", ExactPictureView::Kind::Section);
    profile_ = Named<ExactPictureView>("PicProfile", ExactPictureView::Kind::Profile);
    auto* choice = new QHBoxLayout;
    choice->addWidget(new QLabel(tr("Map shows:")));
    choice->addWidget(extent_);
    choice->addStretch(1);
    auto* pictures = new QWidget;
    auto* layout = new QVBoxLayout(pictures);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(choice);
    layout->addWidget(section_, kSectionStretch);
    layout->addWidget(profile_, kProfileStretch);
    return pictures;
}

QWidget* ExactCheckWindow::BuildButtons() {
    copyButton_ = Named<QPushButton>("CmdCopy", tr("C&opy Pictures"));
    saveButton_ = Named<QPushButton>("CmdSavePng", tr("&Save Pictures as PNG..."));
    closeButton_ = Named<QPushButton>("CmdClose", tr("Close"));
    auto* buttons = new QWidget;
    auto* layout = new QHBoxLayout(buttons);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(copyButton_);
    layout->addWidget(saveButton_);
    layout->addStretch(1);
    layout->addWidget(closeButton_);
    return buttons;
}

void ExactCheckWindow::Wire() {
    connect(computeButton_, &QPushButton::clicked, this, &ExactCheckWindow::Compute);
    connect(cancelButton_, &QPushButton::clicked, this, &ExactCheckWindow::Cancel);
    connect(copyButton_, &QPushButton::clicked, this, &ExactCheckWindow::CopyPictures);
    connect(saveButton_, &QPushButton::clicked, this, &ExactCheckWindow::SavePictures);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(extent_, &QComboBox::currentIndexChanged, this, [this] {
        section_->SetExtent(static_cast<SectionExtent>(extent_->currentData().toInt()));
    });
    connect(base_, &BaseConditionEditor::changed, this, &ExactCheckWindow::ChangeBase);
    connect(array_, &SourceArrayEditor::changed, this, &ExactCheckWindow::ChangeArray);
    connect(run_, &JobRunner::progressed, this, &ExactCheckWindow::ShowProgress);
    connect(run_, &JobRunner::finished, this, &ExactCheckWindow::TakeResult);
}

void ExactCheckWindow::closeEvent(QCloseEvent* event) {
    run_->Stop();
    QWidget::closeEvent(event);
}

std::optional<exact::ExactResult> ExactCheckWindow::CurrentResult() const {
    if (!ShownUpToDate()) return std::nullopt;
    return *shown_;
}

bool ExactCheckWindow::IsComputing() const {
    return run_->IsRunning();
}

}  // namespace strativex
