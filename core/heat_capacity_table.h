#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Density and specific heat per material id, which the transient needs beside K(T). They are
// constants in temperature. A material without a row has no heat capacity: nothing stands in
// for it.
namespace strativex {

struct HeatCapacity {
    std::int16_t Id = 0;
    std::string Name;           // UTF-8
    double Density = 0.0;       // kg/m³
    double SpecificHeat = 0.0;  // J/(kg·K)
    std::string Source;

    double Volumetric() const { return Density * SpecificHeat; }  // J/(m³·K)
};

// A row that could not be taken, named by its line and column.
struct HeatCapacityProblem {
    int Line = 0;
    std::string Field;
    std::string Text;
};

struct HeatCapacityTable {
    std::vector<HeatCapacity> Rows;
    std::vector<HeatCapacityProblem> Problems;
    // Why the file gave no rows at all (absent, unreadable, wrong header); empty otherwise.
    std::string FileProblem;
};

std::optional<HeatCapacity> FindHeatCapacity(const HeatCapacityTable& table, int id);

// ρ·c of the material in J/(m³·K); nothing for an id without a row.
std::optional<double> VolumetricHeatCapacity(const HeatCapacityTable& table, int id);

// "matheat.csv line 7, density_kg_m3: '-3' must be greater than 0".
std::string ProblemText(const HeatCapacityProblem& problem);

}  // namespace strativex
