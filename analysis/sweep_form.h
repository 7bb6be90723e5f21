#pragma once

#include <QString>
#include <QWidget>

#include <optional>

#include "core/sweep.h"
#include "persistence/app_state.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace strativex {

// The sweep as the user typed it, or why the text is no sweep at all. Whether it fits the
// model is for SweepModelError to say.
struct TypedSweep {
    std::optional<SweepRequest> Request;
    QString Error;
};

// The choice of what to sweep: the quantity, for a layer's quantity the layer, and from, to,
// steps and spacing, or for a material the materials to step through. Reads the model only to
// list its layers and to propose a range around its value; changes nothing in it.
class SweepForm : public QWidget {
    Q_OBJECT

public:
    explicit SweepForm(const AppState& state, QWidget* parent = nullptr);

    // Brings the lists and the unit labels up to the model and the materials. What the user
    // typed stays, except a length range typed in the unit the model no longer has.
    void ShowModel();
    TypedSweep Typed() const;

private:
    void BuildControls();
    void FillLayers();
    void FillMaterials();
    void QuantityPicked();
    void ProposeRange();
    void ShowUnits();
    QuantityId Quantity() const;
    int Layer() const;

    const AppState& state_;
    LengthUnit shownUnit_;
    QComboBox* quantity_ = nullptr;
    QComboBox* layer_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QLabel* fromUnit_ = nullptr;
    QLabel* toUnit_ = nullptr;
    QSpinBox* steps_ = nullptr;
    QComboBox* spacing_ = nullptr;
    QListWidget* materials_ = nullptr;
    QWidget* rangeRows_ = nullptr;
};

}  // namespace strativex
