#pragma once

#include <QFrame>

#include "persistence/app_state.h"
#include "views/stack/click_limits.h"
#include "views/stack/layer_palette.h"
#include "views/stack/scale_view_geometry.h"

namespace strativex {

// The white picture boxes of the main window. Each paints its view from the application
// state whenever it is updated or exposed, keeps the click limits of its last screen drawing
// and reports a click on a record with recordClicked.
class ViewBox : public QFrame {
    Q_OBJECT

public:
    ViewBox(const AppState& state, const QString& name, QWidget* parent);

signals:
    void recordClicked(int record);

protected:
    const AppState& state() const { return state_; }
    const LayerPalette& layerPalette() const { return StandardLayerPalette(); }

private:
    const AppState& state_;
};

// PicScaleView: the to-scale cross-section, in pixels.
class ScaleViewBox : public ViewBox {
    Q_OBJECT

public:
    explicit ScaleViewBox(const AppState& state, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    ScaleClickLimits limits_;
};

// PicDisplayData: the results table, in twips.
class DataTableBox : public ViewBox {
    Q_OBJECT

public:
    explicit DataTableBox(const AppState& state, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    ClickLimits rowBottomY_{};
};

// PicLayerSelect: the layer select strip, in pixels. The option buttons and the pointer
// beside it are placed by the window from ComputeLayerStrip.
class LayerStripBox : public ViewBox {
    Q_OBJECT

public:
    explicit LayerStripBox(const AppState& state, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    ClickLimits stripBottomY_{};
};

}  // namespace strativex
