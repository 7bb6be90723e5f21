#pragma once

#include <QObject>
#include <QThread>

#include <atomic>
#include <cstddef>
#include <memory>
#include <vector>

#include "analysis/sweep_exact_point.h"

namespace strativex {

// One point of a sweep to check: its index and the value the sweep gave it.
struct ExactTarget {
    std::size_t Index = 0;
    float Value = 0.0f;
};

// The 3-D check at some of a sweep's points, one after another on a thread of its own, so
// that the window and the editing stay free. Its signals come on the thread it lives in.
class ExactSweepJob : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    // Stops a running job and waits for its thread.
    ~ExactSweepJob() override;

    // Copies of the model and the table go with the job. A job still running is abandoned.
    void Start(const Model& model, const MaterialTable& table, const SweepRequest& request,
               std::vector<ExactTarget> targets);
    // Asks the running job to stop; finished(true) follows once it has.
    void Cancel();
    // Cancels and waits until the thread has ended; what the job found until then still
    // arrives, as does finished().
    void Stop();
    // The same, and nothing more of the job arrives: what it found belongs to a sweep that is
    // no longer shown.
    void Abandon();

signals:
    // The share done of the whole job (0..1) and the point being checked, from 1.
    void progressed(double fraction, int point, int count);
    void pointChecked(const strativex::ExactPointOutcome& outcome);
    void finished(bool cancelled);

private:
    void Run(const Model& model, const MaterialTable& table, const SweepRequest& request,
             const std::vector<ExactTarget>& targets, int generation);
    // Hands a delivery from the thread to this object's thread, unless a newer job started.
    template <typename Delivery>
    void Deliver(int generation, Delivery delivery);

    std::unique_ptr<QThread> thread_;
    std::atomic<bool> cancel_{false};
    int generation_ = 0;  // read and written on the object's own thread only
};

}  // namespace strativex
