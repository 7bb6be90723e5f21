#pragma once

#include <QWidget>

#include <functional>

#include "cli/transient_report.h"

class QPainter;

namespace strativex {

// Zth_avg and Zth_peak against time on a log axis, with the Foster network's curve over the
// peak it was fitted to: how far the compact model can be trusted, at a glance.
class TransientPlotView : public QWidget {
    Q_OBJECT

public:
    // The report is asked for at every paint; null or without a curve draws an empty frame.
    explicit TransientPlotView(std::function<const exact::TransientReport*()> report,
                               QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<const exact::TransientReport*()> report_;
};

// Draws the plot of a report into the rectangle; for the widget and for pictures of it.
void PaintTransientPlot(QPainter& painter, const QRectF& target,
                        const exact::TransientReport* report);

}  // namespace strativex
