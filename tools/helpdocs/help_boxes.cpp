#include "tools/helpdocs/help_boxes.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>

#include <vector>

#include "tools/helpdocs/help_blocks.h"

namespace strativex::helpdocs {
namespace {

const QColor kCodeFill(0xf1, 0xf3, 0xf5);
const QColor kNoteFill(0xfd, 0xf6, 0xe3);
const QColor kNoteBarColor(0xe0, 0xc0, 0x70);
constexpr double kBoxPadding = 6.0;
constexpr double kNoteBar = 0.75;
// Qt takes a fixed line height of 0 as no setting at all.
constexpr double kCollapsedLine = 0.1;
constexpr double kCollapsedPoints = 1.0;

enum class BoxKind { None, Code, Note };

BoxKind BoxKindOf(const QTextBlock& block) {
    if (block.textList() != nullptr) return BoxKind::None;
    if (IsCodeBlock(block.blockFormat())) return BoxKind::Code;
    if (IsNote(block.blockFormat())) return BoxKind::Note;
    return BoxKind::None;
}

struct BoxRun {
    int Start;
    int End;
    BoxKind Kind;
    std::vector<QTextBlockFormat> Formats;
};

// Consecutive code lines, or the paragraphs of one note, share one box.
std::vector<BoxRun> BoxRuns(const QTextDocument& document) {
    std::vector<BoxRun> runs;
    BoxKind previous = BoxKind::None;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const BoxKind kind = BoxKindOf(block);
        const int end = block.position() + block.length() - 1;
        if (kind != BoxKind::None && kind != previous) {
            runs.push_back({block.position(), end, kind, {}});
        }
        if (kind != BoxKind::None) {
            runs.back().End = end;
            runs.back().Formats.push_back(block.blockFormat());
        }
        previous = kind;
    }
    return runs;
}

QTextFrameFormat BoxFormat(BoxKind kind) {
    QTextFrameFormat format;
    format.setBackground(kind == BoxKind::Code ? kCodeFill : kNoteFill);
    format.setPadding(kBoxPadding);
    format.setTopMargin(kParagraphGap);
    format.setBottomMargin(kParagraphGap);
    if (kind == BoxKind::Note) {
        format.setBorder(kNoteBar);
        format.setBorderBrush(kNoteBarColor);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    }
    return format;
}

// Moving paragraphs into a frame drops their paragraph formats; they are given back.
void RestoreFormats(QTextFrame* frame, const std::vector<QTextBlockFormat>& formats) {
    QTextBlock block = frame->document()->findBlock(frame->firstPosition());
    for (const QTextBlockFormat& format : formats) {
        if (!block.isValid()) return;
        QTextCursor(block).setBlockFormat(format);
        block = block.next();
    }
}

bool InRootFrame(const QTextDocument& document, const QTextBlock& block) {
    return QTextCursor(block).currentFrame() == document.rootFrame();
}

// Qt marks where a frame (a table or a box) starts and ends with these characters.
bool NextToFrame(const QTextDocument& document, const QTextBlock& block) {
    const QChar frameStart(0xfdd0);
    const QChar frameEnd(0xfdd1);
    return document.characterAt(block.position() - 1) == frameEnd ||
           document.characterAt(block.position() + block.length() - 1) == frameStart;
}

// Qt keeps an empty paragraph before and after every table and box; it would show as a blank
// line.
void CollapseParagraphsBesideFrames(QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.length() != 1 || !InRootFrame(document, block) || !NextToFrame(document, block)) {
            continue;
        }
        QTextBlockFormat format = block.blockFormat();
        format.setTopMargin(0.0);
        format.setBottomMargin(0.0);
        format.setLineHeight(kCollapsedLine, QTextBlockFormat::FixedHeight);
        QTextCharFormat chars = block.charFormat();
        chars.setFontPointSize(kCollapsedPoints);
        QTextCursor cursor(block);
        cursor.setBlockFormat(format);
        cursor.setBlockCharFormat(chars);
    }
}

}  // namespace

void BoxCodeAndNotes(QTextDocument& document) {
    const std::vector<BoxRun> runs = BoxRuns(document);
    // From the end, so that the positions of the earlier runs stay valid.
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        QTextCursor cursor(&document);
        cursor.setPosition(run->Start);
        cursor.setPosition(run->End, QTextCursor::KeepAnchor);
        RestoreFormats(cursor.insertFrame(BoxFormat(run->Kind)), run->Formats);
    }
    CollapseParagraphsBesideFrames(document);
}

}  // namespace strativex::helpdocs
