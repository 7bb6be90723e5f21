#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QString>

#include <functional>

class QPdfWriter;

namespace strativex {

// The resolution every exported PDF is drawn at.
inline constexpr int kPdfResolution = 1200;

// A PDF in memory, set up alike for every export: its page, title and creator (none when
// empty). draw paints it; empty when draw says it could not.
QByteArray DrawnPdf(const QPageLayout& layout, const QString& title, const QString& creator,
                    const std::function<bool(QPdfWriter& writer)>& draw);

}  // namespace strativex
