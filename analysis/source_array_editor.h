#pragma once

#include <QString>
#include <QWidget>

#include <optional>

#include "core/units.h"
#include "exact/source_array.h"

class QLabel;
class QLineEdit;
class QSpinBox;

namespace strativex {

// The heat sources of a 3-D solve: how many along the width and the length, and their pitch,
// sharing the model's power. A pitch counts only along an axis with more than one source. The
// model does not carry the array; the window that solves holds it.
class SourceArrayEditor : public QWidget {
    Q_OBJECT

public:
    explicit SourceArrayEditor(QWidget* parent = nullptr);

    // The sources as given; nothing, with error naming the value, when a pitch that counts is no
    // positive length. Whether they fit the model is the solve's to say.
    std::optional<exact::SourceArray> Read(QString& error) const;
    // The pitches are typed in the model's unit of length.
    void ShowUnit(LengthUnit unit);

signals:
    // A count or a pitch was changed by the user.
    void changed();

private:
    void ShowChoice();

    QSpinBox* countX_ = nullptr;
    QSpinBox* countY_ = nullptr;
    QLineEdit* pitchX_ = nullptr;
    QLineEdit* pitchY_ = nullptr;
    QLabel* unit_ = nullptr;
};

}  // namespace strativex
