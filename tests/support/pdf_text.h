#pragma once

#include <QString>

// Reading PDFs back needs poppler-utils; tests skip where the tools are missing.
bool HasPopplerTools();
// The text of every page; runs of white space become one blank, so that a phrase wrapped over
// two lines still matches.
QString PdfText(const QString& path);
// One field of pdfinfo's output ("Pages", "Title", ...).
QString PdfInfo(const QString& path, const QString& field);
