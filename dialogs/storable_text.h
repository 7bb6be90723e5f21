#pragma once

#include <QString>

#include <optional>

namespace strativex {

// The first character the model and preferences files have no code for, as the user sees it;
// nothing when every character can be stored.
std::optional<QString> FirstCharacterWithoutCode(const QString& text);

}  // namespace strativex
