#pragma once

#include <QDialog>

#include "persistence/app_state.h"

namespace strativex {

// The program's name, version and logo.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(const AppState& state, QWidget* parent = nullptr);
};

}  // namespace strativex
