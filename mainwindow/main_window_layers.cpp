#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "core/layer_commands.h"
#include "mainwindow/main_window.h"
#include "mainwindow/view_boxes.h"
#include "views/layer_palette.h"

namespace strativex {

void MainWindow::ConnectControls() {
    connect(CmdAddLayer, &QPushButton::clicked, this, &MainWindow::AddLayerCommand);
    connect(CmdCopyLayer, &QPushButton::clicked, this, &MainWindow::CopyLayerCommand);
    connect(CmdDeleteLayer, &QPushButton::clicked, this, &MainWindow::DeleteLayerCommand);
    connect(CmdMoveLayerUp, &QPushButton::clicked, this, &MainWindow::MoveLayerUpCommand);
    connect(CmdMoveLayerDown, &QPushButton::clicked, this, &MainWindow::MoveLayerDownCommand);
    connect(OptLayerGroup, &QButtonGroup::idClicked, this, [this](int index) {
        if (!CommitActiveField()) {
            OptLayer[state_.model.CurrentLayer]->setChecked(true);
            return;
        }
        ShowRecord(index);
    });
    connect(ComboMaterials, &QComboBox::activated, this, &MainWindow::MaterialPicked);
    connect(HScrAngle, &QScrollBar::valueChanged, this, &MainWindow::AngleChanged);
    for (QWidget* field :
         {static_cast<QWidget*>(TextModelName), static_cast<QWidget*>(TextLayerDescrip),
          static_cast<QWidget*>(TextDevWidth), static_cast<QWidget*>(TextDevLength),
          static_cast<QWidget*>(TextThickness), static_cast<QWidget*>(TextThermOutput),
          static_cast<QWidget*>(TextIsotherm), static_cast<QWidget*>(ComboMaterials)}) {
        field->installEventFilter(this);
    }
    PicColor->installEventFilter(this);
    for (auto* box : {PicScaleView, PicDisplayData, PicLayerSelect}) {
        connect(static_cast<ViewBox*>(box), &ViewBox::recordClicked, this, [this](int record) {
            if (CommitActiveField()) SelectRecord(record);
        });
    }
}

void MainWindow::AddLayerCommand() {
    if (!CommitActiveField() || !AddLayer(state_.model, state_.prefs.Defaults)) return;
    OptLayer[state_.model.LayerCount]->show();
    SelectRecord(state_.model.LayerCount);
    StandardRefresh();
}

void MainWindow::CopyLayerCommand() {
    if (!CommitActiveField() || !CopyLayer(state_.model)) return;
    OptLayer[state_.model.LayerCount]->show();
    SelectRecord(state_.model.LayerCount);
    StandardRefresh();
}

void MainWindow::DeleteLayerCommand() {
    if (!CommitActiveField() || !DeleteLayer(state_.model)) return;
    OptLayer[state_.model.LayerCount + 1]->hide();
    SelectRecord(state_.model.CurrentLayer);
    StandardRefresh();
}

void MainWindow::MoveLayerUpCommand() {
    if (!CommitActiveField() || !MoveLayerUp(state_.model)) return;
    RedrawScaleView();
    Recalculate();
    RedrawLayerStrip();
    RedrawDataTable();
    SelectRecord(state_.model.CurrentLayer);
}

void MainWindow::MoveLayerDownCommand() {
    if (!CommitActiveField() || !MoveLayerDown(state_.model)) return;
    RedrawScaleView();
    Recalculate();
    RedrawLayerStrip();
    RedrawDataTable();
    SelectRecord(state_.model.CurrentLayer);
}

void MainWindow::StepLayerColor(Qt::MouseButton button) {
    const int current = state_.model.CurrentLayer;
    if (current < 1 || !CommitActiveField()) return;
    const SwatchButton swatch = button == Qt::LeftButton    ? SwatchButton::Left
                                : button == Qt::RightButton ? SwatchButton::Right
                                                            : SwatchButton::Other;
    if (swatch == SwatchButton::Other) return;
    Layer& layer = state_.model.Layers[current];
    layer.ColorIndex = static_cast<std::int16_t>(SteppedColorIndex(layer.ColorIndex, swatch));
    QPalette palette = PicColor->palette();
    palette.setColor(QPalette::Window, PaletteColor(StandardLayerPalette(), layer.ColorIndex));
    PicColor->setPalette(palette);
    RedrawScaleView();
    RedrawLayerStrip();
    RedrawDataTable();
    state_.model.ModelChanged = true;
}

}  // namespace strativex
