#pragma once

#include <QString>

#include <functional>

#include "persistence/preferences.h"

namespace strativex {

// Whether this user may create files in a folder.
using FolderWritableProbe = std::function<bool(const QString& folder)>;
bool FolderAcceptsFiles(const QString& folder);

// Where this copy of the program keeps its files. A copy run from its build folder or from an
// unpacked folder it may write to keeps everything in that folder. An installed copy (its data
// in the installed data folder beside its programs' folder) and a copy in a folder it may not
// write to keep prefs.txt in the user's configuration folder and the Materials and Models
// folders in the user's data folder; the help documents stay where they were shipped.
ProgramFolders ResolveProgramFolders(const QString& executableFolder,
                                     const FolderWritableProbe& writable = FolderAcceptsFiles);

// The folder of the standard materials this copy ships.
QString ShippedMaterialsFolder(const ProgramFolders& folders);

// True when the user's files live apart from what the program ships.
bool KeepsUserFilesApart(const ProgramFolders& folders);

// Makes the folders that hold the user's files, when they live apart; the start-up makes the
// program folder the working directory, so it has to exist first.
void CreateUserFolders(const ProgramFolders& folders);

}  // namespace strativex
