#include "dialogs/file_locations_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/material_loader.h"
#include "dialogs/dialog_buttons.h"
#include "dialogs/named_widget.h"
#include "dialogs/path_picture.h"
#include "persistence/paths.h"
#include "views/surface/twips.h"

namespace strativex {
namespace {

constexpr int kMaterialsGroup = 0;
constexpr int kModelsGroup = 1;
constexpr int kPathWidthTwips = 5400;
constexpr int kPathHeightTwips = 330;
const QString kTitle = QStringLiteral("File Locations");

// prefs.txt keeps a folder as a quoted text on one line: it cannot hold a quote or a line end.
bool PreferencesCanStore(const QString& folder) {
    return !folder.contains(QLatin1Char('"')) && !folder.contains(QLatin1Char('\n')) &&
           !folder.contains(QLatin1Char('\r'));
}

}  // namespace

FileLocationsDialog::FileLocationsDialog(AppState& state, Desktop& desktop, QWidget* parent)
    : QDialog(parent),
      state_(state),
      desktop_(desktop),
      pendingFolders_{state.prefs.MaterialsFolder, state.prefs.ModelsFolder},
      defaultFolders_{state.folders.DefaultMaterialsFolder, state.folders.DefaultModelsFolder} {
    setObjectName(QStringLiteral("FrmFileLocs"));
    setWindowTitle(kTitle);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(BuildGroup(kMaterialsGroup, QStringLiteral("Material Database Files:")));
    layout->addWidget(BuildGroup(kModelsGroup, QStringLiteral("Model Files:")));
    layout->addWidget(BuildButtons());
    for (int i = 0; i < kGroups; ++i) ShowFolderPath(i, pendingFolders_[i]);
}

QWidget* FileLocationsDialog::BuildGroup(int i, const QString& caption) {
    auto* group = new QGroupBox(caption, this);
    auto* layout = new QVBoxLayout(group);
    pathPictures_[i] = NamedWidget<PathPicture>(QStringLiteral("PicPath_%1").arg(i), group);
    pathPictures_[i]->setFixedSize(Pixels(kPathWidthTwips), Pixels(kPathHeightTwips));
    layout->addWidget(pathPictures_[i]);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* browse = NamedWidget<QPushButton>(QStringLiteral("CmdBrowse_%1").arg(i),
                                            QStringLiteral("Change..."), group);
    auto* reset = NamedWidget<QPushButton>(QStringLiteral("CmdDefault_%1").arg(i),
                                           QStringLiteral("Use Default"), group);
    buttons->addWidget(browse);
    buttons->addWidget(reset);
    layout->addLayout(buttons);
    connect(browse, &QPushButton::clicked, this, [this, i] { ChangeFolder(i); });
    connect(reset, &QPushButton::clicked, this, [this, i] { UseDefault(i); });
    return group;
}

QWidget* FileLocationsDialog::BuildButtons() {
    QDialogButtonBox* box = OkCancelButtons(this);
    connect(box, &QDialogButtonBox::accepted, this, &FileLocationsDialog::StoreFolders);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return box;
}

void FileLocationsDialog::ShowFolderPath(int i, const std::string& path) {
    pathPictures_[i]->ShowPath(QString::fromStdString(path));
}

FileDialogRequest FileLocationsDialog::BrowseRequest(int i) const {
    FileDialogRequest request;
    request.DialogMode = FileDialogRequest::Mode::Open;
    request.AcceptAnyName = true;
    request.Folder = QString::fromStdString(pendingFolders_[i]);
    if (i == kModelsGroup) {
        request.Title = QStringLiteral("Location of Model Files");
        request.FileName = QStringLiteral("*.mdl");
        request.Filters = {QStringLiteral("Model Files (*.mdl)"), QStringLiteral("All Files (*)")};
    } else {
        request.Title = QStringLiteral("Location of Materials Database File");
        const std::string standard = MaterialPathsIn(pendingFolders_[i]).Standard;
        request.FileName = QString::fromStdString(FileNamePart(standard));
        request.Filters = {QStringLiteral("Data Files (*.dat)"), QStringLiteral("All Files (*)")};
    }
    return request;
}

std::optional<std::string> FileLocationsDialog::ChosenFolder(const QString& path) {
    const std::string full = path.toStdString();
    if (full.find(kPathSeparator) == std::string::npos) return std::nullopt;
    std::string folder = FolderPart(full);
    // A file straight in the root leaves no folder text; the root itself is meant.
    if (folder.empty()) folder = std::string(1, kPathSeparator);
    if (!PreferencesCanStore(QString::fromStdString(folder))) {
        desktop_.ShowMessage(this,
                             QStringLiteral("The folder \"%1\" cannot be kept: the preferences "
                                            "file cannot store a double quote or a line break "
                                            "in a folder name.\r\nPlease choose another folder.")
                                 .arg(QString::fromStdString(folder)),
                             kTitle, MessageIcon::Exclamation, MessageButtons::Ok);
        return std::nullopt;
    }
    return folder;
}

void FileLocationsDialog::ChangeFolder(int i) {
    const std::optional<QString> path = desktop_.ChooseFile(this, BrowseRequest(i));
    if (!path) return;
    const std::optional<std::string> folder = ChosenFolder(*path);
    if (!folder) return;
    pendingFolders_[i] = *folder;
    ShowFolderPath(i, pendingFolders_[i]);
}

void FileLocationsDialog::UseDefault(int i) {
    pendingFolders_[i] = defaultFolders_[i];
    ShowFolderPath(i, pendingFolders_[i]);
}

void FileLocationsDialog::StoreFolders() {
    state_.prefs.MaterialsFolder = pendingFolders_[kMaterialsGroup];
    state_.prefs.ModelsFolder = pendingFolders_[kModelsGroup];
    accept();
}

}  // namespace strativex
