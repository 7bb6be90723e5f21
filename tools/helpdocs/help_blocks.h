#pragma once

#include <QTextFormat>

// What the Markdown import makes of code and notes, and the spacing the styling shares.
namespace strativex::helpdocs {

// Lengths of formats are in 96-dpi pixels; the layout scales them to the page.
inline constexpr double kParagraphGap = 6.0;

inline bool IsCodeBlock(const QTextBlockFormat& format) {
    return format.hasProperty(QTextFormat::BlockCodeFence) ||
           format.hasProperty(QTextFormat::BlockCodeLanguage);
}

// A block quote ("> ...") of the source is shown as a note.
inline bool IsNote(const QTextBlockFormat& format) {
    return format.intProperty(QTextFormat::BlockQuoteLevel) > 0;
}

}  // namespace strativex::helpdocs
