#include "tools/helpdocs/help_style.h"

#include <QColor>
#include <QFontDatabase>
#include <QTextBlock>
#include <QTextCursor>

#include <vector>

#include "tools/helpdocs/help_blocks.h"
#include "tools/helpdocs/help_boxes.h"
#include "tools/helpdocs/help_tables.h"

namespace strativex::helpdocs {
namespace {

const QString kSans = QStringLiteral("DejaVu Sans");
const QString kMono = QStringLiteral("DejaVu Sans Mono");
constexpr double kBodyPoints = 9.5;
constexpr double kCodePoints = 8.0;
constexpr int kLineHeightPercent = 114;

const QColor kHeadingColor(0x1f, 0x3a, 0x5f);

double HeadingPoints(int level) {
    switch (level) {
        case 1:
            return 20.0;
        case 2:
            return 14.0;
        case 3:
            return 11.5;
        default:
            return kBodyPoints;
    }
}

double HeadingTopMargin(int level) {
    return level == 1 ? 0.0 : level == 2 ? 16.0 : 10.0;
}

// The importer marks code spans with the platform's fixed font, whatever it is called.
bool IsCodeSpan(const QTextCharFormat& format) {
    static const QString fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    return format.fontFixedPitch() || format.fontFamilies().toStringList().contains(fixed);
}

QTextCharFormat StyledChars(QTextCharFormat format, int headingLevel, bool code) {
    format.clearProperty(QTextFormat::FontSizeAdjustment);
    // Ligatures would make "fi" in a copied or searched word a single, different character.
    format.setFontStyleStrategy(QFont::PreferNoShaping);
    if (headingLevel > 0) {
        format.setFontFamilies({kSans});
        format.setFontPointSize(HeadingPoints(headingLevel));
        format.setFontWeight(QFont::Bold);
        format.setForeground(kHeadingColor);
    } else if (code) {
        format.setFontFamilies({kMono});
        format.setFontFixedPitch(true);
        format.setFontPointSize(kCodePoints);
    } else {
        format.setFontFamilies({kSans});
        format.setFontPointSize(kBodyPoints);
    }
    return format;
}

QTextBlockFormat StyledBlock(QTextBlockFormat format) {
    const int level = format.headingLevel();
    if (level > 0) {
        format.setTopMargin(HeadingTopMargin(level));
        format.setBottomMargin(level == 1 ? 10.0 : 4.0);
    } else if (IsCodeBlock(format)) {
        format.setTopMargin(0.0);
        format.setBottomMargin(0.0);
    } else {
        format.setLineHeight(kLineHeightPercent, QTextBlockFormat::ProportionalHeight);
    }
    if (IsNote(format)) {
        // The note's box provides the indent and the space around it.
        format.setLeftMargin(0.0);
        format.setRightMargin(0.0);
        format.setTopMargin(0.0);
        format.setBottomMargin(kParagraphGap);
    }
    return format;
}

struct Span {
    int Start;
    int End;
    QTextCharFormat Format;
};

// Fragments are collected first: restyling one splits or merges its neighbours.
std::vector<Span> StyledSpans(const QTextBlock& block) {
    const int level = block.blockFormat().headingLevel();
    const bool codeBlock = IsCodeBlock(block.blockFormat());
    std::vector<Span> spans;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const bool code = codeBlock || IsCodeSpan(fragment.charFormat());
        spans.push_back({fragment.position(), fragment.position() + fragment.length(),
                         StyledChars(fragment.charFormat(), level, code)});
    }
    return spans;
}

void StyleBlock(const QTextBlock& block) {
    const QTextBlockFormat blockFormat = block.blockFormat();
    const std::vector<Span> spans = StyledSpans(block);
    QTextCursor cursor(block);
    cursor.setBlockFormat(StyledBlock(blockFormat));
    // An empty line takes its height from the block's own character format.
    cursor.setBlockCharFormat(
        StyledChars(block.charFormat(), blockFormat.headingLevel(), IsCodeBlock(blockFormat)));
    for (const Span& span : spans) {
        cursor.setPosition(span.Start);
        cursor.setPosition(span.End, QTextCursor::KeepAnchor);
        cursor.setCharFormat(span.Format);
    }
}

}  // namespace

void ApplyHelpStyle(QTextDocument& document) {
    QFont body(kSans);
    body.setPointSizeF(kBodyPoints);
    document.setDefaultFont(body);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        StyleBlock(block);
    }
    StyleTables(document.rootFrame());
    BoxCodeAndNotes(document);
}

}  // namespace strativex::helpdocs
