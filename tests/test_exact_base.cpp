#include <QtTest>

#include <cmath>

#include "exact/exact_check.h"
#include "exact/stack.h"
#include "support/exact_channel.h"
#include "support/exact_stacks.h"
#include "support/float_compare.h"
#include "support/flux_channel_series.h"

using namespace strativex;

namespace {

constexpr double kSquareCmPerSquareMetre = 1e4;
constexpr float kChannelMm = 10.0f;
constexpr float kSourceMm = 2.0f;
constexpr float kPower = 2.0f;

Model ChannelModel(const Layers& layers) {
    return exact_stacks::StackModel(kSourceMm, kSourceMm,
                                    ChannelSized(layers, kChannelMm, kChannelMm), kPower);
}

exact::ExactResult CheckedWith(const Model& model, const MaterialTable& table,
                               exact::BaseCondition base) {
    exact::ExactOptions options;
    options.Base = base;
    exact::ExactResult result = exact::RunExactCheck(model, table, options);
    if (result.Status != exact::ExactStatus::Ok) qWarning("%s", result.Message.c_str());
    return result;
}

}  // namespace

class TestExactBase : public QObject {
    Q_OBJECT

private slots:
    // The series with the base impedance 1 / h is exact for a base cooled by h; as h grows
    // the answer approaches the isothermal one.
    void heatTransferMatchesSeries_data() {
        QTest::addColumn<Laws>("laws");
        QTest::addColumn<Layers>("layers");
        QTest::addColumn<double>("h");  // W/m2-K
        const Laws one{{1.5f, 0.0f}};
        const Layers plate{{1.0f}};
        const Laws two{{4.0f, 0.0f}, {0.05f, 0.0f}};
        const Layers spreader{{0.2f, 0, 0, 1}, {2.0f, 0, 0, 2}};
        for (const double h : {100.0, 3000.0, 1e5, 1e6, 1e8}) {
            QTest::addRow("one layer, h %g", h) << one << plate << h;
            QTest::addRow("spreader on insulator, h %g", h) << two << spreader << h;
        }
    }

    void heatTransferMatchesSeries() {
        QFETCH(Laws, laws);
        QFETCH(Layers, layers);
        QFETCH(double, h);
        const Model model = ChannelModel(layers);
        const MaterialTable table = exact_stacks::TableOf(laws);
        const exact::ExactResult result =
            CheckedWith(model, table, {exact::BaseKind::HeatTransfer, h});
        QCOMPARE(result.Status, exact::ExactStatus::Ok);
        const flux_channel::Channel channel = ChannelOf(model, table, kSquareCmPerSquareMetre / h);
        const double average = flux_channel::AverageRise(channel);
        const double centroid = flux_channel::CentroidRise(channel);
        const double averageRise = result.AverageSourceTempC - model.IsothermalTemp;
        const double peakRise = result.PeakSourceTempC - model.IsothermalTemp;
        qInfo("average %.5f K (series %.5f), peak %.5f K (series %.5f)", averageRise, average,
              peakRise, centroid);
        VERIFY_NEAR(averageRise, average, 0.01 * average);
        VERIFY_NEAR(peakRise, centroid, 0.01 * centroid);
        // Far beyond any real cooler the sink's impedance vanishes beside the layers'.
        if (h >= 1e8) {
            const double isothermal = flux_channel::AverageRise(ChannelOf(model, table, 0.0));
            VERIFY_NEAR(averageRise, isothermal, 0.01 * isothermal);
        }
    }

