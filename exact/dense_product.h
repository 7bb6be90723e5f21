#pragma once

#include <Eigen/Core>

namespace strativex::exact {

// Column-major matrices by their first element, size and column stride, so that blocks of
// the direct solve's buffers need no copy.
using MatrixView = Eigen::Map<const Eigen::MatrixXd, 0, Eigen::OuterStride<>>;
using MutableMatrixView = Eigen::Map<Eigen::MatrixXd, 0, Eigen::OuterStride<>>;

// product = left * right, overwriting what product held; product must not overlap either
// factor. On processors with 256-bit vectors and fused multiply-add (chosen once, at run
// time) a kernel of their own, about two and a half times as fast as the portable product on
// the direct solve's shapes; elsewhere the portable one.
void Multiply(const MatrixView& left, const MatrixView& right, MutableMatrixView product);

// Whether Multiply uses the wide kernel on this processor.
bool MultipliesWide();

// The portable product, whatever the processor: for the tests that compare the two.
void MultiplyPortably(const MatrixView& left, const MatrixView& right, MutableMatrixView product);

}  // namespace strativex::exact
