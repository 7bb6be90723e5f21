#include "cli/csv_report.h"

#include "cli/exact_report.h"
#include "cli/model_summary.h"
#include "cli/transient_report.h"
#include "cli/utf8_text.h"
#include "core/csv_fields.h"
#include "core/number_text.h"
#include "core/thermal_calc.h"
#include "core/windows1252.h"

namespace strativex {
namespace {

// The model's fields as the JSON output has them, then the layer's.
constexpr const char* kHeader =
    "file,model_name,units,power_w,isothermal_temp_c,device_width,device_length,"
    "heat_source_temp_c,total_resistance_c_per_w,model_status,invalid_input,invalid_input_layer,"
    "comments,layer,description,material_id,material,thickness,width,length,spread_angle_deg,"
    "area,resistance_c_per_w,top_temp_k,top_temp_c,status,layer_invalid_input";
constexpr const char* kLineEnd = "\r\n";
// A model without layers still has its line, with the layer's fields empty.
constexpr std::size_t kLayerFieldCount = 14;

template <typename T>
std::string Number(const std::optional<T>& value) {
    return value ? ShortestText(*value).value_or("") : "";
}

std::string Number(float value) {
    return ShortestText(value).value_or("");
}

std::string Text(const std::string& windows1252) {
    return QuoteCsvField(Windows1252ToUtf8(windows1252));
}

std::string ModelFields(const LoadedModel& loaded) {
    const Model& model = loaded.Data;
    const auto invalidLayer = InvalidInputLayer(model);
    return QuoteCsvField(ValidUtf8(loaded.Path)) + "," + Text(model.ModelName) + "," +
           std::string(UnitName(model.UnitSystem)) + "," + Number(model.PowerDissipation) + "," +
           Number(model.IsothermalTemp) + "," + Number(model.Layers[0].Width) + "," +
           Number(model.Layers[0].Length) + "," + HeatSourceTempCText(model).value_or("") + "," +
           Number(TotalResistance(model)) + "," + std::string(StatusName(ModelStatus(model))) +
           "," + InvalidInputName(model).value_or("") + "," +
           (invalidLayer ? std::to_string(*invalidLayer) : "") + "," + Text(model.ModelComments);
}

std::string TransientFields(const LoadedModel& loaded) {
    return loaded.Transient ? TransientCsvFields(*loaded.Transient) : "";
}

std::string TransientSeries(const std::vector<LoadedModel>& models) {
    std::string text = kLineEnd + TransientSeriesCsvHeader();
    for (const LoadedModel& loaded : models) {
        if (loaded.Transient) {
            text += TransientSeriesCsvLines(*loaded.Transient, ValidUtf8(loaded.Path));
        }
    }
    return text;
}

std::string LayerFields(const MaterialTable& table, const Layer& layer, int index) {
    const bool invalid = layer.Status == ResultStatus::InvalidInput;
    return std::to_string(index) + "," + Text(layer.Description) + "," +
           std::to_string(layer.MaterialId) + "," +
           QuoteCsvField(MaterialName(table, layer).value_or("")) + "," + Number(layer.Thickness) +
           "," + Number(layer.Width) + "," + Number(layer.Length) + "," +
           Number(layer.SpreadAngle) + "," + Number(layer.Area) + "," +
           Number(ResistanceOf(layer)) + "," + Number(TopTempKOf(layer)) + "," +
           TopTempCText(layer).value_or("") + "," + std::string(StatusName(layer.Status)) + "," +
           (invalid ? std::string(InputFieldName(layer.InvalidField)) : "");
}

}  // namespace

std::string CsvReport(const std::vector<LoadedModel>& models, const MaterialTable& table,
                      bool exactColumns, bool transientColumns) {
    std::string text = std::string(kHeader) + (exactColumns ? ExactCsvHeader() : "") +
                       (transientColumns ? TransientCsvHeader() : "") + kLineEnd;
    for (const LoadedModel& loaded : models) {
        const std::string modelFields = ModelFields(loaded);
        if (loaded.Data.LayerCount == 0)
            text += modelFields + std::string(kLayerFieldCount, ',') +
                    (exactColumns && loaded.Exact ? ExactCsvFields(*loaded.Exact, 1) : "") +
                    TransientFields(loaded) + kLineEnd;
        for (int i = 1; i <= loaded.Data.LayerCount; ++i) {
            text += modelFields + "," + LayerFields(table, loaded.Data.Layers[i], i) +
                    (exactColumns && loaded.Exact ? ExactCsvFields(*loaded.Exact, i) : "") +
                    TransientFields(loaded) + kLineEnd;
        }
    }
    return transientColumns ? text + TransientSeries(models) : text;
}

}  // namespace strativex
