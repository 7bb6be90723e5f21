#include "cli/json_report.h"

#include "cli/exact_report.h"
#include "cli/json_text.h"
#include "cli/model_summary.h"
#include "cli/sweep_names.h"
#include "cli/transient_report.h"
#include "cli/utf8_text.h"
#include "core/thermal_calc.h"
#include "core/windows1252.h"

namespace strativex {
namespace {

constexpr int kModelIndent = 2;
constexpr int kLayerIndent = 6;

std::string Text(const std::string& windows1252) {
    return JsonString(Windows1252ToUtf8(windows1252));
}

std::string OptionalString(const std::optional<std::string>& text) {
    return text ? JsonString(*text) : "null";
}

std::string OptionalNumberText(const std::optional<std::string>& number) {
    return number.value_or("null");
}

std::string InvalidField(const Layer& layer) {
    if (layer.Status != ResultStatus::InvalidInput) return "null";
    return JsonString(InputFieldName(layer.InvalidField));
}

std::string LayerJson(const MaterialTable& table, const Layer& layer, int index) {
    return JsonObject(kLayerIndent)
        .Add("index", std::to_string(index))
        .Add("description", Text(layer.Description))
        .Add("material_id", std::to_string(layer.MaterialId))
        .Add("material", OptionalString(MaterialName(table, layer)))
        .Add("thickness", JsonNumber(layer.Thickness))
        .Add("width", JsonNumber(layer.Width))
        .Add("length", JsonNumber(layer.Length))
        .Add("spread_angle_deg", JsonNumber(layer.SpreadAngle))
        .Add("area", JsonNumber(layer.Area))
        .Add("resistance_c_per_w", JsonNumber(ResistanceOf(layer)))
        .Add("top_temp_k", JsonNumber(TopTempKOf(layer)))
        .Add("top_temp_c", OptionalNumberText(TopTempCText(layer)))
        .Add("status", JsonString(StatusName(layer.Status)))
        .Add("invalid_input", InvalidField(layer))
        .Text();
}

std::string WarningJson(const OutOfRangeValue& value) {
    return JsonObject(kLayerIndent)
        .Add("field", JsonString(SweepQuantityName(value.Quantity)))
        .Add("layer", std::to_string(value.Layer))
        .Add("value", JsonNumber(value.Value))
        .Add("accepted_min", JsonNumber(value.Accepted.Low))
        .Add("accepted_max", JsonNumber(value.Accepted.High))
        .Add("message", JsonString(value.Text))
        .Text();
}

std::string WarningsJson(const std::vector<OutOfRangeValue>& values) {
    std::vector<std::string> items;
    for (const OutOfRangeValue& value : values) items.push_back(WarningJson(value));
    return JsonArray(items, kModelIndent + 2);
}

std::string ModelJson(const LoadedModel& loaded, const MaterialTable& table) {
    const Model& model = loaded.Data;
    std::vector<std::string> layers;
    for (int i = 1; i <= model.LayerCount; ++i) {
        layers.push_back(LayerJson(table, model.Layers[i], i));
    }
    const auto invalidLayer = InvalidInputLayer(model);
    JsonObject object(kModelIndent);
    object.Add("file", JsonString(ValidUtf8(loaded.Path)))
        .Add("model_name", Text(model.ModelName))
        .Add("units", JsonString(UnitName(model.UnitSystem)))
        .Add("power_w", JsonNumber(model.PowerDissipation))
        .Add("isothermal_temp_c", JsonNumber(model.IsothermalTemp))
        .Add("device_width", JsonNumber(model.Layers[0].Width))
        .Add("device_length", JsonNumber(model.Layers[0].Length))
        .Add("heat_source_temp_c", OptionalNumberText(HeatSourceTempCText(model)))
        .Add("total_resistance_c_per_w", JsonNumber(TotalResistance(model)))
        .Add("status", JsonString(StatusName(ModelStatus(model))))
        .Add("invalid_input", OptionalString(InvalidInputName(model)))
        .Add("invalid_input_layer", invalidLayer ? std::to_string(*invalidLayer) : "null")
        .Add("warnings", WarningsJson(loaded.OutOfRange))
        .Add("comments", Text(model.ModelComments))
        .Add("layers", JsonArray(layers, kModelIndent + 2));
    if (loaded.Exact) {
        object.Add("exact", ExactJson(*loaded.Exact, model.LayerCount, kModelIndent + 2));
    }
    if (loaded.Transient)
        object.Add("transient", TransientJson(*loaded.Transient, kModelIndent + 2));
    return object.Text();
}

}  // namespace

std::string JsonReport(const std::vector<LoadedModel>& models, const MaterialTable& table) {
    std::vector<std::string> items;
    for (const LoadedModel& loaded : models) items.push_back(ModelJson(loaded, table));
    return JsonArray(items, 0) + "\n";
}

}  // namespace strativex
