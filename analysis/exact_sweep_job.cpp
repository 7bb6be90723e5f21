#include "analysis/exact_sweep_job.h"

#include <QCoreApplication>

#include <algorithm>

namespace strativex {

void CheckSweepPoints(const JobControl& control, const Model& model, const MaterialTable& table,
                      const SweepRequest& request, const std::vector<ExactTarget>& targets,
                      const std::function<void(const ExactPointOutcome&)>& checked) {
    const auto count = static_cast<int>(targets.size());
    for (int k = 0; k < count && !control.IsCancelled(); ++k) {
        const QString stage =
            QCoreApplication::translate("SweepWindow", "3-D check: point %1 of %2...")
                .arg(k + 1)
                .arg(count);
        exact::CheckHooks hooks;
        hooks.Cancel = control.CancelFlag();
        hooks.Progress = [&](double fraction, std::string_view) {
            control.Progress((k + std::clamp(fraction, 0.0, 1.0)) / count, stage);
        };
        const ExactTarget& target = targets[static_cast<std::size_t>(k)];
        ExactPointOutcome outcome =
            CheckSweepPoint(model, table, request, target.Index, target.Value, hooks);
        if (outcome.Status == exact::ExactStatus::Cancelled) return;
        control.Deliver([checked, outcome = std::move(outcome)] { checked(outcome); });
    }
}

}  // namespace strativex
