#include "platform/qt_desktop.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

#include <cstdlib>

namespace strativex {
namespace {

QMessageBox::Icon IconFor(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsFor(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

MessageAnswer AnswerFor(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        default:
            return MessageAnswer::Cancel;
    }
}

}  // namespace

MessageAnswer QtDesktop::ShowMessage(QWidget* parent, const QString& text, const QString& title,
                                     MessageIcon icon, MessageButtons buttons) {
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(IconFor(icon), title, plain, ButtonsFor(buttons), parent);
    return AnswerFor(box.exec());
}

std::optional<QString> QtDesktop::ChooseFile(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent, request.Title, request.Folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(request.Filters);
    const bool save = request.DialogMode == FileDialogRequest::Mode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save || request.AcceptAnyName ? QFileDialog::AnyFile
                                                     : QFileDialog::ExistingFile);
    if (!request.DefaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.DefaultSuffix);
    if (!request.FileName.isEmpty()) dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

std::unique_ptr<QPrinter> QtDesktop::ChoosePrinter(QWidget* parent) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, false);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    printer->setCopyCount(1);
    return printer;
}

bool QtDesktop::OpenDocument(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(path));
}

void QtDesktop::EndProgram(int exitCode) {
    std::exit(exitCode);
}

}  // namespace strativex
