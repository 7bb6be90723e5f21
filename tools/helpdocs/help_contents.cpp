#include "tools/helpdocs/help_contents.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>

#include <cmath>
#include <vector>

#include "tools/helpdocs/help_blocks.h"

namespace strativex::helpdocs {
namespace {

// Marks a contents line with the number of the heading it names.
constexpr int kContentsLineFor = QTextFormat::UserProperty + 1;
constexpr int kDeepestListedLevel = 3;
constexpr qreal kPointsPerInch = 72.0;
// A subsection's line starts this far in; a margin or an indent would move the tab stop.
const QString kSubsectionIndent = QStringLiteral("\u2003\u2003");

std::vector<QTextBlock> ListedHeadings(const QTextDocument& document) {
    std::vector<QTextBlock> headings;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (IsListedHeading(block)) headings.push_back(block);
    }
    return headings;
}

QTextBlockFormat ContentsLineFormat(int number, qreal bodyWidth) {
    QTextBlockFormat format;
    format.setBottomMargin(1.0);
    // A hair inside the edge, or the number would not fit on the line.
    format.setTabPositions({QTextOption::Tab(bodyWidth - 1.0, QTextOption::RightTab)});
    format.setProperty(kContentsLineFor, number);
    return format;
}

QTextCharFormat ContentsChars(const QTextDocument& document, bool bold) {
    QTextCharFormat chars;
    chars.setFont(document.defaultFont());
    chars.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    chars.setFontStyleStrategy(QFont::PreferNoShaping);
    return chars;
}

// The heading's words, with its superscripts and subscripts.
void InsertHeadingText(QTextCursor& cursor, const QTextBlock& heading,
                       const QTextCharFormat& base) {
    for (auto it = heading.begin(); !it.atEnd(); ++it) {
        QTextCharFormat chars = base;
        chars.setVerticalAlignment(it.fragment().charFormat().verticalAlignment());
        cursor.insertText(it.fragment().text(), chars);
    }
}

// A bookmark's title is plain text: a superscript becomes "^" and what follows it.
QString PlainHeadingText(const QTextBlock& heading) {
    QString text;
    for (auto it = heading.begin(); !it.atEnd(); ++it) {
        const bool raised =
            it.fragment().charFormat().verticalAlignment() == QTextCharFormat::AlignSuperScript;
        text += (raised ? QStringLiteral("^") : QString()) + it.fragment().text();
    }
    return text.trimmed();
}

}  // namespace

bool IsListedHeading(const QTextBlock& block) {
    const int level = block.blockFormat().headingLevel();
    return level >= 2 && level <= kDeepestListedLevel;
}

int PageOfBlock(const QTextDocument& document, const QTextBlock& block) {
    const qreal top = document.documentLayout()->blockBoundingRect(block).top();
    return static_cast<int>(std::floor(top / document.pageSize().height()));
}

void InsertContents(QTextDocument& document, qreal bodyWidth) {
    const std::vector<QTextBlock> found = ListedHeadings(document);
    if (found.empty()) return;
    // The first section's heading moves on to a block of its own; the empty block it leaves
    // becomes the contents' title, and the lines follow it.
    QTextCursor cursor(found.front());
    cursor.insertBlock(found.front().blockFormat(), found.front().charFormat());
    cursor.movePosition(QTextCursor::PreviousBlock);
    QTextBlockFormat title;
    title.setTopMargin(kParagraphGap);
    title.setBottomMargin(kParagraphGap);
    cursor.setBlockFormat(title);
    cursor.insertText(QStringLiteral("Contents"), ContentsChars(document, true));
    const std::vector<QTextBlock> headings = ListedHeadings(document);
    for (std::size_t k = 0; k < headings.size(); ++k) {
        const QTextCharFormat chars = ContentsChars(document, false);
        cursor.insertBlock(ContentsLineFormat(static_cast<int>(k), bodyWidth), chars);
        if (headings[k].blockFormat().headingLevel() > 2) cursor.insertText(kSubsectionIndent);
        InsertHeadingText(cursor, headings[k], chars);
        cursor.insertText(QStringLiteral("\t0"), chars);
    }
}

ContentsNavigation NavigationOf(const QTextDocument& document, const HelpPage& page,
                                int resolution) {
    const qreal points = kPointsPerInch / resolution;
    const qreal pageHeight = document.pageSize().height();
    const auto place = [&](qreal y) {
        const int index = static_cast<int>(std::floor(y / pageHeight));
        return PdfPlace{index, (page.Body.top() + y - index * pageHeight) * points};
    };
    ContentsNavigation navigation;
    for (const QTextBlock& heading : ListedHeadings(document)) {
        navigation.Outline.push_back(
            {PlainHeadingText(heading), heading.blockFormat().headingLevel(),
             place(document.documentLayout()->blockBoundingRect(heading).top())});
    }
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        if (!format.hasProperty(kContentsLineFor)) continue;
        const auto number = static_cast<std::size_t>(format.intProperty(kContentsLineFor));
        if (number >= navigation.Outline.size()) continue;
        const QRectF box = document.documentLayout()->blockBoundingRect(block);
        const PdfPlace top = place(box.top());
        navigation.Links.push_back({top.Page,
                                    QRectF((page.Body.left() + box.left()) * points, top.Top,
                                           box.width() * points, box.height() * points),
                                    navigation.Outline[number].Target});
    }
    return navigation;
}

void NumberContents(QTextDocument& document) {
    std::vector<int> pages;
    for (const QTextBlock& heading : ListedHeadings(document)) {
        pages.push_back(PageOfBlock(document, heading) + 1);
    }
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        if (!format.hasProperty(kContentsLineFor)) continue;
        const auto number = static_cast<std::size_t>(format.intProperty(kContentsLineFor));
        if (number >= pages.size()) continue;
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + block.text().lastIndexOf(QLatin1Char('\t')) + 1);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(QString::number(pages[number]));
    }
}

}  // namespace strativex::helpdocs
