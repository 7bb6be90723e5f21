#include "tools/helpdocs/help_layout.h"

#include <QAbstractTextDocumentLayout>
#include <QPageSize>
#include <QPaintDevice>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>

#include <algorithm>
#include <cmath>

#include "core/units.h"

namespace strativex::helpdocs {
namespace {

constexpr double kPointsPerInch = 72.0;

constexpr double kSideMarginMm = 20.0;
constexpr double kTopMarginMm = 18.0;
constexpr double kBottomMarginMm = 22.0;
constexpr double kFooterRuleFromBottomMm = 15.5;
constexpr double kFooterBaselineFromBottomMm = 11.0;
// Room a heading wants below it on its page: a few lines of the text it introduces.
constexpr double kRoomBelowHeadingPoints = 48.0;

qreal Pixels(double millimetres, int resolution) {
    return millimetres / kMillimetresPerInch * resolution;
}

int PageOf(qreal y, qreal pageHeight) {
    return static_cast<int>(std::floor(y / pageHeight));
}

// Qt re-lays out only part of a paginated document after a format change; the rest would keep
// stale, empty line layouts and go missing from the pages.
void Relayout(QTextDocument& document) {
    document.markContentsDirty(0, document.characterCount());
}

void BreakBefore(QTextDocument& document, const QTextBlock& block) {
    QTextBlockFormat format = block.blockFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(block).setBlockFormat(format);
    Relayout(document);
}

void BreakBefore(QTextDocument& document, QTextFrame* frame) {
    QTextFrameFormat format = frame->frameFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    frame->setFrameFormat(format);
    Relayout(document);
}

bool IsHeading(const QTextBlock& block) {
    return block.isValid() && block.blockFormat().headingLevel() > 0;
}

// The paragraph before this one, past the empty ones Qt keeps around tables and boxes.
QTextBlock PreviousWithText(QTextBlock block) {
    block = block.previous();
    while (block.isValid() && block.length() == 1) block = block.previous();
    return block;
}

// A heading directly under another moves with it: the first of such a run of headings.
QTextBlock FirstOfHeadings(QTextBlock heading) {
    for (QTextBlock above = PreviousWithText(heading); IsHeading(above);
         above = PreviousWithText(above)) {
        heading = above;
    }
    return heading;
}

bool HoldsPicture(const QTextBlock& block) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat()) return true;
    }
    return false;
}

// Moves a heading to the next page when too little of its page is left below it: a few lines
// of text, or the whole of a picture, which cannot be split.
void KeepWithNext(QTextDocument& document, const QTextBlock& heading, qreal roomBelow) {
    const qreal pageHeight = document.pageSize().height();
    const QRectF box = document.documentLayout()->blockBoundingRect(heading);
    const QTextBlock next = heading.next();
    if (next.isValid() && HoldsPicture(next)) {
        roomBelow =
            std::max(roomBelow, document.documentLayout()->blockBoundingRect(next).height());
    }
    const qreal offset = std::fmod(box.top(), pageHeight);
    if (offset < 1.0 || pageHeight - offset >= box.height() + roomBelow) return;
    BreakBefore(document, FirstOfHeadings(heading));
}

// A short table or box that would straddle two pages moves to the next one whole, with its
// heading if it has one; a long one is split between its rows or lines.
void KeepTogether(QTextDocument& document, QTextFrame* frame) {
    const qreal pageHeight = document.pageSize().height();
    const QRectF box = document.documentLayout()->frameBoundingRect(frame);
    if (box.height() > pageHeight / 2 ||
        PageOf(box.top(), pageHeight) == PageOf(box.bottom() - 1.0, pageHeight)) {
        return;
    }
    const QTextBlock above = PreviousWithText(frame->firstCursorPosition().block());
    if (IsHeading(above)) {
        BreakBefore(document, FirstOfHeadings(above));
    } else {
        BreakBefore(document, frame);
    }
}

}  // namespace

QPageLayout HelpPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
}

HelpPage HelpPageAt(int resolution) {
    const QSizeF paper = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    HelpPage page;
    page.Body = QRectF(Pixels(kSideMarginMm, resolution), Pixels(kTopMarginMm, resolution),
                       Pixels(paper.width() - 2 * kSideMarginMm, resolution),
                       Pixels(paper.height() - kTopMarginMm - kBottomMarginMm, resolution));
    page.FooterRuleY = Pixels(paper.height() - kFooterRuleFromBottomMm, resolution);
    page.FooterBaseline = Pixels(paper.height() - kFooterBaselineFromBottomMm, resolution);
    return page;
}

int PaginateHelpDocument(QTextDocument& document, QPaintDevice* device, const HelpPage& page) {
    document.documentLayout()->setPaintDevice(device);
    document.setDocumentMargin(0.0);
    document.setPageSize(page.Body.size());
    const qreal roomBelow = kRoomBelowHeadingPoints / kPointsPerInch * device->logicalDpiY();
    // In document order: each page break shifts only what follows it.
    for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* frame = it.currentFrame()) {
            KeepTogether(document, frame);
        } else if (it.currentBlock().blockFormat().headingLevel() > 0) {
            KeepWithNext(document, it.currentBlock(), roomBelow);
        }
    }
    return document.pageCount();
}

}  // namespace strativex::helpdocs
