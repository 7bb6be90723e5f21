#include "cli/csv_report.h"

#include "cli/csv_text.h"
#include "cli/exact_report.h"
#include "cli/model_summary.h"
#include "cli/number_text.h"
#include "core/thermal_calc.h"
#include "core/windows1252.h"

namespace strativex {
namespace {

constexpr const char* kHeader =
    "file,model_name,units,power_w,isothermal_temp_c,heat_source_temp_c,"
    "total_resistance_c_per_w,model_status,layer,description,material_id,material,thickness,"
    "width,length,spread_angle_deg,area,resistance_c_per_w,top_temp_k,top_temp_c,status";
constexpr const char* kLineEnd = "\r\n";

template <typename T>
std::string Number(const std::optional<T>& value) {
    return value ? ShortestText(*value).value_or("") : "";
}

std::string Number(float value) {
    return ShortestText(value).value_or("");
}

// The columns every line of one model repeats.
std::string ModelFields(const LoadedModel& loaded) {
    const Model& model = loaded.Data;
    return CsvField(loaded.Path) + "," + CsvField(Windows1252ToUtf8(model.ModelName)) + "," +
           std::string(UnitName(model.UnitSystem)) + "," + Number(model.PowerDissipation) + "," +
           Number(model.IsothermalTemp) + "," + Number(HeatSourceTempC(model)) + "," +
           Number(TotalResistance(model)) + "," + std::string(StatusName(ModelStatus(model)));
}

std::string LayerFields(const MaterialTable& table, const Layer& layer, int index) {
    return std::to_string(index) + "," + CsvField(Windows1252ToUtf8(layer.Description)) + "," +
           std::to_string(layer.MaterialId) + "," +
           CsvField(MaterialName(table, layer).value_or("")) + "," + Number(layer.Thickness) + "," +
           Number(layer.Width) + "," + Number(layer.Length) + "," + Number(layer.SpreadAngle) +
           "," + Number(layer.Area) + "," + Number(ResistanceOf(layer)) + "," +
           Number(TopTempKOf(layer)) + "," + Number(TopTempCOf(layer)) + "," +
           std::string(StatusName(layer.Status));
}

}  // namespace

std::string CsvReport(const std::vector<LoadedModel>& models, const MaterialTable& table,
                      bool exactColumns) {
    std::string text = std::string(kHeader) + (exactColumns ? ExactCsvHeader() : "") + kLineEnd;
    for (const LoadedModel& loaded : models) {
        const std::string modelFields = ModelFields(loaded);
        for (int i = 1; i <= loaded.Data.LayerCount; ++i) {
            text += modelFields + "," + LayerFields(table, loaded.Data.Layers[i], i) +
                    (exactColumns && loaded.Exact ? ExactCsvFields(*loaded.Exact, i) : "") +
                    kLineEnd;
        }
    }
    return text;
}

}  // namespace strativex
