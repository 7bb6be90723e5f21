#include <QtTest>

#include <cmath>
#include <functional>

#include "core/sweep.h"
#include "core/sweep_check.h"
#include "core/thermal_calc.h"
#include "support/float_compare.h"
#include "support/sweep_fixtures.h"

using namespace strativex;
using namespace strativex::testing;

namespace {

// How a user would make one point's model by hand in the window.
using HandEdit = void (*)(Model&, float);

SweepRequest Numeric(QuantityId quantity, int layer, double from, double to, int count,
                     SweepSpacing spacing = SweepSpacing::Linear) {
    return {quantity, layer, from, to, count, spacing, {}};
}

SweepRequest Materials(int layer, std::vector<std::int16_t> ids) {
    return {QuantityId::Material, layer, 0, 0, 0, SweepSpacing::Linear, std::move(ids)};
}

bool SameUserFields(const Layer& a, const Layer& b) {
    return a.MaterialId == b.MaterialId && a.ColorIndex == b.ColorIndex &&
           a.Thickness == b.Thickness && a.Width == b.Width && a.Length == b.Length &&
           a.SpreadAngle == b.SpreadAngle && a.Description == b.Description;
}

bool SameInputs(const Model& a, const Model& b) {
    for (std::size_t i = 0; i < a.Layers.size(); ++i) {
        if (!SameUserFields(a.Layers[i], b.Layers[i])) return false;
    }
    return a.LayerCount == b.LayerCount && a.PowerDissipation == b.PowerDissipation &&
           a.IsothermalTemp == b.IsothermalTemp && a.UnitSystem == b.UnitSystem;
}

// Every length of a millimetre model in inches.
Model InInches(Model model) {
    for (int i = 0; i <= model.LayerCount; ++i) {
        Layer& layer = model.Layers[i];
        layer.Thickness /= 25.4f;
        layer.Width /= 25.4f;
        layer.Length /= 25.4f;
    }
    model.UnitSystem = LengthUnit::Inches;
    return model;
}

// One layer, no spreading: the source rises P t / (K A) =: c / K above the base. K = 450 / T,
// taken at the top face, gives r = c (Tb + r) / 450, so r = q Tb / (1 - q) with q = c / 450.
double ExactRise(std::int16_t material, double power, double thicknessMm, double areaMm2,
                 double baseK) {
    const double c = power * (thicknessMm / 10.0) / (areaMm2 / 100.0);
    return material == kCopperId ? c / 3.9 : c / 450.0 * baseK / (1.0 - c / 450.0);
}

}  // namespace

Q_DECLARE_METATYPE(SweepRequest)
Q_DECLARE_METATYPE(HandEdit)
Q_DECLARE_METATYPE(Model)

class TestSweep : public QObject {
    Q_OBJECT

private slots:
    void pointsAreSingleCalculations_data() {
        QTest::addColumn<SweepRequest>("request");
        QTest::addColumn<HandEdit>("edit");
        using Q = QuantityId;
        const auto row = [](const char* name, const SweepRequest& request, HandEdit edit) {
            QTest::newRow(name) << request << edit;
        };
        row("power, logarithmic", Numeric(Q::Power, 0, 0.5, 900, 9, SweepSpacing::Logarithmic),
            [](Model& m, float v) { m.PowerDissipation = v; });
        row("isothermal, falling", Numeric(Q::IsothermalTemp, 0, 150, -50, 11),
            [](Model& m, float v) { m.IsothermalTemp = v; });
        row("device width", Numeric(Q::DeviceWidth, 0, 0.5, 20, 8),
            [](Model& m, float v) { m.Layers[0].Width = v; });
        row("device length", Numeric(Q::DeviceLength, 0, 1, 12, 6),
            [](Model& m, float v) { m.Layers[0].Length = v; });
        row("layer 1 thickness", Numeric(Q::Thickness, 1, 0.05, 1.5, 7),
            [](Model& m, float v) { m.Layers[1].Thickness = v; });
        row("layer 2 width through no limit", Numeric(Q::Width, 2, 0, 12, 5),
            [](Model& m, float v) { m.Layers[2].Width = v; });
        row("layer 2 length", Numeric(Q::Length, 2, 4, 30, 5),
            [](Model& m, float v) { m.Layers[2].Length = v; });
        row("layer 3 angle", Numeric(Q::SpreadAngle, 3, 0, 45, 10),
            [](Model& m, float v) { m.Layers[3].SpreadAngle = v; });
        row("layer 1 material", Materials(1, {kCopperId, kFallingId, kSolderId, kCopperId}),
            [](Model& m, float v) { m.Layers[1].MaterialId = static_cast<std::int16_t>(v); });
    }

