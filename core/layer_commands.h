#pragma once

#include <optional>

#include "core/model.h"

// The data halves of the layer commands. They change the records only and say which record is
// selected afterwards; the selection itself is the window's.
namespace strativex {

bool CanAddLayer(const Model& model);
bool CanCopyLayer(const Model& model, int current);
bool CanDeleteLayer(int current);
bool CanMoveLayerUp(int current);
bool CanMoveLayerDown(const Model& model, int current);

// Each returns the record to select afterwards, or nothing, changing nothing, when its command
// is not available with `current` selected.
std::optional<int> AddLayer(Model& model, const ModelDefaults& defaults);
std::optional<int> CopyLayer(Model& model, int current);
std::optional<int> DeleteLayer(Model& model, int current);
std::optional<int> MoveLayerUp(Model& model, int current);
std::optional<int> MoveLayerDown(Model& model, int current);

void NextLayerColor(Model& model, int j);
// Exchanges records j and j - 1 (1 < j <= LayerCount) through the scratch record.
void SwapLayers(Model& model, int j);

// Colour swatch: the left button steps forward through the palette, the right one back.
enum class SwatchButton { Left, Right, Other };
int SteppedColorIndex(int colorIndex, SwatchButton button);

}  // namespace strativex
