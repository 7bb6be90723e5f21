#pragma once

#include <QWidget>

#include <functional>

#include "views/plot/plot_curves.h"

namespace strativex {

// One of the Transient window's plots; what it shows is asked for at every paint, so that it
// always draws the result the window holds.
class TransientPlotView : public QWidget {
    Q_OBJECT

public:
    explicit TransientPlotView(std::function<CurvePlotInputs()> inputs, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<CurvePlotInputs()> inputs_;
};

}  // namespace strativex
