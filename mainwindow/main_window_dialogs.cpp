#include <QComboBox>
#include <QDir>
#include <QFileInfo>

#include "core/units.h"
#include "dialogs/about_dialog.h"
#include "dialogs/comments_dialog.h"
#include "dialogs/contact_dialog.h"
#include "dialogs/custom_materials_dialog.h"
#include "dialogs/digits_dialog.h"
#include "dialogs/file_locations_dialog.h"
#include "dialogs/user_info_dialog.h"
#include "mainwindow/analysis_launcher.h"
#include "mainwindow/main_window.h"
#include "mainwindow/material_files.h"
#include "mainwindow/model_form.h"
#include "platform/native_path.h"
#include "platform/window_placement.h"

namespace strativex {

void MainWindow::CustomMaterialsCommand() {
    if (!form_->CommitActiveField()) return;
    CustomMaterialsDialog editor(state_, desktop_, this);
    editor.exec();
    if (!materials_->Reload()) return;
    // A material the editor deleted must not leave its old results on the screen. The materials
    // file is written at once, so this is no step of the model's history.
    document_.Recalculate();
}

void MainWindow::CommentsCommand() {
    if (!form_->CommitActiveField()) return;
    if (comments_) {
        comments_->raise();
        comments_->activateWindow();
        return;
    }
    comments_ = new CommentsDialog(state_, document_, desktop_, this);
    PlaceOnScreenOf(*comments_, *this);
    comments_->show();
}

// The fields show the stored values again in the digits now set; nothing is read back from
// them, so a value shown with fewer digits than it has keeps all of them.
void MainWindow::DecimalDigitsCommand() {
    if (!form_->CommitActiveField()) return;
    DigitsDialog digits(state_, this);
    digits.exec();
    form_->ShowVisibleFields();
    dataTable_->update();
    analysis_->DigitsChanged();
}

void MainWindow::SelectUnitCommand(LengthUnit unit) {
    // The check mark follows the model's unit, also when the chosen one was already current.
    if (!form_->CommitActiveField() ||
        !document_.Change(tr("Units"), [unit](Model& model) { SelectUnit(model, unit); })) {
        ShowUnitChoice();
        return;
    }
    state_.prefs.UnitSystem = unit;
}

void MainWindow::FileLocationsCommand() {
    FileLocationsDialog locations(state_, desktop_, this);
    locations.exec();
}

void MainWindow::UserInfoCommand() {
    UserInfoDialog info(state_, desktop_, this);
    info.exec();
}

void MainWindow::AboutCommand() {
    AboutDialog about(state_, this);
    about.exec();
}

void MainWindow::ContactCommand() {
    ContactDialog contact(desktop_, this);
    contact.exec();
}

// Where the desktop has no viewer for PDF documents, or the document is not there, the user
// learns where it should be; the folder can be opened to read it with a program of one's own.
void MainWindow::OpenHelpDocument(const QString& fileName) {
    const QString path = QDir::toNativeSeparators(PathText(state_.folders.HelpFolder) + fileName);
    if (!QFileInfo::exists(path)) {
        Message(tr("The help document %1 was not found.\r\nIt is made when the program is built "
                   "and installed beside it.")
                    .arg(path),
                tr("Help Document Not Found"), MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    if (desktop_.OpenDocument(path)) return;
    const QString folder = QFileInfo(path).absolutePath();
    const MessageAnswer answer =
        Message(tr("No program to show PDF documents is set up on this desktop, so the help "
                   "document could not be opened:\r\n%1\r\n\r\nOpen the folder that holds it?")
                    .arg(path),
                tr("Help Document"), MessageIcon::Exclamation, MessageButtons::OkCancel);
    if (answer == MessageAnswer::Ok && !desktop_.OpenDocument(folder)) {
        Message(tr("The folder %1 could not be opened either.").arg(folder), tr("Help Document"),
                MessageIcon::Exclamation, MessageButtons::Ok);
    }
}

}  // namespace strativex
