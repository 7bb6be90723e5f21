#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "dialogs/custom_materials_dialog.h"
#include "platform/native_path.h"
#include "views/surface/model_text.h"

namespace strativex {
namespace {

QString SaveFailureText(const std::string& path, const SafeWriteResult& written) {
    const QString step = written.FailedStep == SafeWriteStep::Open
                             ? QStringLiteral("Error opening file for output")
                             : QStringLiteral("Error writing file for output");
    return QStringLiteral(
               "Unable to save custom materials data file\r\n'%1'\r\n%2 (%3)\r\n"
               "Custom materials not saved; the file is as it was.")
        .arg(PathText(path), step, QString::fromStdString(written.SystemError));
}

}  // namespace

void CustomMaterialsDialog::CreateMaterial() {
    if (!FieldsSettled()) return;
    const QString name = nameEdit_->text();
    if (name.isEmpty()) {
        Notice(QStringLiteral("New material must have a name."));
        return;
    }
    if (!NameStorable(name)) return;
    const std::optional<double> readA = ReadProperty(0);
    if (!readA) return;
    const std::optional<double> readB = ReadProperty(1);
    if (!readB) return;
    const double a = *readA;
    const double b = *readB;
    const auto density = ReadHeatField(0);
    const auto specificHeat = ReadHeatField(1);
    if (!density || !specificHeat) return;
    // A value too small for a 32-bit float would be stored as 0.
    if (static_cast<float>(a) <= 0.0f) {
        Notice(QStringLiteral("Material property 'A' must be greater than zero."));
        return;
    }
    const auto id = NextCustomId(copy_, StandardIds());
    if (!id) {
        Notice(
            QStringLiteral("No new material can be created: the largest material id is in "
                           "use.\r\nDelete the custom material with the largest id first."));
        return;
    }
    copy_.Shown.push_back({*ToModelText(name), *id, static_cast<float>(a), static_cast<float>(b)});
    if (*density || *specificHeat) {
        heat_[*id] = {*density, *specificHeat, "custom"};
        heatEdited_.insert(*id);
    }
    materialList_->addItem(name);
    const int count = static_cast<int>(copy_.Shown.size());
    SelectEntry(count);
    createButton_->setEnabled(count < kEditorMaterialLimit);
    MarkChanged();
}

void CustomMaterialsDialog::DeleteMaterial() {
    if (!FieldsSettled()) return;
    const int selected = SelectedEntry();
    const QString title =
        QStringLiteral("Delete Custom Material '%1'?").arg(materialList_->item(selected)->text());
    const MessageAnswer answer =
        Message(QStringLiteral("Deleting this custom material will affect any models which\r\n"
                               " use this material.  Delete this material anyway?"),
                title, MessageIcon::None, MessageButtons::OkCancel);
    if (answer != MessageAnswer::Ok) return;
    const std::int16_t id = copy_.Shown[static_cast<std::size_t>(selected - 1)].Id;
    if (heat_.erase(id) > 0) heatEdited_.insert(id);
    copy_.Shown.erase(copy_.Shown.begin() + (selected - 1));
    {
        const QSignalBlocker blocker(materialList_);
        delete materialList_->takeItem(selected);
    }
    SelectEntry(0);
    createButton_->setEnabled(true);
    MarkChanged();
}

// A failed save keeps the editor open with every change, so that the user can retry or cancel.
void CustomMaterialsDialog::AcceptChanges() {
    if (!FieldsSettled() || !HeatComplete()) return;
    const MessageAnswer answer =
        Message(QStringLiteral("All changes to custom materials will be saved."),
                QStringLiteral("Exit Custom Materials Editor?"), MessageIcon::None,
                MessageButtons::OkCancel);
    if (answer != MessageAnswer::Ok) return;
    const auto heatOriginal = HeatOriginal();
    if (!heatOriginal) return;
    const std::string& path = state_.materialPaths.Custom;
    const SafeWriteResult written = WriteCustomMaterialsFile(path, copy_);
    if (!written.Ok) {
        Message(SaveFailureText(path, written), QStringLiteral("Error Saving Materials File"),
                MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    if (!SaveHeatCapacities(*heatOriginal)) return;
    accept();
}

std::vector<std::int16_t> CustomMaterialsDialog::StandardIds() const {
    std::vector<std::int16_t> ids;
    for (int i = 1; i < state_.materials.FirstCustomIndex; ++i) {
        ids.push_back(state_.materials.Materials[i].Id);
    }
    return ids;
}

}  // namespace strativex
