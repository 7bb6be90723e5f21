#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <utility>

#include "core/number_conversion.h"
#include "core/number_format.h"
#include "core/quantity.h"
#include "core/typed_number.h"
#include "core/units.h"
#include "mainwindow/main_window.h"
#include "platform/leaving_field.h"
#include "platform/typed_number_text.h"
#include "views/model_text.h"

namespace strativex {
namespace {

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        // A click on a control that takes the focus has already left the field, and been
        // refused, before the click itself arrives.
        if (std::exchange(swallowPress_, false)) return true;
        if (RefusesPress(watched)) return true;
    }
    if (type == QEvent::FocusOut && !committing_ && LeavesForAnotherControl(*event)) {
        const auto field = FieldOf(watched);
        if (field && !CommitField(*field, Refusal::Tell)) {
            swallowPress_ = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
            HoldFocus(static_cast<QWidget*>(watched));
        } else if (field == Field::ModelName || field == Field::Description) {
            // A long text left behind shows its beginning, as when it was first shown.
            EditFor(*field)->setCursorPosition(0);
        }
    }
    if (type == QEvent::KeyPress && watched == angleBar_) {
        return StepAngleByKey(static_cast<QKeyEvent*>(event)->key());
    }
    return QMainWindow::eventFilter(watched, event);
}

// The scroll bar answers only page keys by itself; the arrows and Home and End step the angle
// as its buttons would.
bool MainWindow::StepAngleByKey(int key) {
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Down:
            angleBar_->triggerAction(QAbstractSlider::SliderSingleStepSub);
            return true;
        case Qt::Key_Right:
        case Qt::Key_Up:
            angleBar_->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            return true;
        case Qt::Key_Home:
            angleBar_->triggerAction(QAbstractSlider::SliderToMinimum);
            return true;
        case Qt::Key_End:
            angleBar_->triggerAction(QAbstractSlider::SliderToMaximum);
            return true;
        default:
            return false;
    }
}

// A click elsewhere in the window first commits the field being edited, as leaving it would;
// when the field refuses its value the click does nothing else: no list opens, no command runs.
bool MainWindow::RefusesPress(const QObject* target) {
    const auto field = ActiveField();
    if (!field || committing_) return false;
    QWidget* edited = *field == Field::Material ? static_cast<QWidget*>(materialList_)
                                                : static_cast<QWidget*>(EditFor(*field));
    const auto* widget = qobject_cast<const QWidget*>(target);
    if (widget == edited || (widget != nullptr && edited->isAncestorOf(widget))) return false;
    return !CommitField(*field, Refusal::Tell);
}

std::optional<MainWindow::Field> MainWindow::FieldOf(const QObject* widget) const {
    const std::array<std::pair<const QObject*, Field>, 8> fields{{
        {modelNameEdit_, Field::ModelName},
        {descriptionEdit_, Field::Description},
        {widthEdit_, Field::Width},
        {lengthEdit_, Field::Length},
        {thicknessEdit_, Field::Thickness},
        {powerEdit_, Field::Power},
        {isothermEdit_, Field::Isotherm},
        {materialList_, Field::Material},
    }};
    for (const auto& [control, field] : fields) {
        if (control == widget) return field;
    }
    return std::nullopt;
}

std::optional<MainWindow::Field> MainWindow::ActiveField() const {
    return FieldOf(QApplication::focusWidget());
}

QLineEdit* MainWindow::EditFor(Field field) const {
    switch (field) {
        case Field::ModelName:
            return modelNameEdit_;
        case Field::Description:
            return descriptionEdit_;
        case Field::Width:
            return widthEdit_;
        case Field::Length:
            return lengthEdit_;
        case Field::Thickness:
            return thicknessEdit_;
        case Field::Power:
            return powerEdit_;
        case Field::Isotherm:
            return isothermEdit_;
        case Field::Material:
            break;
    }
    return nullptr;
}

bool MainWindow::CommitActiveField() {
    const auto field = ActiveField();
    return !field || committing_ || CommitField(*field, Refusal::Tell);
}

void MainWindow::SettleActiveFieldToDiscard() {
    if (const auto field = ActiveField(); field && !committing_) {
        CommitField(*field, Refusal::Drop);
    }
}

