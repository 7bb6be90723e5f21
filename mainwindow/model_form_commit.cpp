#include <QComboBox>
#include <QLineEdit>

#include <cstdint>

#include "core/number_conversion.h"
#include "core/units.h"
#include "mainwindow/model_form.h"
#include "platform/typed_number_text.h"
#include "views/surface/model_text.h"

namespace strativex {
namespace {

constexpr int kAngleMergeKey = 1000;

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

// What the helpers call before they use the model, and the analysis windows before they read
// it: the value typed in this window's field is committed as leaving the field would, since
// switching windows does not leave it. The field is this window's own focus widget, also when
// an analysis window is the active one.
std::function<bool()> ModelForm::EditsCommitter() {
    return [this] {
        const auto field = FieldOf(window_.focusWidget());
        return !field || committing_ || CommitField(*field, Refusal::Tell);
    };
}

bool ModelForm::CommitActiveField() {
    const auto field = ActiveField();
    return !field || committing_ || CommitField(*field, Refusal::Tell);
}

void ModelForm::SettleActiveFieldToDiscard() {
    if (const auto field = ActiveField(); field && !committing_) {
        CommitField(*field, Refusal::Drop);
    }
}

bool ModelForm::CommitField(Field field, Refusal refusal) {
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

// Only text the user typed is read back: a field that still shows what the program put there
// is neither checked nor stored, so that looking at a model never changes it.
bool ModelForm::CommitNumber(Field field, Refusal refusal) {
    QLineEdit* edit = EditFor(field);
    if (!edit->isModified()) return true;
    const QuantityDescriptor& quantity = QuantityOf(*QuantityFor(field));
    const LengthUnit unit = state_.model.UnitSystem;
    const TypedNumber typed = ReadField(quantity, edit->text());
    const auto value = static_cast<float>(typed.Value);
    if (typed.Fault != TypedNumberFault::None || !Accepts(quantity, value, unit)) {
        if (refusal == Refusal::Tell) {
            Tell(RefusalText(quantity, edit->text(), typed.Fault), Latin1(quantity.RangeTitle),
                 MessageIcon::None);
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

// The whole text must be the number, with the field's unit after it if the user likes. A
// layer's width or length also takes the text it shows for no limit, and an empty field where
// it showed that: only a limit the layer already lacks can be cleared away.
TypedNumber ModelForm::ReadField(const QuantityDescriptor& quantity, const QString& text) const {
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

QString ModelForm::RefusalText(const QuantityDescriptor& quantity, const QString& typed,
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

bool ModelForm::CommitText(Field field, Refusal refusal) {
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
            Tell(problem, tr("Character Not Supported"), MessageIcon::Exclamation);
        } else {
            ShowField(field);
        }
        return false;
    }
    const int layer = document_.CurrentLayer();
    edit->setModified(false);
    document_.Change(StepText(field), [field, layer, &bytes](Model& model) {
        (field == Field::ModelName ? model.ModelName : model.Layers[layer].Description) = *bytes;
    });
    // Showing the text again ends its own typing history, so that the next Ctrl+Z reaches the
    // model's history.
    ShowField(field);
    return true;
}

bool ModelForm::CommitMaterial(Refusal refusal) {
    if (fields_.Material->currentIndex() >= 0) return true;
    if (refusal == Refusal::Tell) {
        Tell(QStringLiteral("Please select a material for the current layer."),
             QStringLiteral("Material Selection Required"), MessageIcon::None);
    }
    return false;
}

void ModelForm::MaterialPicked(int entry) {
    if (entry < 0 || document_.CurrentLayer() < 1) return;
    const int current = document_.CurrentLayer();
    const auto id = static_cast<std::int16_t>(fields_.Material->itemData(entry).toInt());
    document_.Change(StepText(Field::Material),
                     [current, id](Model& model) { model.Layers[current].MaterialId = id; });
}

// Only a move of the scroll bar by the user changes the angle; showing a record sets the bar
// with its signals blocked.
void ModelForm::AngleChanged(int value) {
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

}  // namespace strativex
