#pragma once

#include <QTextDocument>

namespace strativex::helpdocs {

// Puts each run of code lines and each note into a shaded box of its own, and closes up the
// empty paragraphs Qt keeps beside tables and boxes.
void BoxCodeAndNotes(QTextDocument& document);

}  // namespace strativex::helpdocs
