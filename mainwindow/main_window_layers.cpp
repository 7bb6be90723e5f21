#include <QRadioButton>

#include "core/layer_commands.h"
#include "mainwindow/main_window.h"

namespace strativex {
namespace {

constexpr Changes kStandardRefresh =
    Change::ScaleView | Change::Results | Change::Strip | Change::Table | Change::MarkChanged;

}  // namespace

void MainWindow::AddLayerCommand() {
    if (!CommitActiveField() || !AddLayer(state_.model, state_.prefs.Defaults)) return;
    recordOptions_[state_.model.LayerCount]->show();
    SelectRecord(state_.model.LayerCount);
    Refresh(kStandardRefresh);
}

void MainWindow::CopyLayerCommand() {
    if (!CommitActiveField() || !CopyLayer(state_.model)) return;
    recordOptions_[state_.model.LayerCount]->show();
    SelectRecord(state_.model.LayerCount);
    Refresh(kStandardRefresh);
}

void MainWindow::DeleteLayerCommand() {
    if (!CommitActiveField() || !DeleteLayer(state_.model)) return;
    recordOptions_[state_.model.LayerCount + 1]->hide();
    SelectRecord(state_.model.CurrentLayer);
    Refresh(kStandardRefresh);
}

void MainWindow::MoveLayerCommand(bool up) {
    if (!CommitActiveField()) return;
    if (!(up ? MoveLayerUp(state_.model) : MoveLayerDown(state_.model))) return;
    Refresh(kStandardRefresh);
    SelectRecord(state_.model.CurrentLayer);
}

void MainWindow::StepLayerColor(int step) {
    const int current = state_.model.CurrentLayer;
    if (current < 1 || !CommitActiveField()) return;
    Layer& layer = state_.model.Layers[current];
    layer.ColorIndex = static_cast<std::int16_t>(
        SteppedColorIndex(layer.ColorIndex, step > 0 ? SwatchButton::Left : SwatchButton::Right));
    ShowSwatch();
    Refresh(Change::ScaleView | Change::Strip | Change::Table | Change::MarkChanged);
}

}  // namespace strativex
