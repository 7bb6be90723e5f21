#pragma once

#include <QStringList>

#include "platform/desktop.h"

namespace strativex::helppictures {

// A desktop with nobody at it: every message is kept and answered with the choice that
// changes nothing, every dialog is cancelled.
class QuietDesktop : public Desktop {
public:
    MessageAnswer ShowMessage(QWidget* parent, const QString& text, const QString& title,
                              MessageIcon icon, MessageButtons buttons) override;
    std::optional<QString> ChooseFile(QWidget* parent, const FileDialogRequest& request) override;
    std::unique_ptr<QPrinter> ChoosePrinter(QWidget* parent) override;
    bool OpenDocument(const QString& path) override;
    void EndProgram(int exitCode) override;

    QStringList Messages;
    bool Ended = false;
};

}  // namespace strativex::helppictures
