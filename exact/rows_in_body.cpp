#include "exact/rows_in_body.h"

#include <algorithm>
#include <cstddef>

namespace strativex::exact {

RowsInBody FindRowsInBody(const Conductances& g) {
    const std::size_t columns = static_cast<std::size_t>(g.Nx) * static_cast<std::size_t>(g.Ny);
    RowsInBody rows{std::vector<int>(columns, 0), std::vector<int>(columns, 0)};
    const std::size_t nz = static_cast<std::size_t>(g.Nz);
    for (std::size_t column = 0; column < columns; ++column) {
        const double* diagonal = g.Diagonal.data() + column * nz;
        int first = g.Nz, end = 0;
        for (int l = 0; l < g.Nz; ++l) {
            if (diagonal[l] <= 0.0) continue;
            first = std::min(first, l);
            end = l + 1;
        }
        rows.First[column] = std::min(first, end);
        rows.End[column] = end;
    }
    return rows;
}

}  // namespace strativex::exact
