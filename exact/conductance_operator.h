#pragma once

#include <Eigen/Core>

#include "exact/conductances.h"
#include "exact/core_pair.h"
#include "exact/rows_in_body.h"

namespace strativex::exact {

// out = A in, for A the symmetric operator of the conductances `g` with `diagonal` on its
// diagonal (a time step adds the cells' heat capacity over the step to the conductances' sum).
// Both vectors hold every cell of the grid in grid order, zero outside the body: the line
// smoother works on whole lines of the grid, and numbering only the cells in the body would
// cost a gather and a scatter on every step of the conjugate gradients. `rows` are those of
// `g`: only they are computed, the rest of `out` is set to zero. With `cores`, a large grid's
// planes are shared between them; every cell is computed alike either way.
void ApplyConductances(const Conductances& g, const RowsInBody& rows, const double* diagonal,
                       const Eigen::VectorXd& in, Eigen::VectorXd& out, CorePair* cores = nullptr);

}  // namespace strativex::exact
