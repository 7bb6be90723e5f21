#include "dialogs/storable_text.h"

#include <QList>

#include "views/surface/model_text.h"

namespace strativex {

std::optional<QString> FirstCharacterWithoutCode(const QString& text) {
    // Whole code points, so that a character outside the basic plane is named as one.
    for (const char32_t codePoint : text.toUcs4()) {
        const QString character = QString::fromUcs4(&codePoint, 1);
        if (!ToModelText(character)) return character;
    }
    return std::nullopt;
}

std::optional<QString> QuotedFieldProblem(const QString& text) {
    if (text.contains(QLatin1Char('"'))) return QStringLiteral("a double quote (\")");
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
        return QStringLiteral("a line break");
    }
    if (const auto character = FirstCharacterWithoutCode(text)) {
        return QStringLiteral("the character \"%1\"").arg(*character);
    }
    return std::nullopt;
}

}  // namespace strativex
