#pragma once

#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace strativex {

// What starts, follows and stops an analysis window's long work. Every window names them
// alike (CmdCancel, LblStatus), so that users and tests meet the same controls in each.
struct RunControls {
    QPushButton* start = nullptr;
    QProgressBar* progress = nullptr;
    QPushButton* cancel = nullptr;
    QLabel* status = nullptr;
};

// Adds the start button, then the progress bar with Cancel beside it, to the column. The status
// line is made but left to the window to place, below whatever it shows between.
RunControls AddRunControls(QVBoxLayout& column, const QString& startName, const QString& startText,
                           const QString& progressName);

}  // namespace strativex
