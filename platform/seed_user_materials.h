#pragma once

#include "persistence/preferences.h"

namespace strativex {

// Gives a user whose files live apart from the program the shipped standard materials file:
// copied into the user's default materials folder when it is missing there, and copied again
// when the shipped one is newer while the user still works from that default folder. The
// user's custom materials file is never touched; the heat capacities file, which holds the
// custom materials' rows too, is only given where it is missing.
void SeedUserMaterials(const ProgramFolders& folders, const Preferences& prefs);

}  // namespace strativex
