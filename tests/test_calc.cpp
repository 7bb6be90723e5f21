#include <QtTest>

#include <cmath>

#include "core/thermal_calc.h"
#include "support/float_compare.h"

using namespace strativex;

namespace {

constexpr std::int16_t kConstantId = 1;
constexpr std::int16_t kFallingId = 2;  // K = 450 / T: 1.5 W/cm-K at 300 K

MaterialTable TestTable() {
    MaterialTable table;
    table.Materials[0] = NoneSelectedMaterial();
    table.Materials[1] = {"Constant", kConstantId, 1.5f, 0.0f};
    table.Materials[2] = {"Falling", kFallingId, 450.0f, -1.0f};
    table.FirstCustomIndex = 3;
    return table;
}

// A 10 mm x 10 mm device, 1 W, on one 1 mm layer of the given material.
Model OneLayerModel(std::int16_t materialId, float angle = 0.0f) {
    Model model;
    ResetToNewModel(model, ModelDefaults{});
    model.UnitSystem = LengthUnit::Millimeters;
    model.Layers[0].Width = 10.0f;
    model.Layers[0].Length = 10.0f;
    model.LayerCount = 1;
    model.Layers[1].MaterialId = materialId;
    model.Layers[1].Thickness = 1.0f;
    model.Layers[1].SpreadAngle = angle;
    return model;
}

}  // namespace

Q_DECLARE_METATYPE(InputField)

class TestCalc : public QObject {
    Q_OBJECT

private slots:
    void constantConductivity() {
        Model model = OneLayerModel(kConstantId);
        RecalculateModel(model, TestTable());
        COMPARE_FLOAT(model.Layers[0].Area, 100.0f);
        COMPARE_FLOAT(model.Layers[1].Area, 100.0f);
        COMPARE_FLOAT(model.Layers[1].Resistance, 0.0666666701f);
        // 25 C is a base of 298.16 K, not 298.15.
        COMPARE_FLOAT(model.Layers[1].TopTemp, 298.226685f);
        // A constant conductivity settles in the first pass, seen to settle in the second.
        QCOMPARE(model.Layers[1].Passes, 2);
        QCOMPARE(model.Layers[1].Status, ResultStatus::Ok);
    }

    void temperatureDependentIteration() {
        Model model = OneLayerModel(kFallingId);
        model.IsothermalTemp = 26.84f;
        model.PowerDissipation = 100.0f;
        RecalculateModel(model, TestTable());
        const Layer& layer = model.Layers[1];
        // Rises of 6.6667, 6.8148, 6.8181, 6.81818: the fourth change is below 0.0001.
        QCOMPARE(layer.Passes, 4);
        QVERIFY(std::fabs(layer.Resistance - 0.0681818) < 5e-8);
        QVERIFY(std::fabs(layer.TopTemp - 306.818) < 5e-4);
        QVERIFY(std::fabs(layer.TopTemp - 300.0f - 6.81818) < 5e-5);
    }

    void spreadingAndClipping_data() {
        QTest::addColumn<float>("angle");
        QTest::addColumn<float>("layerWidth");
        QTest::addColumn<float>("layerLength");
        QTest::addColumn<float>("area1");
        QTest::addColumn<float>("area2");
        QTest::newRow("45 degrees, no limit") << 45.0f << 0.0f << 0.0f << 144.0f << 196.0f;
        QTest::newRow("width clipped to 11") << 45.0f << 11.0f << 0.0f << 132.0f << 182.0f;
        QTest::newRow("length clipped to 11") << 45.0f << 0.0f << 11.0f << 132.0f << 182.0f;
        QTest::newRow("negative width is no limit") << 45.0f << -3.0f << 0.0f << 144.0f << 196.0f;
        QTest::newRow("limit wider than footprint") << 45.0f << 50.0f << 50.0f << 144.0f << 196.0f;
        QTest::newRow("zero angle") << 0.0f << 0.0f << 0.0f << 100.0f << 144.0f;
    }

