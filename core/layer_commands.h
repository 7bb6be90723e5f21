#pragma once

#include "core/model.h"

// The data halves of the layer commands. They change the records and the selection only;
// the window redraws and recalculates after calling them.
namespace strativex {

bool CanAddLayer(const Model& model);
bool CanCopyLayer(const Model& model);
bool CanDeleteLayer(const Model& model);
bool CanMoveLayerUp(const Model& model);
bool CanMoveLayerDown(const Model& model);

// Each returns false, changing nothing, when its command is not available.
bool AddLayer(Model& model, const ModelDefaults& defaults);
bool CopyLayer(Model& model);
bool DeleteLayer(Model& model);
bool MoveLayerUp(Model& model);
bool MoveLayerDown(Model& model);

void NextLayerColor(Model& model, int j);
// Exchanges records j and j - 1 (1 < j <= LayerCount) through the scratch record.
void SwapLayers(Model& model, int j);

// Colour swatch: the left button steps forward through the palette, the right one back.
enum class SwatchButton { Left, Right, Other };
int SteppedColorIndex(int colorIndex, SwatchButton button);

}  // namespace strativex
