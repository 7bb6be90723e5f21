#pragma once

#include <Eigen/Core>
#include <algorithm>
#include <array>
#include <cstddef>

#include "exact/core_pair.h"

namespace strativex::exact {

// A vector's loops cut into fixed blocks, shared between the cores where there are any and the
// vector is long enough to gain from it. The blocks, and the order in which SumOverBlocks adds
// their sums, stay the same whether one core runs them or two, so that no result depends on
// how many there are.
inline constexpr std::size_t kVectorBlocks = 16;

// Calls part(block, begin, count) once for every block of [0, size), shared between the
// cores where they are given, however short the range: for loops whose every index is much
// work.
template <typename Part>
void RunBlocks(CorePair* cores, Eigen::Index size, const Part& part) {
    const Eigen::Index blocks = static_cast<Eigen::Index>(kVectorBlocks);
    const Eigen::Index blockSize = (size + blocks - 1) / blocks;
    const auto run = [&](std::size_t first, std::size_t last) {
        for (std::size_t block = first; block < last; ++block) {
            const Eigen::Index begin = std::min(static_cast<Eigen::Index>(block) * blockSize, size);
            part(block, begin, std::min(blockSize, size - begin));
        }
    };
    if (cores != nullptr) {
        cores->Run(0, kVectorBlocks, run);
    } else {
        run(0, kVectorBlocks);
    }
}

// Calls part(block, begin, count) once for every block of [0, size), shared where the vector
// is long enough to gain from it.
template <typename Part>
void ForEachBlock(CorePair* cores, Eigen::Index size, const Part& part) {
    const bool shared = static_cast<std::size_t>(size) >= CorePair::kLeastSharedCells;
    RunBlocks(shared ? cores : nullptr, size, part);
}

// The sum of part(begin, count) over the blocks of [0, size).
template <typename Part>
double SumOverBlocks(CorePair* cores, Eigen::Index size, const Part& part) {
    std::array<double, kVectorBlocks> sums{};
    ForEachBlock(cores, size, [&](std::size_t block, Eigen::Index begin, Eigen::Index count) {
        sums[block] = part(begin, count);
    });
    double sum = 0.0;
    for (const double value : sums) sum += value;
    return sum;
}

}  // namespace strativex::exact
