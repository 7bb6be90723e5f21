#pragma once

#include <QPrinter>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "platform/desktop.h"

namespace strativex {

struct MessageRecord {
    QString Text;
    QString Title;
    MessageIcon Icon = MessageIcon::None;
    MessageButtons Buttons = MessageButtons::Ok;
};

// Stands in for the desktop: records every request and answers from the queues a test fills
// beforehand, so that no real dialog ever opens.
class ScriptedDesktop : public Desktop {
public:
    // Taken from the front. With nothing planned, a box with only OK answers Ok and any other
    // box answers Cancel, the answer that changes nothing; unplannedAnswers counts the latter.
    std::deque<MessageAnswer> answers;
    // Taken from the front; std::nullopt or nothing planned stands for a cancelled dialog.
    std::deque<std::optional<QString>> files;
    // Taken from the front; nullptr or nothing planned stands for a cancelled printer dialog.
    std::deque<std::unique_ptr<QPrinter>> printers;

    std::vector<MessageRecord> messages;
    std::vector<FileDialogRequest> fileRequests;
    int printerRequests = 0;
    int unplannedAnswers = 0;
    QStringList openedDocuments;
    // False stands for a desktop without a viewer for documents, or for folders: OpenDocument
    // of such a path fails and records nothing.
    bool viewerPresent = true;
    bool folderViewerPresent = true;
    // Set by EndProgram, which returns instead of ending the test.
    std::optional<int> exitCode;

    MessageAnswer ShowMessage(QWidget* parent, const QString& text, const QString& title,
                              MessageIcon icon, MessageButtons buttons) override;
    std::optional<QString> ChooseFile(QWidget* parent, const FileDialogRequest& request) override;
    std::unique_ptr<QPrinter> ChoosePrinter(QWidget* parent) override;
    bool OpenDocument(const QString& path) override;
    void EndProgram(int exitCode) override;
};

}  // namespace strativex
