#include "tools/helppictures/quiet_desktop.h"

#include <QPrinter>

namespace strativex::helppictures {

MessageAnswer QuietDesktop::ShowMessage(QWidget*, const QString& text, const QString& title,
                                        MessageIcon, MessageButtons buttons) {
    Messages << title + QStringLiteral(": ") + text;
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

std::optional<QString> QuietDesktop::ChooseFile(QWidget*, const FileDialogRequest&) {
    return std::nullopt;
}

std::unique_ptr<QPrinter> QuietDesktop::ChoosePrinter(QWidget*) {
    return nullptr;
}

bool QuietDesktop::OpenDocument(const QString&) {
    return false;
}

void QuietDesktop::EndProgram(int) {
    Ended = true;
}

}  // namespace strativex::helppictures
