#include "cli/exact_cells.h"
#include "cli/exact_report.h"
#include "cli/json_text.h"

namespace strativex {
namespace {

JsonObject& AddCells(JsonObject& object, const std::vector<OutputCell>& cells) {
    for (const OutputCell& cell : cells) {
        object.Add(cell.Name, !cell.Value   ? "null"
                              : cell.IsText ? JsonString(*cell.Value)
                                            : *cell.Value);
    }
    return object;
}

}  // namespace

std::string ExactJson(const exact::ExactResult& result, int layerCount, int indent) {
    std::vector<std::string> layers;
    for (int i = 1; i <= layerCount; ++i) {
        JsonObject layer(indent + 4);
        layer.Add("index", std::to_string(i));
        layers.push_back(AddCells(layer, ExactLayerCells(result, i)).Text());
    }
    JsonObject base(indent + 2);
    JsonObject object(indent);
    return AddCells(object, ExactModelCells(result))
        .Add("base", AddCells(base, ExactBaseCells(result)).Text())
        .Add("layers", JsonArray(layers, indent + 2))
        .Text();
}

}  // namespace strativex
