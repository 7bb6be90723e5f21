#pragma once

#include <vector>

#include "exact/conductances.h"

namespace strativex::exact {

// Per column of cells (i * Ny + j), the rows [First, End) from its first to its last cell in
// the body; a column with none has First = End = 0. Under narrow top layers most of a wide
// grid's cells lie outside the body, and loops over these rows pass them over.
struct RowsInBody {
    std::vector<int> First, End;
};

RowsInBody FindRowsInBody(const Conductances& g);

}  // namespace strativex::exact
