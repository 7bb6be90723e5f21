#include <QtTest>

#include <Eigen/Core>
#include <cmath>
#include <limits>

#include "exact/dense_product.h"

using namespace strativex;

namespace {

// Every element of the product sums `depth` terms of about one, rounded once each on either
// path: this bounds the difference of two orders of summation with room to spare.
double Tolerance(Eigen::Index depth) {
    return 8.0 * static_cast<double>(depth) * std::numeric_limits<double>::epsilon();
}

}  // namespace

// The direct solve's transforms run on a kernel of their own where the processor has wide
// vectors. It tiles the product 8 rows by 4 columns, so sizes around those multiples, and
// factors and products that are blocks of larger matrices (strides beyond their rows), are
// where a tile could read or write out of place.
class TestDenseProduct : public QObject {
    Q_OBJECT

private slots:
    void matchesThePortableProduct_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("margin");  // extra rows around every operand's block
        QTest::newRow("one by one") << 1 << 1 << 1 << 0;
        QTest::newRow("one tile") << 8 << 5 << 4 << 0;
        QTest::newRow("rows short of a tile") << 7 << 9 << 4 << 0;
        QTest::newRow("rows past a half tile") << 13 << 9 << 5 << 0;
        QTest::newRow("rows of half a tile") << 4 << 3 << 7 << 0;
        QTest::newRow("columns past the tiles") << 16 << 24 << 11 << 0;
        QTest::newRow("blocks of larger matrices") << 19 << 17 << 6 << 3;
        QTest::newRow("a transform's shape") << 36 << 24 << 46 << 0;
        QTest::newRow("a tall block") << 203 << 36 << 37 << 5;
    }

    void matchesThePortableProduct() {
        QFETCH(int, rows);
        QFETCH(int, depth);
        QFETCH(int, columns);
        QFETCH(int, margin);
        if (!exact::MultipliesWide()) QSKIP("This processor has no wide vectors.");
        const Eigen::MatrixXd left = Eigen::MatrixXd::Random(rows + 2 * margin, depth);
        const Eigen::MatrixXd right = Eigen::MatrixXd::Random(depth + 2 * margin, columns);
        const exact::MatrixView leftBlock(left.data() + margin, rows, depth,
                                          Eigen::OuterStride<>(left.rows()));
        const exact::MatrixView rightBlock(right.data() + margin, depth, columns,
                                           Eigen::OuterStride<>(right.rows()));
        const double untouched = -7.0;
        Eigen::MatrixXd wide = Eigen::MatrixXd::Constant(rows + 2 * margin, columns, untouched);
        Eigen::MatrixXd portable(rows, columns);
        exact::Multiply(leftBlock, rightBlock,
                        exact::MutableMatrixView(wide.data() + margin, rows, columns,
                                                 Eigen::OuterStride<>(wide.rows())));
        exact::MultiplyPortably(
            leftBlock, rightBlock,
            exact::MutableMatrixView(portable.data(), rows, columns, Eigen::OuterStride<>(rows)));
        for (int n = 0; n < columns; ++n) {
            for (int r = 0; r < rows + 2 * margin; ++r) {
                const bool inBlock = r >= margin && r < rows + margin;
                if (!inBlock) {
                    QCOMPARE(wide(r, n), untouched);
                    continue;
                }
                QVERIFY2(std::fabs(wide(r, n) - portable(r - margin, n)) <= Tolerance(depth),
                         qPrintable(QString("row %1, column %2").arg(r).arg(n)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestDenseProduct)
#include "test_dense_product.moc"
