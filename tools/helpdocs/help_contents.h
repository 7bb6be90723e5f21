#pragma once

#include <QTextDocument>

#include <vector>

#include "tools/helpdocs/help_layout.h"
#include "tools/helpdocs/pdf_navigation.h"

namespace strativex::helpdocs {

// A "Contents" list before the first section: a line for every section and subsection, its
// page number at the right edge of the body, bodyWidth wide.
void InsertContents(QTextDocument& document, qreal bodyWidth);

// Writes each heading's page into its line of the contents, once the document is broken into
// pages of the document's page size.
void NumberContents(QTextDocument& document);

// The page, counted from 0, that a block of the paginated document starts on.
int PageOfBlock(const QTextDocument& document, const QTextBlock& block);

// A heading that the contents and the outline list.
bool IsListedHeading(const QTextBlock& block);

// Where the listed headings and the contents lines of the paginated document stand on the
// PDF's pages, for a writer of this resolution: a bookmark for each heading, and a link from
// each contents line to its heading.
struct ContentsNavigation {
    std::vector<OutlineEntry> Outline;
    std::vector<PdfLink> Links;
};
ContentsNavigation NavigationOf(const QTextDocument& document, const HelpPage& page,
                                int resolution);

}  // namespace strativex::helpdocs
