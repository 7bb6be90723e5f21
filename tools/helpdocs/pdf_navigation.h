#pragma once

#include <QByteArray>
#include <QRectF>
#include <QString>

#include <vector>

namespace strativex::helpdocs {

// A place in the PDF: a page counted from 0 and a height in points from the page's top.
struct PdfPlace {
    int Page = 0;
    double Top = 0.0;
};

// A bookmark; a level-3 heading nests under the level-2 heading before it.
struct OutlineEntry {
    QString Title;
    int Level = 2;
    PdfPlace Target;
};

// A clickable area (points from the page's top-left corner) that jumps to a place.
struct PdfLink {
    int Page = 0;
    QRectF Area;
    PdfPlace Target;
};

// Adds the bookmarks and the links to a PDF that Qt wrote, whose pages are pageHeight points
// tall. Qt's writer has no interface for either, so they are appended as an update of the
// file, which leaves every byte Qt wrote as it is. Empty when the PDF is not laid out as Qt
// writes it.
QByteArray WithNavigation(const QByteArray& pdf, const std::vector<OutlineEntry>& outline,
                          const std::vector<PdfLink>& links, double pageHeight);

}  // namespace strativex::helpdocs
