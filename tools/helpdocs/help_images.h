#pragma once

#include <QString>
#include <QTextDocument>

namespace strativex::helpdocs {

// Finds the pictures the text names in the folder and gives each its size on the page: the
// size its resolution states, no wider than the body. Returns what went wrong, naming the
// picture; empty when every picture was found.
QString PlaceImages(QTextDocument& document, const QString& folder, qreal bodyWidth);

}  // namespace strativex::helpdocs
