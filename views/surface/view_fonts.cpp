#include "views/surface/view_fonts.h"

namespace strativex {

QFont ViewFont(std::string_view name, double points, bool bold, bool italic) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    // The sans-serif of most desktops runs wider than the narrow face the layouts were made
    // for; its semi-condensed cut keeps headings, labels and values inside their columns.
    font.setStretch(QFont::SemiCondensed);
    // Ligatures would put one "fi" glyph where the model's text has two letters, and a PDF
    // reader would then find no "amplifier" in the report; Latin text needs no shaping at all.
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setPointSizeF(points);
    const bool logo = name == kLogoFontName;
    font.setBold(bold || logo);
    font.setItalic(italic || logo);
    return font;
}

}  // namespace strativex