    void spreadingAndClipping() {
        QFETCH(float, angle);
        QFETCH(float, layerWidth);
        QFETCH(float, layerLength);
        QFETCH(float, area1);
        QFETCH(float, area2);
        Model model = OneLayerModel(kConstantId, angle);
        model.Layers[1].Width = layerWidth;
        model.Layers[1].Length = layerLength;
        // A second, unlimited 1 mm layer at 45 degrees carries the clipped footprint on.
        model.LayerCount = 2;
        model.Layers[2] = model.Layers[1];
        model.Layers[2].Width = 0.0f;
        model.Layers[2].Length = 0.0f;
        model.Layers[2].SpreadAngle = 45.0f;
        RecalculateModel(model, TestTable());
        COMPARE_FLOAT(model.Layers[1].Area, area1);
        COMPARE_FLOAT(model.Layers[2].Area, area2);
    }

    void meanAreaOfSpreadingLayer() {
        // Mean of 100 and 144 mm2 is 1.22 cm2: R = 0.1 / 1.5 / 1.22.
        Model model = OneLayerModel(kConstantId, 45.0f);
        RecalculateModel(model, TestTable());
        COMPARE_FLOAT(model.Layers[1].Resistance, static_cast<float>(0.1 / 1.5 / 1.22));
    }

    void inchesMatchMillimetres() {
        Model metric = OneLayerModel(kFallingId, 30.0f);
        metric.PowerDissipation = 50.0f;
        Model english = metric;
        english.UnitSystem = LengthUnit::Inches;
        for (int i = 0; i <= 1; ++i) {
            english.Layers[i].Width /= 25.4f;
            english.Layers[i].Length /= 25.4f;
            english.Layers[i].Thickness /= 25.4f;
        }
        const MaterialTable table = TestTable();
        RecalculateModel(metric, table);
        RecalculateModel(english, table);
        QVERIFY(std::fabs(english.Layers[1].Resistance / metric.Layers[1].Resistance - 1) < 1e-6);
        QVERIFY(std::fabs(english.Layers[1].TopTemp - metric.Layers[1].TopTemp) < 1e-4);
    }

    void layerWithoutMaterial_data() {
        QTest::addColumn<std::int16_t>("materialId");
        QTest::newRow("just added") << std::int16_t{0};
        QTest::newRow("fresh record") << std::int16_t{-1};
    }

    void layerWithoutMaterial() {
        QFETCH(std::int16_t, materialId);
        Model model = OneLayerModel(materialId);
        RecalculateModel(model, TestTable());
        const Layer& layer = model.Layers[1];
        QCOMPARE(layer.Status, ResultStatus::Ok);
        QCOMPARE(layer.Passes, 1);
        COMPARE_FLOAT(LayerConductivity(model, TestTable(), 1, 300.0f), 8999999815811072.0f);
        QVERIFY(layer.Resistance > 0 && layer.Resistance < 1e-16);
        COMPARE_FLOAT(layer.TopTemp, 298.16f);
    }

    void noLayersComputesNothing() {
        Model model;
        ResetToNewModel(model, ModelDefaults{});
        model.Layers[0].Area = -1.0f;
        RecalculateModel(model, TestTable());
        COMPARE_FLOAT(model.Layers[0].Area, -1.0f);
    }

    void stackIsWalkedBottomUp() {
        // The top layer's temperature includes the rise of the layer beneath it.
        Model model = OneLayerModel(kConstantId);
        model.LayerCount = 2;
        model.Layers[2] = model.Layers[1];
        RecalculateModel(model, TestTable());
        COMPARE_FLOAT(model.Layers[2].TopTemp, 298.226685f);
        QVERIFY(model.Layers[1].TopTemp > model.Layers[2].TopTemp);
        QCOMPARE(*TotalResistance(model), model.Layers[1].Resistance + model.Layers[2].Resistance);
        QVERIFY(std::fabs(*HeatSourceTempC(model) - (25 + 2 * 0.0666667)) < 1e-4);
    }

