#include <QLineEdit>
#include <QListWidget>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "core/heat_capacity_file.h"
#include "core/number_conversion.h"
#include "core/text_file.h"
#include "core/windows1252.h"
#include "dialogs/custom_materials_dialog.h"
#include "persistence/program_folders.h"
#include "platform/native_path.h"
#include "views/surface/model_text.h"

namespace strativex {
namespace {

constexpr const char* kCustomSource = "custom";

QString HeatText(const std::optional<double>& value) {
    return value ? QString::number(*value, 'g', 15) : QString();
}

}  // namespace

void CustomMaterialsDialog::StartHeatCapacities() {
    const std::filesystem::path custom(state_.materialPaths.Custom);
    heatPath_ = HeatCapacityPathIn(custom.parent_path().string());
    const HeatCapacityTable table = LoadHeatCapacities(heatPath_);
    for (const Material& material : copy_.Shown) {
        if (const auto row = FindHeatCapacity(table, material.Id)) {
            heat_[material.Id] = {row->Density, row->SpecificHeat, row->Source};
        }
    }
}

void CustomMaterialsDialog::ShowHeat(int row) {
    HeatEntry shown;
    if (row > 0) {
        const auto entry = heat_.find(copy_.Shown[static_cast<std::size_t>(row - 1)].Id);
        if (entry != heat_.end()) shown = entry->second;
    }
    heatEdits_[0]->setText(HeatText(shown.Density));
    heatEdits_[1]->setText(HeatText(shown.SpecificHeat));
}

// Blank is no value; anything else must be a positive number. Nothing when refused.
std::optional<std::optional<double>> CustomMaterialsDialog::ReadHeatField(int index) {
    const QString text = heatEdits_[static_cast<std::size_t>(index)]->text().trimmed();
    if (text.isEmpty()) return std::optional<double>();
    const auto value = ParseDecimal(text.toStdString());
    if (value && std::isfinite(*value) && *value > 0.0) return value;
    Notice((index == 0 ? QStringLiteral("The density '%1' is not a number greater than zero.")
                       : QStringLiteral("The specific heat '%1' is not a number greater than "
                                        "zero."))
               .arg(text) +
           QStringLiteral("\r\nLeave it blank for a material without heat capacity."));
    return std::nullopt;
}

bool CustomMaterialsDialog::CheckHeat(int index) {
    const auto value = ReadHeatField(index);
    if (!value) return false;
    const int selected = SelectedEntry();
    if (selected < 1) return true;
    const Material& material = copy_.Shown[static_cast<std::size_t>(selected - 1)];
    HeatEntry& entry = heat_[material.Id];
    std::optional<double>& stored = index == 0 ? entry.Density : entry.SpecificHeat;
    if (stored != *value) {
        stored = *value;
        if (entry.Source.empty()) entry.Source = kCustomSource;
        heatEdited_.insert(material.Id);
        MarkChanged();
    }
    return true;
}

// Half a heat capacity is none: the user is asked for both or neither.
bool CustomMaterialsDialog::HeatComplete() {
    for (const Material& material : copy_.Shown) {
        const auto entry = heat_.find(material.Id);
        if (entry == heat_.end()) continue;
        if (entry->second.Density.has_value() == entry->second.SpecificHeat.has_value()) continue;
        Notice(QStringLiteral("Give the custom material '%1' both a density and a specific "
                              "heat, or neither.")
                   .arg(FromModelText(material.Name)));
        return false;
    }
    return true;
}

// The file the edited rows go into: the folder's own, or where it has none yet, the shipped
// one, so that the standard materials keep their rows. Nothing when the folder's file is
// there but cannot be read, which would otherwise be overwritten.
std::optional<std::string> CustomMaterialsDialog::HeatOriginal() {
    const FileRead own = ReadBoundedFile(heatPath_, kSmallFileLimit);
    if (own.Content) return own.Content;
    if (!own.Absent) {
        Message(QStringLiteral("Unable to read the heat capacity file\r\n'%1'\r\n(%2)\r\n"
                               "Nothing saved; the files are as they were.")
                    .arg(PathText(heatPath_), QString::fromStdString(own.Problem)),
                QStringLiteral("Error Saving Materials File"), MessageIcon::Exclamation,
                MessageButtons::Ok);
        return std::nullopt;
    }
    const FileRead shipped = ReadBoundedFile(
        HeatCapacityPathIn(ShippedMaterialsFolder(state_.folders)), kSmallFileLimit);
    return shipped.Content.value_or(std::string());
}

bool CustomMaterialsDialog::SaveHeatCapacities(const std::string& original) {
    if (heatEdited_.empty()) return true;
    std::vector<HeatCapacity> rows;
    std::vector<int> removed;
    for (const std::int16_t id : heatEdited_) {
        const auto material = std::find_if(copy_.Shown.begin(), copy_.Shown.end(),
                                           [id](const Material& m) { return m.Id == id; });
        const auto entry = heat_.find(id);
        if (material == copy_.Shown.end() || entry == heat_.end() || !entry->second.Density ||
            !entry->second.SpecificHeat) {
            removed.push_back(id);
            continue;
        }
        rows.push_back({id, Windows1252ToUtf8(material->Name), *entry->second.Density,
                        *entry->second.SpecificHeat, entry->second.Source});
    }
    const SafeWriteResult written =
        SafeWriteFile(heatPath_, MergeHeatCapacities(original, rows, removed));
    if (written.Ok) return true;
    Message(QStringLiteral("Unable to save the heat capacity file\r\n'%1'\r\n(%2)\r\n"
                           "The custom materials were saved; their heat capacities were not, "
                           "and the file is as it was.")
                .arg(PathText(heatPath_), QString::fromStdString(written.SystemError)),
            QStringLiteral("Error Saving Materials File"), MessageIcon::Exclamation,
            MessageButtons::Ok);
    return false;
}

}  // namespace strativex
