#include <QtTest>

#include <cmath>

#include "exact/exact_check.h"
#include "support/exact_channel.h"
#include "support/exact_stacks.h"
#include "support/flux_channel_series.h"

using namespace strativex;

namespace {

constexpr float kChannelMm = 10.0f;
// The series' own error at the centroid, where it converges slowest, K per K of rise.
constexpr double kSeriesShare = 2e-4;

}  // namespace

class TestExactErrorBar : public QObject {
    Q_OBJECT

private slots:
    // The stacks where a grid sized by the source alone is too coarse: the printed error must
    // still cover the difference to the series.
    void errorBarCoversTheSeries_data() {
        QTest::addColumn<float>("source");
        QTest::addColumn<Laws>("laws");
        QTest::addColumn<Layers>("layers");
        QTest::newRow("thin plate under a large source")
            << 5.0f << Laws{{1.5f, 0.0f}, {0.2f, 0.0f}} << Layers{{0.1f, 0, 0, 1}, {1.0f, 0, 0, 2}};
        QTest::newRow("thin copper on an insulator") << 5.0f << Laws{{4.0f, 0.0f}, {0.01f, 0.0f}}
                                                     << Layers{{0.05f, 0, 0, 1}, {3.0f, 0, 0, 2}};
        QTest::newRow("thin insulating film on copper")
            << 2.0f << Laws{{0.01f, 0.0f}, {4.0f, 0.0f}}
            << Layers{{0.02f, 0, 0, 1}, {1.0f, 0, 0, 2}};
        QTest::newRow("three thin layers of high contrast")
            << 3.0f << Laws{{1.5f, 0.0f}, {0.02f, 0.0f}, {4.0f, 0.0f}}
            << Layers{{0.05f, 0, 0, 1}, {0.02f, 0, 0, 2}, {2.0f, 0, 0, 3}};
        QTest::newRow("tiny source on a thick die")
            << 0.1f << Laws{{1.5f, 0.0f}} << Layers{{1.0f, 0, 0, 1}};
        QTest::newRow("tiny source on a thin spreader") << 0.2f << Laws{{4.0f, 0.0f}, {0.05f, 0.0f}}
                                                        << Layers{{0.1f, 0, 0, 1}, {2.0f, 0, 0, 2}};
    }

    void errorBarCoversTheSeries() {
        QFETCH(float, source);
        QFETCH(Laws, laws);
        QFETCH(Layers, layers);
        const Model model = exact_stacks::StackModel(
            source, source, ChannelSized(layers, kChannelMm, kChannelMm), 10.0f);
        const MaterialTable table = exact_stacks::TableOf(laws);
        const exact::ExactResult result = exact::RunExactCheck(model, table);
        const flux_channel::Channel channel = ChannelOf(model, table);
        QCOMPARE(result.Status, exact::ExactStatus::Ok);
        const double average = flux_channel::AverageRise(channel, 800);
        const double centroid = flux_channel::CentroidRise(channel, 1600);
        const double averageError = std::fabs(result.AverageSourceTempC - 25.0 - average);
        const double peakError = std::fabs(result.PeakSourceTempC - 25.0 - centroid);
        qInfo(
            "average: error %.3g %%, printed +- %.3g %% (order %.2f%s); peak: error %.3g K, "
            "printed +- %.3g K; %zu cells",
            100.0 * averageError / average, result.AverageErrorPercent,
            result.ObservedOrder.value_or(std::nan("")),
            result.ErrorBoundConservative ? ", conservative" : "", peakError, result.PeakErrorK,
            result.Cells);
        QVERIFY(averageError <= result.AverageErrorK + kSeriesShare * average);
        QVERIFY(peakError <= result.PeakErrorK + kSeriesShare * centroid);
    }
};

QTEST_GUILESS_MAIN(TestExactErrorBar)
#include "test_exact_error_bar.moc"
