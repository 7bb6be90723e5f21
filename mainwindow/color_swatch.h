#pragma once

#include <QColor>
#include <QFrame>

namespace strativex {

// The layer's colour. A left click steps to the next palette colour, a right click to the
// previous one; with the focus (reached by Tab only, so that a click never takes it from the
// field being edited) Space, "+" and the right or up arrow step forwards, "-" and the left or
// down arrow backwards.
class ColorSwatch : public QFrame {
    Q_OBJECT

public:
    explicit ColorSwatch(QWidget* parent = nullptr);

    void SetColor(const QColor& color);

signals:
    void stepped(int step);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace strativex
