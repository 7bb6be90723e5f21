#pragma once

#include <QTextDocument>

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

}  // namespace strativex::helpdocs
