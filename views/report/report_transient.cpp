#include "views/report/report_transient.h"

#include <algorithm>

#include "views/report/page_table.h"

namespace strativex {
namespace {

// Share of the width the table keeps beside the curve, and the curve's proportions.
constexpr double kTableShare = 0.55;
constexpr double kPictureAspect = 0.62;

QString Number(double value) {
    return QString::number(value, 'g', 4);
}

}  // namespace

LabelledValues TransientLines(const TransientSummary& summary) {
    return {{QStringLiteral("Zth(\u221E)"),
             QStringLiteral("average %1 K/W, peak %2 K/W")
                 .arg(Number(summary.SteadyZthAverage), Number(summary.SteadyZthPeak))},
            {QStringLiteral("Base"), summary.Base},
            {QStringLiteral("Networks"),
             QStringLiteral("fitted to Zth peak with %1 stages, fit error %2 % of Zth(\u221E)")
                 .arg(summary.Foster.Stages.size())
                 .arg(QString::number(summary.FitErrorPercent, 'f', 2))}};
}

PageTableTexts TransientNetworkTable(const TransientSummary& summary) {
    PageTableTexts table;
    table.Headings = {QStringLiteral("Stage"),           QStringLiteral("Foster R\n(K/W)"),
                      QStringLiteral("Foster C\n(J/K)"), QStringLiteral("Foster \u03C4\n(s)"),
                      QStringLiteral("Cauer R\n(K/W)"),  QStringLiteral("Cauer C\n(J/K)")};
    table.TextColumns = {0};
    table.FlexibleColumn = 0;
    const auto& foster = summary.Foster.Stages;
    const auto& cauer = summary.Cauer.Stages;
    for (std::size_t i = 0; i < std::max(foster.size(), cauer.size()); ++i) {
        QStringList row{QString::number(i + 1)};
        if (i < foster.size()) {
            row << Number(foster[i].R) << Number(foster[i].C) << Number(foster[i].Tau());
        } else {
            row << QString() << QString() << QString();
        }
        if (i < cauer.size()) {
            row << Number(cauer[i].R) << Number(cauer[i].C);
        } else {
            row << QString() << QString();
        }
        table.Rows.push_back(row);
    }
    return table;
}

double DrawTransientNetworks(DrawingSurface& surface, const TransientSummary& summary, double left,
                             double width, double top, double bottom) {
    const double tableWidth = summary.DrawZth ? width * kTableShare : width;
    const double below =
        DrawPageTable(surface, TransientNetworkTable(summary), left, top, tableWidth) +
        surface.TextHeight() / 2;
    if (!summary.DrawZth) return below;
    const double pictureLeft = left + tableWidth + surface.TextHeight();
    const double pictureWidth = left + width - pictureLeft;
    const double pictureHeight = std::min(pictureWidth * kPictureAspect, bottom - top);
    if (pictureHeight <= 0.0) return below;
    surface.PaintInto(pictureLeft, top, pictureWidth, pictureHeight, summary.DrawZth);
    return std::max(below, top + pictureHeight);
}

}  // namespace strativex