bool MainWindow::CommitField(Field field, Refusal refusal) {
    committing_ = true;
    bool accepted = true;
    switch (field) {
        case Field::ModelName:
        case Field::Description:
            accepted = CommitText(field, refusal);
            break;
        case Field::Material:
            accepted = CommitMaterial(refusal);
            break;
        case Field::Width:
        case Field::Length:
        case Field::Thickness:
        case Field::Power:
        case Field::Isotherm:
            accepted = CommitNumber(field, refusal);
            break;
    }
    committing_ = false;
    return accepted;
}

// The width and length fields edit the heat source's size on record 0 and a layer's own
// otherwise; the text fields and the material list edit no number.
std::optional<QuantityId> MainWindow::QuantityFor(Field field) const {
    const bool ofLayer = state_.model.CurrentLayer >= 1;
    switch (field) {
        case Field::Power:
            return QuantityId::Power;
        case Field::Isotherm:
            return QuantityId::IsothermalTemp;
        case Field::Width:
            return ofLayer ? QuantityId::Width : QuantityId::DeviceWidth;
        case Field::Length:
            return ofLayer ? QuantityId::Length : QuantityId::DeviceLength;
        case Field::Thickness:
            return QuantityId::Thickness;
        case Field::ModelName:
        case Field::Description:
        case Field::Material:
            break;
    }
    return std::nullopt;
}

// Only text the user typed is read back: a field that still shows what the program put there
// is neither checked nor stored, so that looking at a model never changes it.
bool MainWindow::CommitNumber(Field field, Refusal refusal) {
    QLineEdit* edit = EditFor(field);
    if (!edit->isModified()) return true;
    const QuantityDescriptor& quantity = QuantityOf(*QuantityFor(field));
    const LengthUnit unit = state_.model.UnitSystem;
    const TypedNumber typed = ReadField(quantity, edit->text());
    const auto value = static_cast<float>(typed.Value);
    if (typed.Fault != TypedNumberFault::None || !Accepts(quantity, value, unit)) {
        if (refusal == Refusal::Tell) {
            Message(RefusalText(quantity, edit->text(), typed.Fault), Latin1(quantity.RangeTitle),
                    MessageIcon::None, MessageButtons::Ok);
        } else {
            ShowField(field);
        }
        return false;
    }
    const int layer = state_.model.CurrentLayer;
    const float old = quantity.Read(state_.model, layer);
    quantity.Write(state_.model, layer, value);
    edit->setText(NumberShown(quantity, typed.Value));
    if (value == old) return true;
    const bool geometry = field == Field::Width || field == Field::Thickness;
    Refresh(Change::Results | Change::Strip | Change::Table | Change::MarkChanged |
            (geometry ? Change::ScaleView : Changes{}));
    return true;
}

// The whole text must be the number, with the field's unit after it if the user likes. A
// layer's width or length also takes the text it shows for no limit, and an empty field where
// it showed that: only a limit the layer already lacks can be cleared away.
TypedNumber MainWindow::ReadField(const QuantityDescriptor& quantity, const QString& text) const {
    if (quantity.ZeroMeansNoLimit) {
        const QString trimmed = text.trimmed();
        const float stored = quantity.Read(state_.model, state_.model.CurrentLayer);
        if (trimmed.compare(Latin1(kNoLimitText), Qt::CaseInsensitive) == 0 ||
            (trimmed.isEmpty() && stored == 0.0f)) {
            return {};
        }
    }
    return ReadQuantityText(quantity, text.toStdString(), state_.model.UnitSystem);
}

QString MainWindow::RefusalText(const QuantityDescriptor& quantity, const QString& typed,
                                TypedNumberFault fault) const {
    const QString range = QString::fromStdString(RangeMessageOf(quantity, state_.model.UnitSystem));
    if (fault == TypedNumberFault::None) return range;
    QString text = range + QStringLiteral("\r\n") + NotANumberText(typed, fault);
    if (quantity.ZeroMeansNoLimit) {
        text +=
            QStringLiteral("\r\n") +
            tr("Type 0 or %1 for a layer without a limit of its own.").arg(Latin1(kNoLimitText));
    }
    return text;
}

