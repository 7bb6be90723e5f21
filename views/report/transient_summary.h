#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>

#include <functional>

#include "exact/rc_network.h"

namespace strativex {

// The transient's answer for the model on the page, as the details page shows it. The window
// hands it over only when it was computed for the model as it is now.
struct TransientSummary {
    double SteadyZthAverage = 0.0;  // K/W
    double SteadyZthPeak = 0.0;
    double FitErrorPercent = 0.0;  // of the Foster network, of Zth(∞)
    QString Base;                  // how the bottom face was held
    exact::FosterNetwork Foster;   // fitted to the peak
    exact::CauerNetwork Cauer;     // junction first
    // Paints the thermal impedance curve into a rectangle of the painter's device.
    std::function<void(QPainter&, const QRectF&)> DrawZth;
};

}  // namespace strativex
