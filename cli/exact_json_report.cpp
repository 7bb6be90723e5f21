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
    std::vector<std::string> sources;
    for (const std::vector<OutputCell>& cells : ExactSourceCells(result)) {
        JsonObject source(indent + 4);
        sources.push_back(AddCells(source, cells).Text());
    }
    JsonObject base(indent + 2);
    JsonObject array(indent + 2);
    JsonObject hottest(indent + 2);
    JsonObject object(indent);
    return AddCells(object, ExactModelCells(result))
        .Add("base", AddCells(base, ExactBaseCells(result)).Text())
        .Add("array", AddCells(array, ExactArrayCells(result)).Text())
        .Add("hottest", AddCells(hottest, ExactHottestCells(result)).Text())
        .Add("sources", JsonArray(sources, indent + 2))
        .Add("layers", JsonArray(layers, indent + 2))
        .Text();
}

}  // namespace strativex