// A value as its field shows it, with the decimals the preferences keep for it.
QString MainWindow::NumberShown(const QuantityDescriptor& quantity, double value) const {
    if (quantity.ZeroMeansNoLimit && value == 0.0) return Latin1(kNoLimitText);
    const auto slot = DigitsSlotOf(quantity, state_.model.UnitSystem);
    return QString::fromStdString(slot ? FormatValue(value, *slot, state_.prefs.DecimalDigits)
                                       : NumberText(static_cast<float>(value)));
}

bool MainWindow::CommitText(Field field, Refusal refusal) {
    QLineEdit* edit = EditFor(field);
    if (!edit->isModified()) return true;
    const auto bytes = ToModelText(edit->text());
    QString problem;
    if (!bytes) {
        problem =
            tr("The text holds a character that a model file cannot store.\r\n"
               "Please use only Western European characters.");
    } else if (field == Field::ModelName && bytes->find('"') != std::string::npos) {
        // The model file keeps the name in double quotes and has no way to escape one.
        problem = tr("A model name cannot contain a double quote (\").");
    }
    if (!problem.isEmpty()) {
        if (refusal == Refusal::Tell) {
            Message(problem, tr("Character Not Supported"), MessageIcon::Exclamation,
                    MessageButtons::Ok);
        } else {
            ShowField(field);
        }
        return false;
    }
    std::string& stored = field == Field::ModelName
                              ? state_.model.ModelName
                              : state_.model.Layers[state_.model.CurrentLayer].Description;
    const bool changed = *bytes != stored;
    stored = *bytes;
    edit->setModified(false);
    if (changed) Refresh(Change::MarkChanged);
    return true;
}

bool MainWindow::CommitMaterial(Refusal refusal) {
    if (materialList_->currentIndex() >= 0) return true;
    if (refusal == Refusal::Tell) {
        Message(QStringLiteral("Please select a material for the current layer."),
                QStringLiteral("Material Selection Required"), MessageIcon::None,
                MessageButtons::Ok);
    }
    return false;
}

// The stored value as the program shows it; the text then counts as not typed.
void MainWindow::ShowField(Field field) {
    const Model& model = state_.model;
    const Layer& record = model.Layers[model.CurrentLayer];
    if (const auto quantity = QuantityFor(field)) {
        const QuantityDescriptor& described = QuantityOf(*quantity);
        EditFor(field)->setText(NumberShown(described, described.Read(model, model.CurrentLayer)));
        return;
    }
    switch (field) {
        case Field::ModelName:
            modelNameEdit_->setText(FromModelText(model.ModelName));
            modelNameEdit_->setCursorPosition(0);
            break;
        case Field::Description:
            descriptionEdit_->setText(FromModelText(record.Description));
            descriptionEdit_->setCursorPosition(0);
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

void MainWindow::ShowVisibleFields() {
    for (Field field : {Field::Description, Field::Width, Field::Length, Field::Thickness,
                        Field::Power, Field::Isotherm}) {
        ShowField(field);
    }
}

void MainWindow::MaterialPicked(int entry) {
    if (entry < 0 || state_.model.CurrentLayer < 1) return;
    Layer& layer = state_.model.Layers[state_.model.CurrentLayer];
    const auto id = static_cast<std::int16_t>(materialList_->itemData(entry).toInt());
    if (id == layer.MaterialId) return;
    layer.MaterialId = id;
    Refresh(Change::Results | Change::Strip | Change::Table | Change::MarkChanged);
}

// Only a move of the scroll bar by the user changes the angle; showing a record sets the bar
// with its signals blocked.
void MainWindow::AngleChanged(int value) {
    if (state_.model.CurrentLayer < 1) return;
    float& stored = state_.model.Layers[state_.model.CurrentLayer].SpreadAngle;
    const bool changed = stored != static_cast<float>(value);
    stored = static_cast<float>(value);
    ShowAngle(stored);
    Refresh(Change::ScaleView | Change::Results | Change::Strip | Change::Table |
            (changed ? Change::MarkChanged : Changes{}));
}

void MainWindow::ShowAngle(float angle) {
    angleValueLabel_->setText(QString::fromStdString(NumberText(angle)) + QStringLiteral("\u00B0"));
}

}  // namespace strativex
