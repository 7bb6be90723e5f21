#include <cstddef>
#include <cstdint>
#include <string>

#include "core/thermal_calc.h"
#include "persistence/model_file.h"

// Any bytes as a model file: the reader must fail cleanly or give a model the calculation and
// the writer take without harm.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace strativex;
    MaterialTable table;
    table.Materials[1] = {"Fuzz", 1, 1.5f, -1.2f};
    table.FirstCustomIndex = 2;
    Model model;
    const std::string content(reinterpret_cast<const char*>(data), size);
    const ModelFileOutcome outcome = ReadModelText(model, table, ModelDefaults{}, content);
    if (model.LayerCount > kMaxLayerCount) __builtin_trap();
    if (outcome.Ok) {
        RecalculateModel(model, table);
        (void)ModelFileText(model);
    }
    return 0;
}
