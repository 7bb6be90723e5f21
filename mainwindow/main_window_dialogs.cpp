#include <QAction>
#include <QPushButton>

#include "dialogs/about_dialog.h"
#include "dialogs/comments_dialog.h"
#include "dialogs/contact_dialog.h"
#include "dialogs/custom_materials_dialog.h"
#include "dialogs/digits_dialog.h"
#include "dialogs/file_locations_dialog.h"
#include "dialogs/user_info_dialog.h"
#include "mainwindow/main_window.h"

namespace strativex {

void MainWindow::ConnectDialogs() {
    connect(mnuDigits, &QAction::triggered, this, &MainWindow::DecimalDigitsCommand);
    connect(mnuLocations, &QAction::triggered, this, &MainWindow::FileLocationsCommand);
    connect(mnuUserInfo, &QAction::triggered, this, [this] {
        UserInfoDialog info(state_, desktop_, this);
        info.exec();
    });
    connect(mnuAbout, &QAction::triggered, this, [this] {
        AboutDialog about(state_, this);
        about.exec();
    });
    connect(mnuContact, &QAction::triggered, this, [this] {
        ContactDialog contact(desktop_, this);
        contact.exec();
    });
    connect(CmdComments, &QPushButton::clicked, this, &MainWindow::CommentsCommand);
    connect(mnuCustomMat, &QAction::triggered, this, &MainWindow::CustomMaterialsCommand);
}

void MainWindow::CustomMaterialsCommand() {
    if (!CommitActiveField()) return;
    CustomMaterialsDialog editor(state_, desktop_, this);
    editor.exec();
    if (ReloadMaterials(std::nullopt) == MaterialReload::Ended) return;
    // A material the editor deleted must not leave its old results on the screen.
    Recalculate();
    RedrawLayerStrip();
    RedrawDataTable();
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

void MainWindow::DecimalDigitsCommand() {
    if (!CommitActiveField()) return;
    DigitsDialog digits(state_, this);
    digits.exec();
    CheckWidthField();
    CheckLengthField();
    if (state_.model.CurrentLayer >= 1) {
        CheckThicknessField();
    } else {
        CheckPowerField();
        CheckIsothermField();
    }
    RedrawDataTable();
}

void MainWindow::FileLocationsCommand() {
    FileLocationsDialog locations(state_, desktop_, this);
    locations.exec();
}

}  // namespace strativex
