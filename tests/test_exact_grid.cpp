#include <QtTest>

#include <algorithm>
#include <cmath>

#include "exact/grid.h"
#include "exact/lateral_reach.h"
#include "exact/stack.h"
#include "support/exact_channel.h"

using namespace strativex;
using exact_stacks::StackLayer;

namespace {

constexpr double kTolerance = 1e-4;

bool HasFace(const std::vector<double>& faces, double position) {
    return std::any_of(faces.begin(), faces.end(),
                       [&](double face) { return std::fabs(face - position) < 1e-12; });
}

exact::Stack StackOf(const Layers& layers, float deviceWidth = 2.0f, float deviceLength = 1.0f) {
    const Model model = exact_stacks::StackModel(deviceWidth, deviceLength, layers, 10.0f);
    return exact::StackOf(model, exact_stacks::TableOf({{1.5f, 0.0f}, {0.1f, 0.0f}}));
}

}  // namespace

class TestExactGrid : public QObject {
    Q_OBJECT

private slots:
    // A disturbance beyond the last edge decays as the slowest through-thickness mode: for a
    // uniform slab held at the base cos(pi z / 2t), for one adiabatic on both faces
    // cos(pi z / t).
    void truncationFollowsSlowestSlabMode_data() {
        QTest::addColumn<Layers>("layers");
        QTest::addColumn<double>("decayLengthCm");
        const double held = 2.0 * 0.3 / M_PI;
        QTest::newRow("one layer on the base") << Layers{{3.0f}} << held;
        QTest::newRow("two layers of one material") << Layers{{1.0f}, {2.0f}} << held;
        QTest::newRow("layer above a limited one") << Layers{{0.5f}, {1.0f, 5, 5}} << 0.05 / M_PI;
        QTest::newRow("every layer limited") << Layers{{0.5f, 5, 5}, {1.0f, 8, 8}} << 0.0;
    }

    void truncationFollowsSlowestSlabMode() {
        QFETCH(Layers, layers);
        QFETCH(double, decayLengthCm);
        const double expected = std::log(1.0 / kTolerance) * decayLengthCm;
        for (const exact::Axis axis : {exact::Axis::Width, exact::Axis::Length}) {
            const double distance = exact::TruncationDistance(StackOf(layers), axis, kTolerance);
            QVERIFY2(std::fabs(distance - expected) <= 0.01 * expected,
                     qPrintable(QString::number(distance) + " vs " + QString::number(expected)));
        }
    }

    // Cells lie wholly inside or outside every layer and the heated area, and the grid twice
    // as coarse keeps every such face.
    void facesLieOnEveryEdge() {
        const Layers layers{{0.5f, 6, 4, 1}, {0.05f, 8, 4, 2}, {2.0f, 0, 0, 1}};
        const exact::Stack stack = StackOf(layers, 3.0f, 5.0f);
        const exact::Grid fine = exact::BuildGrid(stack, exact::ExactOptions{});
        for (const exact::Grid& grid : {fine, exact::HalvedGrid(fine)}) {
            // The 5 mm device overhangs the 4 mm layers: the heat enters over 2 x 2 mm.
            QCOMPARE(grid.SourceHalfWidth, 0.15);
            QCOMPARE(grid.SourceHalfLength, 0.2);
            for (const double x : {0.15, 0.3, 0.4}) QVERIFY(HasFace(grid.X, x));
            for (const double y : {0.2}) QVERIFY(HasFace(grid.Y, y));
            double depth = 0.0;
            for (const StackLayer& layer : layers) {
                depth += layer.Thickness / 10.0;
                QVERIFY(std::fabs(depth - grid.Z.back()) < 1e-12 || HasFace(grid.Z, depth));
            }
            // At least two cells through the thinnest layer, on the coarse grid too.
            QVERIFY(std::count(grid.LayerOfRow.begin(), grid.LayerOfRow.end(), 1) >= 2);
            QCOMPARE(grid.LayerHalfWidth[2], grid.X.back());
        }
        QVERIFY(std::is_sorted(fine.X.begin(), fine.X.end()));
        QCOMPARE(fine.Nx() % 2, 0);
        QCOMPARE(fine.Nz() % 2, 0);
    }

    void activeCellsFollowTheLayers() {
        const exact::Grid grid =
            exact::BuildGrid(StackOf({{0.5f, 6, 4, 1}, {2.0f, 0, 0, 1}}), exact::ExactOptions{});
        const auto firstRowOf = [&](int layer) {
            return static_cast<int>(
                std::find(grid.LayerOfRow.begin(), grid.LayerOfRow.end(), layer) -
                grid.LayerOfRow.begin());
        };
        const auto cell = [&](double x, double y, double z) {
            const auto position = exact::LocateCell(grid, x, y, z);
            return grid.IsActive(position->I, position->J, position->L);
        };
        QCOMPARE(firstRowOf(1) % 2, 0);
        QVERIFY(cell(0.29, 0.19, 0.01));
        QVERIFY(!cell(0.31, 0.0, 0.01));
        QVERIFY(!cell(-0.31, 0.0, 0.01));
        QVERIFY(cell(0.31, -0.5, 0.1));
        QVERIFY(!exact::LocateCell(grid, 0.0, 0.0, 0.3).has_value());
        QVERIFY(!exact::LocateCell(grid, grid.X.back() + 1.0, 0.0, 0.1).has_value());
    }

    void finenessScalesCellsAndLimitIsKept() {
        const exact_stacks::Case c = exact_stacks::ThreeLayerCase();
        const exact::Stack stack = exact::StackOf(c.Model, c.Table);
        exact::ExactOptions options;
        const exact::Grid usual = exact::BuildGrid(stack, options);
        options.Fineness = 2.0;
        const exact::Grid finer = exact::BuildGrid(stack, options);
        const auto smallest = [](const std::vector<double>& faces) {
            double size = faces.back();
            for (std::size_t f = 0; f + 1 < faces.size(); ++f) {
                size = std::min(size, faces[f + 1] - faces[f]);
            }
            return size;
        };
        // Within what rounding every segment to a multiple of four cells moves the sizes.
        QVERIFY(std::fabs(smallest(finer.X) / smallest(usual.X) - 0.5) < 0.1);
        QVERIFY(finer.CellCount() > 3 * usual.CellCount());
        options.MaxCells = usual.CellCount();
        QVERIFY(exact::BuildGrid(stack, options).CellCount() <= options.MaxCells);
    }
};

QTEST_APPLESS_MAIN(TestExactGrid)
#include "test_exact_grid.moc"
