#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace strativex::exact {

enum class TransientStatus {
    Ok,
    NotAvailable,  // the model cannot be solved: Message names the input
    Cancelled,
    NotConverged,  // no steady solution, or the rise did not settle in the bounded time
};

// The source's response to a power step at t = 0 from the base temperature. Zth is the rise
// of the source face above the base per watt of the model's power, K/W: averaged over the
// heated area, and its peak. Only Status and Message mean anything unless Status is Ok.
struct TransientResult {
    TransientStatus Status = TransientStatus::NotAvailable;
    std::string Message;

    std::vector<double> TimeS;       // increasing, from the start time until settled
    std::vector<double> ZthAverage;  // one per time
    std::vector<double> ZthPeak;     // one per time
    std::vector<double> StoredJ;     // heat held in the body at each time, J
    std::vector<double> BaseFlowW;   // heat flowing into the base at each time, W
    double SteadyZthAverage = 0.0;   // the same grid's steady solution, which the curve meets
    double SteadyZthPeak = 0.0;
    // The curve is extrapolated from two grids, one twice as coarse as the other (Richardson);
    // this is the largest correction applied to the average, in % of its value.
    double ErrorPercent = 0.0;

    std::size_t Cells = 0;  // of the fine grid, a quarter of the stack
    int Steps = 0;          // time steps, those before the start time included
    int SolverIterations = 0;
    double Seconds = 0.0;
};

}  // namespace strativex::exact
