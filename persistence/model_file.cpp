#include "persistence/model_file.h"

#include <optional>

#include "core/layer_commands.h"
#include "core/number_conversion.h"
#include "core/record_reader.h"
#include "core/text_file.h"
#include "persistence/record_format.h"

namespace strativex {
namespace {

constexpr const char* kCommentsTag = "COMMENTS";

std::string LayerTag(int i) {
    return "LAYER " + std::to_string(i);
}

std::string LayerValuesLine(const Layer& layer) {
    return FileNumberText(layer.Width) + "," + FileNumberText(layer.Length) + "," +
           FileNumberText(layer.Thickness) + "," + FileNumberText(layer.SpreadAngle) + "," +
           std::to_string(layer.MaterialId) + "," + std::to_string(layer.ColorIndex) + "," +
           std::to_string(layer.Description.size());
}

std::string HeaderLine(std::string_view key, const std::string& value) {
    return QuotedField(key) + "," + value + std::string(kLineEnd);
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string WithoutFinalLineEnd(std::string text) {
    if (text.ends_with("\r\n")) {
        text.resize(text.size() - 2);
    } else if (text.ends_with('\n')) {
        text.pop_back();
    }
    return text;
}

ModelFileOutcome LoadFailure(const std::string& path, const std::string& failure) {
    return {false, failure, path + "\r\n" + failure + "\r\nModel not loaded.", {}, {}};
}

// The header's value fields, taken by position; nothing when one is missing or malformed.
bool ReadHeader(Model& model, RecordReader& reader) {
    const auto field = [&reader]() -> std::optional<std::string> {
        if (!reader.ReadField()) return std::nullopt;
        return reader.ReadField();
    };
    const auto name = field();
    if (!name) return false;
    // An unquoted name may hold a double quote that no quoted field can carry back: the model
    // would not survive its next save. The quote goes, as it does from the preferences' texts.
    model.ModelName = *name;
    std::erase(model.ModelName, '"');
    const auto units = field();
    if (!units) return false;
    model.UnitSystem = *units == "English" ? LengthUnit::Inches : LengthUnit::Millimeters;
    const auto power = field();
    const auto powerValue = power ? ParseSingle(*power) : std::nullopt;
    if (!powerValue) return false;
    model.PowerDissipation = *powerValue;
    const auto temp = field();
    const auto tempValue = temp ? ParseSingle(*temp) : std::nullopt;
    if (!tempValue) return false;
    model.IsothermalTemp = *tempValue;
    return reader.ReadLine().has_value();
}

// The values line of a record; the description length comes back in length.
bool ReadLayerValues(Layer& layer, RecordReader& reader, int& length) {
    float singles[4];
    for (float& value : singles) {
        const auto field = reader.ReadField();
        const auto parsed = field ? ParseSingle(*field) : std::nullopt;
        if (!parsed) return false;
        value = *parsed;
    }
    std::int16_t integers[3];
    for (std::int16_t& value : integers) {
        const auto field = reader.ReadField();
        const auto parsed = field ? ParseInt16(*field) : std::nullopt;
        if (!parsed) return false;
        value = *parsed;
    }
    layer.Width = singles[0];
    layer.Length = singles[1];
    layer.Thickness = singles[2];
    layer.SpreadAngle = singles[3];
    layer.MaterialId = integers[0];
    layer.ColorIndex = integers[1];
    length = integers[2];
    return true;
}

}  // namespace

std::string ModelFileText(const Model& model) {
    std::string text;
    text += HeaderLine("MODEL NAME", QuotedField(model.ModelName));
    text += HeaderLine("UNITS (METRIC/ENGLISH)",
                       QuotedField(model.UnitSystem == LengthUnit::Inches ? "English" : "Metric"));
    text += HeaderLine("POWER DISSIPATION", FileNumberText(model.PowerDissipation));
    text += HeaderLine("ISOTHERMAL TEMP", FileNumberText(model.IsothermalTemp));
    text += kLineEnd;
    for (int i = 0; i <= model.LayerCount; ++i) {
        const Layer& layer = model.Layers[i];
        text += LayerTag(i) + " " + std::string(kLineEnd);
        text += LayerValuesLine(layer) + std::string(kLineEnd);
        text += layer.Description + std::string(kLineEnd);
    }
    text += kCommentsTag + std::string(kLineEnd);
    text += model.ModelComments + std::string(kLineEnd);
    return text;
}

ModelFileOutcome SaveModelFile(const Model& model, const std::string& path) {
    const SafeWriteResult written = SafeWriteFile(path, ModelFileText(model));
    if (!written.Ok) {
        const std::string failure = written.FailedStep == SafeWriteStep::Open
                                        ? "Error opening file for output"
                                        : "Error writing file for output";
        return {false, failure, path + "\r\n" + failure + "\r\nModel not saved.", {}, {}};
    }
    return {};
}

ModelFileOutcome LoadModelFile(Model& model, const MaterialTable& table,
                               const ModelDefaults& defaults, const std::string& path) {
    ResetToNewModel(model, defaults);
    const FileRead file = ReadBoundedFile(path, kModelFileLimit);
    if (!file.Content) {
        ModelFileOutcome failure = LoadFailure(path, "Cannot open specified file.");
        failure.Reason = file.Problem;
        return failure;
    }
    ModelFileOutcome outcome = ReadModelText(model, table, defaults, *file.Content);
    if (!outcome.Ok) {
        outcome.Message = path + "\r\n" + outcome.FailureText + "\r\nModel not loaded.";
    }
    return outcome;
}

ModelFileOutcome ReadModelText(Model& model, const MaterialTable& table,
                               const ModelDefaults& defaults, const std::string& content) {
    ResetToNewModel(model, defaults);
    RecordReader reader(content);
    std::string failure = "File format may be invalid.";
    if (!ReadHeader(model, reader)) return LoadFailure({}, failure);

    ModelFileOutcome outcome;
    std::string tag;
    for (int i = 0; !reader.AtEnd(); ++i) {
        if (i >= kRecordCount) return LoadFailure({}, failure);
        tag = Trimmed(*reader.ReadLine());
        if (tag != LayerTag(i)) {
            failure = "Unexpected data '" + tag + "' found in file.";
            break;
        }
        // An eleventh layer is read into the scratch record, never into the stack, so that
        // the file fails on the next pass with the failure text of that record.
        if (i > 0) AddLayer(model, defaults);
        Layer& layer = model.Layers[i];
        failure = "Format of record '" + tag + "' may be invalid.";
        int length = 0;
        if (!ReadLayerValues(layer, reader, length)) return LoadFailure({}, failure);
        if (FindMaterialIndex(table, layer.MaterialId) == 0) {
            if (i > 0) outcome.ReplacedIds.push_back({i, layer.MaterialId});
            layer.MaterialId = 0;
        }
        failure = "Length of '" + tag + "' description may not be correct.";
        const auto description =
            length < 0 ? std::nullopt : reader.ReadChars(static_cast<std::size_t>(length));
        if (!description) return LoadFailure({}, failure);
        layer.Description = *description;
        tag = reader.ReadLine().value_or("");
    }
    if (tag != kCommentsTag) return LoadFailure({}, failure);
    model.ModelComments = WithoutFinalLineEnd(reader.ReadRest());
    return outcome;
}

}  // namespace strativex
