#pragma once

#include <QString>

namespace strativex::helpdocs {

struct HelpSource {
    QString Text;
    // Empty when the text was read; otherwise what went wrong, naming the file.
    QString Error;
};

// Reads a Markdown help text, which must be UTF-8 and hold more than blanks.
HelpSource ReadHelpSource(const QString& path);

}  // namespace strativex::helpdocs
