#include "tools/helpdocs/help_pdf.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>

#include "tools/helpdocs/help_contents.h"
#include "tools/helpdocs/help_layout.h"
#include "views/report/pdf_document.h"

namespace strativex::helpdocs {
namespace {

const QColor kFooterColor(0x5a, 0x66, 0x75);
constexpr double kFooterPoints = 8.0;
// A device pixel of a PDF is a hairline that vanishes on paper.
constexpr double kFooterRulePoints = 0.5;
constexpr double kPointsPerInch = 72.0;

void PaintBody(QPainter& painter, QTextDocument& document, const HelpPage& page, int index) {
    const qreal height = page.Body.height();
    painter.save();
    painter.translate(page.Body.topLeft());
    painter.setClipRect(QRectF(QPointF(0.0, 0.0), page.Body.size()));
    painter.translate(0.0, -index * height);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0.0, index * height, page.Body.width(), height);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}

void PaintFooter(QPainter& painter, const HelpPage& page, const QString& title, int number,
                 int count) {
    painter.save();
    painter.setPen(
        QPen(kFooterColor, kFooterRulePoints / kPointsPerInch * painter.device()->logicalDpiY()));
    painter.drawLine(QPointF(page.Body.left(), page.FooterRuleY),
                     QPointF(page.Body.right(), page.FooterRuleY));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(kFooterPoints);
    painter.setFont(font);
    painter.drawText(QPointF(page.Body.left(), page.FooterBaseline), title);
    const QString pageText = QStringLiteral("Page %1 of %2").arg(number).arg(count);
    const qreal width = painter.fontMetrics().horizontalAdvance(pageText);
    painter.drawText(QPointF(page.Body.right() - width, page.FooterBaseline), pageText);
    painter.restore();
}

bool PaintPages(QPdfWriter& writer, QTextDocument& document, const QString& title,
                const HelpPage& page) {
    const int count = PaginateHelpDocument(document, &writer, page);
    NumberContents(document);
    QPainter painter;
    if (count < 1 || !painter.begin(&writer)) return false;
    for (int index = 0; index < count; ++index) {
        if (index > 0 && !writer.newPage()) return false;
        PaintBody(painter, document, page, index);
        PaintFooter(painter, page, title, index + 1, count);
    }
    return painter.end();
}

}  // namespace

QByteArray RenderHelpPdf(QTextDocument& document, const QString& title) {
    ContentsNavigation navigation;
    const QByteArray pdf =
        DrawnPdf(HelpPageLayout(), title, QStringLiteral("Strativex"), [&](QPdfWriter& writer) {
            const HelpPage page = HelpPageAt(writer.resolution());
            if (!PaintPages(writer, document, title, page)) return false;
            navigation = NavigationOf(document, page, writer.resolution());
            return true;
        });
    if (pdf.isEmpty()) return {};
    return WithNavigation(pdf, navigation.Outline, navigation.Links,
                          HelpPageLayout().fullRect(QPageLayout::Point).height());
}

}  // namespace strativex::helpdocs
