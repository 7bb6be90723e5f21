#pragma once

#include <QGroupBox>

#include <optional>

#include "exact/rc_network.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace strativex {

// Power, pulse width and period (or a single pulse) to the peak temperature, through the
// Foster network of the result shown: base temperature + P·Zth. Answers as it is typed; a
// value it cannot use is named and nothing is computed.
class PulseCalculator : public QGroupBox {
    Q_OBJECT

public:
    explicit PulseCalculator(QWidget* parent = nullptr);

    // The network of the result shown, the temperature its base was held at and the power it
    // was computed for, which the power field starts from; none: nothing to compute with.
    void SetNetwork(std::optional<exact::FosterNetwork> network, double baseC, double power);

private:
    void Calculate();
    QString Answer() const;

    std::optional<exact::FosterNetwork> network_;
    double baseC_ = 0.0;

    QLineEdit* power_ = nullptr;
    QLineEdit* width_ = nullptr;
    QLineEdit* period_ = nullptr;
    QCheckBox* single_ = nullptr;
    QLabel* answer_ = nullptr;
};

}  // namespace strativex
