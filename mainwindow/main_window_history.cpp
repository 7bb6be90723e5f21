#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>

#include "mainwindow/main_window.h"

namespace strativex {
namespace {

bool IsRedoKey(const QKeyEvent& key) {
    const QKeyCombination combination = key.keyCombination();
    return key.matches(QKeySequence::Redo) ||
           combination == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z) ||
           combination == QKeyCombination(Qt::CTRL, Qt::Key_Y);
}

}  // namespace

// Undo and Redo first take what is being typed into the model, as leaving the field would, so
// that the step undone is the one the user sees last; a refused value stops them.
void MainWindow::UndoCommand() {
    if (CommitActiveField()) document_.History().undo();
}

void MainWindow::RedoCommand() {
    if (CommitActiveField()) document_.History().redo();
}

void MainWindow::ShowHistory() {
    const QUndoStack& history = document_.History();
    undoAction_->setEnabled(history.canUndo());
    redoAction_->setEnabled(history.canRedo());
    undoAction_->setText(history.canUndo() ? tr("&Undo %1").arg(history.undoText()) : tr("&Undo"));
    redoAction_->setText(history.canRedo() ? tr("&Redo %1").arg(history.redoText()) : tr("&Redo"));
}

// A field with typing of its own to undo keeps Ctrl+Z for that, as text fields do; once it has
// none, the key reaches the model's history. The field takes the key before the menu's
// shortcut can, so the key is passed on here.
bool MainWindow::PassUndoKeyOn(const QObject* watched, const QKeyEvent& key) {
    const auto* edit = qobject_cast<const QLineEdit*>(watched);
    if (edit == nullptr) return false;
    if (key.matches(QKeySequence::Undo) && !edit->isUndoAvailable()) {
        UndoCommand();
        return true;
    }
    if (IsRedoKey(key) && !edit->isRedoAvailable()) {
        RedoCommand();
        return true;
    }
    return false;
}

}  // namespace strativex
