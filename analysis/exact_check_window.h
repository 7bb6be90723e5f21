#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/material_table.h"
#include "core/model.h"
#include "exact/base_condition.h"
#include "exact/exact_result.h"
#include "persistence/app_state.h"
#include "platform/desktop.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace strativex {

class BaseConditionEditor;
class ExactPictureView;
class JobRunner;
class SourceArrayEditor;

// "Analysis -> 3-D Check": the exact steady temperature of the model's stack beside the
// spreading-angle estimate, with the cross-section map and the profile across the heated face.
// It reads the model only when asked to compute, from a copy, and never changes it. The check
// runs off the interface thread; closing the window cancels it and waits for it to end.
// Closing only hides the window: its owner keeps it, and the last result with it.
class ExactCheckWindow : public QWidget {
    Q_OBJECT

public:
    // commitEdits commits the value typed in the main window before the model is read; false
    // when that value is refused, and the check does not start.
    ExactCheckWindow(
        const AppState& state, Desktop& desktop,
        std::function<bool()> commitEdits = [] { return true; }, QWidget* parent = nullptr);

    // The result of the last check that ran to its end, when the model has not changed since
    // it started: Ok, NotAvailable or NotConverged. Nothing before the first check, while the
    // shown result is out of date, or when the last one was cancelled before any ended.
    std::optional<exact::ExactResult> CurrentResult() const;
    bool IsComputing() const;

public slots:
    // Starts the check of the model as it is now; nothing while one runs.
    void Compute();
    void Cancel();
    // For the document's change signal: what is shown, or is being computed, no longer matches.
    void ModelChanged(std::uint64_t revision);

signals:
    // A check ended, or the shown result went out of date.
    void resultChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction.
    void BuildControls();
    QWidget* BuildNumbers();
    QWidget* BuildPictures();
    QWidget* BuildButtons();
    QWidget* BuildSourceTable();
    void Wire();

    // The base and the sources are read when the check starts; a change of either makes the
    // result shown out of date.
    void ChangeBase();
    void ChangeArray();

    // The check.
    void ShowProgress(double fraction, const QString& stage);
    void TakeResult(std::uint64_t revision);
    bool ShownUpToDate() const;

    // What is shown.
    void ShowState();
    void ShowNumbers();
    void ShowSources();
    void ShowPictures();
    QString StatusText() const;
    bool HasPictures() const;

    // Pictures out of the window.
    QImage PicturesImage() const;
    void CopyPictures();
    void SavePictures();

    const AppState& state_;
    Desktop& desktop_;
    std::function<bool()> commitEdits_;
    JobRunner* run_ = nullptr;
    // The model's revision as last heard.
    std::uint64_t revision_ = 0;
    // The copy of the model the running check reads, and its result once there is one.
    Model runModel_;
    std::shared_ptr<const exact::ExactResult> ranResult_;
    // The result shown, the copy of the model it was computed for and that model's revision.
    std::shared_ptr<const exact::ExactResult> shown_;
    Model shownModel_;
    std::uint64_t shownRevision_ = 0;
    // The base and the sources are the window's own inputs: each choice counts, so that a
    // result computed for another base or array is out of date as one for another model is.
    int baseChoice_ = 0;
    int runBaseChoice_ = 0;
    int shownBaseChoice_ = 0;
    // Cancel was pressed for the running check, or the last check ended cancelled.
    bool cancelled_ = false;
    QString stage_;
    // Why Compute refused the base value; empty once it is changed.
    QString baseError_;
    // Why Compute refused a pitch; empty once the sources are changed.
    QString arrayError_;

    QPushButton* computeButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QGroupBox* numbers_ = nullptr;
    std::vector<QLabel*> values_;
    QTableWidget* layers_ = nullptr;
    BaseConditionEditor* base_ = nullptr;
    SourceArrayEditor* array_ = nullptr;
    QLabel* sourcesCaption_ = nullptr;
    QTableWidget* sources_ = nullptr;
    QComboBox* extent_ = nullptr;
    ExactPictureView* section_ = nullptr;
    ExactPictureView* profile_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

}  // namespace strativex
