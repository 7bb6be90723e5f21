#include "exact/grid_bound.h"

#include <cstdio>

namespace strativex::exact {
namespace {

// Measured on the benchmark stacks (peak resident memory over the cells of the fine grid), with
// room to spare: the conductances and their sum (5 values a cell), the matrix (7 entries), the
// line smoother's factors on every multigrid level (6, a third more over the levels), the
// conjugate gradients' and the conductivity iteration's vectors (about 12), the temperature
// field kept for the pictures, and the coarser grids, an eighth and a sixty-fourth of it.
constexpr double kBytesPerCell = 600.0;
constexpr double kMegabyte = 1024.0 * 1024.0;
constexpr double kGigabyte = 1024.0 * kMegabyte;

std::string Bytes(double bytes) {
    char text[32];
    if (bytes >= kGigabyte) {
        std::snprintf(text, sizeof text, "%.1f GB", bytes / kGigabyte);
    } else {
        std::snprintf(text, sizeof text, "%.0f MB", bytes / kMegabyte);
    }
    return text;
}

std::string Cells(double cells) {
    char text[32];
    if (cells >= 1e6) {
        std::snprintf(text, sizeof text, "%.1f million", cells / 1e6);
    } else {
        std::snprintf(text, sizeof text, "%.0f", cells);
    }
    return text;
}

// In floating point: the axes of an absurd grid multiply past any integer.
double CellsOf(const Grid& grid) {
    return static_cast<double>(grid.Nx()) * grid.Ny() * grid.Nz();
}

}  // namespace

double CheckBytes(const Grid& fine) {
    return kBytesPerCell * CellsOf(fine);
}

std::optional<std::string> GridTooLarge(const Grid& fine, const ExactOptions& options) {
    const double bytes = CheckBytes(fine);
    if (bytes <= static_cast<double>(options.MaxMemoryBytes)) return std::nullopt;
    return "The 3-D check would need " + Cells(CellsOf(fine)) + " cells, about " + Bytes(bytes) +
           " of memory, more than the " + Bytes(static_cast<double>(options.MaxMemoryBytes)) +
           " it may use: the smallest size in the stack (the heat source or the thinnest layer) "
           "is too small against the largest (the widest or thickest layer, or the distance "
           "the heat spreads in layers without a lateral limit).";
}

}  // namespace strativex::exact
