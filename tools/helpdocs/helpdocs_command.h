#pragma once

#include <QStringList>

namespace strativex::helpdocs {

// strativex-helpdocs SOURCE.md OUTPUT.pdf [PICTURES_DIR]: lays one Markdown help text out as
// a PDF, with a contents list and the pictures it names from PICTURES_DIR (by default the
// source's folder). Returns the exit status: 0 written, 1 the source, a picture or the output
// failed, 2 wrong arguments.
int RunHelpdocs(const QStringList& args);

}  // namespace strativex::helpdocs
