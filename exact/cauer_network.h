#pragma once

#include <string>

#include "exact/rc_network.h"

// Both networks have the same impedance between the junction and the base. The ladder's
// state matrix, symmetrised by its capacitances, is a tridiagonal (Jacobi) matrix whose
// eigenvalues are the Foster stages' 1/τ and whose eigenvectors' first components give their
// weights; the conversions pass through that matrix by orthogonal steps, so that no digits are
// lost to the cancellations of a continued-fraction expansion.
namespace strativex::exact {

struct CauerConversion {
    CauerNetwork Network;
    std::string Problem;  // why there is no ladder, naming the value; empty when there is
};

struct FosterConversion {
    FosterNetwork Network;
    std::string Problem;
};

// Stages of equal time constant act as one and give one rung.
CauerConversion CauerFromFoster(const FosterNetwork& foster);

FosterConversion FosterFromCauer(const CauerNetwork& cauer);

}  // namespace strativex::exact
