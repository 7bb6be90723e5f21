#pragma once

#include <QDialog>

#include <array>

#include "persistence/app_state.h"
#include "platform/desktop.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QDialogButtonBox;

namespace strativex {

// Edits the printout's header lines: five texts and, for all eight lines, whether each is
// printed. The comments, model name and file name lines come from the model, so only their
// include flags are edited here.
class UserInfoDialog : public QDialog {
    Q_OBJECT

public:
    UserInfoDialog(AppState& state, Desktop& desktop, QWidget* parent = nullptr);

private:
    static constexpr int kTextSlots = 5;

    // Pixel positions of the window's columns and rows.
    struct Grid {
        int Left = 0;
        int TextLeft = 0;
        int TextWidth = 0;
        int TextHeight = 0;
        int HeadingLeft = 0;
        int Right = 0;
        int FirstRow = 0;
        int Pitch = 0;
    };

    void BuildControls();
    Grid MeasureGrid() const;
    void PlaceControls();
    void PlaceRow(int i, const Grid& grid);
    void PlaceButtons(const Grid& grid);
    void LoadValues();
    void CurrentDateClicked(bool checked);
    void RefuseText(int slot, const QString& problem);
    void StoreUserInfo();

    AppState& state_;
    Desktop& desktop_;
    std::array<QLabel*, kUserInfoSlots> infoLabels_{};
    std::array<QLineEdit*, kTextSlots> infoEdits_{};
    std::array<QCheckBox*, kUserInfoSlots> includeChecks_{};
    QLabel* heading_ = nullptr;
    QCheckBox* currentDateCheck_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace strativex
