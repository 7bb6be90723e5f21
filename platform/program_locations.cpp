#include "platform/program_locations.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/material_loader.h"
#include "views/model_text.h"

namespace strativex {
namespace {

QString InstalledDataFolder(const QString& executableFolder) {
    return QDir::cleanPath(executableFolder + QStringLiteral("/" STRATIVEX_DATA_FROM_BIN));
}

bool HoldsInstalledData(const QString& dataFolder) {
    const QString materials = dataFolder + QStringLiteral("/Materials");
    return QFileInfo::exists(PathText(MaterialPathsIn(NativePath(materials)).Standard));
}

ProgramFolders UserFolders(const QString& shippedDataFolder) {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return {NativePath(data), NativePath(data + QStringLiteral("/Materials")),
            NativePath(data + QStringLiteral("/Models")),
            NativePath(config + QStringLiteral("/") + kPreferencesFileName),
            NativePath(shippedDataFolder)};
}

}  // namespace

bool FolderAcceptsFiles(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

ProgramFolders ResolveProgramFolders(const QString& executableFolder,
                                     const FolderWritableProbe& writable) {
    const QString programFolder = QDir::cleanPath(executableFolder);
    const QString installedData = InstalledDataFolder(programFolder);
    // An installed copy keeps to the user's folders even where it could write beside itself:
    // as root in /usr/bin, or in a prefix of the user's own such as ~/.local.
    if (HoldsInstalledData(installedData)) return UserFolders(installedData);
    if (!writable(programFolder)) return UserFolders(programFolder);
    return ProgramFoldersFor(NativePath(programFolder));
}

QString ShippedMaterialsFolder(const ProgramFolders& folders) {
    return QDir::cleanPath(PathText(folders.HelpFolder) + QStringLiteral("/Materials"));
}

bool KeepsUserFilesApart(const ProgramFolders& folders) {
    return ShippedMaterialsFolder(folders) !=
           QDir::cleanPath(PathText(folders.DefaultMaterialsFolder));
}

// A folder that cannot be made shows up where it is needed, with the messages of the
// materials loading and of the preferences saving.
void CreateUserFolders(const ProgramFolders& folders) {
    if (!KeepsUserFilesApart(folders)) return;
    QDir dir;
    dir.mkpath(PathText(folders.ProgramFolder));
    dir.mkpath(PathText(folders.DefaultMaterialsFolder));
    dir.mkpath(PathText(folders.DefaultModelsFolder));
    dir.mkpath(QFileInfo(PathText(folders.PreferencesPath)).path());
}

}  // namespace strativex
