#pragma once

#include <QWidget>

#include <functional>
#include <optional>

#include "views/plot/plot_geometry.h"
#include "views/plot/plot_inputs.h"

namespace strativex {

// The sweep plot on the screen, with a line at the point under the cursor; the point is also
// told to whoever listens, for its read-out.
class SweepPlotView : public QWidget {
    Q_OBJECT

public:
    // The inputs are asked for at every paint, so that the plot always shows what they hold.
    explicit SweepPlotView(std::function<SweepPlotInputs()> inputs, QWidget* parent = nullptr);

    // The layout of the last paint, in widget pixels.
    const SweepPlotGeometry& Geometry() const { return geometry_; }
    std::optional<std::size_t> HoveredPoint() const { return hovered_; }
    // A new sweep: the point under the cursor is another one, or gone.
    void SweepReplaced();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The point under the cursor changed; -1 when there is none.
    void pointHovered(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Hover(std::optional<std::size_t> point);

    std::function<SweepPlotInputs()> inputs_;
    SweepPlotGeometry geometry_;
    std::optional<std::size_t> hovered_;
};

}  // namespace strativex
