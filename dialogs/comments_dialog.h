#pragma once

#include <QDialog>

#include "persistence/app_state.h"
#include "platform/desktop.h"

class QPlainTextEdit;
class QDialogButtonBox;

namespace strativex {

// Edits the model's comments beside the main window, which stays usable. The window deletes
// itself when it closes; the main window keeps at most one. OK and Cancel remember its size
// for the next opening; closing it from its title bar takes neither the text nor the size.
// The inherited accepted() signal tells that the model's comments were replaced.
class CommentsDialog : public QDialog {
    Q_OBJECT

public:
    CommentsDialog(AppState& state, Desktop& desktop, QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void TakeComments();
    void StoreSize();
    QSize SmallestSize() const;

    AppState& state_;
    Desktop& desktop_;
    QPlainTextEdit* commentsEdit_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace strativex
