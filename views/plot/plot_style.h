#pragma once

#include <QColor>
#include <QFont>

// The look of the sweep plot. Sizes are layout pixels, a 96th of an inch at full scale.
namespace strativex {

// Tick marks stand out of the area's frame by this much.
constexpr double kPlotTickLength = 4.0;

enum class PlotFontRole { Tick, Title, Legend };

QFont PlotFont(PlotFontRole role);

// Source and resistance take the strong colours; the layers' thin lines take a palette that
// keeps ten of them apart.
inline const QColor kSourceColor{192, 32, 48};
inline const QColor kResistanceColor{32, 88, 176};
inline const QColor kAxisColor{64, 64, 64};
inline const QColor kGridColor{224, 224, 224};
inline const QColor kGapColor{236, 236, 236};
inline const QColor kGapTextColor{96, 96, 96};
inline const QColor kModelMarkColor{112, 112, 112};
inline const QColor kExactAverageColor{0, 128, 96};
inline const QColor kExactPeakColor{208, 112, 0};
QColor LayerSeriesColor(int layer);

}  // namespace strativex
