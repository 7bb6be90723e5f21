#include "exact/line_multigrid.h"

#include <algorithm>
#include <iterator>
#include <type_traits>
#include <utility>

#include "exact/rows_in_body.h"

namespace strativex::exact {
namespace {

constexpr int kCoarsestColumns = 4;
// Sweeps as (axis, colour) in pre-smoothing order.
constexpr int kSweeps[][2] = {{2, 0}, {2, 1}, {0, 0}, {0, 1}, {1, 0}, {1, 1}};
constexpr int kSweepCount = static_cast<int>(std::size(kSweeps));

// Runs part(first, last) over [0, count), shared between the cores on the finer levels.
template <typename Part>
void Share(CorePair& cores, const Conductances& g, int count, const Part& part) {
    const std::size_t end = static_cast<std::size_t>(count);
    if (g.CellCount() < CorePair::kLeastSharedCells) {
        part(std::size_t{0}, end);
        return;
    }
    cores.Run(0, end, part);
}

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

// Solves every line of cells along `Axis` (0 x, 1 y) of one colour of the red-black pattern
// exactly, its neighbours off the line held at their current values: the lines in the planes
// [first, last) of j for lines along x, of i for lines along y. Cells are visited in memory
// order whatever the axis, so that lines across the columns stay cache-friendly; the lines'
// recurrences run across planes, so no cell waits for the one before it in the loop.
template <int Axis>
void LineMultigrid::RelaxLines(const Level& level, int colour, std::size_t first,
                               std::size_t last) {
    static_assert(Axis == 0 || Axis == 1);
    const Conductances& g = level.Operator;
    const int iFirst = Axis == 0 ? 0 : static_cast<int>(first);
    const int iEnd = Axis == 0 ? g.Nx : static_cast<int>(last);
    const int jFirst = Axis == 0 ? static_cast<int>(first) : 0;
    const int jEnd = Axis == 0 ? static_cast<int>(last) : g.Ny;
    const std::size_t nz = static_cast<std::size_t>(g.Nz);
    const std::size_t steps[2] = {StepX(g), nz};
    const std::size_t step = steps[Axis];
    // Raw pointers: through the vectors, every store into the solution would make the compiler
    // fetch every array's address again.
    const Link* gx = level.Gx.data();
    const Link* gy = level.Gy.data();
    const Link* gz = level.Gz.data();
    const Link* along = Axis == 0 ? gx : gy;
    const double* inversePivot = level.InversePivot[Axis].data();
    const double* rhs = level.RhsIn;
    // The forward elimination leaves its values in the line's own cells, which the substitution
    // then overwrites: no other line of the colour reads them, its neighbours being of the
    // other colour, and a separate array would only add to the memory the sweep streams.
    double* x = level.Solution.data();
    double* right = x;
    // Lines of one colour are every other cell of a column, so that a line's neighbours
    // through the thickness, often its strongest links, are of the other colour. Only the
    // rows of a column that lie in the body are visited: under narrow top layers most of a
    // wide grid's cells are outside it.
    constexpr int kStride = 2;
    const auto firstRow = [&](int i, int j) {
        const int inBody = level.FirstRow[static_cast<std::size_t>(i) * g.Ny + j];
        const int parity = ((Axis == 0 ? j : i) + colour) % 2;
        return inBody + ((inBody + parity) % kStride);
    };
    const auto endRow = [&](int i, int j) {
        return level.EndRow[static_cast<std::size_t>(i) * g.Ny + j];
    };
    // Off the first and last plane of i every neighbour's index lies in the grid, and links
    // to cells outside the body or beyond the grid's faces are zero, as are those cells'
    // values: there the terms are added without a test (`guarded` false). A cell outside the
    // body between a column's first and last row in it has a zero inverse pivot, so it is
    // computed like the others and comes out zero, as it must stay.
    const auto eliminate = [&](int i, int j, auto guarded) {
        const std::size_t column = (static_cast<std::size_t>(i) * g.Ny + j) * nz;
        const int stop = endRow(i, j);
        const int at[2] = {i, j};
        for (int l = firstRow(i, j); l < stop; l += kStride) {
            const std::size_t c = column + l;
            double sum = rhs[c];
            if constexpr (Axis == 1) {
                if (!guarded || i > 0) sum += gx[c - steps[0]] * x[c - steps[0]];
                if (!guarded || i + 1 < g.Nx) sum += gx[c] * x[c + steps[0]];
            } else {
                if (!guarded || j > 0) sum += gy[c - nz] * x[c - nz];
                if (!guarded || j + 1 < g.Ny) sum += gy[c] * x[c + nz];
            }
            if (!guarded || l > 0) sum += gz[c - 1] * x[c - 1];
            if (!guarded || l + 1 < g.Nz) sum += gz[c] * x[c + 1];
            if (!guarded || at[Axis] > 0) sum += along[c - step] * right[c - step];
            right[c] = sum * inversePivot[c];
        }
    };
    for (int i = iFirst; i < iEnd; ++i) {
        const bool edgePlane = i == 0 || i + 1 == g.Nx;
        for (int j = jFirst; j < jEnd; ++j) {
            if (edgePlane) {
                eliminate(i, j, std::true_type{});
            } else {
                eliminate(i, j, std::false_type{});
            }
        }
    }
    for (int i = iEnd - 1; i >= iFirst; --i) {
        for (int j = jEnd - 1; j >= jFirst; --j) {
            const std::size_t column = (static_cast<std::size_t>(i) * g.Ny + j) * nz;
            const int start = firstRow(i, j);
            const int stop = endRow(i, j);
            if (start >= stop) continue;
            const int lastRow = start + (stop - 1 - start) / kStride * kStride;
            const int at[2] = {i, j};
            const int count[2] = {g.Nx, g.Ny};
            const bool hasNext = at[Axis] + 1 < count[Axis];
            for (int l = lastRow; l >= start; l -= kStride) {
                const std::size_t c = column + l;
                const double next = hasNext ? x[c + step] : 0.0;
                // The elimination's upper diagonal, -along / pivot, is formed here rather
                // than stored: one array less to stream.
                x[c] = right[c] + along[c] * inversePivot[c] * next;
            }
        }
    }
}

// Solves the columns of one colour of the red-black pattern in the planes [first, last) of i
// exactly, their neighbours held at their current values, or at zero where `FromZero`.
template <bool FromZero>
void LineMultigrid::RelaxColumns(const Level& level, int colour, std::size_t first,
                                 std::size_t last) {
    const Conductances& g = level.Operator;
    const std::size_t nz = static_cast<std::size_t>(g.Nz);
    const std::size_t stepX = StepX(g);
    const Link* gx = level.Gx.data();
    const Link* gy = level.Gy.data();
    const Link* along = level.Gz.data();
    const double* inversePivot = level.InversePivot[2].data();
    const double* rhs = level.RhsIn;
    // The elimination's values in the column's own cells, as in the lines' sweeps. A cell
    // outside the body within the column's rows has a zero inverse pivot: it comes out zero
    // and passes nothing on along the column.
    double* x = level.Solution.data();
    double* right = x;
    for (int i = static_cast<int>(first); i < static_cast<int>(last); ++i) {
        for (int j = (i + colour) % 2; j < g.Ny; j += 2) {
            const std::size_t columnIndex = static_cast<std::size_t>(i) * g.Ny + j;
            const std::size_t column = columnIndex * nz;
            const int start = level.FirstRow[columnIndex];
            const int stop = level.EndRow[columnIndex];
            // Along a column the previous cell's value stays in a register instead of making
            // a round trip through memory on each step of the recurrence.
            double previous = 0.0;
            for (int l = start; l < stop; ++l) {
                const std::size_t c = column + l;
                double sum = rhs[c];
                if constexpr (!FromZero) {
                    if (i > 0) sum += gx[c - stepX] * x[c - stepX];
                    if (i + 1 < g.Nx) sum += gx[c] * x[c + stepX];
                    if (j > 0) sum += gy[c - nz] * x[c - nz];
                    if (j + 1 < g.Ny) sum += gy[c] * x[c + nz];
                }
                // The recurrence is the sweep's critical path: the link scaled by the pivot
                // is formed off it, leaving one product and one sum per cell on it.
                const double scaled = sum * inversePivot[c];
                right[c] = l > 0 ? scaled + along[c - 1] * inversePivot[c] * previous : scaled;
                previous = right[c];
            }
            // Below a column's last cell in the body there is nothing: its link to it is 0.
            double following = 0.0;
            for (int l = stop - 1; l >= start; --l) {
                const std::size_t c = column + l;
                x[c] = right[c] + along[c] * inversePivot[c] * following;
                following = x[c];
            }
        }
    }
}

// Sweep n of the pre-smoothing. The lines of one colour are independent of each other, so the
// cores share them by planes across the lines: planes of j for the lines along x, planes of i
// for the others.
void LineMultigrid::Sweep(const Level& level, int n, CorePair& cores) {
    const Conductances& g = level.Operator;
    const int axis = kSweeps[n][0];
    const int colour = kSweeps[n][1];
    if (axis == 0) {
        Share(cores, g, g.Ny, [&](std::size_t first, std::size_t last) {
            RelaxLines<0>(level, colour, first, last);
        });
    }
    if (axis == 1) {
        Share(cores, g, g.Nx, [&](std::size_t first, std::size_t last) {
            RelaxLines<1>(level, colour, first, last);
        });
    }
    if (axis == 2) {
        Share(cores, g, g.Nx, [&](std::size_t first, std::size_t last) {
            RelaxColumns<false>(level, colour, first, last);
        });
    }
}

// The pre-smoothing of a cycle, which starts from zero. Its first sweep solves whole columns
// and reads nothing but their neighbours, zero then, and the second overwrites every other
// cell of the body before reading it; so the solution need not be cleared first. Cells
// outside the body are never written and stay zero.
void LineMultigrid::PreSmooth(const Level& level, CorePair& cores) {
    static_assert(kSweeps[0][0] == 2 && kSweeps[1][0] == 2);
    Share(cores, level.Operator, level.Operator.Nx, [&](std::size_t first, std::size_t last) {
        RelaxColumns<true>(level, kSweeps[0][1], first, last);
    });
    for (int n = 1; n < kSweepCount; ++n) Sweep(level, n, cores);
}

// The pre-smoothing's sweeps backwards, which keeps the cycle symmetric.
void LineMultigrid::PostSmooth(const Level& level, CorePair& cores) {
    for (int n = kSweepCount - 1; n >= 0; --n) Sweep(level, n, cores);
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

// Adds the coarse correction to the fine planes [first, last) of i.
void ProlongAdd(const Conductances& fine, const Conductances& coarse,
                const std::vector<double>& coarseSolution, std::vector<double>& x,
                std::size_t first, std::size_t last) {
    const std::size_t nz = static_cast<std::size_t>(fine.Nz);
    for (int i = static_cast<int>(first); i < static_cast<int>(last); ++i) {
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

// The residual of the level's current solution, summed over the columns each coarse column
// merges into the coarse level's right-hand side: no residual array is written and read back.
// Each coarse column of the planes [first, last) of i gathers its fine columns in their order,
// so no two planes write the same cell, and each cell's residual gathers its neighbours' flows
// in the order of the faces' cells.
void LineMultigrid::RestrictResidual(const Level& level, const Level& coarse, std::size_t first,
                                     std::size_t last) {
    const Conductances& g = level.Operator;
    const std::size_t stepX = StepX(g);
    const std::size_t stepY = static_cast<std::size_t>(g.Nz);
    const std::size_t nz = stepY;
    const std::size_t cells = g.CellCount();
    // Raw pointers, as in the sweeps: stores into the coarse level would otherwise make the
    // compiler fetch every array's address again.
    const Link* gx = level.Gx.data();
    const Link* gy = level.Gy.data();
    const Link* gz = level.Gz.data();
    const double* diagonal = level.Diagonal.data();
    const double* rhs = level.RhsIn;
    const double* from = level.Solution.data();
    // Cells whose six neighbours all exist, which is all but the first and last plane of i:
    // links to cells outside the body are zero and those cells' values too, so every term is
    // added without a test, and the loop vectorises.
    const auto inner = [&](std::size_t column, double* to) {
        for (std::size_t l = 0; l < nz; ++l) {
            const std::size_t c = column + l;
            to[l] += rhs[c] - diagonal[c] * from[c] + gx[c - stepX] * from[c - stepX] +
                     gy[c - stepY] * from[c - stepY] + gz[c - 1] * from[c - 1] +
                     gx[c] * from[c + stepX] + gy[c] * from[c + stepY] + gz[c] * from[c + 1];
        }
    };
    const auto edge = [&](std::size_t column, double* to) {
        for (std::size_t l = 0; l < nz; ++l) {
            const std::size_t c = column + l;
            double sum = rhs[c] - diagonal[c] * from[c];
            if (c >= stepX) sum += gx[c - stepX] * from[c - stepX];
            if (c >= stepY) sum += gy[c - stepY] * from[c - stepY];
            if (c >= 1) sum += gz[c - 1] * from[c - 1];
            if (c + stepX < cells) sum += gx[c] * from[c + stepX];
            if (c + stepY < cells) sum += gy[c] * from[c + stepY];
            if (c + 1 < cells) sum += gz[c] * from[c + 1];
            to[l] += sum;
        }
    };
    const Conductances& merged = coarse.Operator;
    for (int i = static_cast<int>(first); i < static_cast<int>(last); ++i) {
        for (int j = 0; j < merged.Ny; ++j) {
            double* to = coarse.Rhs.data() + ParentColumn(merged, 2 * i, 2 * j) * nz;
            std::fill(to, to + nz, 0.0);
            for (int fineI = 2 * i; fineI < std::min(2 * i + 2, g.Nx); ++fineI) {
                const bool edgePlane = fineI == 0 || fineI + 1 == g.Nx;
                for (int fineJ = 2 * j; fineJ < std::min(2 * j + 2, g.Ny); ++fineJ) {
                    const std::size_t column =
                        (static_cast<std::size_t>(fineI) * g.Ny + fineJ) * nz;
                    if (edgePlane) {
                        edge(column, to);
                    } else {
                        inner(column, to);
                    }
                }
            }
        }
    }
}

void LineMultigrid::Build(const Conductances& fine) {
    levels_.clear();
    levels_.push_back(Level{fine, {}, {}, {}, {}, {}, {}, {}, {}, {}, nullptr});
    while (levels_.back().Operator.Nx * levels_.back().Operator.Ny > kCoarsestColumns) {
        levels_.push_back(
            Level{Coarsened(levels_.back().Operator), {}, {}, {}, {}, {}, {}, {}, {}, {}, nullptr});
    }
    for (Level& level : levels_) {
        const std::size_t cells = level.Operator.CellCount();
        level.Solution.assign(cells, 0.0);
        // The finest level reads the residual Apply is handed.
        if (&level != &levels_.front()) level.Rhs.assign(cells, 0.0);
        Narrow(level);
        Factorize(level);
    }
    coarsestSystem_ = AssembleSystem(levels_.back().Operator);
    coarsestSolver_.compute(coarsestSystem_.Matrix);
}

void LineMultigrid::Apply(const Eigen::VectorXd& residual, Eigen::VectorXd& correction) const {
    if (cancel_ != nullptr && cancel_->load(std::memory_order_relaxed)) throw SolveCancelled{};
    const Level& finest = levels_.front();
    finest.RhsIn = residual.data();
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
    const Conductances& g = level.Operator;
    // Set afresh on every cycle: a copied multigrid must not read its original's vectors.
    coarse.RhsIn = coarse.Rhs.data();
    PreSmooth(level, cores_);
    Share(cores_, g, coarse.Operator.Nx, [&](std::size_t first, std::size_t last) {
        RestrictResidual(level, coarse, first, last);
    });
    Cycle(index + 1);
    Share(cores_, g, g.Nx, [&](std::size_t first, std::size_t last) {
        ProlongAdd(g, coarse.Operator, coarse.Solution, level.Solution, first, last);
    });
    PostSmooth(level, cores_);
}

void LineMultigrid::SolveCoarsest() const {
    const Level& level = levels_.back();
    const Eigen::VectorXd solution =
        coarsestSolver_.solve(Gather(coarsestSystem_, {level.RhsIn, level.Operator.CellCount()}));
    std::fill(level.Solution.begin(), level.Solution.end(), 0.0);
    Scatter(coarsestSystem_, solution, level.Solution);
}

}  // namespace strativex::exact
