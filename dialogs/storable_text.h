#pragma once

#include <QString>

#include <optional>

namespace strativex {

// The first character the model and preferences files have no code for, as the user sees it;
// nothing when every character can be stored.
std::optional<QString> FirstCharacterWithoutCode(const QString& text);

// What keeps a text out of a file that holds it in double quotes on one line of 8-bit text
// (matcust.dat, prefs.txt), as a message names it; nothing when the text can be stored.
std::optional<QString> QuotedLineProblem(const QString& text);

}  // namespace strativex
