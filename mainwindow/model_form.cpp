#include "mainwindow/model_form.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

#include <array>
#include <utility>

#include "mainwindow/color_swatch.h"
#include "platform/leaving_field.h"

namespace strativex {
namespace {

bool IsRedoKey(const QKeyEvent& key) {
    const QKeyCombination combination = key.keyCombination();
    return key.matches(QKeySequence::Redo) ||
           combination == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z) ||
           combination == QKeyCombination(Qt::CTRL, Qt::Key_Y);
}

}  // namespace

ModelForm::ModelForm(ModelDocument& document, const AppState& state, Desktop& desktop,
                     const Fields& fields, QWidget& window)
    : QObject(&window),
      document_(document),
      state_(state),
      desktop_(desktop),
      fields_(fields),
      window_(window) {
    Wire();
}

void ModelForm::Wire() {
    const std::array<QLineEdit*, 7> edits{fields_.ModelName, fields_.Description, fields_.Width,
                                          fields_.Length,    fields_.Thickness,   fields_.Power,
                                          fields_.Isotherm};
    for (QLineEdit* edit : edits) {
        edit->installEventFilter(this);
        // Enter commits as leaving would; the focus stays.
        connect(edit, &QLineEdit::returnPressed, this, [this, edit] {
            if (const auto field = FieldOf(edit)) CommitField(*field, Refusal::Tell);
        });
    }
    fields_.Material->installEventFilter(this);
    connect(fields_.Material, &QComboBox::activated, this, &ModelForm::MaterialPicked);
    fields_.Angle->installEventFilter(this);
    connect(fields_.Angle, &QScrollBar::valueChanged, this, &ModelForm::AngleChanged);
    fields_.Swatch->installEventFilter(this);
}

void ModelForm::GuardPresses(std::initializer_list<QWidget*> controls) {
    for (QWidget* control : controls) control->installEventFilter(this);
}

bool ModelForm::eventFilter(QObject* watched, QEvent* event) {
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
    if (type == QEvent::KeyPress && PassUndoKeyOn(watched, *static_cast<QKeyEvent*>(event))) {
        return true;
    }
    if (type == QEvent::KeyPress && watched == fields_.Angle) {
        return StepAngleByKey(static_cast<QKeyEvent*>(event)->key());
    }
    return QObject::eventFilter(watched, event);
}

// A click elsewhere in the window first commits the field being edited, as leaving it would;
// when the field refuses its value the click does nothing else: no list opens, no command runs.
bool ModelForm::RefusesPress(const QObject* target) {
    const auto field = ActiveField();
    if (!field || committing_) return false;
    QWidget* edited = *field == Field::Material ? static_cast<QWidget*>(fields_.Material)
                                                : static_cast<QWidget*>(EditFor(*field));
    const auto* widget = qobject_cast<const QWidget*>(target);
    if (widget == edited || (widget != nullptr && edited->isAncestorOf(widget))) return false;
    return !CommitField(*field, Refusal::Tell);
}

// The scroll bar answers only page keys by itself; the arrows and Home and End step the angle
// as its buttons would.
bool ModelForm::StepAngleByKey(int key) {
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Down:
            fields_.Angle->triggerAction(QAbstractSlider::SliderSingleStepSub);
            return true;
        case Qt::Key_Right:
        case Qt::Key_Up:
            fields_.Angle->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            return true;
        case Qt::Key_Home:
            fields_.Angle->triggerAction(QAbstractSlider::SliderToMinimum);
            return true;
        case Qt::Key_End:
            fields_.Angle->triggerAction(QAbstractSlider::SliderToMaximum);
            return true;
        default:
            return false;
    }
}

void ModelForm::Undo() {
    if (CommitActiveField()) document_.History().undo();
}

void ModelForm::Redo() {
    if (CommitActiveField()) document_.History().redo();
}

// A field with typing of its own to undo keeps Ctrl+Z for that, as text fields do; once it has
// none, the key reaches the model's history. The field takes the key before the menu's
// shortcut can, so the key is passed on here.
bool ModelForm::PassUndoKeyOn(const QObject* watched, const QKeyEvent& key) {
    const auto* edit = qobject_cast<const QLineEdit*>(watched);
    if (edit == nullptr) return false;
    if (key.matches(QKeySequence::Undo) && !edit->isUndoAvailable()) {
        Undo();
        return true;
    }
    if (IsRedoKey(key) && !edit->isRedoAvailable()) {
        Redo();
        return true;
    }
    return false;
}

std::optional<ModelForm::Field> ModelForm::FieldOf(const QObject* widget) const {
    const std::array<std::pair<const QObject*, Field>, 8> fields{{
        {fields_.ModelName, Field::ModelName},
        {fields_.Description, Field::Description},
        {fields_.Width, Field::Width},
        {fields_.Length, Field::Length},
        {fields_.Thickness, Field::Thickness},
        {fields_.Power, Field::Power},
        {fields_.Isotherm, Field::Isotherm},
        {fields_.Material, Field::Material},
    }};
    for (const auto& [control, field] : fields) {
        if (control == widget) return field;
    }
    return std::nullopt;
}

std::optional<ModelForm::Field> ModelForm::ActiveField() const {
    return FieldOf(QApplication::focusWidget());
}

QLineEdit* ModelForm::EditFor(Field field) const {
    switch (field) {
        case Field::ModelName:
            return fields_.ModelName;
        case Field::Description:
            return fields_.Description;
        case Field::Width:
            return fields_.Width;
        case Field::Length:
            return fields_.Length;
        case Field::Thickness:
            return fields_.Thickness;
        case Field::Power:
            return fields_.Power;
        case Field::Isotherm:
            return fields_.Isotherm;
        case Field::Material:
            break;
    }
    return nullptr;
}

// The width and length fields edit the heat source's size on record 0 and a layer's own
// otherwise; the text fields and the material list edit no number.
std::optional<QuantityId> ModelForm::QuantityFor(Field field) const {
    const bool ofLayer = document_.CurrentLayer() >= 1;
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

// The name of an edit as the Edit menu shows it: "Thickness of layer 3".
QString ModelForm::StepText(Field field) const {
    const int current = document_.CurrentLayer();
    const QString record = current == 0 ? tr("heat source") : tr("layer %1").arg(current);
    switch (field) {
        case Field::ModelName:
            return tr("Model name");
        case Field::Description:
            return tr("Description of %1").arg(record);
        case Field::Width:
            return tr("Width of %1").arg(record);
        case Field::Length:
            return tr("Length of %1").arg(record);
        case Field::Thickness:
            return tr("Thickness of %1").arg(record);
        case Field::Power:
            return tr("Thermal output");
        case Field::Isotherm:
            return tr("Isothermal temperature");
        case Field::Material:
            return tr("Material of %1").arg(record);
    }
    return {};
}

void ModelForm::Tell(const QString& text, const QString& title, MessageIcon icon) {
    desktop_.ShowMessage(&window_, text, title, icon, MessageButtons::Ok);
}

}  // namespace strativex
