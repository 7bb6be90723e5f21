#include "mainwindow/layer_editor.h"

#include <QLabel>
#include <QPushButton>

#include <utility>

#include "core/layer_commands.h"

namespace strativex {

LayerEditor::LayerEditor(ModelDocument& document, const ModelDefaults& defaults,
                         std::function<bool()> commitEdits, const Buttons& buttons, QObject* parent)
    : QObject(parent),
      document_(document),
      defaults_(defaults),
      commitEdits_(std::move(commitEdits)),
      buttons_(buttons) {
    connect(buttons_.Add, &QPushButton::clicked, this, &LayerEditor::AddLayer);
    connect(buttons_.Copy, &QPushButton::clicked, this, &LayerEditor::CopyLayer);
    connect(buttons_.Delete, &QPushButton::clicked, this, &LayerEditor::DeleteLayer);
    connect(buttons_.MoveUp, &QPushButton::clicked, this, [this] { MoveLayer(true); });
    connect(buttons_.MoveDown, &QPushButton::clicked, this, [this] { MoveLayer(false); });
}

void LayerEditor::AddLayer() {
    if (!commitEdits_()) return;
    document_.Change(tr("Add layer"), [this](Model& model) {
        if (const auto added = strativex::AddLayer(model, defaults_)) {
            document_.SelectLayer(*added);
        }
    });
}

void LayerEditor::CopyLayer() {
    if (!commitEdits_()) return;
    const int current = document_.CurrentLayer();
    document_.Change(tr("Copy layer %1").arg(current), [this, current](Model& model) {
        if (const auto copy = strativex::CopyLayer(model, current)) document_.SelectLayer(*copy);
    });
}

void LayerEditor::DeleteLayer() {
    if (!commitEdits_()) return;
    const int current = document_.CurrentLayer();
    document_.Change(tr("Delete layer %1").arg(current), [this, current](Model& model) {
        if (const auto selected = strativex::DeleteLayer(model, current)) {
            document_.SelectLayer(*selected);
        }
    });
}

void LayerEditor::MoveLayer(bool up) {
    if (!commitEdits_()) return;
    const int current = document_.CurrentLayer();
    const QString text = up ? tr("Move layer %1 up") : tr("Move layer %1 down");
    document_.Change(text.arg(current), [this, current, up](Model& model) {
        const auto moved = up ? MoveLayerUp(model, current) : MoveLayerDown(model, current);
        if (moved) document_.SelectLayer(*moved);
    });
}

void LayerEditor::StepColor(int step) {
    const int current = document_.CurrentLayer();
    if (current < 1 || !commitEdits_()) return;
    document_.Change(tr("Colour of layer %1").arg(current), [current, step](Model& model) {
        Layer& layer = model.Layers[current];
        layer.ColorIndex = static_cast<std::int16_t>(SteppedColorIndex(
            layer.ColorIndex, step > 0 ? SwatchButton::Left : SwatchButton::Right));
    });
}

void LayerEditor::ShowAvailability() {
    const Model& model = document_.Current();
    const int current = document_.CurrentLayer();
    buttons_.MoveUp->setEnabled(CanMoveLayerUp(current));
    buttons_.MoveDown->setEnabled(CanMoveLayerDown(model, current));
    buttons_.MoveLabel->setEnabled(buttons_.MoveUp->isEnabled() || buttons_.MoveDown->isEnabled());
    buttons_.Delete->setEnabled(CanDeleteLayer(current));
    buttons_.Copy->setEnabled(CanCopyLayer(model, current));
    buttons_.Add->setEnabled(CanAddLayer(model));
}

}  // namespace strativex
