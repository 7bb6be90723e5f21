#pragma once

#include <QByteArray>
#include <QImage>
#include <QPageLayout>
#include <QSize>

#include <vector>

#include "views/plot/plot_curves.h"
#include "views/plot/plot_inputs.h"

namespace strativex {

// The plot as a picture of size layout pixels; a device pixel ratio of 2 gives a sharp copy
// for a dense screen at the same layout.
QImage SweepPlotImage(const SweepPlotInputs& inputs, QSize size, qreal devicePixelRatio = 1.0);

// The plot filling the printable area of one PDF page; empty if it cannot be drawn.
QByteArray SweepPlotPdf(const SweepPlotInputs& inputs, const QPageLayout& layout);

// Curve plots, two to a row, as one picture and on one PDF page, the same way.
QImage CurvePlotsImage(const std::vector<CurvePlotInputs>& plots, QSize size,
                       qreal devicePixelRatio = 1.0);
QByteArray CurvePlotsPdf(const std::vector<CurvePlotInputs>& plots, const QString& title,
                         const QPageLayout& layout);

}  // namespace strativex
