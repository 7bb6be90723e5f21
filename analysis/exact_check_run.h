#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

#include "core/material_table.h"
#include "core/model.h"
#include "exact/exact_options.h"
#include "exact/exact_result.h"

class QThread;

namespace strativex {

// One 3-D check at a time on a thread of its own, from copies of the model and the materials,
// so that editing goes on while it runs. Progress and the result arrive as signals on the
// thread that owns this object.
class ExactCheckRun : public QObject {
    Q_OBJECT

public:
    explicit ExactCheckRun(QObject* parent = nullptr);
    // A running check is cancelled and waited for, without finished(): no thread outlives its
    // window.
    ~ExactCheckRun() override;

    // False, and nothing starts, while a check runs.
    bool Start(const Model& model, const MaterialTable& table,
               const exact::ExactOptions& options = {});
    bool IsRunning() const { return thread_ != nullptr; }
    // Asks the running check to stop; it ends within one multigrid cycle and reports
    // Cancelled.
    void Cancel();
    // Cancels, waits for the thread to end and emits finished() before it returns.
    void CancelAndWait();

signals:
    void progressed(double fraction, const QString& stage);
    // Every started check ends here exactly once, cancelled or not.
    void finished(std::shared_ptr<const exact::ExactResult> result);

private:
    void Finish();

    std::unique_ptr<QThread> thread_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    std::shared_ptr<exact::ExactResult> result_;
};

}  // namespace strativex
