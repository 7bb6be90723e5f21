#pragma once

#include <QTextDocument>

namespace strativex::helpdocs {

// The house style of the help documents: fonts, heading sizes, code and note blocks, ruled
// tables. Applied after the Markdown import, which knows only the structure.
void ApplyHelpStyle(QTextDocument& document);

}  // namespace strativex::helpdocs
