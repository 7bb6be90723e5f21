#pragma once

#include <QString>
#include <QWidget>

#include <optional>

#include "exact/base_condition.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace strativex {

// The bottom face's condition for a 3-D solve: held at the isothermal temperature, or through
// a heat transfer coefficient or a heat sink resistance to it. The windows that solve in 3-D
// each hold one; the model does not carry it.
class BaseConditionEditor : public QWidget {
    Q_OBJECT

public:
    // In a narrow panel the unit's words go below the choice rather than beside it.
    enum class Arrangement { Row, Stacked };
    explicit BaseConditionEditor(Arrangement arrangement = Arrangement::Row,
                                 QWidget* parent = nullptr);

    // The condition as typed; nothing, with error naming the value, when it is no positive
    // number.
    std::optional<exact::BaseCondition> Read(QString& error) const;

signals:
    // The choice or its value was changed by the user.
    void changed();

private:
    void ShowChoice();

    QComboBox* kind_ = nullptr;
    QLineEdit* value_ = nullptr;
    QLabel* unit_ = nullptr;
};

}  // namespace strativex
