#include "views/report/pdf_document.h"

#include <QBuffer>
#include <QPdfWriter>

namespace strativex {

QByteArray DrawnPdf(const QPageLayout& layout, const QString& title, const QString& creator,
                    const std::function<bool(QPdfWriter& writer)>& draw) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(layout);
        writer.setTitle(title);
        if (!creator.isEmpty()) writer.setCreator(creator);
        if (!draw(writer)) return {};
    }
    return buffer.data();
}

}  // namespace strativex
