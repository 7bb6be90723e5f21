#include "views/fit_text_break.h"

namespace strativex {

int FitTextBreak(const DrawingSurface& surface, const QString& text, double width) {
    int lastBlank = 0;
    const int length = static_cast<int>(text.size());
    for (int i = 1; i <= length; ++i) {
        const QChar c = text[i - 1];
        if (c == QLatin1Char('\n')) return i;
        if (surface.TextWidth(text.left(i)) > width) return lastBlank != 0 ? lastBlank : i - 1;
        if (c == QLatin1Char(' ')) lastBlank = i;
    }
    return length;
}

}  // namespace strativex
