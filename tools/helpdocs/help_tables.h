#pragma once

#include <QTextFrame>

namespace strativex::helpdocs {

// Every table in the frame, and in the frames inside it, gets full width, a shaded header row
// that repeats on each page, and rules between its rows.
void StyleTables(QTextFrame* frame);

}  // namespace strativex::helpdocs
