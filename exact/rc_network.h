#pragma once

#include <string>
#include <vector>

// Thermal RC networks: resistances in K/W, capacitances in J/K, time constants in s. A power
// source in watts drives them, the rise above the base in kelvin is the "voltage".
namespace strativex::exact {

inline constexpr int kMinStages = 1;
inline constexpr int kMaxStages = 12;

struct RcStage {
    double R = 0.0;
    double C = 0.0;
    double Tau() const { return R * C; }
};

// Parallel RC stages in series between the junction and the base, in rising time constant.
struct FosterNetwork {
    std::vector<RcStage> Stages;
};

// A ladder from the junction down: stage k's capacitance from node k to the base, its
// resistance from node k to node k + 1, the last one to the base.
struct CauerNetwork {
    std::vector<RcStage> Stages;
};

double TotalResistance(const std::vector<RcStage>& stages);
double TotalCapacitance(const std::vector<RcStage>& stages);

// Zth(t) of the network switched on at t = 0.
double FosterZth(const FosterNetwork& network, double time);

// Why stages cannot make a network (a value not positive or not finite, a count outside
// 1..12), naming the value; empty when they can.
std::string StagesProblem(const std::vector<RcStage>& stages);

}  // namespace strativex::exact
