#pragma once

#include <QPageLayout>
#include <QRectF>
#include <QTextDocument>

class QPaintDevice;

namespace strativex::helpdocs {

// Where text and footer go on a page, in the device pixels of a writer of that resolution.
struct HelpPage {
    QRectF Body;
    qreal FooterRuleY = 0.0;
    qreal FooterBaseline = 0.0;
};

// A4 without printer margins: the body and the footer are placed by HelpPageAt.
QPageLayout HelpPageLayout();
HelpPage HelpPageAt(int resolution);

// Breaks the document into pages of the body's size on the device, keeping every heading on
// the page of the text that follows it. Returns the number of pages.
int PaginateHelpDocument(QTextDocument& document, QPaintDevice* device, const HelpPage& page);

}  // namespace strativex::helpdocs
