#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

#include "core/number_format.h"
#include "core/units.h"
#include "mainwindow/color_swatch.h"
#include "mainwindow/model_form.h"
#include "views/stack/layer_palette.h"
#include "views/surface/model_text.h"

namespace strativex {
namespace {

// The scroll bar holds whole degrees from 0 to 45; halves go to the even neighbour. A stored
// angle the bar cannot hold is shown by the label and kept as it is.
int ScrollAngle(float angle) {
    const double rounded = std::nearbyint(static_cast<double>(angle));
    return static_cast<int>(std::clamp(std::isnan(rounded) ? 0.0 : rounded, 0.0, 45.0));
}

}  // namespace

void ModelForm::ShowModelName() {
    if (!fields_.ModelName->isModified()) ShowField(Field::ModelName);
}

void ModelForm::ForgetTypedName() {
    fields_.ModelName->setModified(false);
}

// Shows the selected record's stored values; nothing is read back, so selecting a record
// never changes the model.
void ModelForm::ShowRecord() {
    const int index = document_.CurrentLayer();
    const Layer& record = state_.model.Layers[index];
    if (index == 0) {
        fields_.RecordFrame->setTitle(tr("Properties of Heat Source"));
    } else {
        fields_.RecordFrame->setTitle(tr("Properties of Layer %1").arg(index));
        ShowLayerMaterial();
        const QSignalBlocker quiet(fields_.Angle);
        fields_.Angle->setValue(ScrollAngle(record.SpreadAngle));
        ShowAngle(record.SpreadAngle);
        fields_.Swatch->SetColor(PaletteColor(StandardLayerPalette(), record.ColorIndex));
    }
    KeepFocusInRecordFrame(index >= 1 ? fields_.DeviceOnly : fields_.LayerOnly);
    fields_.LayerOnly->setVisible(index >= 1);
    fields_.DeviceOnly->setVisible(index == 0);
    ShowVisibleFields();
}

// A frame hidden with the focus in it would hand the focus down the tab order, into the model
// name with its text selected, where the next key typed replaces the name. The focus goes to
// the first field of the record instead, without selecting its text.
void ModelForm::KeepFocusInRecordFrame(const QWidget* hiding) {
    const QWidget* focused = QApplication::focusWidget();
    if (focused != nullptr && hiding->isAncestorOf(focused)) {
        fields_.Description->setFocus(Qt::OtherFocusReason);
    }
}

// A field being typed in keeps its text: a change made elsewhere meanwhile (the comments
// window's OK) must not wipe it.
void ModelForm::ShowVisibleFields() {
    for (Field field : {Field::Description, Field::Width, Field::Length, Field::Thickness,
                        Field::Power, Field::Isotherm}) {
        if (!EditFor(field)->isModified()) ShowField(field);
    }
}

// The stored value as the program shows it; the text then counts as not typed.
void ModelForm::ShowField(Field field) {
    const Model& model = state_.model;
    const int current = document_.CurrentLayer();
    if (const auto quantity = QuantityFor(field)) {
        const QuantityDescriptor& described = QuantityOf(*quantity);
        EditFor(field)->setText(NumberShown(described, described.Read(model, current)));
        return;
    }
    switch (field) {
        case Field::ModelName:
            fields_.ModelName->setText(FromModelText(model.ModelName));
            fields_.ModelName->setCursorPosition(0);
            break;
        case Field::Description:
            fields_.Description->setText(FromModelText(model.Layers[current].Description));
            fields_.Description->setCursorPosition(0);
            break;
        case Field::Material:
            ShowLayerMaterial();
            break;
        case Field::Width:
        case Field::Length:
        case Field::Thickness:
        case Field::Power:
        case Field::Isotherm:
            break;
    }
}

// A value as its field shows it, with the decimals the preferences keep for it.
QString ModelForm::NumberShown(const QuantityDescriptor& quantity, double value) const {
    if (quantity.ZeroMeansNoLimit && value == 0.0) {
        return QString::fromLatin1(kNoLimitText.data(),
                                   static_cast<qsizetype>(kNoLimitText.size()));
    }
    const auto slot = DigitsSlotOf(quantity, state_.model.UnitSystem);
    return QString::fromStdString(slot ? FormatValue(value, *slot, state_.prefs.DecimalDigits)
                                       : NumberText(static_cast<float>(value)));
}

void ModelForm::ShowUnitLabels() {
    const std::string_view unit = UnitLabel(state_.model.UnitSystem);
    const QString label = QString::fromLatin1(unit.data(), static_cast<qsizetype>(unit.size()));
    for (QLabel* shown : {fields_.ThicknessUnit, fields_.LengthUnit, fields_.WidthUnit}) {
        shown->setText(label);
    }
}

void ModelForm::FillMaterialList() {
    const QSignalBlocker quiet(fields_.Material);
    fields_.Material->clear();
    for (const MaterialListEntry& entry : MaterialListEntries(state_.materials)) {
        fields_.Material->addItem(FromModelText(entry.Name), QVariant(static_cast<int>(entry.Id)));
    }
    fields_.Material->setCurrentIndex(-1);
}

void ModelForm::ShowLayerMaterial() {
    const std::int16_t id = state_.model.Layers[document_.CurrentLayer()].MaterialId;
    const QSignalBlocker quiet(fields_.Material);
    fields_.Material->setCurrentIndex(
        id == 0 ? -1 : fields_.Material->findData(QVariant(static_cast<int>(id))));
}

void ModelForm::ShowAngle(float angle) {
    fields_.AngleValue->setText(QString::fromStdString(NumberText(angle)) +
                                QStringLiteral("\u00B0"));
}

}  // namespace strativex
