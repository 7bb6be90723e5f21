#include "analysis/exact_check_run.h"

#include <QThread>

#include "exact/exact_check.h"

namespace strativex {

ExactCheckRun::ExactCheckRun(QObject* parent) : QObject(parent) {}

// Quietly: whoever listens to finished() may be half destroyed itself by now.
ExactCheckRun::~ExactCheckRun() {
    if (!thread_) return;
    Cancel();
    thread_->wait();
}

bool ExactCheckRun::Start(const Model& model, const MaterialTable& table,
                          const exact::ExactOptions& options) {
    if (IsRunning()) return false;
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    result_ = std::make_shared<exact::ExactResult>();
    // The thread owns its copies; the shared cancel flag and result outlive whichever side
    // lets go of them last.
    thread_.reset(QThread::create([this, model, table, options, cancel = cancel_,
                                   result = result_] {
        exact::CheckHooks hooks;
        hooks.Cancel = cancel.get();
        hooks.Progress = [this](double fraction, std::string_view stage) {
            const QString text = QString::fromUtf8(stage.data(), static_cast<int>(stage.size()));
            // Queued to this object's thread; dropped if the object is gone by then.
            QMetaObject::invokeMethod(
                this, [this, fraction, text] { emit progressed(fraction, text); },
                Qt::QueuedConnection);
        };
        *result = exact::RunExactCheck(model, table, options, hooks);
    }));
    connect(thread_.get(), &QThread::finished, this, &ExactCheckRun::Finish);
    thread_->start();
    return true;
}

void ExactCheckRun::Cancel() {
    if (cancel_) *cancel_ = true;
}

void ExactCheckRun::CancelAndWait() {
    if (!thread_) return;
    Cancel();
    Finish();
}

void ExactCheckRun::Finish() {
    if (!thread_) return;
    thread_->wait();
    thread_.reset();
    emit finished(std::move(result_));
}

}  // namespace strativex
