#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

#include "cli/transient_report.h"
#include "core/heat_capacity_table.h"
#include "persistence/app_state.h"
#include "platform/desktop.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace strativex {

class JobRunner;
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
    const TransientReport* Shown() const;

protected:
    // A running solve is cancelled and its thread joined before the window goes.
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction.
    QWidget* BuildSidePanel();
    QWidget* BuildResults();
    void Wire();

    // Computation.
    void Compute();
    std::optional<HeatCapacityTable> LoadedHeat(const std::string& path);
    void Progressed(double fraction, const QString& stage);
    void Computed(const TransientReport& report);
    void Finished(std::uint64_t revision, bool cancelled);
    void ShowState();
    void ShowNetworks();
    QString Summary() const;

    // Output.
    struct ExportFormat {
        QString Title;
        QString Filter;
        QString Suffix;
        std::string Text;
    };
    void Export(const ExportFormat& format);
    void ExportCsv();
    void ExportSpice();

    const AppState& state_;
    Desktop& desktop_;
    std::function<bool()> commitEdits_;
    std::optional<TransientReport> shown_;
    QString problem_;  // why nothing could be computed, when that was the last answer
    std::uint64_t revision_ = 0;
    std::uint64_t shownRevision_ = 0;
    bool running_ = false;
    bool cancelled_ = false;

    JobRunner* run_ = nullptr;
    QSpinBox* stages_ = nullptr;
    QPushButton* compute_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* outOfDateLabel_ = nullptr;
    QPushButton* exportCsv_ = nullptr;
    QPushButton* exportSpice_ = nullptr;
    TransientPlotView* plot_ = nullptr;
    QLabel* fitError_ = nullptr;
    QTableWidget* networks_ = nullptr;
};

}  // namespace strativex
