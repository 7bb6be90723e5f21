#pragma once

#include <QDialog>

#include "document/model_document.h"
#include "persistence/app_state.h"
#include "platform/desktop.h"

class QPlainTextEdit;
class QDialogButtonBox;

namespace strativex {

// Edits the model's comments beside the main window, which stays usable. The window deletes
// itself when it closes; the main window keeps at most one. OK and Cancel remember its size
// for the next opening; closing it from its title bar takes neither the text nor the size.
// OK replaces the comments as one step of the document's history; the inherited accepted()
// signal tells that it was taken.
class CommentsDialog : public QDialog {
    Q_OBJECT

public:
    CommentsDialog(AppState& state, ModelDocument& document, Desktop& desktop,
                   QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void TakeComments();
    void StoreSize();
    QSize SmallestSize() const;

    AppState& state_;
    ModelDocument& document_;
    Desktop& desktop_;
    QPlainTextEdit* commentsEdit_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace strativex
