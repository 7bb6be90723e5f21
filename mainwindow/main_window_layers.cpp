#include "core/layer_commands.h"
#include "mainwindow/main_window.h"

namespace strativex {

// Each command is one step of the document's history, named for the layer it was given; the
// document selects the record the command leaves selected, and the window shows it.
void MainWindow::AddLayerCommand() {
    if (!CommitActiveField()) return;
    document_.Change(tr("Add layer"), [this](Model& model) {
        if (const auto added = AddLayer(model, state_.prefs.Defaults)) {
            document_.SelectLayer(*added);
        }
    });
}

void MainWindow::CopyLayerCommand() {
    const int current = document_.CurrentLayer();
    if (!CommitActiveField()) return;
    document_.Change(tr("Copy layer %1").arg(current), [this, current](Model& model) {
        if (const auto copy = CopyLayer(model, current)) document_.SelectLayer(*copy);
    });
}

void MainWindow::DeleteLayerCommand() {
    const int current = document_.CurrentLayer();
    if (!CommitActiveField()) return;
    document_.Change(tr("Delete layer %1").arg(current), [this, current](Model& model) {
        if (const auto selected = DeleteLayer(model, current)) document_.SelectLayer(*selected);
    });
}

void MainWindow::MoveLayerCommand(bool up) {
    const int current = document_.CurrentLayer();
    if (!CommitActiveField()) return;
    const QString text = up ? tr("Move layer %1 up") : tr("Move layer %1 down");
    document_.Change(text.arg(current), [this, current, up](Model& model) {
        const auto moved = up ? MoveLayerUp(model, current) : MoveLayerDown(model, current);
        if (moved) document_.SelectLayer(*moved);
    });
}

void MainWindow::StepLayerColor(int step) {
    const int current = document_.CurrentLayer();
    if (current < 1 || !CommitActiveField()) return;
    document_.Change(tr("Colour of layer %1").arg(current), [current, step](Model& model) {
        Layer& layer = model.Layers[current];
        layer.ColorIndex = static_cast<std::int16_t>(SteppedColorIndex(
            layer.ColorIndex, step > 0 ? SwatchButton::Left : SwatchButton::Right));
    });
}

}  // namespace strativex
