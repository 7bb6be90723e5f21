#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

#include "core/number_format.h"
#include "core/units.h"
#include "mainwindow/main_window.h"
#include "views/model_text.h"

namespace strativex {
namespace {

QString Bound(float value) {
    return QString::fromStdString(NumberText(value));
}

}  // namespace

std::optional<MainWindow::Field> MainWindow::FieldOf(const QObject* widget) const {
    const std::array<std::pair<const QObject*, Field>, 8> fields{{
        {TextModelName, Field::ModelName},
        {TextLayerDescrip, Field::Description},
        {TextDevWidth, Field::Width},
        {TextDevLength, Field::Length},
        {TextThickness, Field::Thickness},
        {TextThermOutput, Field::Power},
        {TextIsotherm, Field::Isotherm},
        {ComboMaterials, Field::Material},
    }};
    for (const auto& [control, field] : fields) {
        if (control == widget) return field;
    }
    return std::nullopt;
}

QLineEdit* MainWindow::EditFor(Field field) const {
    switch (field) {
        case Field::ModelName:
            return TextModelName;
        case Field::Description:
            return TextLayerDescrip;
        case Field::Width:
            return TextDevWidth;
        case Field::Length:
            return TextDevLength;
        case Field::Thickness:
            return TextThickness;
        case Field::Power:
            return TextThermOutput;
        case Field::Isotherm:
            return TextIsotherm;
        case Field::Material:
            break;
    }
    return nullptr;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PicColor && event->type() == QEvent::MouseButtonPress) {
        StepLayerColor(static_cast<QMouseEvent*>(event)->button());
        return true;
    }
    if (event->type() != QEvent::FocusOut || validating_) {
        return QMainWindow::eventFilter(watched, event);
    }
    // Switching to another window or opening a menu does not leave the field.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
        return QMainWindow::eventFilter(watched, event);
    }
    const auto field = FieldOf(watched);
    if (field && !CommitField(*field)) {
        auto* widget = static_cast<QWidget*>(watched);
        QTimer::singleShot(0, widget, [widget] { widget->setFocus(Qt::OtherFocusReason); });
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::CommitActiveField() {
    const auto field = FieldOf(QApplication::focusWidget());
    return !field || validating_ || CommitField(*field);
}

bool MainWindow::CommitField(Field field) {
    validating_ = true;
    bool accepted = true;
    switch (field) {
        case Field::ModelName:
        case Field::Description:
            accepted = CommitText(field);
            break;
        case Field::Material:
            accepted = CommitMaterial();
            break;
        case Field::Width:
        case Field::Length:
        case Field::Thickness:
        case Field::Power:
        case Field::Isotherm:
            accepted = CheckNumericField(field);
            break;
    }
    validating_ = false;
    return accepted;
}

MainWindow::RangeCheck MainWindow::RangeFor(Field field) const {
    const bool inches = state_.model.UnitSystem == LengthUnit::Inches;
    const QString unit = QString::fromLatin1(UnitLabel(state_.model.UnitSystem).data());
    const int lengthSlot = WidthLengthSlot(state_.model.UnitSystem);
    const auto range = [](float lo, float hi, int slot, const QString& text, const char* title) {
        return RangeCheck{lo, hi, slot, text.arg(Bound(lo), Bound(hi)), QString::fromLatin1(title)};
    };
    switch (field) {
        case Field::Power:
            return range(0.0001f, 1000.0f, kPowerSlot,
                         QStringLiteral("Thermal output must be between %1 and %2 Watts."),
                         "Thermal Output Value Out of Range");
        case Field::Isotherm:
            return range(-50.0f, 500.0f, kTemperatureSlot,
                         QStringLiteral("Isothermal temperature must be between %1 and %2 deg C."),
                         "Isothermal Temperature Value Out of Range");
        case Field::Width:
            return range(inches ? 0.001f : 0.025f, inches ? 10.0f : 250.0f, lengthSlot,
                         QStringLiteral("Width must be between %1 and %2 ") + unit,
                         "Width Value Out of Range");
        case Field::Length:
            return range(inches ? 0.001f : 0.025f, inches ? 10.0f : 250.0f, lengthSlot,
                         QStringLiteral("Length must be between %1 and %2 ") + unit,
                         "Length Value Out of Range");
        case Field::Thickness:
        case Field::ModelName:
        case Field::Description:
        case Field::Material:
            break;
    }
    return range(inches ? 1e-6f : 2.5e-5f, inches ? 1.0f : 25.0f,
                 ThicknessSlot(state_.model.UnitSystem),
                 QStringLiteral("Layer thickness must be between %1 and %2 ") + unit,
                 "Layer Thickness Value Out of Range");
}

float* MainWindow::ModelValueFor(Field field) {
    Layer& record = state_.model.Layers[state_.model.CurrentLayer];
    switch (field) {
        case Field::Power:
            return &state_.model.PowerDissipation;
        case Field::Isotherm:
            return &state_.model.IsothermalTemp;
        case Field::Width:
            return &record.Width;
        case Field::Length:
            return &record.Length;
        case Field::Thickness:
        case Field::ModelName:
        case Field::Description:
        case Field::Material:
            break;
    }
    return &record.Thickness;
}

bool MainWindow::CheckNumericField(Field field) {
    QLineEdit* edit = EditFor(field);
    const RangeCheck range = RangeFor(field);
    float* stored = ModelValueFor(field);
    const float old = *stored;
    const double typed = ReadNumber(edit->text().toStdString());
    const auto value = static_cast<float>(typed);
    const bool noLimit = (field == Field::Width || field == Field::Length) && value == 0.0f &&
                         state_.model.CurrentLayer >= 1;
    if (!noLimit && !(value >= range.Low && value <= range.High)) {
        Message(range.Message, range.Title, MessageIcon::None, MessageButtons::Ok);
        return false;
    }
    *stored = value;
    edit->setText(noLimit ? QString::fromLatin1(kNoLimitText.data(), kNoLimitText.size())
                          : QString::fromStdString(
                                FormatDecimals(typed, state_.prefs.DecimalDigits[range.Slot])));
    if (*stored == old) return true;
    const bool geometry = field == Field::Width || field == Field::Thickness;
    RefreshAfterResultChange(geometry);
    return true;
}

bool MainWindow::CommitText(Field field) {
    QLineEdit* edit = EditFor(field);
    const auto bytes = ToModelText(edit->text());
    if (!bytes) {
        Message(tr("The text holds a character that a model file cannot store.\r\n"
                   "Please use only Western European characters."),
                tr("Character Not Supported"), MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    // The model file keeps the name in double quotes and has no way to escape one.
    if (field == Field::ModelName && bytes->find('"') != std::string::npos) {
        Message(tr("A model name cannot contain a double quote (\")."),
                tr("Character Not Supported"), MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    std::string& stored = field == Field::ModelName
                              ? state_.model.ModelName
                              : state_.model.Layers[state_.model.CurrentLayer].Description;
    if (*bytes != stored) state_.model.ModelChanged = true;
    stored = *bytes;
    return true;
}

bool MainWindow::CommitMaterial() {
    if (ComboMaterials->currentIndex() >= 0) return true;
    Message(QStringLiteral("Please select a material for the current layer."),
            QStringLiteral("Material Selection Required"), MessageIcon::None, MessageButtons::Ok);
    return false;
}

void MainWindow::MaterialPicked(int entry) {
    if (entry < 0 || state_.model.CurrentLayer < 1) return;
    Layer& layer = state_.model.Layers[state_.model.CurrentLayer];
    const auto id = static_cast<std::int16_t>(ComboMaterials->itemData(entry).toInt());
    if (id == layer.MaterialId) return;
    layer.MaterialId = id;
    RefreshAfterResultChange(false);
}

void MainWindow::AngleChanged(int value) {
    if (state_.model.CurrentLayer < 1) return;
    float& stored = state_.model.Layers[state_.model.CurrentLayer].SpreadAngle;
    const bool changed = stored != static_cast<float>(value);
    stored = static_cast<float>(value);
    ShowAngle(stored);
    RedrawScaleView();
    Recalculate();
    RedrawLayerStrip();
    RedrawDataTable();
    if (changed) state_.model.ModelChanged = true;
}

void MainWindow::ShowAngle(float angle) {
    LabelThermAngValue->setText(QString::fromStdString(NumberText(angle)) +
                                QStringLiteral("\u00B0"));
}

void MainWindow::CheckWidthField() {
    CommitField(Field::Width);
}
void MainWindow::CheckLengthField() {
    CommitField(Field::Length);
}
void MainWindow::CheckThicknessField() {
    CommitField(Field::Thickness);
}
void MainWindow::CheckPowerField() {
    CommitField(Field::Power);
}
void MainWindow::CheckIsothermField() {
    CommitField(Field::Isotherm);
}

}  // namespace strativex
