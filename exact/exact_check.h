#pragma once

#include <atomic>
#include <functional>
#include <string_view>

#include "core/material_table.h"
#include "core/model.h"
#include "exact/exact_options.h"
#include "exact/exact_result.h"

namespace strativex::exact {

struct CheckHooks {
    // Called on the thread that runs the check: the share done (0..1) and what is being done.
    std::function<void(double fraction, std::string_view stage)> Progress;
    // Set from any thread to stop the check; it returns Cancelled within one multigrid cycle.
    const std::atomic<bool>* Cancel = nullptr;
};

// The steady 3-D conduction solution of the model's stack: the source as a uniform flux over
// the device (where it meets layer 1), the bottom held at the isothermal temperature or
// cooled towards it as options.Base says, every other face adiabatic, K = A * T^B at the local
// temperature. The model and the table are read at the start and again at the end, for the
// comparison with the estimate: a caller on another thread than the one editing them passes copies.
// Neither is changed.
ExactResult RunExactCheck(const Model& model, const MaterialTable& table,
                          const ExactOptions& options = {}, const CheckHooks& hooks = {});

}  // namespace strativex::exact
