#include "views/surface/cut_to_width.h"

namespace strativex {
namespace {

const QString kEllipsis = QStringLiteral("\u2026");

// The length of the longest prefix that, followed by the tail, is no wider than width.
// Dropping one character at a time measures the text once per character, which a long text
// makes slow; a prefix never gets narrower by growing, so halving the range finds the same.
qsizetype FittingPrefix(const DrawingSurface& surface, const QString& text, const QString& tail,
                        double width) {
    qsizetype fits = 0;
    qsizetype tooWide = text.size();
    while (tooWide - fits > 1) {
        const qsizetype middle = fits + (tooWide - fits) / 2;
        if (surface.TextWidth(text.left(middle) + tail) <= width) {
            fits = middle;
        } else {
            tooWide = middle;
        }
    }
    return fits;
}

}  // namespace

QString CutToWidth(const DrawingSurface& surface, const QString& text, double width) {
    if (surface.TextWidth(text) <= width) return text;
    return text.left(FittingPrefix(surface, text, QString(), width));
}

QString ElideToWidth(const DrawingSurface& surface, const QString& text, double width) {
    if (surface.TextWidth(text) <= width) return text;
    if (surface.TextWidth(kEllipsis) > width) return QString();
    return text.left(FittingPrefix(surface, text, kEllipsis, width)) + kEllipsis;
}

}  // namespace strativex
