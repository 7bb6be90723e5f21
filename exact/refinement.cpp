#include "exact/refinement.h"

namespace strativex::exact {
namespace {

double Centre(const std::vector<double>& faces, int n) {
    return 0.5 * (faces[n] + faces[n + 1]);
}

// The coarse neighbour along one axis on the fine cell's side of its parent, with the share
// of the way towards it; nothing past the grid's end.
struct Towards {
    int Neighbour = -1;
    double Weight = 0.0;
};

Towards Along(const std::vector<double>& coarseFaces, const std::vector<double>& fineFaces,
              int fine) {
    const int parent = fine / 2;
    const double from = Centre(coarseFaces, parent);
    const double at = Centre(fineFaces, fine);
    const int neighbour = at < from ? parent - 1 : parent + 1;
    if (neighbour < 0 || neighbour + 1 >= static_cast<int>(coarseFaces.size())) return {};
    return {neighbour, (at - from) / (Centre(coarseFaces, neighbour) - from)};
}

std::vector<Towards> AlongAxis(const std::vector<double>& coarseFaces,
                               const std::vector<double>& fineFaces) {
    std::vector<Towards> towards(fineFaces.size() - 1);
    for (std::size_t n = 0; n < towards.size(); ++n) {
        towards[n] = Along(coarseFaces, fineFaces, static_cast<int>(n));
    }
    return towards;
}

}  // namespace

std::vector<double> Refined(const Grid& coarse, const Grid& fine,
                            const std::vector<double>& coarseValues) {
    std::vector<double> values(fine.CellCount(), 0.0);
    const std::vector<Towards> alongZ = AlongAxis(coarse.Z, fine.Z);
    const std::vector<RowCorner> fineCorners = BodyCorners(fine);
    const std::vector<RowCorner> coarseCorners = BodyCorners(coarse);
    for (int i = 0; i < fine.Nx(); ++i) {
        const Towards x = Along(coarse.X, fine.X, i);
        for (int j = 0; j < fine.Ny(); ++j) {
            const Towards y = Along(coarse.Y, fine.Y, j);
            for (int l = 0; l < fine.Nz(); ++l) {
                if (!fineCorners[static_cast<std::size_t>(l)].Holds(i, j)) continue;
                const Towards& z = alongZ[static_cast<std::size_t>(l)];
                const int at[3] = {i / 2, j / 2, l / 2};
                const double parent = coarseValues[coarse.Index(at[0], at[1], at[2])];
                double value = parent;
                const Towards* axes[3] = {&x, &y, &z};
                for (int axis = 0; axis < 3; ++axis) {
                    int next[3] = {at[0], at[1], at[2]};
                    next[axis] = axes[axis]->Neighbour;
                    if (next[axis] < 0 ||
                        !coarseCorners[static_cast<std::size_t>(next[2])].Holds(next[0], next[1])) {
                        continue;
                    }
                    const double neighbour = coarseValues[coarse.Index(next[0], next[1], next[2])];
                    value += axes[axis]->Weight * (neighbour - parent);
                }
                values[fine.Index(i, j, l)] = value;
            }
        }
    }
    return values;
}

std::vector<double> ExtrapolatedGuess(const Grid& coarse, const Grid& medium, const Grid& fine,
                                      const std::vector<double>& coarseValues,
                                      const std::vector<double>& mediumValues) {
    // Halving the cells of a second-order scheme leaves a quarter of the error. The carrying
    // over is linear, so the medium grid is extrapolated first and only that is carried to
    // the fine grid, the largest.
    constexpr double kRemainingShare = 0.25;
    std::vector<double> values = Refined(coarse, medium, coarseValues);
    for (std::size_t c = 0; c < values.size(); ++c) {
        values[c] = mediumValues[c] + kRemainingShare * (mediumValues[c] - values[c]);
    }
    return Refined(medium, fine, values);
}

}  // namespace strativex::exact
