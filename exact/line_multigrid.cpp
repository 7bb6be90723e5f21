#include "exact/line_multigrid.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "exact/rows_in_body.h"

namespace strativex::exact {
namespace {

constexpr int kCoarsestColumns = 4;

std::size_t StepX(const Conductances& g) {
    return static_cast<std::size_t>(g.Ny) * static_cast<std::size_t>(g.Nz);
}

template <typename Visit>
void ForEachCell(const Conductances& g, Visit visit) {
    int at[3];
    std::size_t c = 0;
    for (at[0] = 0; at[0] < g.Nx; ++at[0]) {
        for (at[1] = 0; at[1] < g.Ny; ++at[1]) {
            for (at[2] = 0; at[2] < g.Nz; ++at[2]) visit(c++, at);
        }
    }
}

template <typename Visit>
void ForEachCellBackwards(const Conductances& g, Visit visit) {
    int at[3];
    std::size_t c = g.CellCount();
    for (at[0] = g.Nx - 1; at[0] >= 0; --at[0]) {
        for (at[1] = g.Ny - 1; at[1] >= 0; --at[1]) {
            for (at[2] = g.Nz - 1; at[2] >= 0; --at[2]) visit(--c, at);
        }
    }
}

}  // namespace

// The forward elimination of every line's tridiagonal system depends on the operator only, so
// it is done once per level: what each cell passes on to the next along the line.
void LineMultigrid::Factorize(Level& level) {
    RowsInBody rows = FindRowsInBody(level.Operator);
    level.FirstRow = std::move(rows.First);
    level.EndRow = std::move(rows.End);
    const Conductances& g = level.Operator;
    const std::size_t steps[3] = {StepX(g), static_cast<std::size_t>(g.Nz), 1};
    const std::vector<Link>* alongs[3] = {&level.Gx, &level.Gy, &level.Gz};
    for (int axis = 0; axis < 3; ++axis) {
        std::vector<double>& inversePivot = level.InversePivot[axis];
        inversePivot.assign(g.CellCount(), 0.0);
        const std::size_t step = steps[axis];
        const std::vector<Link>& along = *alongs[axis];
        ForEachCell(g, [&](std::size_t c, const int(&at)[3]) {
            if (level.Diagonal[c] <= 0) return;
            double pivot = level.Diagonal[c];
            if (at[axis] > 0) {
                const double before = along[c - step];
                pivot -= before * before * inversePivot[c - step];
            }
            inversePivot[c] = 1.0 / pivot;
        });
    }
}

// The conductances in the cycle's precision, and the diagonal summed from them: rounded
// on its own, a cell's diagonal could fall below the sum of its rounded conductances and
// leave the cycle's operator short of positive definite.
void LineMultigrid::Narrow(Level& level) {
    const Conductances& g = level.Operator;
    level.Gx.assign(g.Gx.begin(), g.Gx.end());
    level.Gy.assign(g.Gy.begin(), g.Gy.end());
    level.Gz.assign(g.Gz.begin(), g.Gz.end());
    const std::size_t cells = g.CellCount();
    const std::size_t stepX = StepX(g);
    const std::size_t stepY = static_cast<std::size_t>(g.Nz);
    std::vector<double>& diagonal = level.Diagonal;
    diagonal = g.Base;
    for (std::size_t c = 0; c < cells; ++c) {
        const double gx = level.Gx[c], gy = level.Gy[c], gz = level.Gz[c];
        diagonal[c] += gx + gy + gz;
        if (gx > 0.0) diagonal[c + stepX] += gx;
        if (gy > 0.0) diagonal[c + stepY] += gy;
        if (gz > 0.0) diagonal[c + 1] += gz;
    }
}

// Solves every line of cells along `Axis` (0 x, 1 y, 2 z) of one colour of the red-black
// pattern exactly, its neighbours off the line held at their current values. Cells are visited
// in memory order whatever the axis, so that lines across the columns stay cache-friendly.
template <int Axis>
void LineMultigrid::RelaxLines(const Level& level, int colour) {
    const Conductances& g = level.Operator;
    const std::size_t nz = static_cast<std::size_t>(g.Nz);
    const std::size_t steps[3] = {StepX(g), nz, 1};
    const std::size_t step = steps[Axis];
    // Raw pointers: through the vectors, every store into the solution would make the compiler
    // fetch every array's address again, on the critical path of each line's recurrence.
    const Link* gx = level.Gx.data();
    const Link* gy = level.Gy.data();
    const Link* gz = level.Gz.data();
    const Link* along = Axis == 0 ? gx : Axis == 1 ? gy : gz;
    const double* inversePivot = level.InversePivot[Axis].data();
    const double* rhs = level.Rhs.data();
    double* x = level.Solution.data();
    double* right = level.Scratch.data();
    // Lines of one colour: whole columns for z, every other cell of a column for x and y.
    // Only the rows of a column that lie in the body are visited: under narrow top layers
    // most of a wide grid's cells are outside it.
    constexpr int kStride = Axis == 2 ? 1 : 2;
    const auto first = [&](int i, int j) {
        const std::size_t column = static_cast<std::size_t>(i) * g.Ny + j;
        const int inBody = level.FirstRow[column];
        if constexpr (Axis == 2) return (i + j) % 2 == colour ? inBody : g.Nz;
        const int parity = ((Axis == 0 ? j : i) + colour) % 2;
        return inBody + ((inBody + parity) % kStride);
    };
    const auto end = [&](int i, int j) {
        return level.EndRow[static_cast<std::size_t>(i) * g.Ny + j];
    };
    for (int i = 0; i < g.Nx; ++i) {
        for (int j = 0; j < g.Ny; ++j) {
            const std::size_t column = (static_cast<std::size_t>(i) * g.Ny + j) * nz;
            const int stop = end(i, j);
            // Along a column the previous cell's value stays in a register instead of making
            // a round trip through memory on each step of the recurrence.
            double previous = 0.0;
            for (int l = first(i, j); l < stop; l += kStride) {
                const std::size_t c = column + l;
                if (inversePivot[c] == 0.0) {
                    previous = 0.0;
                    continue;
                }
                double sum = rhs[c];
                if constexpr (Axis != 0) {
                    if (i > 0) sum += gx[c - steps[0]] * x[c - steps[0]];
                    if (i + 1 < g.Nx) sum += gx[c] * x[c + steps[0]];
                }
                if constexpr (Axis != 1) {
                    if (j > 0) sum += gy[c - nz] * x[c - nz];
                    if (j + 1 < g.Ny) sum += gy[c] * x[c + nz];
                }
                if constexpr (Axis != 2) {
                    if (l > 0) sum += gz[c - 1] * x[c - 1];
                    if (l + 1 < g.Nz) sum += gz[c] * x[c + 1];
                }
                if constexpr (Axis == 2) {
                    if (l > 0) sum += along[c - 1] * previous;
                } else {
                    const int at[3] = {i, j, l};
                    if (at[Axis] > 0) sum += along[c - step] * right[c - step];
                }
                right[c] = sum * inversePivot[c];
                previous = right[c];
            }
        }
    }
    for (int i = g.Nx - 1; i >= 0; --i) {
        for (int j = g.Ny - 1; j >= 0; --j) {
            const std::size_t column = (static_cast<std::size_t>(i) * g.Ny + j) * nz;
            const int start = first(i, j);
            const int stop = end(i, j);
            if (start >= stop) continue;
            const int last = start + (stop - 1 - start) / kStride * kStride;
            // Below a column's last cell in the body there is nothing: its link to it is 0.
            double following = 0.0;
            for (int l = last; l >= start; l -= kStride) {
                const std::size_t c = column + l;
                if (inversePivot[c] == 0.0) {
                    following = 0.0;
                    continue;
                }
                double next = following;
                if constexpr (Axis != 2) {
                    const int at[3] = {i, j, l};
                    const int count[3] = {g.Nx, g.Ny, g.Nz};
                    next = at[Axis] + 1 < count[Axis] ? x[c + step] : 0.0;
                }
                // The elimination's upper diagonal, -along / pivot, is formed here rather
                // than stored: one array less to stream.
                x[c] = right[c] + along[c] * inversePivot[c] * next;
                following = x[c];
            }
        }
    }
}

void LineMultigrid::Smooth(const Level& level, bool forward) {
    // Sweeps as (axis, colour) in pre-smoothing order; post-smoothing runs them backwards,
    // which keeps the cycle symmetric.
    constexpr int kSweeps[][2] = {{2, 0}, {2, 1}, {0, 0}, {0, 1}, {1, 0}, {1, 1}};
    constexpr int kCount = static_cast<int>(std::size(kSweeps));
    for (int n = 0; n < kCount; ++n) {
        const auto [axis, colour] = kSweeps[forward ? n : kCount - 1 - n];
        if (axis == 0) RelaxLines<0>(level, colour);
        if (axis == 1) RelaxLines<1>(level, colour);
        if (axis == 2) RelaxLines<2>(level, colour);
    }
}

namespace {

// The coarse column that holds fine column (i, j).
std::size_t ParentColumn(const Conductances& coarse, int i, int j) {
    return static_cast<std::size_t>(i / 2) * coarse.Ny + static_cast<std::size_t>(j / 2);
}

Conductances Coarsened(const Conductances& fine) {
    Conductances coarse;
    coarse.Nx = (fine.Nx + 1) / 2;
    coarse.Ny = (fine.Ny + 1) / 2;
    coarse.Nz = fine.Nz;
    const std::size_t cells = static_cast<std::size_t>(coarse.Nx) * coarse.Ny * coarse.Nz;
    coarse.Gx.assign(cells, 0.0);
    coarse.Gy.assign(cells, 0.0);
    coarse.Gz.assign(cells, 0.0);
    coarse.Base.assign(cells, 0.0);
    const std::size_t nz = static_cast<std::size_t>(fine.Nz);
    for (int i = 0; i < fine.Nx; ++i) {
        for (int j = 0; j < fine.Ny; ++j) {
            const std::size_t from = (static_cast<std::size_t>(i) * fine.Ny + j) * nz;
            const std::size_t to = ParentColumn(coarse, i, j) * nz;
            // Only faces between two merged columns survive; those inside one cancel out.
            const bool crossesX = i % 2 == 1;
            const bool crossesY = j % 2 == 1;
            for (std::size_t l = 0; l < nz; ++l) {
                coarse.Gz[to + l] += fine.Gz[from + l];
                coarse.Base[to + l] += fine.Base[from + l];
                if (crossesX) coarse.Gx[to + l] += fine.Gx[from + l];
                if (crossesY) coarse.Gy[to + l] += fine.Gy[from + l];
            }
        }
    }
    SumDiagonal(coarse);
    return coarse;
}

void Restrict(const Conductances& fine, const std::vector<double>& residual,
              const Conductances& coarse, std::vector<double>& coarseRhs) {
    std::fill(coarseRhs.begin(), coarseRhs.end(), 0.0);
    const std::size_t nz = static_cast<std::size_t>(fine.Nz);
    for (int i = 0; i < fine.Nx; ++i) {
        for (int j = 0; j < fine.Ny; ++j) {
            const std::size_t from = (static_cast<std::size_t>(i) * fine.Ny + j) * nz;
            const std::size_t to = ParentColumn(coarse, i, j) * nz;
            for (std::size_t l = 0; l < nz; ++l) coarseRhs[to + l] += residual[from + l];
        }
    }
}

void ProlongAdd(const Conductances& fine, const Conductances& coarse,
                const std::vector<double>& coarseSolution, std::vector<double>& x) {
    const std::size_t nz = static_cast<std::size_t>(fine.Nz);
    for (int i = 0; i < fine.Nx; ++i) {
        for (int j = 0; j < fine.Ny; ++j) {
            const std::size_t to = (static_cast<std::size_t>(i) * fine.Ny + j) * nz;
            const std::size_t from = ParentColumn(coarse, i, j) * nz;
            for (std::size_t l = 0; l < nz; ++l) {
                if (fine.Diagonal[to + l] > 0.0) x[to + l] += coarseSolution[from + l];
            }
        }
    }
}

}  // namespace

// The residual of the level's current solution, into its Residual.
void LineMultigrid::Residual(const Level& level) {
    const Conductances& g = level.Operator;
    const std::size_t cells = g.CellCount();
    const std::size_t stepX = StepX(g);
    const std::size_t stepY = static_cast<std::size_t>(g.Nz);
    // Raw pointers, as in the sweeps: stores into the residual would otherwise make the
    // compiler fetch every array's address again.
    const Link* gx = level.Gx.data();
    const Link* gy = level.Gy.data();
    const Link* gz = level.Gz.data();
    const double* diagonal = level.Diagonal.data();
    const double* rhs = level.Rhs.data();
    const double* from = level.Solution.data();
    double* out = level.Residual.data();
    for (std::size_t c = 0; c < cells; ++c) out[c] = rhs[c] - diagonal[c] * from[c];
    for (std::size_t c = 0; c < cells; ++c) {
        if (gx[c] > 0) {
            out[c] += gx[c] * from[c + stepX];
            out[c + stepX] += gx[c] * from[c];
        }
        if (gy[c] > 0) {
            out[c] += gy[c] * from[c + stepY];
            out[c + stepY] += gy[c] * from[c];
        }
        if (gz[c] > 0) {
            out[c] += gz[c] * from[c + 1];
            out[c + 1] += gz[c] * from[c];
        }
    }
}

void LineMultigrid::Build(const Conductances& fine) {
    levels_.clear();
    levels_.push_back(Level{fine, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}});
    while (levels_.back().Operator.Nx * levels_.back().Operator.Ny > kCoarsestColumns) {
        levels_.push_back(
            Level{Coarsened(levels_.back().Operator), {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}});
    }
    for (Level& level : levels_) {
        const std::size_t cells = level.Operator.CellCount();
        level.Solution.assign(cells, 0.0);
        level.Rhs.assign(cells, 0.0);
        level.Residual.assign(cells, 0.0);
        level.Scratch.assign(cells, 0.0);
        Narrow(level);
        Factorize(level);
    }
    coarsestSystem_ = AssembleSystem(levels_.back().Operator);
    coarsestSolver_.compute(coarsestSystem_.Matrix);
}