    // Each point is bit for bit what the window would show after typing its value, and the
    // value typed is the only input that differs from the model's.
    void pointsAreSingleCalculations() {
        QFETCH(SweepRequest, request);
        QFETCH(HandEdit, edit);
        const MaterialTable table = SweepMaterials();
        Model model = DieOnCopper();
        RecalculateModel(model, table);
        const Model before = model;
        const auto sweep = RunSweep(model, table, request);
        QVERIFY(sweep);
        QVERIFY(SameInputs(model, before));
        const int layer = IsLayerQuantity(request.Quantity) ? request.Layer : 0;
        COMPARE_FLOAT(sweep->ModelValue, QuantityOf(request.Quantity).Read(model, layer));
        const std::vector<float> values = SweepValues(request);
        QCOMPARE(sweep->Points.size(), values.size());
        for (std::size_t p = 0; p < values.size(); ++p) {
            const SweepPoint& point = sweep->Points[p];
            Model single = before;
            edit(single, values[p]);
            Model applied = before;
            QuantityOf(request.Quantity).Write(applied, layer, values[p]);
            QVERIFY2(SameInputs(applied, single), qPrintable(QString::number(p)));
            RecalculateModel(single, table);
            COMPARE_FLOAT(point.Value, values[p]);
            QVERIFY(point.HasResult());
            QVERIFY(point.HeatSourceTempC == HeatSourceTempC(single));
            COMPARE_FLOAT(*point.TotalResistance, *TotalResistance(single));
            for (int i = 1; i <= single.LayerCount; ++i) {
                COMPARE_FLOAT(point.Layers[i - 1].TopTempK, single.Layers[i].TopTemp);
            }
        }
    }

    void values_data() {
        QTest::addColumn<SweepRequest>("request");
        QTest::addColumn<QList<double>>("expected");
        const auto row = [](const char* name, double from, double to, int count, bool log,
                            const QList<double>& expected) {
            QTest::newRow(name) << Numeric(QuantityId::Power, 0, from, to, count,
                                           log ? SweepSpacing::Logarithmic : SweepSpacing::Linear)
                                << expected;
        };
        row("linear", 1, 2, 5, false, {1, 1.25, 1.5, 1.75, 2});
        row("linear, falling", 10, -10, 3, false, {10, 0, -10});
        row("decades", 0.001, 1000, 7, true, {0.001, 0.01, 0.1, 1, 10, 100, 1000});
        row("octaves, falling", 8, 0.5, 5, true, {8, 4, 2, 1, 0.5});
        row("thirds of a decade", 1, 10, 4, true, {1, 2.15443469, 4.64158883, 10});
    }

    // Ends exactly as asked; inner points within a float's rounding of the exact spacing.
    void values() {
        QFETCH(SweepRequest, request);
        QFETCH(QList<double>, expected);
        const std::vector<float> values = SweepValues(request);
        QCOMPARE(values.size(), static_cast<std::size_t>(expected.size()));
        COMPARE_FLOAT(values.front(), static_cast<float>(expected.front()));
        COMPARE_FLOAT(values.back(), static_cast<float>(expected.back()));
        for (std::size_t i = 0; i < values.size(); ++i) {
            const double tolerance = 2e-7 * std::fabs(expected[i]) + 1e-12;
            QVERIFY2(std::fabs(values[i] - expected[i]) <= tolerance,
                     qPrintable(QString::number(values[i], 'g', 9)));
        }
    }

    void matchesExactSolution_data() {
        QTest::addColumn<std::int16_t>("material");
        QTest::addColumn<QuantityId>("quantity");
        QTest::addColumn<double>("tolerance");
        // Kelvin, or relative above 1 K. A constant conductivity is exact but for the rounding
        // of temperatures near 300 K to floats (2e-5 K); K(T) stops its iteration once a pass
        // changes the rise by less than 1e-4 K.
        QTest::newRow("copper, power") << kCopperId << QuantityId::Power << 1e-4;
        QTest::newRow("copper, thickness") << kCopperId << QuantityId::Thickness << 1e-4;
        QTest::newRow("falling, power") << kFallingId << QuantityId::Power << 1e-3;
        QTest::newRow("falling, thickness") << kFallingId << QuantityId::Thickness << 1e-3;
    }

