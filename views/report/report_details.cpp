#include "views/report/report_details.h"

#include <algorithm>

#include "views/report/page_table.h"
#include "views/report/report_details_texts.h"
#include "views/report/report_transient.h"
#include "views/surface/cut_to_width.h"
#include "views/surface/fit_text_break.h"
#include "views/surface/model_text.h"
#include "views/surface/view_fonts.h"

namespace strativex {
namespace {

constexpr double kTitlePoints = 14.0;
constexpr double kSectionPoints = 10.0;
constexpr double kBodyPoints = 8.0;
// Space before a section heading, in lines of the body text.
constexpr double kSectionGapLines = 0.8;
// Share of the width the 3-D check's numbers keep beside its map, and the map's proportions.
constexpr double kExactNumbersShare = 0.55;
constexpr double kMapAspect = 0.7;

// Where the next text goes, and the column it may fill.
struct PageFlow {
    DrawingSurface& surface;
    double Left = 0.0;
    double Width = 0.0;
    double Bottom = 0.0;
    double Y = 0.0;
};

void SetFont(DrawingSurface& s, double points, bool bold) {
    s.SetFontName(kSansFontName);
    s.SetFontSize(points);
    s.SetFontBold(bold);
    s.SetFontItalic(false);
    s.SetFontTransparent(true);
    s.SetForeColor(Qt::black);
}

void PrintAt(DrawingSurface& s, double x, double y, const QString& text) {
    s.SetCurrent(x, y);
    s.Print(text);
}

void Heading(PageFlow& f, const QString& text) {
    SetFont(f.surface, kBodyPoints, false);
    f.Y += f.surface.TextHeight() * kSectionGapLines;
    SetFont(f.surface, kSectionPoints, true);
    PrintAt(f.surface, f.Left, f.Y, text);
    f.Y += f.surface.TextHeight();
    SetFont(f.surface, kBodyPoints, false);
}

// The lines of a text within the column, up to the page's bottom; a text that does not fit
// ends in "…" on its last line.
void Wrapped(PageFlow& f, double x, double width, const QString& text) {
    DrawingSurface& s = f.surface;
    const QStringList lines = WrappedLines(s, text, width);
    for (qsizetype k = 0; k < lines.size(); ++k) {
        const bool lastThatFits = f.Y + 2 * s.TextHeight() > f.Bottom;
        if (lastThatFits && k + 1 < lines.size()) {
            PrintAt(s, x, f.Y, ElideToWidth(s, lines[k] + QStringLiteral(" \u2026"), width));
            f.Y += s.TextHeight();
            return;
        }
        PrintAt(s, x, f.Y, lines[k]);
        f.Y += s.TextHeight();
    }
}

// Labels in bold in a column of their own, each followed by the separator.
void Pairs(PageFlow& f, const LabelledValues& pairs,
           const QString& separator = QStringLiteral(":")) {
    DrawingSurface& s = f.surface;
    SetFont(s, kBodyPoints, true);
    double labelWidth = 0.0;
    for (const LabelledValue& pair : pairs) {
        labelWidth =
            std::max(labelWidth, s.TextWidth(pair.Label + separator + QStringLiteral("  ")));
    }
    labelWidth = std::min(labelWidth, f.Width / 2);
    for (const LabelledValue& pair : pairs) {
        if (f.Y + s.TextHeight() > f.Bottom) return;
        SetFont(s, kBodyPoints, true);
        PrintAt(s, f.Left, f.Y, ElideToWidth(s, pair.Label + separator, labelWidth));
        SetFont(s, kBodyPoints, false);
        Wrapped(f, f.Left + labelWidth, f.Width - labelWidth, pair.Value);
    }
}

void Table(PageFlow& f, const PageTableTexts& table) {
    SetFont(f.surface, kBodyPoints, false);
    f.Y = DrawPageTable(f.surface, table, f.Left, f.Y, f.Width) + f.surface.TextHeight() / 2;
}

// The numbers on the left; the cross-section map, when there is one, on the right.
void ExactCheck(PageFlow& f, const ViewInputs& inputs, const ExactCheckSummary& exact) {
    Heading(f, QStringLiteral("3-D check"));
    const double top = f.Y;
    const bool map = static_cast<bool>(exact.DrawCrossSection);
    PageFlow numbers{f.surface, f.Left, map ? f.Width * kExactNumbersShare : f.Width, f.Bottom,
                     f.Y};
    Pairs(numbers, ExactCheckLines(inputs, exact));
    f.Y = numbers.Y;
    if (!map) return;
    const double mapLeft = f.Left + numbers.Width + f.surface.TextHeight();
    const double mapWidth = f.Left + f.Width - mapLeft;
    const double mapHeight = std::min(mapWidth * kMapAspect, f.Bottom - top);
    if (mapHeight <= 0.0) return;
    f.surface.PaintInto(mapLeft, top, mapWidth, mapHeight, exact.DrawCrossSection);
    f.Y = std::max(f.Y, top + mapHeight);
}

void Transient(PageFlow& f, const TransientSummary& transient) {
    Heading(f, QStringLiteral("Transient"));
    Pairs(f, TransientLines(transient));
    f.Y = DrawTransientNetworks(f.surface, transient, f.Left, f.Width, f.Y, f.Bottom);
}

void Comments(PageFlow& f, const Model& model) {
    if (model.ModelComments.empty()) return;
    Heading(f, QStringLiteral("Comments"));
    Wrapped(f, f.Left, f.Width, FromModelText(model.ModelComments));
}

}  // namespace

void DrawDetailsPage(DrawingSurface& surface, const ReportInputs& inputs, const QDateTime& made) {
    const double width = surface.ScaleWidth();
    const double height = surface.ScaleHeight();
    PageFlow f{surface, width * 0.05, width * 0.9, height * 0.97, height * 0.03};
    SetFont(surface, kTitlePoints, true);
    PrintAt(surface, f.Left, f.Y, QStringLiteral("Calculation details"));
    f.Y += surface.TextHeight() * 1.2;
    Pairs(f, DetailsHeader(inputs, made));
    Heading(f, QStringLiteral("Layers as entered"));
    Table(f, LayerInputTable(inputs.view));
    Heading(f, QStringLiteral("Results"));
    Table(f, LayerResultTable(inputs.view, inputs.exact));
    Pairs(f, DetailsTotals(inputs.view));
    Heading(f, QStringLiteral("Marks that stand in for values"));
    Pairs(f, ResultMarkLegend(), QString());
    if (inputs.exact != nullptr) ExactCheck(f, inputs.view, *inputs.exact);
    if (inputs.transient != nullptr) Transient(f, *inputs.transient);
    Comments(f, inputs.view.model);
}

}  // namespace strativex