    // A sink resistance R is h = 1 / (R A) over the bottom layer's area, and the estimate
    // beside it carries R in series.
    void sinkResistanceIsSpreadOverTheBottom() {
        const Model model = ChannelModel({{0.2f, 0, 0, 1}, {2.0f, 0, 0, 2}});
        const MaterialTable table = exact_stacks::TableOf({{4.0f, 0.0f}, {0.05f, 0.0f}});
        const double resistance = 2.5;  // K/W
        const double areaCm2 = (kChannelMm / 10.0) * (kChannelMm / 10.0);
        const exact::ExactResult result =
            CheckedWith(model, table, {exact::BaseKind::SinkResistance, resistance});
        QCOMPARE(result.Status, exact::ExactStatus::Ok);
        const double average =
            flux_channel::AverageRise(ChannelOf(model, table, resistance * areaCm2));
        VERIFY_NEAR(result.AverageSourceTempC - model.IsothermalTemp, average, 0.01 * average);
        QVERIFY(result.SinkResistance && result.SinkHeatTransfer);
        VERIFY_NEAR(*result.SinkResistance, resistance, 1e-12);
        VERIFY_NEAR(*result.SinkHeatTransfer, kSquareCmPerSquareMetre / (resistance * areaCm2),
                    1e-9);
        QVERIFY(result.EstimateSourceTempC && result.EstimateWithSinkTempC);
        VERIFY_NEAR(*result.EstimateWithSinkTempC,
                    *result.EstimateSourceTempC + kPower * resistance, 1e-9);
        const double exactRise = result.AverageSourceTempC - model.IsothermalTemp;
        VERIFY_NEAR(*result.EstimateErrorPercent,
                    100.0 * (*result.EstimateWithSinkTempC - result.AverageSourceTempC) / exactRise,
                    1e-9);
    }

    // Nothing is computed from a guess: a sink needs the bottom layer's area and a positive
    // value, and the message names what is wrong.
    void unusableBaseIsRefused_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("unlimitedBottom");
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("message");
        using R = exact::UnavailableReason;
        const int h = int(exact::BaseKind::HeatTransfer);
        const int r = int(exact::BaseKind::SinkResistance);
        QTest::newRow("unlimited bottom under h")
            << h << 1000.0 << true << int(R::UnlimitedBottomWithSink) << "Layer 2 has no lateral";
        QTest::newRow("unlimited bottom under a sink")
            << r << 1.0 << true << int(R::UnlimitedBottomWithSink) << "Layer 2 has no lateral";
        QTest::newRow("h zero") << h << 0.0 << false << int(R::InvalidBaseCondition)
                                << "coefficient of the base must be a positive number of W/m2-K "
                                   "(given: 0)";
        QTest::newRow("h negative")
            << h << -250.0 << false << int(R::InvalidBaseCondition) << "(given: -250)";
        QTest::newRow("h not a number") << h << std::nan("") << false
                                        << int(R::InvalidBaseCondition) << "(given: not a number)";
        QTest::newRow("sink resistance negative")
            << r << -0.5 << false << int(R::InvalidBaseCondition)
            << "resistance must be a positive number of K/W (given: -0.5)";
    }

    void unusableBaseIsRefused() {
        QFETCH(int, kind);
        QFETCH(double, value);
        QFETCH(bool, unlimitedBottom);
        QFETCH(int, reason);
        QFETCH(QString, message);
        Model model = ChannelModel({{0.5f}, {1.0f}});
        if (unlimitedBottom) model.Layers[2].Width = 0.0f;
        const exact::ExactResult result = CheckedWith(model, exact_stacks::TableOf({{1.5f, 0.0f}}),
                                                      {static_cast<exact::BaseKind>(kind), value});
        QCOMPARE(result.Status, exact::ExactStatus::NotAvailable);
        QVERIFY(result.Unavailable);
        QCOMPARE(int(result.Unavailable->Reason), reason);
        QVERIFY2(QString::fromStdString(result.Message).contains(message), result.Message.c_str());
    }

    // An unlimited bottom stays fine for the isothermal base, with no sink to report.
    void isothermalBaseHasNoSink() {
        const Model model = exact_stacks::StackModel(2.0f, 2.0f, {{0.5f, 0, 0}}, kPower);
        const exact::ExactResult result =
            CheckedWith(model, exact_stacks::TableOf({{1.5f, 0.0f}}), {});
        QCOMPARE(result.Status, exact::ExactStatus::Ok);
        QVERIFY(!result.SinkResistance && !result.EstimateWithSinkTempC);
    }
};

QTEST_GUILESS_MAIN(TestExactBase)
#include "test_exact_base.moc"
