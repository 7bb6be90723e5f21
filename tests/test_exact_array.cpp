#include <QtTest>

#include <algorithm>
#include <cmath>

#include "exact/exact_check.h"
#include "exact/source_array.h"
#include "support/exact_channel.h"
#include "support/exact_stacks.h"
#include "support/float_compare.h"
#include "support/flux_channel_series.h"

using namespace strativex;

namespace {

constexpr float kChannelMm = 10.0f;
constexpr float kPower = 4.0f;
constexpr double kCmPerMm = 0.1;
// Modes along each axis: averages over a source converge fast, the peak is a point value.
constexpr int kAverageTerms = 400;
constexpr int kPeakTerms = 1200;

Model ChannelModel(float device, const Layers& layers) {
    return exact_stacks::StackModel(device, device, ChannelSized(layers, kChannelMm, kChannelMm),
                                    kPower);
}

exact::ExactResult CheckedWith(const Model& model, const MaterialTable& table,
                               const exact::SourceArray& sources) {
    exact::ExactOptions options;
    options.Sources = sources;
    exact::ExactResult result = exact::RunExactCheck(model, table, options);
    if (result.Status != exact::ExactStatus::Ok) qWarning("%s", result.Message.c_str());
    return result;
}

// The array's sources as the series places them, in cm, each with its share of the power.
std::vector<flux_channel::PlacedSource> Placed(const exact::SourceArray& sources) {
    std::vector<flux_channel::PlacedSource> placed;
    const double power = kPower / sources.Count();
    for (const double x : exact::SourceCentres(sources.CountX, sources.PitchX)) {
        for (const double y : exact::SourceCentres(sources.CountY, sources.PitchY)) {
            placed.push_back({x * kCmPerMm, y * kCmPerMm, power});
        }
    }
    return placed;
}

}  // namespace

class TestExactArray : public QObject {
    Q_OBJECT

private slots:
    // Each source of the array against the sum of the single offset sources' series: every
    // source's average, the hottest one's peak, and the coupling against one centred source
    // at the same power per source.
    void arrayMatchesSuperposedSeries_data() {
        QTest::addColumn<Laws>("laws");
        QTest::addColumn<Layers>("layers");
        QTest::addColumn<float>("device");
        QTest::addColumn<int>("nx");
        QTest::addColumn<int>("ny");
        QTest::addColumn<double>("px");
        QTest::addColumn<double>("py");
        const Laws one{{1.5f, 0.0f}};
        const Layers plate{{1.0f}};
        const Laws two{{4.0f, 0.0f}, {0.05f, 0.0f}};
        const Layers spreader{{0.3f, 0, 0, 1}, {1.5f, 0, 0, 2}};
        QTest::newRow("2x1 on one layer") << one << plate << 1.5f << 2 << 1 << 3.0 << 0.0;
        QTest::newRow("2x1 on one layer, abutting") << one << plate << 2.0f << 2 << 1 << 2.0 << 0.0;
        QTest::newRow("2x2 on one layer") << one << plate << 1.5f << 2 << 2 << 2.5 << 4.0;
        QTest::newRow("3x1 on one layer") << one << plate << 1.5f << 3 << 1 << 2.5 << 0.0;
        QTest::newRow("2x1 on a spreader") << two << spreader << 1.5f << 2 << 1 << 3.0 << 0.0;
        QTest::newRow("2x2 on a spreader") << two << spreader << 1.5f << 2 << 2 << 4.0 << 2.5;
        QTest::newRow("1x3 on a spreader, abutting")
            << two << spreader << 2.0f << 1 << 3 << 0.0 << 2.0;
    }

    void arrayMatchesSuperposedSeries() {
        QFETCH(Laws, laws);
        QFETCH(Layers, layers);
        QFETCH(float, device);
        QFETCH(int, nx);
        QFETCH(int, ny);
        QFETCH(double, px);
        QFETCH(double, py);
        const Model model = ChannelModel(device, layers);
        const MaterialTable table = exact_stacks::TableOf(laws);
        const exact::SourceArray sources{nx, ny, px, py};
        const exact::ExactResult result = CheckedWith(model, table, sources);
        QCOMPARE(result.Status, exact::ExactStatus::Ok);
        QCOMPARE(result.SourceTemps.size(), std::size_t(nx * ny));

        const flux_channel::Channel channel = ChannelOf(model, table);
        const flux_channel::OffsetSeries averages(channel, Placed(sources), kAverageTerms);
        double hottest = 0.0;
        for (const exact::SourceTemperature& source : result.SourceTemps) {
            const double series = averages.AverageOver(source.X * kCmPerMm, source.Y * kCmPerMm);
            const double rise = source.AverageC - model.IsothermalTemp;
            qInfo("source at (%g, %g): average %.5f K (series %.5f)", source.X, source.Y, rise,
                  series);
            VERIFY_NEAR(rise, series, 0.01 * series);
            hottest = std::max(hottest, series);
        }
        const exact::SourceTemperature& hot = result.SourceTemps[result.HottestSource];
        VERIFY_NEAR(result.AverageSourceTempC - model.IsothermalTemp, hottest, 0.01 * hottest);

        const flux_channel::OffsetSeries points(channel, Placed(sources), kPeakTerms);
        const double peak = points.PeakOver(hot.X * kCmPerMm, hot.Y * kCmPerMm);
        qInfo("hottest peak %.5f K (series %.5f)", result.PeakSourceTempC - model.IsothermalTemp,
              peak);
        VERIFY_NEAR(result.PeakSourceTempC - model.IsothermalTemp, peak, 0.01 * peak);

        const flux_channel::OffsetSeries lone(channel, {{0.0, 0.0, kPower / (nx * ny)}},
                                              kAverageTerms);
        const double coupling = hottest / lone.AverageOver(0.0, 0.0);
        QVERIFY(result.Coupling && result.LoneSourceTempC);
        qInfo("coupling %.5f (series %.5f)", *result.Coupling, coupling);
        VERIFY_NEAR(*result.Coupling, coupling, 0.01 * coupling);
        // The estimate knows one source: beside an array it compares nothing.
        QVERIFY(!result.EstimateErrorPercent && !result.EquivalentAngleDeg);
    }

