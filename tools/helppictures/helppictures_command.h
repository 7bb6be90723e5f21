#pragma once

#include <QStringList>

namespace strativex::helppictures {

// strativex-helppictures OUTPUT_DIR MODEL.mdl MATPROPS.dat: opens the model in the program's
// main window, off screen, with the standard materials, and writes the pictures the help
// documents show: main-window.png, scale-view.png and report-page.png. Returns the exit
// status: 0 written, 1 a picture could not be made, 2 wrong arguments.
int RunHelpPictures(const QStringList& args);

}  // namespace strativex::helppictures
