#pragma once

#include <QPainter>
#include <QRectF>

#include <functional>
#include <memory>

#include "exact/exact_result.h"

namespace strativex {

// The 3-D check's answer for the model on the page, as the details page shows it. The window
// hands it over only when the check was computed for the model as it is now.
struct ExactCheckSummary {
    // The numbers, shared with whoever computed them; Status Ok.
    std::shared_ptr<const exact::ExactResult> Result;
    // Paints the cross-section map with its colour legend into a rectangle of the painter's
    // device; without it the page shows the numbers alone.
    std::function<void(QPainter&, const QRectF&)> DrawCrossSection;
};

}  // namespace strativex
