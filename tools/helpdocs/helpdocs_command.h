#pragma once

#include <QStringList>

namespace strativex::helpdocs {

// strativex-helpdocs SOURCE.md OUTPUT.pdf: lays one Markdown help text out as a PDF. Returns
// the exit status: 0 written, 1 the source or the output failed, 2 wrong arguments.
int RunHelpdocs(const QStringList& args);

}  // namespace strativex::helpdocs
