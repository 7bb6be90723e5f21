#include "dialogs/storable_text.h"

#include <QList>

#include "views/model_text.h"

namespace strativex {

std::optional<QString> FirstCharacterWithoutCode(const QString& text) {
    // Whole code points, so that a character outside the basic plane is named as one.
    for (const char32_t codePoint : text.toUcs4()) {
        const QString character = QString::fromUcs4(&codePoint, 1);
        if (!ToModelText(character)) return character;
    }
    return std::nullopt;
}

}  // namespace strativex
