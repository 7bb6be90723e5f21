#pragma once

#include <QString>

#include "persistence/preferences.h"
#include "support/material_folders.h"

// Preferences that keep the program to a folder of the test's own.
inline strativex::Preferences FolderPreferences(const QString& folder, strativex::LengthUnit unit) {
    strativex::Preferences prefs;
    prefs.UnitSystem = unit;
    prefs.MaterialsFolder = (folder + "/Materials").toStdString();
    prefs.ModelsFolder = folder.toStdString();
    return prefs;
}

inline bool SaveFolderPreferences(const QString& folder, const strativex::Preferences& prefs) {
    return strativex::SavePreferences(prefs, (folder + "/prefs.txt").toStdString()).Ok;
}

// A program folder with the shipped materials and preferences pointing at them.
inline bool PlantProgramFolder(const QString& folder, strativex::LengthUnit unit) {
    return CopyStandardMaterials(folder + "/Materials") &&
           SaveFolderPreferences(folder, FolderPreferences(folder, unit));
}
