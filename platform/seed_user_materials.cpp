#include "platform/seed_user_materials.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>

#include "core/heat_capacity_file.h"
#include "core/material_loader.h"
#include "persistence/program_folders.h"
#include "persistence/safe_write.h"
#include "platform/native_path.h"

namespace strativex {
namespace {

bool SameFolder(const std::string& a, const std::string& b) {
    return QDir::cleanPath(PathText(a)) == QDir::cleanPath(PathText(b));
}

bool IsNewer(const QString& path, const QString& than) {
    return QFileInfo(path).lastModified() > QFileInfo(than).lastModified();
}

// The copy takes the shipped file's time, so that only a later shipped file counts as newer.
void CopyStandardFile(const QString& shipped, const QString& own) {
    QFile source(shipped);
    if (!source.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError) return;
    if (!SafeWriteFile(NativePath(own), std::string_view(bytes.constData(), bytes.size())).Ok) {
        return;
    }
    std::error_code error;
    const auto shippedTime = std::filesystem::last_write_time(NativePath(shipped), error);
    if (!error) std::filesystem::last_write_time(NativePath(own), shippedTime, error);
}

// The user's heat capacities hold the custom materials' rows too, so an existing copy is never
// replaced; only a missing one is given the shipped file.
void SeedHeatCapacities(const ProgramFolders& folders) {
    const QString shipped = PathText(HeatCapacityPathIn(ShippedMaterialsFolder(folders)));
    const QString own = PathText(HeatCapacityPathIn(folders.DefaultMaterialsFolder));
    if (QFileInfo::exists(shipped) && !QFileInfo::exists(own)) CopyStandardFile(shipped, own);
}

}  // namespace

void SeedUserMaterials(const ProgramFolders& folders, const Preferences& prefs) {
    if (!KeepsUserFilesApart(folders)) return;
    SeedHeatCapacities(folders);
    const QString shipped = PathText(MaterialPathsIn(ShippedMaterialsFolder(folders)).Standard);
    const QString own = PathText(MaterialPathsIn(folders.DefaultMaterialsFolder).Standard);
    if (!QFileInfo::exists(shipped)) return;
    const bool missing = !QFileInfo::exists(own);
    const bool stale =
        SameFolder(prefs.MaterialsFolder, folders.DefaultMaterialsFolder) && IsNewer(shipped, own);
    if (missing || stale) CopyStandardFile(shipped, own);
}

}  // namespace strativex
