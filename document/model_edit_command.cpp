#include "document/model_edit_command.h"

#include <utility>

namespace strativex {

ModelEditCommand::ModelEditCommand(ModelDocument& document, const QString& text,
                                   DocumentStep before, DocumentStep after, int mergeKey)
    : QUndoCommand(text),
      document_(document),
      before_(std::move(before)),
      after_(std::move(after)),
      mergeKey_(mergeKey) {}

void ModelEditCommand::undo() {
    document_.Apply(before_);
}

void ModelEditCommand::redo() {
    document_.Apply(after_);
}

// QUndoStack merges only commands whose id is not -1.
int ModelEditCommand::id() const {
    return mergeKey_ == 0 ? -1 : mergeKey_;
}

bool ModelEditCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const ModelEditCommand*>(other);
    after_ = next->after_;
    // A drag that ends where it began leaves nothing to undo.
    setObsolete(SameInputs(before_.Inputs, after_.Inputs));
    return true;
}

}  // namespace strativex
