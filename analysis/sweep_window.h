#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>

#include "analysis/export_file.h"
#include "analysis/sweep_shown.h"
#include "persistence/app_state.h"
#include "platform/desktop.h"
#include "views/plot/plot_inputs.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;

namespace strativex {

class JobRunner;
class SweepForm;
class SweepPlotView;
class SweepTableModel;

// Analysis -> Sweep: the model recalculated while one value steps through a range, as a plot
// and a table, with the 3-D check at some of the points if asked for. The window reads the
// model only when Calculate is clicked and never changes it; the 3-D check runs on a thread
// of its own and can be cancelled. Modeless: the main window keeps one and shows it again.
class SweepWindow : public QWidget {
    Q_OBJECT

public:
    // commitEdits is asked before the model is read, so that a value still being typed in the
    // main window counts; when it answers false nothing is calculated.
    SweepWindow(const AppState& state, Desktop& desktop, std::function<bool()> commitEdits,
                QWidget* parent = nullptr);

    // For the document's change signal: the model or the materials changed, so what the window
    // shows is out of date until the next Calculate, and the lists follow the model.
    void ModelChanged(std::uint64_t revision);
    // A sweep is shown and the model has changed since it was calculated.
    bool IsOutOfDate() const;
    // What the plot, the exports and the copied picture draw.
    SweepPlotInputs PlotInputs() const;

protected:
    // A running 3-D check is cancelled and its thread joined before the window goes.
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction.
    void BuildControls();
    QWidget* BuildSidePanel();
    QWidget* BuildResults();
    void Wire();

    // Calculation.
    void Calculate();
    std::optional<SweepRequest> CheckedRequest();
    void StartExact(const SweepRequest& request);
    void ExactProgressed(double fraction, const QString& stage);
    void ExactPointChecked(const ExactPointOutcome& outcome);
    void ExactFinished(std::uint64_t revision, bool cancelled);
    void ShowState();
    QString SweepSummary() const;
    void ShowReadout(int index);

    // Output.
    void Export(const ExportFormat& format);
    void ExportCsv();
    void ExportPng();
    void ExportPdf();
    void CopyPicture();
    void Message(const QString& text, const QString& title);

    const AppState& state_;
    Desktop& desktop_;
    std::function<bool()> commitEdits_;
    SweepShown shown_;
    QString shownTitle_;
    // The model's revision as last heard, and the one the shown sweep was calculated for.
    std::uint64_t revision_ = 0;
    std::uint64_t shownRevision_ = 0;
    bool exactRunning_ = false;
    bool exactCancelled_ = false;
    std::size_t exactWanted_ = 0;

    JobRunner* exactRun_ = nullptr;
    SweepForm* form_ = nullptr;
    QCheckBox* layerTemps_ = nullptr;
    QCheckBox* exact_ = nullptr;
    QSpinBox* exactPoints_ = nullptr;
    QPushButton* calculate_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* outOfDateLabel_ = nullptr;
    QPushButton* exportCsv_ = nullptr;
    QPushButton* exportPng_ = nullptr;
    QPushButton* exportPdf_ = nullptr;
    QPushButton* copyPicture_ = nullptr;
    SweepPlotView* plot_ = nullptr;
    QLabel* readout_ = nullptr;
    QTableView* table_ = nullptr;
    SweepTableModel* tableModel_ = nullptr;
};

}  // namespace strativex
