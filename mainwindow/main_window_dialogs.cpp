#include <QComboBox>

#include "core/units.h"
#include "dialogs/about_dialog.h"
#include "dialogs/comments_dialog.h"
#include "dialogs/contact_dialog.h"
#include "dialogs/custom_materials_dialog.h"
#include "dialogs/digits_dialog.h"
#include "dialogs/file_locations_dialog.h"
#include "dialogs/user_info_dialog.h"
#include "mainwindow/main_window.h"
#include "platform/native_path.h"

namespace strativex {

void MainWindow::CustomMaterialsCommand() {
    if (!CommitActiveField()) return;
    CustomMaterialsDialog editor(state_, desktop_, this);
    editor.exec();
    if (ReloadMaterials(std::nullopt) == MaterialReload::Ended) return;
    ShowLayerMaterial();
    // A material the editor deleted must not leave its old results on the screen.
    Refresh(Change::Results | Change::Strip | Change::Table);
}

void MainWindow::CommentsCommand() {
    if (!CommitActiveField()) return;
    if (comments_) {
        comments_->raise();
        comments_->activateWindow();
        return;
    }
    comments_ = new CommentsDialog(state_, desktop_, this);
    comments_->show();
}

// The fields show the stored values again in the digits now set; nothing is read back from
// them, so a value shown with fewer digits than it has keeps all of them.
void MainWindow::DecimalDigitsCommand() {
    if (!CommitActiveField()) return;
    DigitsDialog digits(state_, this);
    digits.exec();
    ShowVisibleFields();
    Refresh(Change::Table);
}

void MainWindow::SelectUnitCommand(LengthUnit unit) {
    // The check mark follows the model's unit, also when the chosen one was already current.
    if (!CommitActiveField() || !SelectUnit(state_.model, unit)) {
        ShowUnitLabels();
        return;
    }
    state_.prefs.UnitSystem = unit;
    ShowUnitLabels();
    ShowVisibleFields();
    Refresh(Change::Results | Change::Strip | Change::Table | Change::MarkChanged);
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

void MainWindow::OpenHelpDocument(const QString& fileName) {
    desktop_.OpenDocument(PathText(state_.folders.HelpFolder) + fileName);
}

}  // namespace strativex