void LineMultigrid::Apply(const Eigen::VectorXd& residual, Eigen::VectorXd& correction) const {
    if (cancel_ != nullptr && cancel_->load(std::memory_order_relaxed)) throw SolveCancelled{};
    const Level& finest = levels_.front();
    std::copy(residual.begin(), residual.end(), finest.Rhs.begin());
    Cycle(0);
    std::copy(finest.Solution.begin(), finest.Solution.end(), correction.begin());
}

void LineMultigrid::Cycle(std::size_t index) const {
    if (index + 1 == levels_.size()) {
        SolveCoarsest();
        return;
    }
    const Level& level = levels_[index];
    const Level& coarse = levels_[index + 1];
    std::fill(level.Solution.begin(), level.Solution.end(), 0.0);
    Smooth(level, true);
    Residual(level);
    Restrict(level.Operator, level.Residual, coarse.Operator, coarse.Rhs);
    Cycle(index + 1);
    ProlongAdd(level.Operator, coarse.Operator, coarse.Solution, level.Solution);
    Smooth(level, false);
}

void LineMultigrid::SolveCoarsest() const {
    const Level& level = levels_.back();
    const Eigen::VectorXd solution = coarsestSolver_.solve(Gather(coarsestSystem_, level.Rhs));
    std::fill(level.Solution.begin(), level.Solution.end(), 0.0);
    Scatter(coarsestSystem_, solution, level.Solution);
}

}  // namespace strativex::exact
