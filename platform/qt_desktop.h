#pragma once

#include "platform/desktop.h"

namespace strativex {

// The desktop seam over Qt's own dialogs.
class QtDesktop : public Desktop {
public:
    MessageAnswer ShowMessage(QWidget* parent, const QString& text, const QString& title,
                              MessageIcon icon, MessageButtons buttons) override;
    std::optional<QString> ChooseFile(QWidget* parent, const FileDialogRequest& request) override;
    std::unique_ptr<QPrinter> ChoosePrinter(QWidget* parent) override;
    bool OpenDocument(const QString& path) override;
    void EndProgram(int exitCode) override;
};

}  // namespace strativex
