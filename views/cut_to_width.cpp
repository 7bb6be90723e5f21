#include "views/cut_to_width.h"

namespace strativex {

QString CutToWidth(const DrawingSurface& surface, const QString& text, double width) {
    if (surface.TextWidth(text) <= width) return text;
    // Dropping one character at a time measures the text once per character, which a long
    // text makes slow. A prefix never gets narrower by growing, so halving the range finds
    // the same longest prefix that fits.
    qsizetype fits = 0;
    qsizetype tooWide = text.size();
    while (tooWide - fits > 1) {
        const qsizetype middle = fits + (tooWide - fits) / 2;
        if (surface.TextWidth(text.left(middle)) <= width) {
            fits = middle;
        } else {
            tooWide = middle;
        }
    }
    return text.left(fits);
}

}  // namespace strativex
