#include "document/model_document.h"

#include "core/thermal_calc.h"
#include "document/model_edit_command.h"

namespace strativex {

ModelDocument::ModelDocument(Model& model, const MaterialTable& materials, QObject* parent)
    : QObject(parent), model_(model), materials_(materials) {
    connect(&history_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

DocumentStep ModelDocument::Step() const {
    return {InputsOf(model_), currentLayer_};
}

void ModelDocument::Apply(const DocumentStep& step) {
    RestoreInputs(model_, step.Inputs);
    currentLayer_ = step.CurrentLayer;
    Recalculate();
}

bool ModelDocument::Record(const QString& text, const DocumentStep& before, int mergeKey) {
    DocumentStep after = Step();
    if (SameInputs(before.Inputs, after.Inputs)) return false;
    // Pushing runs the step's redo, which recalculates and announces it.
    history_.push(new ModelEditCommand(*this, text, before, std::move(after), mergeKey));
    return true;
}

void ModelDocument::Recalculate() {
    RecalculateModel(model_, materials_);
    Announce();
}

void ModelDocument::Restart() {
    history_.clear();
    currentLayer_ = 0;
    Recalculate();
}

void ModelDocument::MarkSaved() {
    history_.setClean();
}

bool ModelDocument::IsModified() const {
    return !history_.isClean();
}

void ModelDocument::Announce() {
    emit changed(++revision_);
}

}  // namespace strativex
