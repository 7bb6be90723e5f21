#include "views/stack/data_table.h"

#include "views/stack/data_table_geometry.h"
#include "views/stack/data_table_texts.h"
#include "views/surface/cut_to_width.h"
#include "views/surface/view_fonts.h"

namespace strativex {
namespace {

constexpr int kUnitLineFontSize = 7;
// The smallest size a number steps down to so that it stays between its column's lines, and
// the room it keeps from each of them.
constexpr double kSmallestFittedSize = 5.0;
constexpr double kFittedSizeStep = 0.5;
constexpr double kCellPadding = 30.0;
const QString kPlaceholder = QStringLiteral("-----");

struct TableContext {
    DrawingSurface& surface;
    const DataTableGeometry& g;
    bool previewMode;
};

QString Shown(const TableContext& t, const QString& text) {
    return t.previewMode && !text.isEmpty() ? kPlaceholder : text;
}

void PrintCentred(const TableContext& t, int column, double top, const QString& text) {
    if (text.isEmpty()) return;
    t.surface.SetCurrent(CentredX(t.g, column, t.surface.TextWidth(text)), top);
    t.surface.Print(text);
}

// A number or "(infinite)" wider than its column, as with a large desktop font or many
// decimals, is drawn smaller rather than across the column's lines.
void PrintFitted(const TableContext& t, int column, double top, const QString& text) {
    const double room = t.g.ColX[column + 1] - t.g.ColX[column] - 2 * kCellPadding;
    double size = t.g.FontPoints;
    while (size > kSmallestFittedSize && t.surface.TextWidth(text) > room) {
        size -= kFittedSizeStep;
        t.surface.SetFontSize(size);
    }
    PrintCentred(t, column, top, text);
    t.surface.SetFontSize(t.g.FontPoints);
}

void DrawHeadings(const TableContext& t, LengthUnit unit) {
    const DataTableHeadings headings = HeadingTexts(t.g.LongHeadings, unit);
    const int tops[] = {t.g.OriginY + t.g.FontPoints * 5, t.g.OriginY + t.g.FontPoints * 30,
                        t.g.OriginY + t.g.FontPoints * 60};
    for (int c = 0; c < kTableColumns; ++c) {
        for (int line = 0; line < 3; ++line) {
            t.surface.SetFontSize(line < 2 ? t.g.FontPoints : kUnitLineFontSize);
            QString text = headings[c][line];
            if (t.previewMode) text = line == 0 ? kPlaceholder : QString();
            PrintCentred(t, c, tops[line], text);
        }
    }
}

void DrawRow(const TableContext& t, const ViewInputs& inputs, int row) {
    const DataTableRowTexts texts = RowTexts(inputs, row);
    const int y = RowY(t.g, row);
    const double columnWidth = t.g.ColX[1] - t.g.ColX[0];
    t.surface.SetForeColor(RowColor(inputs, row));
    PrintCentred(t, 0, y - t.g.LineHalfGap,
                 CutToWidth(t.surface, Shown(t, texts.Material[0]), columnWidth));
    PrintCentred(t, 0, y + t.g.LineHalfGap, Shown(t, texts.Material[1]));
    PrintFitted(t, 1, y - t.g.LineHalfGap, Shown(t, texts.Size[0]));
    PrintFitted(t, 1, y + t.g.LineHalfGap, Shown(t, texts.Size[1]));
    PrintFitted(t, 2, y, Shown(t, texts.Thickness));
    PrintCentred(t, 3, y, Shown(t, texts.Angle));
    PrintFitted(t, 4, y, Shown(t, texts.Temperature));
    if (row > t.g.LayerCount) t.surface.SetForeColor(TotalColor());
    PrintFitted(t, 5, y, Shown(t, texts.Resistance));
}

void DrawRules(const TableContext& t, ViewLayout layout) {
    const DataTableGeometry& g = t.g;
    DrawingSurface& s = t.surface;
    s.SetForeColor(Qt::black);
    s.Line(g.OriginX + g.ColX[5] + 150, g.BodyTop + (g.LayerCount + 0.75) * g.RowPitch,
           g.ColX[6] - g.ColX[5] - 300, 0);
    s.Line(g.OriginX, g.OriginY + g.FontPoints * 60, g.Width, 0);
    s.Line(g.OriginX, g.OriginY + g.FontPoints * 60 + 200, g.Width, 0);
    for (int c = 1; c <= kTableColumns; ++c) s.Line(g.OriginX + g.ColX[c], g.OriginY, 0, g.Height);
    if (layout == ViewLayout::Page) s.BoxOutline(g.OriginX, g.OriginY, g.Width, g.Height);
}

}  // namespace

std::optional<ClickLimits> DrawDataTable(DrawingSurface& surface, bool previewMode,
                                         const ViewInputs& inputs) {
    const ViewLayout layout = LayoutFor(surface, previewMode);
    const DataTableGeometry g = ComputeDataTable(inputs.model.LayerCount, surface.ScaleWidth(),
                                                 surface.ScaleHeight(), layout);
    if (layout == ViewLayout::Screen) surface.Cls();
    const TableContext t{surface, g, previewMode};
    surface.SetForeColor(Qt::black);
    surface.SetFontName(kSansFontName);
    surface.SetFontBold(true);
    surface.SetFontTransparent(true);
    DrawHeadings(t, inputs.model.UnitSystem);
    surface.SetFontSize(g.FontPoints);
    for (int row = 0; row <= g.LayerCount + 1; ++row) DrawRow(t, inputs, row);
    DrawRules(t, layout);
    if (layout == ViewLayout::Screen) return g.RowBottomY;
    return std::nullopt;
}

}  // namespace strativex
