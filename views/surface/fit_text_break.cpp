#include "views/surface/fit_text_break.h"

#include <algorithm>

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

QString ShownLine(const QString& piece) {
    qsizetype start = 0;
    while (start < piece.size() && piece[start] == QLatin1Char(' ')) ++start;
    qsizetype end = piece.size();
    while (end > start && (piece[end - 1] == QLatin1Char('\n') || piece[end - 1] == '\r')) --end;
    return piece.mid(start, end - start);
}

QStringList WrappedLines(const DrawingSurface& surface, QString text, double width) {
    QStringList lines;
    while (!text.isEmpty()) {
        // A line too narrow for one character still takes one, or the text would never end.
        const int count = std::max(1, FitTextBreak(surface, text, width));
        lines << ShownLine(text.left(count));
        text.remove(0, count);
    }
    return lines;
}

}  // namespace strativex