    // A layer without a converged result: it and every layer above it carry no number, the
    // layers below keep theirs, the inputs stay as they were, and it all ends in bounded time.
    void layersWithoutResult_data() {
        QTest::addColumn<float>("a");
        QTest::addColumn<float>("b");
        QTest::addColumn<float>("power");
        QTest::addColumn<std::int16_t>("materialId");
        QTest::addColumn<ResultStatus>("status");
        QTest::addColumn<int>("passes");
        const auto row = [](const char* name, float a, float b, float power, std::int16_t id,
                            ResultStatus status, int passes) {
            QTest::newRow(name) << a << b << power << id << status << passes;
        };
        const auto invalid = ResultStatus::InvalidInput;
        row("material deleted from the table", 1, 0, 1, 77, ResultStatus::MissingMaterial, 0);
        row("zero conductivity", 0, 0, 1, 5, invalid, 0);
        row("negative conductivity", -2, 0, 1, 5, invalid, 0);
        row("conductivity beyond a float", 3e38f, 1, 1, 5, invalid, 0);
        row("diverging to overflow, strongly negative B", 1e6f, -3, 1000, 5,
            ResultStatus::NoConvergence, 4);
        row("oscillating, strongly positive B", 1e-13f, 5, 1000, 5, ResultStatus::NoConvergence,
            kMaxIterationPasses);
    }

    void layersWithoutResult() {
        QFETCH(float, a);
        QFETCH(float, b);
        QFETCH(float, power);
        QFETCH(std::int16_t, materialId);
        QFETCH(ResultStatus, status);
        QFETCH(int, passes);
        MaterialTable table = TestTable();
        table.Materials[3] = {"Odd", 5, a, b};
        table.FirstCustomIndex = 4;
        Model model = OneLayerModel(kConstantId);
        model.PowerDissipation = power;
        model.LayerCount = 3;
        model.Layers[2] = model.Layers[1];
        model.Layers[2].MaterialId = materialId;
        model.Layers[3] = model.Layers[1];
        model.Layers[3].MaterialId = 0;
        const Model inputs = model;

        RecalculateModel(model, table);

        QCOMPARE(model.Layers[3].Status, ResultStatus::Ok);
        QVERIFY(std::isfinite(model.Layers[3].TopTemp));
        QCOMPARE(model.Layers[2].Status, status);
        QCOMPARE(model.Layers[1].Status, ResultStatus::DependsOnFailedLayer);
        for (int i = 1; i <= 2; ++i) {
            QVERIFY(std::isnan(model.Layers[i].Resistance));
            QVERIFY(std::isnan(model.Layers[i].TopTemp));
        }
        QCOMPARE(FirstLayerWithoutResult(model), std::optional<int>(1));
        QVERIFY(!TotalResistance(model));
        QVERIFY(!HeatSourceTempC(model));
        QCOMPARE(model.Layers[2].Passes, passes);
        for (int i = 0; i <= 3; ++i) {
            QCOMPARE(model.Layers[i].MaterialId, inputs.Layers[i].MaterialId);
            COMPARE_FLOAT(model.Layers[i].Thickness, inputs.Layers[i].Thickness);
        }
        COMPARE_FLOAT(model.PowerDissipation, inputs.PowerDissipation);
    }

    // The cap is the last pass allowed: a layer settling on exactly that pass has its result.
    void iterationCap_data() {
        QTest::addColumn<int>("cap");
        QTest::addColumn<ResultStatus>("status");
        QTest::newRow("settles on the last pass") << 4 << ResultStatus::Ok;
        QTest::newRow("would settle one pass later") << 3 << ResultStatus::NoConvergence;
    }

