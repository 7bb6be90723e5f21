#include "core/layer_commands.h"

#include <algorithm>

namespace strativex {

bool CanAddLayer(const Model& model) {
    return model.LayerCount < kMaxLayerCount;
}

bool CanCopyLayer(const Model& model, int current) {
    return current >= 1 && model.LayerCount < kMaxLayerCount;
}

bool CanDeleteLayer(int current) {
    return current >= 1;
}

bool CanMoveLayerUp(int current) {
    return current > 1;
}

bool CanMoveLayerDown(const Model& model, int current) {
    return current >= 1 && current < model.LayerCount;
}

std::optional<int> AddLayer(Model& model, const ModelDefaults& defaults) {
    if (!CanAddLayer(model)) return std::nullopt;
    const int n = ++model.LayerCount;
    NextLayerColor(model, n);
    Layer& layer = model.Layers[n];
    layer.MaterialId = 0;
    layer.Description.clear();
    layer.SpreadAngle = defaults.DefaultSpreadAngle;
    layer.Thickness = defaults.DefaultLayerThickness;
    layer.Width = defaults.DefaultLayerWidth;
    layer.Length = defaults.DefaultLayerLength;
    return n;
}

std::optional<int> CopyLayer(Model& model, int current) {
    if (!CanCopyLayer(model, current)) return std::nullopt;
    const int n = ++model.LayerCount;
    CopyUserFields(model.Layers[current], model.Layers[n]);
    return n;
}

std::optional<int> DeleteLayer(Model& model, int current) {
    if (!CanDeleteLayer(current)) return std::nullopt;
    for (int i = current; i < model.LayerCount; ++i) {
        CopyUserFields(model.Layers[i + 1], model.Layers[i]);
    }
    model.Layers[model.LayerCount].ColorIndex = -1;
    --model.LayerCount;
    return std::min<int>(current, model.LayerCount);
}

std::optional<int> MoveLayerUp(Model& model, int current) {
    if (!CanMoveLayerUp(current)) return std::nullopt;
    SwapLayers(model, current);
    return current - 1;
}

std::optional<int> MoveLayerDown(Model& model, int current) {
    if (!CanMoveLayerDown(model, current)) return std::nullopt;
    SwapLayers(model, current + 1);
    return current + 1;
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
