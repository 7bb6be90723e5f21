#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

#include "document/model_document.h"
#include "exact/exact_result.h"
#include "persistence/app_state.h"
#include "platform/desktop.h"
#include "views/report/transient_summary.h"

class QMenuBar;
class QWidget;

namespace strativex {

class ExactCheckWindow;
class LiveExactReadout;
class SweepWindow;
class TransientWindow;

// The Analysis menu and the windows it opens: one window of each kind, made on first use,
// placed on the main window's screen and raised when asked for again. Each window is
// subscribed, when it is made, to the document's change signal: the one way an analysis
// learns that what it shows is out of date.
class AnalysisLauncher : public QObject {
    Q_OBJECT

public:
    // commitEdits commits the value typed in the main window; false when it is refused. The
    // launcher calls it before opening a window, and the windows before they read the model.
    AnalysisLauncher(const AppState& state, Desktop& desktop, const ModelDocument& document,
                     std::function<bool()> commitEdits, QWidget& mainWindow);

    // Adds the Analysis menu at the end of the bar, with the live read-out's toggle; the
    // read-out shows in the bar's corner.
    void BuildMenu(QMenuBar& bar);
    // Takes the remembered toggles from the settings file; the program's folders must be known.
    void RestoreSettings();
    // The numbers on show take the digits now in use.
    void DigitsChanged();

    void OpenExactCheck();
    void OpenSweep();
    void OpenTransient();

    // The 3-D check's result for the model as it is, for the report; nothing without one.
    std::optional<exact::ExactResult> ExactCheckResult() const;
    // The transient's summary for the report, when computed for the model as it is.
    std::optional<TransientSummary> TransientReportSummary() const;

private:
    template <typename Window>
    void Open(QPointer<Window>& window);

    const AppState& state_;
    Desktop& desktop_;
    const ModelDocument& document_;
    std::function<bool()> commitEdits_;
    QWidget& mainWindow_;
    QPointer<ExactCheckWindow> exactCheck_;
    QPointer<SweepWindow> sweep_;
    QPointer<TransientWindow> transient_;
    LiveExactReadout* live_ = nullptr;
};

}  // namespace strativex
