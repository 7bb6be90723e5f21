#include "analysis/job_runner.h"

#include <QThread>

namespace strativex {

void JobControl::Progress(double fraction, const QString& stage) const {
    runner_.PostProgress(job_, fraction, stage);
}

void JobControl::Deliver(std::function<void()> delivery) const {
    runner_.Post(job_, std::move(delivery));
}

JobRunner::JobRunner(QObject* parent) : QObject(parent) {}

JobRunner::~JobRunner() {
    Abandon();
}

void JobRunner::Start(std::uint64_t revision, Work work) {
    Abandon();
    const std::uint64_t job = ++job_;
    revision_ = revision;
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    thread_.reset(QThread::create([this, job, cancel = cancel_, work = std::move(work)] {
        work(JobControl(*this, job, cancel));
        const bool cancelled = *cancel;
        Post(job, [this, cancelled] { End(cancelled); });
    }));
    thread_->start();
}

void JobRunner::Cancel() {
    if (cancel_) *cancel_ = true;
}

void JobRunner::Stop() {
    if (!thread_) return;
    Cancel();
    thread_->wait();
    Drain();
}

// The job number moves on as well, so that a delivery being handed over right now is the last.
void JobRunner::Abandon() {
    if (!thread_) return;
    Cancel();
    Join();
    ++job_;
    const std::lock_guard lock(mutex_);
    pending_.clear();
    progress_.reset();
}

void JobRunner::Post(std::uint64_t job, std::function<void()> delivery) {
    {
        const std::lock_guard lock(mutex_);
        pending_.push_back({job, std::move(delivery)});
    }
    QMetaObject::invokeMethod(this, &JobRunner::Drain, Qt::QueuedConnection);
}

void JobRunner::PostProgress(std::uint64_t job, double fraction, const QString& stage) {
    bool drainPending = false;
    {
        const std::lock_guard lock(mutex_);
        drainPending = progress_.has_value();
        progress_ = Progressed{job, fraction, stage};
    }
    if (!drainPending) QMetaObject::invokeMethod(this, &JobRunner::Drain, Qt::QueuedConnection);
}

void JobRunner::Drain() {
    std::vector<Pending> pending;
    std::optional<Progressed> progress;
    {
        const std::lock_guard lock(mutex_);
        pending.swap(pending_);
        progress.swap(progress_);
    }
    if (progress && progress->Job == job_) emit progressed(progress->Fraction, progress->Stage);
    // A delivery may start a new job; what is left of the old one is dropped then.
    for (Pending& item : pending) {
        if (item.Job == job_) item.Delivery();
    }
}

void JobRunner::End(bool cancelled) {
    Join();
    emit finished(revision_, cancelled);
}

void JobRunner::Join() {
    if (!thread_) return;
    thread_->wait();
    thread_.reset();
}

}  // namespace strativex
