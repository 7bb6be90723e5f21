#pragma once

#include <QString>

#include <optional>

namespace strativex {

// The first character the model and preferences files have no code for, as the user sees it;
// nothing when every character can be stored.
std::optional<QString> FirstCharacterWithoutCode(const QString& text);

// What keeps a text out of a field of prefs.txt or matcust.dat, which hold it in double quotes
// on one line of 8-bit text with no escapes: "a double quote (\")", "a line break" or "the
// character ...", for a message; nothing when it can be stored.
std::optional<QString> QuotedFieldProblem(const QString& text);

}  // namespace strativex
