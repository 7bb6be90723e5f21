#pragma once

#include <QDialog>
#include <QSizeF>

#include "persistence/app_state.h"

namespace strativex {

// The printed page, shrunk into a picture of fixed size whatever the paper's proportions; the
// table shows where its texts go rather than the texts. Modal; Done closes it.
class PrintPreviewDialog : public QDialog {
    Q_OBJECT

public:
    // pageTwips: the printer page's logical size, which the picture takes as its scale.
    PrintPreviewDialog(const AppState& state, const QSizeF& pageTwips, QWidget* parent = nullptr);
};

}  // namespace strativex
