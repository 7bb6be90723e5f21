#include <QByteArray>
#include <QJsonDocument>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "cli/csv_report.h"
#include "cli/json_report.h"
#include "fuzz_checks.h"
#include "persistence/model_file.h"

namespace {

using namespace strativex;

// The file's user fields, read back from what the writer made of them.
void RequireSameModel(const Model& a, const Model& b) {
    fuzz::Require(a.ModelName == b.ModelName && a.UnitSystem == b.UnitSystem);
    fuzz::Require(a.ModelComments == b.ModelComments && a.LayerCount == b.LayerCount);
    fuzz::Require(fuzz::SameInFile(a.PowerDissipation, b.PowerDissipation) &&
                  fuzz::SameInFile(a.IsothermalTemp, b.IsothermalTemp));
    for (int i = 0; i <= a.LayerCount; ++i) {
        const Layer& x = a.Layers[i];
        const Layer& y = b.Layers[i];
        // Every id below 1 means no material; the reader stores such ids as 0.
        fuzz::Require(x.Description == y.Description &&
                      std::max<int>(x.MaterialId, 0) == y.MaterialId &&
                      x.ColorIndex == y.ColorIndex);
        fuzz::Require(fuzz::SameInFile(x.Width, y.Width) && fuzz::SameInFile(x.Length, y.Length) &&
                      fuzz::SameInFile(x.Thickness, y.Thickness) &&
                      fuzz::SameInFile(x.SpreadAngle, y.SpreadAngle));
    }
}

bool ValidUtf8(const std::string& text) {
    const QByteArray bytes = QByteArray::fromStdString(text);
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

// Every record of the CSV text has as many fields as its header (RFC 4180 quoting).
void RequireOneColumnCount(const std::string& csv) {
    std::size_t fields = 1;
    std::size_t header = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == ',') ++fields;
        if (c == '\n') {
            if (header == 0) header = fields;
            fuzz::Require(fields == header);
            fields = 1;
        }
    }
    fuzz::Require(!quoted);
}

}  // namespace

// Any bytes as a model file: the reader fails cleanly, or gives a model that the writer writes
// back to the same model and that the calculator reports as valid JSON and even CSV.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MaterialTable table;
    table.Materials[1] = {"Fuzz", 1, 1.5f, -1.2f};
    table.FirstCustomIndex = 2;
    Model model;
    const std::string content(reinterpret_cast<const char*>(data), size);
    const ModelFileOutcome outcome = ReadModelText(model, table, ModelDefaults{}, content);
    fuzz::Require(model.LayerCount <= kMaxLayerCount);
    if (!outcome.Ok) return 0;
    const std::string written = ModelFileText(model);
    Model again;
    fuzz::Require(ReadModelText(again, table, ModelDefaults{}, written).Ok);
    RequireSameModel(model, again);

    RecalculateModel(model, table, fuzz::kFuzzPasses);
    const std::vector<LoadedModel> models{{"f\xff.mdl", model, std::nullopt, std::nullopt, {}}};
    const std::string json = JsonReport(models, table);
    QJsonParseError error{};
    QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
    fuzz::Require(error.error == QJsonParseError::NoError && ValidUtf8(json));
    const std::string csv = CsvReport(models, table);
    fuzz::Require(ValidUtf8(csv));
    RequireOneColumnCount(csv);
    return 0;
}
