#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace strativex {

// The 3-D check's answer for the model on the page, as the details page shows it. The window
// hands it over only when the check was computed for the model as it is now.
struct ExactCheckSummary {
    double AverageSourceTempC = 0.0;
    double PeakSourceTempC = 0.0;
    double AverageResistance = 0.0;  // C/W
    double PeakResistance = 0.0;
    // The remaining discretisation error of the average, in % of its rise.
    double AverageErrorPercent = 0.0;
    // How far the spreading-angle estimate's rise lies from the 3-D average's, in % of the
    // latter (negative: the estimate is optimistic).
    // With a heat sink under the base, the estimate plus the sink in series, which the error
    // and the angle then refer to, and the base as text.
    std::optional<double> EstimateErrorPercent;
    std::optional<double> EstimateWithSinkTempC;
    QString BaseText;
    // The device is larger than layer 1: the 3-D check heats only where they meet.
    bool SourceClipped = false;
    // The one angle that, given to every layer, makes the estimate meet the 3-D average;
    // nothing where no angle does.
    std::optional<double> EquivalentAngleDeg;
    std::vector<double> LayerTopTempC;  // mean over each layer's contact area; [0] is layer 1
    std::size_t Cells = 0;
    // Paints the cross-section map with its colour legend into a rectangle of the painter's
    // device; without it the page shows the numbers alone.
    std::function<void(QPainter&, const QRectF&)> DrawCrossSection;
};

}  // namespace strativex
