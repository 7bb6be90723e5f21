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
#include "views/surface/model_text.h"

namespace strativex {
namespace {

constexpr int kAngleMergeKey = 1000;

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
    if (type == QEvent::KeyPress && PassUndoKeyOn(watched, *static_cast<QKeyEvent*>(event))) {
        return true;
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

// What the helpers call before they use the model, and the analysis windows before they read
// it: the value typed in this window's field is committed as leaving the field would, since
// switching windows does not leave it. The field is this window's own focus widget, also when
// an analysis window is the active one.
std::function<bool()> MainWindow::EditsCommitter() {
    return [this] {
        const auto field = FieldOf(focusWidget());
        return !field || committing_ || CommitField(*field, Refusal::Tell);
    };
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
    const int layer = document_.CurrentLayer();
    edit->setText(NumberShown(quantity, typed.Value));
    document_.Change(StepText(field), [&quantity, layer, value](Model& model) {
        quantity.Write(model, layer, value);
    });
    return true;
}

// The name of an edit as the Edit menu shows it: "Thickness of layer 3".
QString MainWindow::StepText(Field field) const {
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

// The whole text must be the number, with the field's unit after it if the user likes. A
// layer's width or length also takes the text it shows for no limit, and an empty field where
// it showed that: only a limit the layer already lacks can be cleared away.
TypedNumber MainWindow::ReadField(const QuantityDescriptor& quantity, const QString& text) const {
    if (quantity.ZeroMeansNoLimit) {
        const QString trimmed = text.trimmed();
        const float stored = quantity.Read(state_.model, document_.CurrentLayer());
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
                              : state_.model.Layers[document_.CurrentLayer()].Description;
    edit->setModified(false);
    document_.Change(StepText(field), [&stored, &bytes](Model&) { stored = *bytes; });
    // Showing the text again ends its own typing history, so that the next Ctrl+Z reaches the
    // model's history.
    ShowField(field);
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
    const int current = document_.CurrentLayer();
    const Layer& record = model.Layers[current];
    if (const auto quantity = QuantityFor(field)) {
        const QuantityDescriptor& described = QuantityOf(*quantity);
        EditFor(field)->setText(NumberShown(described, described.Read(model, current)));
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

// A field being typed in keeps its text: a change made elsewhere meanwhile (the comments
// window's OK) must not wipe it.
void MainWindow::ShowVisibleFields() {
    for (Field field : {Field::Description, Field::Width, Field::Length, Field::Thickness,
                        Field::Power, Field::Isotherm}) {
        if (!EditFor(field)->isModified()) ShowField(field);
    }
}

void MainWindow::MaterialPicked(int entry) {
    if (entry < 0 || document_.CurrentLayer() < 1) return;
    const int current = document_.CurrentLayer();
    const auto id = static_cast<std::int16_t>(materialList_->itemData(entry).toInt());
    document_.Change(StepText(Field::Material),
                     [current, id](Model& model) { model.Layers[current].MaterialId = id; });
}

// Only a move of the scroll bar by the user changes the angle; showing a record sets the bar
// with its signals blocked.
void MainWindow::AngleChanged(int value) {
    const int current = document_.CurrentLayer();
    if (current < 1) return;
    // The steps of one drag, or of keys held on the bar, undo as one.
    const int mergeKey = kAngleMergeKey + current;
    document_.Change(
        tr("Spreading angle of layer %1").arg(current),
        [current, value](Model& model) {
            model.Layers[current].SpreadAngle = static_cast<float>(value);
        },
        mergeKey);
}

void MainWindow::ShowAngle(float angle) {
    angleValueLabel_->setText(QString::fromStdString(NumberText(angle)) + QStringLiteral("\u00B0"));
}

}  // namespace strativex
