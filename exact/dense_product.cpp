#include "exact/dense_product.h"

#include <vector>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define STRATIVEX_WIDE_KERNEL 1
#endif

namespace strativex::exact {
namespace {

#if defined(STRATIVEX_WIDE_KERNEL)

// The kernel keeps a tile of the product of 8 rows (two vectors of 4) by up to 4 columns in
// registers over the whole inner dimension: 8 independent sums hide the latency of the fused
// multiply-adds. The tile's rows of `left` are copied side by side first, where every column
// of the product's row of tiles reads them: the columns of a tall `left` lie a multiple of
// the cache's way size apart and would evict one another.
constexpr Eigen::Index kTileRows = 8;
constexpr Eigen::Index kTileColumns = 4;

struct Operands {
    const double* Panel;  // the packed rows of `left`, 8 per column
    const double* Right;
    Eigen::Index RightStride;
    double* Product;
    Eigen::Index ProductStride;
    Eigen::Index Depth;
};

// Lanes to store of a tile's two vectors where it has fewer than 8 rows.
struct RowMask {
    __m256i Low, High;
};

__attribute__((target("avx2,fma"))) RowMask MaskFor(Eigen::Index rows) {
    const __m256i lanes = _mm256_setr_epi64x(0, 1, 2, 3);
    const __m256i count = _mm256_set1_epi64x(static_cast<long long>(rows));
    return {_mm256_cmpgt_epi64(count, lanes),
            _mm256_cmpgt_epi64(count, _mm256_add_epi64(lanes, _mm256_set1_epi64x(4)))};
}

template <int Columns, bool Masked>
__attribute__((target("avx2,fma"))) void Tile(const Operands& o, Eigen::Index row,
                                              Eigen::Index column, const RowMask& mask) {
    __m256d low[Columns], high[Columns];
    for (int n = 0; n < Columns; ++n) {
        low[n] = _mm256_setzero_pd();
        high[n] = _mm256_setzero_pd();
    }
    const double* panel = o.Panel;
    const double* right = o.Right + column * o.RightStride;
    for (Eigen::Index k = 0; k < o.Depth; ++k, panel += kTileRows) {
        const __m256d lowRows = _mm256_loadu_pd(panel);
        const __m256d highRows = _mm256_loadu_pd(panel + 4);
        for (int n = 0; n < Columns; ++n) {
            const __m256d factor = _mm256_broadcast_sd(right + k + n * o.RightStride);
            low[n] = _mm256_fmadd_pd(lowRows, factor, low[n]);
            high[n] = _mm256_fmadd_pd(highRows, factor, high[n]);
        }
    }
    double* product = o.Product + row + column * o.ProductStride;
    for (int n = 0; n < Columns; ++n, product += o.ProductStride) {
        if (Masked) {
            _mm256_maskstore_pd(product, mask.Low, low[n]);
            _mm256_maskstore_pd(product + 4, mask.High, high[n]);
        } else {
            _mm256_storeu_pd(product, low[n]);
            _mm256_storeu_pd(product + 4, high[n]);
        }
    }
}

template <bool Masked>
__attribute__((target("avx2,fma"))) void TileRow(const Operands& o, Eigen::Index row,
                                                 Eigen::Index columns, const RowMask& mask) {
    Eigen::Index column = 0;
    for (; column + kTileColumns <= columns; column += kTileColumns) {
        Tile<kTileColumns, Masked>(o, row, column, mask);
    }
    const Eigen::Index left = columns - column;
    if (left == 3) Tile<3, Masked>(o, row, column, mask);
    if (left == 2) Tile<2, Masked>(o, row, column, mask);
    if (left == 1) Tile<1, Masked>(o, row, column, mask);
}

// The rows [row, row + rows) of `left`, fewer than 8 padded with zeros, a column of 8 after
// another.
void Pack(const MatrixView& left, Eigen::Index row, Eigen::Index rows, std::vector<double>& panel) {
    for (Eigen::Index k = 0; k < left.cols(); ++k) {
        const double* column = left.data() + row + k * left.outerStride();
        double* packed = panel.data() + k * kTileRows;
        for (Eigen::Index r = 0; r < kTileRows; ++r) packed[r] = r < rows ? column[r] : 0.0;
    }
}

__attribute__((target("avx2,fma"))) void MultiplyWide(const MatrixView& left,
                                                      const MatrixView& right,
                                                      MutableMatrixView product) {
    std::vector<double> panel(static_cast<std::size_t>(kTileRows * left.cols()));
    const Operands o{panel.data(),   right.data(),          right.outerStride(),
                     product.data(), product.outerStride(), left.cols()};
    const Eigen::Index rows = product.rows();
    const Eigen::Index columns = product.cols();
    const RowMask all = MaskFor(kTileRows);
    Eigen::Index row = 0;
    for (; row + kTileRows <= rows; row += kTileRows) {
        Pack(left, row, kTileRows, panel);
        TileRow<false>(o, row, columns, all);
    }
    if (row < rows) {
        Pack(left, row, rows - row, panel);
        TileRow<true>(o, row, columns, MaskFor(rows - row));
    }
}

bool HasWideVectors() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
}

#endif

}  // namespace

bool MultipliesWide() {
#if defined(STRATIVEX_WIDE_KERNEL)
    static const bool wide = HasWideVectors();
    return wide;
#else
    return false;
#endif
}

void MultiplyPortably(const MatrixView& left, const MatrixView& right, MutableMatrixView product) {
    product.noalias() = left * right;
}

void Multiply(const MatrixView& left, const MatrixView& right, MutableMatrixView product) {
#if defined(STRATIVEX_WIDE_KERNEL)
    if (MultipliesWide()) {
        MultiplyWide(left, right, product);
        return;
    }
#endif
    MultiplyPortably(left, right, product);
}

}  // namespace strativex::exact