    void iterationCap() {
        QFETCH(int, cap);
        QFETCH(ResultStatus, status);
        Model model = OneLayerModel(kFallingId);
        model.IsothermalTemp = 26.84f;
        model.PowerDissipation = 100.0f;
        RecalculateModel(model, TestTable(), cap);
        QCOMPARE(model.Layers[1].Status, status);
        QCOMPARE(model.Layers[1].Passes, cap);
    }

    // Id 1 is the first id a material can have, not "no material".
    void unknownIdOneIsMissing() {
        MaterialTable table = TestTable();
        table.Materials[1].Id = 9;
        Model model = OneLayerModel(1);
        RecalculateModel(model, table);
        QCOMPARE(model.Layers[1].Status, ResultStatus::MissingMaterial);
    }

    // Inputs no package can have are named, never computed; "n/a" marks what builds on them.
    void impossibleInputs_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<float>("value");
        QTest::addColumn<QList<ResultStatus>>("statuses");
        QTest::addColumn<int>("layer");
        QTest::addColumn<InputField>("field");
        const auto invalid = ResultStatus::InvalidInput;
        const auto na = ResultStatus::DependsOnFailedLayer;
        const QList<ResultStatus> all{invalid, invalid, invalid};
        const QList<ResultStatus> second{na, invalid, na};
        const auto row = [](const char* name, const char* input, float value,
                            const QList<ResultStatus>& statuses, int layer, InputField field) {
            QTest::newRow(name) << QString(input) << value << statuses << layer << field;
        };
        row("negative power", "power", -1, all, 0, InputField::Power);
        row("base below absolute zero", "isothermal", -300, all, 0, InputField::IsothermalTemp);
        row("device width 0", "device width", 0, all, 0, InputField::DeviceSize);
        row("negative device width", "device width", -10, all, 0, InputField::DeviceSize);
        row("negative thickness", "thickness", -1, second, 2, InputField::Thickness);
        row("negative angle", "angle", -10, second, 2, InputField::SpreadAngle);
        row("angle of 90 degrees", "angle", 90, second, 2, InputField::SpreadAngle);
        row("footprint too small for a float", "device width", 1e-30f, {na, na, invalid}, 3,
            InputField::Footprint);
    }

    void impossibleInputs() {
        QFETCH(QString, input);
        QFETCH(float, value);
        QFETCH(QList<ResultStatus>, statuses);
        QFETCH(int, layer);
        QFETCH(InputField, field);
        Model model = OneLayerModel(kConstantId);
        model.LayerCount = 3;
        model.Layers[2] = model.Layers[3] = model.Layers[1];
        if (input == "power") model.PowerDissipation = value;
        if (input == "isothermal") model.IsothermalTemp = value;
        if (input == "device width") model.Layers[0].Width = model.Layers[0].Length = value;
        if (input == "thickness") model.Layers[2].Thickness = value;
        if (input == "angle") model.Layers[2].SpreadAngle = value;
        RecalculateModel(model, TestTable());
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(model.Layers[i].Status, statuses[i - 1]);
            QVERIFY(std::isnan(model.Layers[i].TopTemp));
        }
        const auto found = FirstInvalidInput(model);
        QVERIFY(found);
        QCOMPARE(found->Layer, layer);
        QCOMPARE(found->Field, field);
        QCOMPARE(MissingResultMark(model.Layers[layer == 0 ? 1 : layer].Status),
                 std::string_view("invalid"));
    }

    void resultReturnsAfterTheFault() {
        MaterialTable table = TestTable();
        Model model = OneLayerModel(77);
        RecalculateModel(model, table);
        QCOMPARE(model.Layers[1].Status, ResultStatus::MissingMaterial);
        model.Layers[1].MaterialId = kConstantId;
        RecalculateModel(model, table);
        QCOMPARE(model.Layers[1].Status, ResultStatus::Ok);
        COMPARE_FLOAT(model.Layers[1].Resistance, 0.0666666701f);
    }
};

QTEST_APPLESS_MAIN(TestCalc)
#include "test_calc.moc"
