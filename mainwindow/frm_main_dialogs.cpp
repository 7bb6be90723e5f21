#include <QAction>
#include <QPushButton>

#include "dialogs/about_dialog.h"
#include "dialogs/comments_dialog.h"
#include "dialogs/contact_dialog.h"
#include "dialogs/custom_materials_dialog.h"
#include "dialogs/digits_dialog.h"
#include "dialogs/file_locations.h"
#include "dialogs/user_info_dialog.h"
#include "mainwindow/frm_main.h"

namespace strativex {

void frmMain::ConnectDialogs() {
    connect(mnuDigits, &QAction::triggered, this, &frmMain::DecimalDigitsCommand);
    connect(mnuLocations, &QAction::triggered, this, &frmMain::FileLocationsCommand);
    connect(mnuUserInfo, &QAction::triggered, this, [this] {
        FrmUserInfo info(state_, desktop_, this);
        info.exec();
    });
    connect(mnuAbout, &QAction::triggered, this, [this] {
        frmAbout about(state_, this);
        about.exec();
    });
    connect(mnuContact, &QAction::triggered, this, [this] {
        frmContactUs contact(desktop_, this);
        contact.exec();
    });
    connect(CmdComments, &QPushButton::clicked, this, &frmMain::CommentsCommand);
    connect(mnuCustomMat, &QAction::triggered, this, &frmMain::CustomMaterialsCommand);
}

void frmMain::CustomMaterialsCommand() {
    if (!CommitActiveField()) return;
    frmCustomMatsDialog editor(state_, desktop_, this);
    editor.exec();
    if (ReloadMaterials(std::nullopt) == MaterialReload::Ended) return;
    // A material the editor deleted must not leave its old results on the screen.
    Recalculate();
    RedrawLayerStrip();
    RedrawDataTable();
}

void frmMain::CommentsCommand() {
    if (!CommitActiveField()) return;
    if (comments_) {
        comments_->raise();
        comments_->activateWindow();
        return;
    }
    comments_ = new FrmComments(state_, desktop_, this);
    comments_->show();
}

void frmMain::DecimalDigitsCommand() {
    if (!CommitActiveField()) return;
    frmDigits digits(state_, this);
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

void frmMain::FileLocationsCommand() {
    FrmFileLocs locations(state_, desktop_, this);
    locations.exec();
}

}  // namespace strativex
