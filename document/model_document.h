#pragma once

#include <QObject>
#include <QUndoStack>

#include <cstdint>
#include <utility>

#include "core/material_table.h"
#include "core/model.h"
#include "core/model_inputs.h"

namespace strativex {

// The inputs of an edit's two sides, with the record selected on each, so that undoing shows
// the record the edit was made on.
struct DocumentStep {
    ModelInputs Inputs;
    int CurrentLayer = 0;
};

// The model being edited, the record selected in it, its undo history and the one signal of
// its change. Every change of the model's inputs is made through Change, as one step of the
// history named as the Edit menu shows it; the results are computed again after each step, on
// undo and on redo, so nothing but the inputs is ever stored.
class ModelDocument : public QObject {
    Q_OBJECT

public:
    ModelDocument(Model& model, const MaterialTable& materials, QObject* parent = nullptr);

    const Model& Current() const { return model_; }
    int CurrentLayer() const { return currentLayer_; }
    // Selecting a record is no step of the history.
    void SelectLayer(int index) { currentLayer_ = index; }

    // Runs edit(Model&) as one step named text; nothing is recorded when the inputs come out
    // unchanged. Steps with the same nonzero mergeKey in a row become one (a dragged angle).
    // True when the model changed.
    template <typename Edit>
    bool Change(const QString& text, Edit&& edit, int mergeKey = 0) {
        const DocumentStep before = Step();
        std::forward<Edit>(edit)(model_);
        return Record(text, before, mergeKey);
    }

    // What the results depend on changed outside the model (the materials): computed again and
    // announced, as no step of the history.
    void Recalculate();
    // A new or opened model: the history starts again, unchanged, on the heat source.
    void Restart();
    // Saved: unchanged from here until the next step, or an undo, leaves this state.
    void MarkSaved();
    bool IsModified() const;

    QUndoStack& History() { return history_; }
    std::uint64_t Revision() const { return revision_; }

    // Used by the history's steps.
    DocumentStep Step() const;
    void Apply(const DocumentStep& step);

signals:
    // After every step, undo, redo, restart and recalculation; the revision grows each time,
    // so a result can say which model it belongs to.
    void changed(std::uint64_t revision);
    void modifiedChanged(bool modified);

private:
    bool Record(const QString& text, const DocumentStep& before, int mergeKey);
    void Announce();

    Model& model_;
    const MaterialTable& materials_;
    QUndoStack history_;
    int currentLayer_ = 0;
    std::uint64_t revision_ = 0;
};

}  // namespace strativex
