#include "tools/helpdocs/help_images.h"

#include <QDir>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QUrl>

#include <algorithm>
#include <vector>

namespace strativex::helpdocs {
namespace {

// Lengths of formats are in 96-dpi pixels.
constexpr double kFormatDpi = 96.0;
constexpr double kMetresPerInch = 0.0254;

struct ImageSpan {
    int Position;
    QTextImageFormat Format;
};

// Images are collected first: a new format merges or splits the fragments around it.
std::vector<ImageSpan> ImageSpans(const QTextDocument& document) {
    std::vector<ImageSpan> spans;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat()) {
                spans.push_back({it.fragment().position(), format.toImageFormat()});
            }
        }
    }
    return spans;
}

qreal ShownWidth(const QImage& image, qreal bodyWidth) {
    const double dpi =
        image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() * kMetresPerInch : kFormatDpi;
    return std::min(bodyWidth, image.width() * kFormatDpi / dpi);
}

}  // namespace

QString PlaceImages(QTextDocument& document, const QString& folder, qreal bodyWidth) {
    for (ImageSpan& span : ImageSpans(document)) {
        const QImage image(QDir(folder).filePath(span.Format.name()));
        if (image.isNull()) {
            return QStringLiteral("the picture '%1' is not in '%2'")
                .arg(span.Format.name(), folder);
        }
        const qreal width = ShownWidth(image, bodyWidth);
        span.Format.setWidth(width);
        span.Format.setHeight(width * image.height() / image.width());
        document.addResource(QTextDocument::ImageResource, QUrl(span.Format.name()), image);
        QTextCursor cursor(&document);
        cursor.setPosition(span.Position);
        cursor.setPosition(span.Position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(span.Format);
    }
    return {};
}

}  // namespace strativex::helpdocs
