#pragma once

#include <QUndoCommand>

#include "document/model_document.h"

namespace strativex {

// One step of the history: the inputs before and after it. Redo and undo put one side back
// whole, which holds for every kind of edit alike.
class ModelEditCommand : public QUndoCommand {
public:
    ModelEditCommand(ModelDocument& document, const QString& text, DocumentStep before,
                     DocumentStep after, int mergeKey);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    ModelDocument& document_;
    DocumentStep before_;
    DocumentStep after_;
    int mergeKey_;
};

}  // namespace strativex
