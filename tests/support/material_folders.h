#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include "core/material_loader.h"
#include "support/file_bytes.h"

// The standard materials as the build ships them.
inline const QString kStandardMaterials = QStringLiteral(STRATIVEX_BIN_DIR "/Materials");

inline strativex::MaterialTable StandardMaterials() {
    strativex::MaterialTable table;
    strativex::LoadMaterials(table, strativex::MaterialPathsIn(kStandardMaterials.toStdString()),
                             std::nullopt);
    return table;
}

// The shipped standard table in a folder of the user's own.
inline bool CopyStandardMaterials(const QString& folder) {
    return QDir().mkpath(folder) &&
           QFile::copy(kStandardMaterials + "/matprops.dat", folder + "/matprops.dat");
}

// The shipped standard table and the given custom lines.
inline bool PlantMaterials(const QString& folder, const QByteArray& custom) {
    return CopyStandardMaterials(folder) && WriteBytes(folder + "/matcust.dat", custom);
}
