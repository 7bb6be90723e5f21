#pragma once

#include <QObject>

#include "persistence/app_state.h"
#include "platform/desktop.h"

class QWidget;

namespace strativex {

class AnalysisLauncher;
class ModelForm;

// The report of the model as it is: printed, previewed, or exported as a PDF file whose details
// page also carries the analyses computed for this model. Each command commits the field being
// typed in first and stops when it is refused.
class ReportCommands : public QObject {
    Q_OBJECT

public:
    // The window parents the dialogs and the messages.
    ReportCommands(const AppState& state, Desktop& desktop, ModelForm& form,
                   const AnalysisLauncher& analysis, QWidget& window);

    void Print();
    void PrintPreview();
    void ExportPdf();

private:
    void Tell(const QString& text, const QString& title);

    const AppState& state_;
    Desktop& desktop_;
    ModelForm& form_;
    const AnalysisLauncher& analysis_;
    QWidget& window_;
};

}  // namespace strativex
