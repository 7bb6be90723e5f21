#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "analysis/export_file.h"
#include "core/heat_capacity_table.h"
#include "exact/base_condition.h"
#include "exact/transient_report.h"
#include "persistence/app_state.h"
#include "platform/desktop.h"
#include "views/report/transient_summary.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace strativex {

class BaseConditionEditor;
class JobRunner;
class PulseCalculator;
class TransientPlotView;

// Analysis -> Transient: the stack's thermal impedance after a power step, with the Foster and
// Cauer networks fitted to it, for the circuit simulator. The window reads the model only when
// Compute is clicked and never changes it; the solve runs on a thread of its own and can be
// cancelled. Modeless: the main window keeps one and shows it again.
class TransientWindow : public QWidget {
    Q_OBJECT

public:
    // commitEdits is asked before the model is read, so that a value still being typed in the
    // main window counts; when it answers false nothing is computed.
    TransientWindow(const AppState& state, Desktop& desktop, std::function<bool()> commitEdits,
                    QWidget* parent = nullptr);

    // For the document's change signal: what the window shows is out of date until the next
    // Compute.
    void ModelChanged(std::uint64_t revision);
    // A result is shown and the model has changed since it was computed.
    bool IsOutOfDate() const;
    // The result shown; null before the first one.
    const exact::TransientReport* Shown() const;
    // What the report's details page shows of the result: only one computed for the model as
    // it is now, with the base it has.
    std::optional<TransientSummary> ReportSummary() const;

protected:
    // A running solve is cancelled and its thread joined before the window goes.
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction.
    QWidget* BuildSidePanel();
    QWidget* BuildOutputButtons(QWidget* panel);
    QWidget* BuildResults();
    QWidget* BuildPlots(QWidget* parent);
    void Wire();

    // Computation.
    void Compute();
    std::optional<HeatCapacityTable> LoadedHeat(const std::string& path);
    void Progressed(double fraction, const QString& stage);
    void Computed(const exact::TransientReport& report);
    void Finished(std::uint64_t revision, bool cancelled);
    void ShowState();
    void ShowNetworks();
    void RedrawPlots();
    void ChangeBase();
    QString Summary() const;

    // Output.
    void Export(const ExportFormat& format);
    void ExportCsv();
    void ExportSpice();
    void ExportPng();
    void ExportPdf();
    void Copy();

    const AppState& state_;
    Desktop& desktop_;
    std::function<bool()> commitEdits_;
    std::optional<exact::TransientReport> shown_;
    QString problem_;  // why nothing could be computed, when that was the last answer
    std::uint64_t revision_ = 0;
    std::uint64_t shownRevision_ = 0;
    // The base is the window's own input: a result computed for another base is out of date
    // as one for another model is.
    int baseChoice_ = 0;
    // What a result was computed with, beside the model: for the pulse calculator and the
    // report.
    struct Setting {
        int BaseChoice = 0;
        exact::BaseCondition Base;
        double BaseC = 0.0;  // the model's base temperature
        double Power = 0.0;  // the model's power
    };
    Setting runSetting_;
    Setting shownSetting_;
    bool running_ = false;
    bool cancelled_ = false;

    JobRunner* run_ = nullptr;
    QSpinBox* stages_ = nullptr;
    BaseConditionEditor* base_ = nullptr;
    QPushButton* compute_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* outOfDateLabel_ = nullptr;
    QPushButton* exportCsv_ = nullptr;
    QPushButton* exportSpice_ = nullptr;
    QPushButton* exportPng_ = nullptr;
    QPushButton* exportPdf_ = nullptr;
    QPushButton* copy_ = nullptr;
    PulseCalculator* pulse_ = nullptr;
    QWidget* plots_ = nullptr;
    std::vector<TransientPlotView*> plotViews_;
    QLabel* fitError_ = nullptr;
    QTableWidget* networks_ = nullptr;
};

}  // namespace strativex
