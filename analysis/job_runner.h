#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class QThread;

namespace strativex {

class JobRunner;

// What a job's work sees of its runner, on the job's own thread.
class JobControl {
public:
    // Set when the job is to stop; long work polls it (exact::CheckHooks takes it as is).
    const std::atomic<bool>* CancelFlag() const { return cancel_.get(); }
    bool IsCancelled() const { return *cancel_; }
    // Only the latest progress reaches the interface thread, so a fast job cannot flood it.
    void Progress(double fraction, const QString& stage) const;
    // Runs delivery on the runner's thread, in the order delivered, unless the job was
    // superseded or abandoned by then.
    void Deliver(std::function<void()> delivery) const;

private:
    friend class JobRunner;
    JobControl(JobRunner& runner, std::uint64_t job, std::shared_ptr<std::atomic<bool>> cancel)
        : runner_(runner), job_(job), cancel_(std::move(cancel)) {}

    JobRunner& runner_;
    std::uint64_t job_;
    std::shared_ptr<std::atomic<bool>> cancel_;
};

// The one way long work runs: one job at a time on a thread of its own, so that editing goes on
// meanwhile, with progress, a cancel, and its results handed to the thread that owns the
// runner. Every job carries the model revision it was started for; whatever a job superseded
// by a newer one still delivers is dropped, so an old revision's result never replaces a newer
// one.
class JobRunner : public QObject {
    Q_OBJECT

public:
    using Work = std::function<void(const JobControl& control)>;

    explicit JobRunner(QObject* parent = nullptr);
    // Abandons a running job: no thread outlives its window, and nothing reaches a window that
    // is being destroyed.
    ~JobRunner() override;

    // A job still running is abandoned first.
    void Start(std::uint64_t revision, Work work);
    // Asks the running job to stop; finished(revision, true) follows once it has.
    void Cancel();
    // Cancels and waits for the thread; what the job delivered and finished() arrive before
    // this returns.
    void Stop();
    // Cancels and waits for the thread; nothing more of the job arrives.
    void Abandon();

    // From Start until its finished() has been emitted.
    bool IsRunning() const { return thread_ != nullptr; }
    // The revision of the job started last.
    std::uint64_t Revision() const { return revision_; }

signals:
    void progressed(double fraction, const QString& stage);
    // Every started job that is not abandoned ends here exactly once.
    void finished(std::uint64_t revision, bool cancelled);

private:
    friend class JobControl;
    struct Pending {
        std::uint64_t Job = 0;
        std::function<void()> Delivery;
    };
    struct Progressed {
        std::uint64_t Job = 0;
        double Fraction = 0.0;
        QString Stage;
    };

    // Called on the job's thread.
    void Post(std::uint64_t job, std::function<void()> delivery);
    void PostProgress(std::uint64_t job, double fraction, const QString& stage);
    // On the runner's thread: hands over what the current job delivered.
    void Drain();
    void End(bool cancelled);
    void Join();

    std::unique_ptr<QThread> thread_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    std::uint64_t job_ = 0;
    std::uint64_t revision_ = 0;
    std::mutex mutex_;  // guards what follows, shared with the job's thread
    std::vector<Pending> pending_;
    std::optional<Progressed> progress_;
};

}  // namespace strativex
