#include "analysis/exact_sweep_job.h"

#include <cmath>

namespace strativex {
namespace {

// Progress reaches the window in steps of half a percent: often enough to move smoothly, rare
// enough not to flood its event queue.
constexpr double kProgressSteps = 200.0;

}  // namespace

ExactSweepJob::~ExactSweepJob() {
    Stop();
}

void ExactSweepJob::Start(const Model& model, const MaterialTable& table,
                          const SweepRequest& request, std::vector<ExactTarget> targets) {
    Abandon();
    cancel_ = false;
    const int generation = generation_;
    thread_.reset(
        QThread::create([this, model, table, request, targets = std::move(targets), generation] {
            Run(model, table, request, targets, generation);
        }));
    thread_->start();
}

void ExactSweepJob::Cancel() {
    cancel_ = true;
}

void ExactSweepJob::Stop() {
    if (!thread_) return;
    Cancel();
    thread_->wait();
    thread_.reset();
}

void ExactSweepJob::Abandon() {
    Stop();
    ++generation_;
}

template <typename Delivery>
void ExactSweepJob::Deliver(int generation, Delivery delivery) {
    QMetaObject::invokeMethod(
        this,
        [this, generation, delivery = std::move(delivery)] {
            if (generation == generation_) delivery();
        },
        Qt::QueuedConnection);
}

void ExactSweepJob::Run(const Model& model, const MaterialTable& table, const SweepRequest& request,
                        const std::vector<ExactTarget>& targets, int generation) {
    const auto count = static_cast<int>(targets.size());
    bool cancelled = false;
    for (int k = 0; k < count && !cancelled; ++k) {
        double lastStep = -1.0;
        exact::CheckHooks hooks;
        hooks.Cancel = &cancel_;
        hooks.Progress = [&](double fraction, std::string_view) {
            const double share = (k + std::clamp(fraction, 0.0, 1.0)) / count;
            const double step = std::floor(share * kProgressSteps);
            if (step == lastStep) return;
            lastStep = step;
            Deliver(generation, [this, share, k, count] { emit progressed(share, k + 1, count); });
        };
        const ExactTarget& target = targets[static_cast<std::size_t>(k)];
        ExactPointOutcome outcome =
            CheckSweepPoint(model, table, request, target.Index, target.Value, hooks);
        cancelled = outcome.Status == exact::ExactStatus::Cancelled || cancel_;
        if (outcome.Status == exact::ExactStatus::Cancelled) break;
        Deliver(generation, [this, outcome = std::move(outcome)] { emit pointChecked(outcome); });
    }
    Deliver(generation, [this, cancelled] { emit finished(cancelled); });
}

}  // namespace strativex
