#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "core/number_format.h"
#include "core/typed_number.h"
#include "dialogs/custom_materials_dialog.h"
#include "dialogs/storable_text.h"
#include "platform/leaving_field.h"
#include "platform/typed_number_text.h"
#include "views/surface/model_text.h"

namespace strativex {
namespace {

QString LargestSingleText() {
    return QString::fromStdString(NumberText(std::numeric_limits<float>::max()));
}

}  // namespace

// Leaving a field checks it, except for Cancel, which closes without looking at it; a refused
// field takes the focus back. A press on the list is held off while a field is refused, so
// that the entry shown cannot change under an unsettled value.
bool CustomMaterialsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == materialList_->viewport()) {
        const bool press = event->type() == QEvent::MouseButtonPress ||
                           event->type() == QEvent::MouseButtonDblClick;
        return press && refused_ != nullptr;
    }
    if (event->type() != QEvent::FocusOut || !isVisible()) {
        return QDialog::eventFilter(watched, event);
    }
    if (!LeavesForAnotherControl(*event)) return QDialog::eventFilter(watched, event);
    const QWidget* next = QApplication::focusWidget();
    if (watched == cancelButton_) {
        CancelLeft(next);
    } else {
        FieldLeft(static_cast<QLineEdit*>(watched), next);
    }
    return QDialog::eventFilter(watched, event);
}

void CustomMaterialsDialog::FieldLeft(QLineEdit* field, const QWidget* next) {
    if (next == cancelButton_) {
        deferred_ = field;
        return;
    }
    // Only the refused field is checked until it is settled; any other field merely passes
    // the focus on its way back.
    if (refused_ != nullptr && refused_ != field) return;
    if (!ValidateField(field)) HoldFocus(field);
}

// The check that Cancel put off is made when the focus moves on to anything but that field.
void CustomMaterialsDialog::CancelLeft(const QWidget* next) {
    QLineEdit* field = std::exchange(deferred_, nullptr);
    if (field == nullptr || next == field) return;
    if (!ValidateField(field)) HoldFocus(field);
}

bool CustomMaterialsDialog::ValidateField(QLineEdit* field) {
    bool accepted = true;
    if (field == nameEdit_) {
        accepted = CheckName();
    } else if (field == heatEdits_[0] || field == heatEdits_[1]) {
        accepted = CheckHeat(field == heatEdits_[0] ? 0 : 1);
    } else {
        accepted = CheckProperty(field == propertyEdits_[0] ? 0 : 1);
    }
    refused_ = accepted ? nullptr : field;
    return accepted;
}

// A command first settles the field that still has the focus, as leaving it would.
bool CustomMaterialsDialog::FieldsSettled() {
    const QWidget* focused = QApplication::focusWidget();
    for (QLineEdit* field :
         {nameEdit_, propertyEdits_[0], propertyEdits_[1], heatEdits_[0], heatEdits_[1]}) {
        if (focused == field) return ValidateField(field);
    }
    return refused_ == nullptr;
}

bool CustomMaterialsDialog::NameStorable(const QString& name) {
    const auto problem = QuotedFieldProblem(name);
    if (!problem) return true;
    Message(QStringLiteral("The material name holds %1, which the custom materials file cannot "
                           "store.\r\nPlease change the name.")
                .arg(*problem),
            QStringLiteral("Character Not Supported"), MessageIcon::Exclamation,
            MessageButtons::Ok);
    return false;
}

// A value beyond a 32-bit float would be written as text that the file cannot be read back
// from.
bool CustomMaterialsDialog::PropertyInRange(int index, double value) {
    if (std::fabs(value) <= std::numeric_limits<float>::max()) return true;
    Notice(index == 0 ? QStringLiteral("Material property 'A' must not be greater than %1.")
                            .arg(LargestSingleText())
                      : QStringLiteral("Material property 'B' must lie between -%1 and %1.")
                            .arg(LargestSingleText()));
    return false;
}

bool CustomMaterialsDialog::CheckName() {
    const int selected = SelectedEntry();
    if (selected < 1) return true;
    const QString text = nameEdit_->text();
    if (!NameStorable(text)) return false;
    bool accepted = true;
    if (text.isEmpty()) {
        Notice(QStringLiteral("Material must have a name."));
        accepted = false;
    }
    // An emptied name shows in the list while the field holds the focus.
    const std::string bytes = *ToModelText(text);
    Material& material = copy_.Shown[selected - 1];
    if (bytes != material.Name) {
        material.Name = bytes;
        // The heat capacity row carries the name too.
        if (heat_.contains(material.Id)) heatEdited_.insert(material.Id);
        materialList_->item(selected)->setText(text);
        MarkChanged();
    }
    return accepted;
}

// The whole text must be the number: "1,5" read as 1 would go into the file without a word.
std::optional<double> CustomMaterialsDialog::ReadProperty(int index) {
    const QString text = propertyEdits_[index]->text();
    const TypedNumber typed = ReadTypedNumber(text.toStdString(), {});
    if (typed.Fault != TypedNumberFault::None) {
        Notice(QStringLiteral("Material property '%1' must be a number.\r\n")
                   .arg(index == 0 ? QLatin1Char('A') : QLatin1Char('B')) +
               NotANumberText(text, typed.Fault));
        return std::nullopt;
    }
    if (!PropertyInRange(index, typed.Value)) return std::nullopt;
    return typed.Value;
}

bool CustomMaterialsDialog::CheckProperty(int index) {
    const int selected = SelectedEntry();
    if (selected < 1) return true;
    const std::optional<double> read = ReadProperty(index);
    bool accepted = read.has_value();
    if (accepted) {
        const double value = *read;
        Material& material = copy_.Shown[selected - 1];
        float& stored = index == 0 ? material.A : material.B;
        if (static_cast<float>(value) != stored) {
            stored = static_cast<float>(value);
            editorChanged_ = true;
        }
        if (index == 0 && stored <= 0.0f) {
            Notice(QStringLiteral("Material property 'A' must be greater than zero"));
            accepted = false;
        }
    }
    acceptButton_->setEnabled(editorChanged_);
    return accepted;
}

}  // namespace strativex
