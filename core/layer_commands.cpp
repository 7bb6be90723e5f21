#include "core/layer_commands.h"

namespace strativex {

bool CanAddLayer(const Model& model) {
    return model.LayerCount < kMaxLayerCount;
}

bool CanCopyLayer(const Model& model) {
    return model.CurrentLayer >= 1 && model.LayerCount < kMaxLayerCount;
}

bool CanDeleteLayer(const Model& model) {
    return model.CurrentLayer >= 1;
}

bool CanMoveLayerUp(const Model& model) {
    return model.CurrentLayer > 1;
}

bool CanMoveLayerDown(const Model& model) {
    return model.CurrentLayer >= 1 && model.CurrentLayer < model.LayerCount;
}

bool AddLayer(Model& model, const ModelDefaults& defaults) {
    if (!CanAddLayer(model)) return false;
    const int n = ++model.LayerCount;
    NextLayerColor(model, n);
    Layer& layer = model.Layers[n];
    layer.MaterialId = 0;
    layer.Description.clear();
    layer.SpreadAngle = defaults.DefaultSpreadAngle;
    layer.Thickness = defaults.DefaultLayerThickness;
    layer.Width = defaults.DefaultLayerWidth;
    layer.Length = defaults.DefaultLayerLength;
    model.CurrentLayer = static_cast<std::int16_t>(n);
    model.ModelChanged = true;
    return true;
}

bool CopyLayer(Model& model) {
    if (!CanCopyLayer(model)) return false;
    const int n = ++model.LayerCount;
    CopyUserFields(model.Layers[model.CurrentLayer], model.Layers[n]);
    model.CurrentLayer = static_cast<std::int16_t>(n);
    model.ModelChanged = true;
    return true;
}

bool DeleteLayer(Model& model) {
    if (!CanDeleteLayer(model)) return false;
    for (int i = model.CurrentLayer; i < model.LayerCount; ++i) {
        CopyUserFields(model.Layers[i + 1], model.Layers[i]);
    }
    model.Layers[model.LayerCount].ColorIndex = -1;
    --model.LayerCount;
    if (model.CurrentLayer > model.LayerCount) model.CurrentLayer = model.LayerCount;
    model.ModelChanged = true;
    return true;
}

bool MoveLayerUp(Model& model) {
    if (!CanMoveLayerUp(model)) return false;
    SwapLayers(model, model.CurrentLayer);
    --model.CurrentLayer;
    model.ModelChanged = true;
    return true;
}

bool MoveLayerDown(Model& model) {
    if (!CanMoveLayerDown(model)) return false;
    SwapLayers(model, model.CurrentLayer + 1);
    ++model.CurrentLayer;
    model.ModelChanged = true;
    return true;
}

void NextLayerColor(Model& model, int j) {
    int c = model.Layers[j].ColorIndex + 1;
    // A damaged file may carry any colour index; the search then starts from the first colour.
    if (c < 0 || c > 9) c = 0;
    for (int tries = 0; tries < 11; ++tries, ++c) {
        if (c == 10) c = 0;
        bool used = false;
        for (int i = 1; i <= model.LayerCount && !used; ++i) {
            used = i != j && model.Layers[i].ColorIndex == c;
        }
        if (!used) {
            model.Layers[j].ColorIndex = static_cast<std::int16_t>(c);
            return;
        }
    }
}

void SwapLayers(Model& model, int j) {
    Layer& scratch = model.Layers[kScratchRecord];
    CopyUserFields(model.Layers[j], scratch);
    CopyUserFields(model.Layers[j - 1], model.Layers[j]);
    CopyUserFields(scratch, model.Layers[j - 1]);
}

int SteppedColorIndex(int colorIndex, SwatchButton button) {
    // A colour outside the palette (a damaged file) wraps to the nearer end of it.
    switch (button) {
        case SwatchButton::Left: {
            const int c = colorIndex + 1;
            return c >= 10 || c < 0 ? 0 : c;
        }
        case SwatchButton::Right: {
            const int c = colorIndex - 1;
            return c < 0 || c > 9 ? 9 : c;
        }
        case SwatchButton::Other:
            break;
    }
    return colorIndex;
}

}  // namespace strativex
