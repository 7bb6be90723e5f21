#include "support/scripted_desktop.h"

#include <QFileInfo>

namespace strativex {
namespace {

template <typename T>
T TakeFront(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

}  // namespace

MessageAnswer ScriptedDesktop::ShowMessage(QWidget*, const QString& text, const QString& title,
                                           MessageIcon icon, MessageButtons buttons) {
    messages.push_back({text, title, icon, buttons});
    if (answers.empty() && buttons != MessageButtons::Ok) {
        ++unplannedAnswers;
        return MessageAnswer::Cancel;
    }
    return TakeFront(answers, MessageAnswer::Ok);
}

std::optional<QString> ScriptedDesktop::ChooseFile(QWidget*, const FileDialogRequest& request) {
    fileRequests.push_back(request);
    return TakeFront(files, std::optional<QString>());
}

std::unique_ptr<QPrinter> ScriptedDesktop::ChoosePrinter(QWidget*) {
    ++printerRequests;
    return TakeFront(printers, std::unique_ptr<QPrinter>());
}

bool ScriptedDesktop::OpenDocument(const QString& path) {
    if (!(QFileInfo(path).isDir() ? folderViewerPresent : viewerPresent)) return false;
    openedDocuments << path;
    return true;
}

void ScriptedDesktop::EndProgram(int code) {
    exitCode = code;
}

}  // namespace strativex