    void matchesExactSolution() {
        QFETCH(std::int16_t, material);
        QFETCH(QuantityId, quantity);
        QFETCH(double, tolerance);
        Model model = DieOnCopper();
        model.Layers[1] = SweepLayer(material, 1.0f, 0.0f);
        model.LayerCount = 1;
        model.IsothermalTemp = 26.84f;
        const bool power = quantity == QuantityId::Power;
        const auto sweep =
            RunSweep(model, SweepMaterials(),
                     power ? Numeric(quantity, 0, 1, 200, 13, SweepSpacing::Logarithmic)
                           : Numeric(quantity, 1, 0.01, 10, 9));
        QVERIFY(sweep);
        const double base = static_cast<double>(model.IsothermalTemp) + 273.16;
        for (const SweepPoint& point : sweep->Points) {
            const double rise = ExactRise(material, power ? point.Value : 20.0,
                                          power ? 1.0 : point.Value, 20.0, base);
            const double actual = *point.HeatSourceTempC + 273.16 - base;
            QVERIFY2(
                std::fabs(actual - rise) <= tolerance * std::max(1.0, rise),
                qPrintable(QString("%1: %2 against %3").arg(point.Value).arg(actual).arg(rise)));
        }
    }

    void unitsFollowTheModel_data() {
        QTest::addColumn<SweepRequest>("millimetres");
        using Q = QuantityId;
        QTest::newRow("thickness") << Numeric(Q::Thickness, 2, 0.01, 0.5, 6);
        QTest::newRow("device width") << Numeric(Q::DeviceWidth, 0, 1, 25, 6);
        QTest::newRow("clipping width") << Numeric(Q::Width, 3, 6, 20, 6);
    }

    // The same stack in inches sweeps the same lengths divided by 25.4 to the same curve.
    void unitsFollowTheModel() {
        QFETCH(SweepRequest, millimetres);
        SweepRequest inches = millimetres;
        inches.From /= 25.4;
        inches.To /= 25.4;
        const MaterialTable table = SweepMaterials();
        const auto metric = RunSweep(DieOnCopper(), table, millimetres);
        const auto imperial = RunSweep(InInches(DieOnCopper()), table, inches);
        QVERIFY(metric && imperial);
        QCOMPARE(imperial->Unit, LengthUnit::Inches);
        for (std::size_t p = 0; p < metric->Points.size(); ++p) {
            const double mm = *metric->Points[p].HeatSourceTempC - 25.0;
            const double in = *imperial->Points[p].HeatSourceTempC - 25.0;
            QVERIFY2(std::fabs(mm - in) <= 2e-5 * mm, qPrintable(QString("%1 %2").arg(mm).arg(in)));
        }
    }

    // A sweep across a power where the iteration diverges keeps going, and every point past
    // it is a gap that names the layer and why.
    void gapsWhereTheCalculationFails() {
        const MaterialTable table = SweepMaterials();
        Model model = DieOnCopper();
        model.Layers[2] = SweepLayer(kDivergingId, 1.0f, 0.0f);
        const auto sweep = RunSweep(
            model, table, Numeric(QuantityId::Power, 0, 1, 1000, 10, SweepSpacing::Logarithmic));
        QVERIFY(sweep);
        int gaps = 0;
        for (const SweepPoint& point : sweep->Points) {
            Model single = model;
            single.PowerDissipation = point.Value;
            RecalculateModel(single, table);
            QCOMPARE(point.HasResult(), !FirstLayerWithoutResult(single).has_value());
            if (point.HasResult()) continue;
            ++gaps;
            QCOMPARE(point.FailedLayer, 2);
            QCOMPARE(point.Cause, ResultStatus::NoConvergence);
            QVERIFY(!point.HeatSourceTempC && !point.TotalResistance);
            QCOMPARE(point.Layers[0].Status, ResultStatus::DependsOnFailedLayer);
            QVERIFY(std::isnan(point.Layers[0].TopTempK));
            COMPARE_FLOAT(point.Layers[2].TopTempK, single.Layers[3].TopTemp);
        }
        QVERIFY(gaps > 0 && gaps < 10);
        QVERIFY(sweep->Points.front().HasResult());
        QVERIFY(!sweep->Points.back().HasResult());
    }