    // A single source is today's check, whatever pitch comes with it.
    void singleSourceIsTheOneDevice() {
        const Model model = ChannelModel(2.0f, {{1.0f}});
        const MaterialTable table = exact_stacks::TableOf({{1.5f, 0.0f}});
        const exact::ExactResult plain = CheckedWith(model, table, {});
        const exact::ExactResult pitched = CheckedWith(model, table, {1, 1, std::nan(""), -3.0});
        QCOMPARE(pitched.Status, exact::ExactStatus::Ok);
        QCOMPARE(pitched.AverageSourceTempC, plain.AverageSourceTempC);
        QCOMPARE(pitched.PeakSourceTempC, plain.PeakSourceTempC);
        QVERIFY(pitched.SourceTemps.empty() && !pitched.Coupling);
        QVERIFY(pitched.EstimateErrorPercent);
    }

    // Nothing is computed from a guess: the message names the value that is wrong.
    void unusableArrayIsRefused_data() {
        QTest::addColumn<int>("nx");
        QTest::addColumn<int>("ny");
        QTest::addColumn<double>("px");
        QTest::addColumn<double>("py");
        QTest::addColumn<float>("layerWidth");
        QTest::addColumn<QString>("message");
        QTest::newRow("no sources") << 0 << 2 << 3.0 << 3.0 << 10.0f
                                    << "at least one source along the width and the length "
                                       "(given: 0 x 2)";
        QTest::newRow("negative count") << 2 << -1 << 3.0 << 3.0 << 10.0f << "(given: 2 x -1)";
        QTest::newRow("too many") << 40 << 1 << 3.0 << 3.0 << 0.0f << "(given: 40 x 1)";
        QTest::newRow("overlap along the width")
            << 2 << 1 << 1.5 << 0.0 << 10.0f
            << "pitch along the width, 1.5 mm, is smaller than the device width, 2 mm";
        QTest::newRow("overlap along the length")
            << 1 << 3 << 0.0 << 1.0 << 10.0f
            << "pitch along the length, 1 mm, is smaller than the device length, 2 mm";
        QTest::newRow("no pitch") << 2 << 2 << 0.0 << 3.0 << 10.0f
                                  << "pitch along the width must be a positive length (given: 0)";
        QTest::newRow("pitch not a number")
            << 2 << 2 << std::nan("") << 3.0 << 10.0f << "(given: not a number)";
        QTest::newRow("wider than layer 1")
            << 4 << 1 << 3.0 << 0.0 << 10.0f
            << "The array is 11 mm along the width, wider than layer 1 (10 mm)";
    }

    void unusableArrayIsRefused() {
        QFETCH(int, nx);
        QFETCH(int, ny);
        QFETCH(double, px);
        QFETCH(double, py);
        QFETCH(float, layerWidth);
        QFETCH(QString, message);
        Model model = ChannelModel(2.0f, {{1.0f}});
        model.Layers[1].Width = layerWidth;
        const exact::ExactResult result =
            CheckedWith(model, exact_stacks::TableOf({{1.5f, 0.0f}}), {nx, ny, px, py});
        QCOMPARE(result.Status, exact::ExactStatus::NotAvailable);
        QVERIFY(result.Unavailable);
        QCOMPARE(result.Unavailable->Reason, exact::UnavailableReason::InvalidSourceArray);
        QVERIFY2(QString::fromStdString(result.Message).contains(message), result.Message.c_str());
    }

    // An array as wide as an unlimited layer 1 allows is checked, however far it reaches.
    void arrayOnUnlimitedLayerIsChecked() {
        const Model model = exact_stacks::StackModel(2.0f, 2.0f, {{3.0f, 0, 0}}, kPower);
        const exact::ExactResult result =
            CheckedWith(model, exact_stacks::TableOf({{1.5f, 0.0f}}), {4, 1, 3.0, 0.0});
        QCOMPARE(result.Status, exact::ExactStatus::Ok);
        QCOMPARE(result.SourceTemps.size(), std::size_t(4));
        // The inner two share heat with neighbours on both sides.
        QVERIFY(result.SourceTemps[1].AverageC > result.SourceTemps[0].AverageC);
        VERIFY_NEAR(result.SourceTemps[0].AverageC, result.SourceTemps[3].AverageC, 1e-9);
        QVERIFY(result.Coupling && *result.Coupling > 1.0);
    }
};

QTEST_GUILESS_MAIN(TestExactArray)
#include "test_exact_array.moc"
