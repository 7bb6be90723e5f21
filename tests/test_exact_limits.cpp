#include <QtTest>

#include <algorithm>
#include <cmath>

#include "exact/exact_check.h"
#include "exact/graded_axis.h"
#include "support/exact_stacks.h"

using namespace strativex;

namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;

}  // namespace

class TestExactLimits : public QObject {
    Q_OBJECT

private slots:
    // Cells follow a wanted size that spans many orders of magnitude with a count that grows
    // with its logarithm, not with the ratio of the lengths.
    void gradedAxisSpansOrdersOfMagnitude_data() {
        QTest::addColumn<double>("fineSize");
        QTest::addColumn<double>("length");
        QTest::newRow("1 um over 1 cm") << 1e-4 << 1.0;
        QTest::newRow("10 nm over 100 m") << 1e-6 << 1e4;
        QTest::newRow("0.1 nm over 100 m") << 1e-8 << 1e4;
    }

    void gradedAxisSpansOrdersOfMagnitude() {
        QFETCH(double, fineSize);
        QFETCH(double, length);
        const double growth = 0.3;
        const exact::AxisPlan plan{{0.0, length}, {fineSize, 0.0}, growth, 4};
        const std::vector<double> faces = exact::GradedFaces(plan);
        // Cells of size fine + growth x hold the integral of 1 / size over the axis.
        const double cells = std::log1p(growth * length / fineSize) / growth;
        QVERIFY(faces.size() - 1 <= std::size_t(1.1 * cells) + 4);
        QVERIFY((faces.size() - 1) % 4 == 0);
        QVERIFY(std::is_sorted(faces.begin(), faces.end()));
        QCOMPARE(faces.front(), 0.0);
        QCOMPARE(faces.back(), length);
        // The first cell is as fine as asked, within the sampling's share.
        QVERIFY(faces[1] <= 1.2 * fineSize);
    }

    // A check that would take more memory than it may use is not attempted, and says why.
    void memoryBoundRefusesTheCheck() {
        const exact_stacks::Case c = exact_stacks::TenLayerCase();
        exact::ExactOptions options;
        options.MaxMemoryBytes = static_cast<std::size_t>(kMegabyte);
        const exact::ExactResult result = exact::RunExactCheck(c.Model, c.Table, options);
        QCOMPARE(result.Status, exact::ExactStatus::NotAvailable);
        QVERIFY(result.Unavailable &&
                result.Unavailable->Reason == exact::UnavailableReason::GridTooLarge);
        const QString message = QString::fromStdString(result.Message);
        QVERIFY2(message.contains(" cells, about ") && message.contains("more than the 1 MB"),
                 qPrintable(message));
    }

    // A micrometre-sized source on a plate of a kilometre: an answer or a reason, quickly, never
    // an allocation that grows without end.
    void extremeProportionsEndWithAnAnswerOrAReason_data() {
        QTest::addColumn<float>("source");
        QTest::addColumn<float>("plate");
        QTest::newRow("1 nm source on a 1 km plate") << 1e-6f << 1e6f;
        QTest::newRow("1 um source on an unlimited plate") << 1e-3f << 0.0f;
    }

    void extremeProportionsEndWithAnAnswerOrAReason() {
        QFETCH(float, source);
        QFETCH(float, plate);
        const Model model = exact_stacks::StackModel(source, source, {{1.0f, plate, plate}}, 1.0f);
        // Fewer cells than a user's check takes keep the test quick; the bounds are the same.
        exact::ExactOptions options;
        options.MaxCells = 40000;
        const exact::ExactResult result =
            exact::RunExactCheck(model, exact_stacks::TableOf({{1.5f, 0.0f}}), options);
        qInfo("%s: %zu cells, %.2f s", result.Message.c_str(), result.Cells, result.Seconds);
        if (result.Status == exact::ExactStatus::Ok) {
            QVERIFY(result.AverageSourceTempC > 25.0);
            QVERIFY(result.PeakSourceTempC >= result.AverageSourceTempC);
        } else {
            QCOMPARE(result.Status, exact::ExactStatus::NotAvailable);
            QVERIFY(!result.Message.empty());
        }
    }
};

QTEST_GUILESS_MAIN(TestExactLimits)
#include "test_exact_limits.moc"