    void requestErrors_data() {
        QTest::addColumn<SweepRequest>("request");
        QTest::addColumn<Model>("model");
        QTest::addColumn<QString>("error");
        using Q = QuantityId;
        const Model mm = DieOnCopper();
        const Model in = InInches(DieOnCopper());
        Model empty = DieOnCopper();
        empty.LayerCount = 0;
        const auto log = SweepSpacing::Logarithmic;
        const auto row = [](const char* name, const SweepRequest& request, const Model& model,
                            const QString& error) {
            QTest::newRow(name) << request << model << error;
        };
        row("one point", Numeric(Q::Power, 0, 1, 2, 1), mm, "a sweep needs at least 2 points");
        row("too many points", Numeric(Q::Power, 0, 1, 2, kMaxSweepPoints + 1), mm,
            "a sweep takes at most 10000 points");
        row("from is to", Numeric(Q::Power, 0, 5, 5, 3), mm,
            "the sweep starts and ends at the same value, 5");
        row("same single value", Numeric(Q::Power, 0, 1, 1.00000001, 3), mm,
            "the sweep starts and ends at the same value, 1");
        row("logarithmic from 0", Numeric(Q::Thickness, 1, 0, 1, 3, log), mm,
            "a logarithmic sweep needs a start and an end above 0");
        row("logarithmic below 0", Numeric(Q::IsothermalTemp, 0, -10, 100, 3, log), mm,
            "a logarithmic sweep needs a start and an end above 0");
        row("one material", Materials(1, {kCopperId}), mm,
            "a material sweep needs at least 2 materials");
        row("logarithmic materials", {Q::Material, 1, 0, 0, 0, log, {kCopperId, kSolderId}}, mm,
            "a material sweep has no logarithmic steps");
        row("layer 0", Numeric(Q::Thickness, 0, 1, 2, 3), mm,
            "there is no layer 0: layers are numbered from 1");
        row("layer past the stack", Numeric(Q::SpreadAngle, 4, 1, 2, 3), mm,
            "layer 4 does not exist: the model has 3 layers");
        row("no layers", Numeric(Q::Power, 0, 1, 2, 3), empty,
            "the model has no layers to calculate");
        row("material not in the table", Materials(2, {kCopperId, 77}), mm,
            "material id 77 is not in the materials table");
        row("no material", Materials(2, {0, kCopperId}), mm,
            "material id 0 is not in the materials table");
        row("power 0", Numeric(Q::Power, 0, 0, 10, 3), mm,
            "power 0 W is outside the accepted 0.0001 to 1000 W");
        row("power 1000.1", Numeric(Q::Power, 0, 1, 1000.1, 3), mm,
            "power 1000.1 W is outside the accepted 0.0001 to 1000 W");
        row("power 0.0001 to 1000", Numeric(Q::Power, 0, 0.0001, 1000, 3, log), mm, "");
        row("isothermal -50.5", Numeric(Q::IsothermalTemp, 0, -50.5, 20, 3), mm,
            "isothermal temperature -50.5 deg C is outside the accepted -50 to 500 deg C");
        row("isothermal -50 to 500", Numeric(Q::IsothermalTemp, 0, -50, 500, 3), mm, "");
        row("thickness 25 mm", Numeric(Q::Thickness, 3, 1, 25, 3), mm, "");
        row("thickness 25.01 mm", Numeric(Q::Thickness, 3, 1, 25.01, 3), mm,
            "layer 3 thickness 25.01 mm is outside the accepted 2.5E-05 to 25 mm");
        row("thickness 1E-06 to 1 in.", Numeric(Q::Thickness, 3, 1e-6, 1, 4, log), in, "");
        row("thickness 2 in.", Numeric(Q::Thickness, 3, 0.1, 2, 3), in,
            "layer 3 thickness 2 in. is outside the accepted 1E-06 to 1 in.");
        row("layer width from no limit", Numeric(Q::Width, 2, 0, 10, 5), mm, "");
        row("layer width just above 0", Numeric(Q::Width, 2, 0, 0.04, 3), mm,
            "layer 2 width 0.02 mm is outside the accepted 0.025 to 250 mm (or 0 for no limit)");
        row("device width 0", Numeric(Q::DeviceWidth, 0, 0, 1, 3), in,
            "device width 0 in. is outside the accepted 0.001 to 10 in.");
        row("device length 11 in.", Numeric(Q::DeviceLength, 0, 1, 11, 3), in,
            "device length 11 in. is outside the accepted 0.001 to 10 in.");
        row("angle 0 to 45", Numeric(Q::SpreadAngle, 1, 0, 45, 46), mm, "");
        row("angle 46", Numeric(Q::SpreadAngle, 1, 0, 46, 3), mm,
            "layer 1 spreading angle 46 deg is outside the accepted 0 to 45 deg");
    }

    // Every refusal names what is wrong, and a refused request computes nothing.
    void requestErrors() {
        QFETCH(SweepRequest, request);
        QFETCH(Model, model);
        QFETCH(QString, error);
        const MaterialTable table = SweepMaterials();
        const auto message = SweepModelError(model, table, request);
        QCOMPARE(QString::fromStdString(message.value_or("")), error);
        QCOMPARE(RunSweep(model, table, request).has_value(), error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSweep)
#include "test_sweep.moc"
