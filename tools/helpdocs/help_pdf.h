#pragma once

#include <QByteArray>
#include <QString>
#include <QTextDocument>

namespace strativex::helpdocs {

// The styled document as PDF pages with a footer naming the title and the page, bookmarks for
// its sections and links from its contents; empty when nothing could be drawn.
QByteArray RenderHelpPdf(QTextDocument& document, const QString& title);

}  // namespace strativex::helpdocs
