#pragma once

#include <QDialog>

#include <array>

#include "core/number_format.h"
#include "persistence/app_state.h"

class QLineEdit;

namespace strativex {

// Chooses the decimals of each kind of number on a working copy; OK hands it back.
class DigitsDialog : public QDialog {
    Q_OBJECT

public:
    explicit DigitsDialog(AppState& state, QWidget* parent = nullptr);

private:
    static constexpr int kSlots = 7;

    QWidget* BuildGroup(int k);
    QWidget* BuildButtons();
    void ShowPattern(int k);
    void ChangeDigits(int k, int step);
    void StoreDigits();

    AppState& state_;
    DecimalDigitsTable workingDigits_{};
    std::array<QLineEdit*, kSlots> patternEdits_{};
};

}  // namespace strativex
