#include "views/report/report_page.h"

#include "views/report/user_info_labels.h"
#include "views/surface/cut_to_width.h"
#include "views/surface/fit_text_break.h"
#include "views/surface/integer16.h"
#include "views/surface/model_text.h"
#include "views/surface/view_fonts.h"

namespace strativex {
namespace {

constexpr int kLastInformationSlot = kUserInfoCommentsSlot;

struct PageContext {
    DrawingSurface& surface;
    const ReportInputs& inputs;
    PageQuantities q;
};

// The printer takes a bold face readable on paper; the small preview a small face.
std::string_view BaseFontName(const DrawingSurface& surface) {
    return surface.IsPrinter() ? kSansFontName : kSmallFontName;
}

double BaseFontSize(const DrawingSurface& surface) {
    return surface.IsPrinter() ? 12 : 6;
}

// Name and size of the base font, upright, black and on an opaque background.
void SetBaseText(DrawingSurface& surface) {
    surface.SetFontName(BaseFontName(surface));
    surface.SetFontSize(BaseFontSize(surface));
    surface.SetFontItalic(false);
    surface.SetFontTransparent(false);
    surface.SetForeColor(Qt::black);
}

bool Included(const PageContext& p, int slot) {
    return p.inputs.prefs.UserInfoInclude[static_cast<std::size_t>(slot)];
}

void PrintAt(DrawingSurface& surface, double x, double y, const QString& text) {
    surface.SetCurrent(x, y);
    surface.Print(text);
}

double LabelX(const PageContext& p) {
    return p.q.MiddleX - p.q.Indent;
}

// Centred in the left half, a long name stays clear of the page's edge and of the labels.
void PrintModelName(const PageContext& p) {
    const QString name = ElideToWidth(p.surface, FromModelText(p.inputs.view.model.ModelName),
                                      p.q.MiddleX - 2.0 * p.q.Indent);
    PrintAt(p.surface, (p.q.MiddleX - p.surface.TextWidth(name)) / 2, p.q.TopLineY, name);
}

// Right-aligned, a long name keeps to the right half, clear of the program name.
void PrintFileName(const PageContext& p) {
    const QString name = ElideToWidth(p.surface, FromModelText(p.inputs.view.model.ModelFileName),
                                      p.q.RightMarginX - LabelX(p));
    PrintAt(p.surface, p.q.RightMarginX - p.surface.TextWidth(name),
            p.surface.ScaleHeight() * 0.965, name);
}

void PrintLogoLine(const PageContext& p) {
    DrawingSurface& s = p.surface;
    const double left = s.ScaleWidth() * 0.05;
    s.SetFontName(kLogoFontName);
    s.SetFontSize(2 * BaseFontSize(s));
    s.SetFontItalic(true);
    s.SetFontTransparent(true);
    s.SetForeColor(QColor(0, 128, 0));
    PrintAt(s, left, s.ScaleHeight() * 0.96, QStringLiteral("JOR"));
    const double nameX = left + s.TextWidth(QStringLiteral("JOR "));
    SetBaseText(s);
    PrintAt(s, nameX, s.ScaleHeight() * 0.97, QString::fromStdString(p.inputs.programName));
}

void PrintInformationValue(const PageContext& p, int slot, int y) {
    const double left = p.q.MiddleX + p.q.ValueColumnOffset;
    const QString value =
        FromModelText(p.inputs.prefs.UserInfoText[static_cast<std::size_t>(slot)]);
    PrintAt(p.surface, left, y, ElideToWidth(p.surface, value, p.q.RightMarginX - left));
}

void PrintComments(const PageContext& p, int y) {
    DrawingSurface& s = p.surface;
    QString remaining = FromModelText(p.inputs.view.model.ModelComments);
    const double width = p.q.RightMarginX - p.q.Indent - p.q.MiddleX;
    // A line is drawn while the last one ended above the box's bottom, so the last line may
    // overlap the bottom edge. Each line moves the current position down; on a page too small
    // to have a line height it would not, and the box would never fill.
    double lastY = s.CurrentY() - 1;
    for (int n = 1; s.CurrentY() < p.q.CommentsBottom && s.CurrentY() > lastY; ++n) {
        lastY = s.CurrentY();
        const int top = y + n * p.q.LineHeight;
        const int count = FitTextBreak(s, remaining, width);
        const QString piece = remaining.left(count);
        remaining.remove(0, count);
        PrintAt(s, p.q.MiddleX, top, ShownLine(piece));
    }
}

void PrintInformationLines(const PageContext& p) {
    const double labelX = LabelX(p);
    int y = p.q.TopLineY;
    for (int slot = 0; slot <= kLastInformationSlot; ++slot) {
        if (!Included(p, slot)) continue;
        if (slot == kUserInfoCommentsSlot) {
            const double top = y + p.q.LineHeight / 2.0;
            p.surface.BoxOutline(labelX, top, p.q.RightMarginX - labelX, p.q.CommentsBottom - top);
        }
        PrintAt(p.surface, labelX, y, QString::fromLatin1(UserInfoLabels[slot]));
        if (slot == kUserInfoCommentsSlot) {
            PrintComments(p, y);
        } else {
            PrintInformationValue(p, slot, y);
        }
        y += p.q.LineHeight;
    }
}

}  // namespace

PageQuantities ComputePageQuantities(double pageWidth, double pageHeight) {
    PageQuantities q;
    q.TopLineY = RoundToInt16(pageHeight * 0.03);
    q.CommentsBottom = RoundToInt16(pageHeight * 0.475);
    q.MiddleX = RoundToInt16(pageWidth * 0.5);
    q.RightMarginX = RoundToInt16(pageWidth * 0.95);
    q.LineHeight = RoundToInt16(pageHeight / 40);
    q.Indent = RoundToInt16(pageWidth / 80);
    q.ValueColumnOffset = RoundToInt16(pageWidth / 8);
    return q;
}

void PrintPage(DrawingSurface& surface, const ReportInputs& inputs) {
    const PageContext p{surface, inputs,
                        ComputePageQuantities(surface.ScaleWidth(), surface.ScaleHeight())};
    SetBaseText(surface);
    surface.SetFontBold(surface.IsPrinter());
    if (Included(p, kUserInfoModelNameSlot)) PrintModelName(p);
    if (Included(p, kUserInfoFileNameSlot)) PrintFileName(p);
    PrintLogoLine(p);
    PrintInformationLines(p);
}

}  // namespace strativex
