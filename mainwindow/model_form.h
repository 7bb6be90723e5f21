#pragma once

#include <QObject>

#include <functional>
#include <initializer_list>
#include <optional>

#include "core/quantity.h"
#include "core/typed_number.h"
#include "document/model_document.h"
#include "persistence/app_state.h"
#include "platform/desktop.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace strativex {

class ColorSwatch;

// The main window's fields and the one way what is typed in them reaches the document. A
// typed value is read through its quantity's descriptor when the field is left, Enter is
// pressed or a command asks, and is refused with the accepted range or stored as one step of
// the history. Text the program put in a field is never read back, so looking at a model never
// changes it. The form also guards the window's other controls: a click on one first commits
// the field being typed in and does nothing more when the field refuses its value.
class ModelForm : public QObject {
    Q_OBJECT

public:
    // The controls the window built for the form, in their design places.
    struct Fields {
        QLineEdit* ModelName;
        QGroupBox* RecordFrame;
        QLineEdit* Description;
        QLineEdit* Width;
        QLabel* WidthUnit;
        QLineEdit* Length;
        QLabel* LengthUnit;
        QFrame* LayerOnly;
        QComboBox* Material;
        QLineEdit* Thickness;
        QLabel* ThicknessUnit;
        QScrollBar* Angle;
        QLabel* AngleValue;
        ColorSwatch* Swatch;
        QFrame* DeviceOnly;
        QLineEdit* Power;
        QLineEdit* Isotherm;
    };

    // The window parents the messages, and its own focus widget is the field a command commits.
    ModelForm(ModelDocument& document, const AppState& state, Desktop& desktop,
              const Fields& fields, QWidget& window);

    // For commands that use the model: the typed value is committed as leaving the field would;
    // false, after telling the user why, when it is refused.
    bool CommitActiveField();
    // For commands that discard the model: a valid typed value is kept, a refused one dropped.
    void SettleActiveFieldToDiscard();
    // CommitActiveField for the layer commands and the analysis windows, on the window's field
    // also while another window is the active one.
    std::function<bool()> EditsCommitter();
    // A click on any of these first commits the field being typed in.
    void GuardPresses(std::initializer_list<QWidget*> controls);

    // The Edit menu's commands: the typed value is committed first, so that the step undone is
    // the one the user sees last.
    void Undo();
    void Redo();

    // Showing the document; a field being typed in keeps its text.
    void ShowModelName();
    void ShowRecord();
    void ShowVisibleFields();
    void ShowUnitLabels();
    void FillMaterialList();
    // A new or opened model: the name typed for the old one is dropped, not kept.
    void ForgetTypedName();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Field {
        ModelName,
        Description,
        Width,
        Length,
        Thickness,
        Power,
        Isotherm,
        Material
    };
    // What a refused value does: commands that use the model say why and stop; commands that
    // discard the model drop the typed text without a word.
    enum class Refusal { Tell, Drop };

    void Wire();

    // Which field.
    std::optional<Field> FieldOf(const QObject* widget) const;
    std::optional<Field> ActiveField() const;
    QLineEdit* EditFor(Field field) const;
    std::optional<QuantityId> QuantityFor(Field field) const;
    QString StepText(Field field) const;

    // Committing.
    bool CommitField(Field field, Refusal refusal);
    bool CommitNumber(Field field, Refusal refusal);
    bool CommitText(Field field, Refusal refusal);
    bool CommitMaterial(Refusal refusal);
    TypedNumber ReadField(const QuantityDescriptor& quantity, const QString& text) const;
    QString RefusalText(const QuantityDescriptor& quantity, const QString& typed,
                        TypedNumberFault fault) const;
    void MaterialPicked(int entry);
    void AngleChanged(int value);

    // Showing.
    void ShowField(Field field);
    QString NumberShown(const QuantityDescriptor& quantity, double value) const;
    void ShowLayerMaterial();
    void ShowAngle(float angle);
    void KeepFocusInRecordFrame(const QWidget* hiding);

    // Events.
    bool RefusesPress(const QObject* target);
    bool StepAngleByKey(int key);
    bool PassUndoKeyOn(const QObject* watched, const QKeyEvent& key);
    void Tell(const QString& text, const QString& title, MessageIcon icon);

    ModelDocument& document_;
    const AppState& state_;
    Desktop& desktop_;
    Fields fields_;
    QWidget& window_;
    // A commit is under way: the focus its message moves starts no second one.
    bool committing_ = false;
    // The click that left a refused field does nothing else.
    bool swallowPress_ = false;
};

}  // namespace strativex
