#include <QtTest>

#include "core/layer_commands.h"
#include "support/float_compare.h"

using namespace strativex;

namespace {

ModelDefaults TestDefaults() {
    ModelDefaults defaults;
    defaults.DefaultDeviceWidth = 2.0f;
    defaults.DefaultDeviceLength = 3.0f;
    defaults.DefaultLayerWidth = 4.0f;
    defaults.DefaultLayerLength = 5.0f;
    defaults.DefaultLayerThickness = 0.02f;
    defaults.DefaultSpreadAngle = 30.0f;
    defaults.DefaultIsothermalTemp = 40.0f;
    defaults.DefaultPowerDissipation = 7.0f;
    return defaults;
}

Model ModelWithLayers(int count) {
    Model model;
    ResetToNewModel(model, TestDefaults());
    for (int i = 1; i <= count; ++i) {
        AddLayer(model, TestDefaults());
        model.Layers[i].Description = "L" + std::to_string(i);
        model.Layers[i].MaterialId = static_cast<std::int16_t>(10 + i);
    }
    return model;
}

QStringList Descriptions(const Model& model) {
    QStringList names;
    for (int i = 1; i <= model.LayerCount; ++i) {
        names << QString::fromStdString(model.Layers[i].Description);
    }
    return names;
}

struct Availability {
    bool add, copy, remove, up, down;
};

Availability AvailabilityOf(const Model& model, int current) {
    return {CanAddLayer(model), CanCopyLayer(model, current), CanDeleteLayer(current),
            CanMoveLayerUp(current), CanMoveLayerDown(model, current)};
}

}  // namespace

class TestModel : public QObject {
    Q_OBJECT

private slots:
    void resetGivesNewModel() {
        Model model = ModelWithLayers(3);
        model.UnitSystem = LengthUnit::Millimeters;
        model.ModelComments = "old";
        ResetToNewModel(model, TestDefaults());
        QCOMPARE(model.LayerCount, 0);
        QCOMPARE(model.ModelName, std::string("(Untitled)"));
        QCOMPARE(model.ModelFileName, std::string("untitled.mdl"));
        QCOMPARE(model.ModelComments, std::string());
        QCOMPARE(model.UnitSystem, LengthUnit::Millimeters);
        COMPARE_FLOAT(model.PowerDissipation, 7.0f);
        COMPARE_FLOAT(model.IsothermalTemp, 40.0f);
        const Layer& source = model.Layers[0];
        QCOMPARE(source.Description, std::string("Heat Source"));
        COMPARE_FLOAT(source.Width, 2.0f);
        COMPARE_FLOAT(source.Length, 3.0f);
        COMPARE_FLOAT(source.Thickness, 0.0f);
        for (int i = 0; i < kRecordCount; ++i) {
            QCOMPARE(model.Layers[i].MaterialId, -1);
            QCOMPARE(model.Layers[i].ColorIndex, -1);
            COMPARE_FLOAT(model.Layers[i].Area, 0.0f);
        }
        COMPARE_FLOAT(model.Layers[11].Width, 4.0f);
        COMPARE_FLOAT(model.Layers[11].Thickness, 0.02f);
    }

    void addLayerTakesDefaultsAndLowestFreeColour() {
        Model model = ModelWithLayers(0);
        QCOMPARE(AddLayer(model, TestDefaults()), std::optional<int>(1));
        const Layer& layer = model.Layers[1];
        QCOMPARE((QList<int>{layer.MaterialId, layer.ColorIndex}), (QList<int>{0, 0}));
        QCOMPARE((QList<float>{layer.Thickness, layer.Width, layer.Length, layer.SpreadAngle}),
                 (QList<float>{0.02f, 4.0f, 5.0f, 30.0f}));
    }

    void tenLayersUseEveryColourOnce() {
        Model model = ModelWithLayers(10);
        for (int i = 1; i <= 10; ++i) QCOMPARE(model.Layers[i].ColorIndex, i - 1);
        QVERIFY(!CanAddLayer(model));
        QVERIFY(!CanCopyLayer(model, 1));
        QVERIFY(!AddLayer(model, TestDefaults()));
        QVERIFY(!CopyLayer(model, 1));
        QCOMPARE(model.LayerCount, 10);
    }

    void availability_data() {
        QTest::addColumn<int>("layers");
        QTest::addColumn<int>("current");
        QTest::addColumn<QList<bool>>("expected");  // add, copy, delete, up, down
        QTest::newRow("new model") << 0 << 0 << QList<bool>{true, false, false, false, false};
        QTest::newRow("heat source selected")
            << 3 << 0 << QList<bool>{true, false, false, false, false};
        QTest::newRow("top layer") << 3 << 1 << QList<bool>{true, true, true, false, true};
        QTest::newRow("middle layer") << 3 << 2 << QList<bool>{true, true, true, true, true};
        QTest::newRow("bottom layer") << 3 << 3 << QList<bool>{true, true, true, true, false};
        QTest::newRow("full stack") << 10 << 10 << QList<bool>{false, false, true, true, false};
    }

    void availability() {
        QFETCH(int, layers);
        QFETCH(int, current);
        QFETCH(QList<bool>, expected);
        const Availability a = AvailabilityOf(ModelWithLayers(layers), current);
        QCOMPARE((QList<bool>{a.add, a.copy, a.remove, a.up, a.down}), expected);
    }

    void deleteMovesLayersUp_data() {
        QTest::addColumn<int>("layers");
        QTest::addColumn<int>("deleted");
        QTest::addColumn<QStringList>("remaining");
        QTest::addColumn<int>("selected");
        QTest::newRow("third of five") << 5 << 3 << QStringList{"L1", "L2", "L4", "L5"} << 3;
        QTest::newRow("bottom layer") << 3 << 3 << QStringList{"L1", "L2"} << 2;
        QTest::newRow("only layer") << 1 << 1 << QStringList{} << 0;
    }

    void deleteMovesLayersUp() {
        QFETCH(int, layers);
        QFETCH(int, deleted);
        QFETCH(QStringList, remaining);
        QFETCH(int, selected);
        Model model = ModelWithLayers(layers);
        QCOMPARE(DeleteLayer(model, deleted), std::optional<int>(selected));
        QCOMPARE(Descriptions(model), remaining);
        QCOMPARE(model.Layers[layers].ColorIndex, -1);
    }

    void deletedColourIsReusedFirst() {
        Model model = ModelWithLayers(4);
        DeleteLayer(model, 2);
        AddLayer(model, TestDefaults());
        QCOMPARE(model.Layers[4].ColorIndex, 1);
    }

    void copyAppendsAtTheBottom() {
        Model model = ModelWithLayers(3);
        model.Layers[1].Width = 9.0f;
        model.Layers[1].SpreadAngle = 12.0f;
        QCOMPARE(CopyLayer(model, 1), std::optional<int>(4));
        QCOMPARE(model.LayerCount, 4);
        const Layer& copy = model.Layers[4];
        QCOMPARE(copy.Description, std::string("L1"));
        QCOMPARE((QList<int>{copy.MaterialId, copy.ColorIndex}), (QList<int>{11, 0}));
        QCOMPARE((QList<float>{copy.Width, copy.SpreadAngle}), (QList<float>{9.0f, 12.0f}));
    }

    void moveExchangesNeighbours() {
        Model model = ModelWithLayers(3);
        QCOMPARE(MoveLayerUp(model, 2), std::optional<int>(1));
        QCOMPARE(Descriptions(model), (QStringList{"L2", "L1", "L3"}));
        QCOMPARE(model.Layers[1].ColorIndex, 1);
        QCOMPARE(MoveLayerDown(model, 1), std::optional<int>(2));
        QCOMPARE(MoveLayerDown(model, 2), std::optional<int>(3));
        QCOMPARE(Descriptions(model), (QStringList{"L1", "L3", "L2"}));
        QVERIFY(!MoveLayerDown(model, 3));
    }

    void swapExchangesTwoRecords() {
        Model model = ModelWithLayers(2);
        SwapLayers(model, 2);
        QCOMPARE(Descriptions(model), (QStringList{"L2", "L1"}));
    }

    void swatchSteps_data() {
        QTest::addColumn<int>("colour");
        QTest::addColumn<SwatchButton>("button");
        QTest::addColumn<int>("expected");
        QTest::newRow("left on 0") << 0 << SwatchButton::Left << 1;
        QTest::newRow("left on 9 wraps") << 9 << SwatchButton::Left << 0;
        QTest::newRow("right on 0 wraps") << 0 << SwatchButton::Right << 9;
        QTest::newRow("other button") << 5 << SwatchButton::Other << 5;
        QTest::newRow("damaged 42, right") << 42 << SwatchButton::Right << 9;
    }

    void swatchSteps() {
        QFETCH(int, colour);
        QFETCH(SwatchButton, button);
        QFETCH(int, expected);
        QCOMPARE(SteppedColorIndex(colour, button), expected);
    }

    void damagedColourStillGetsAFreeOne() {
        Model model = ModelWithLayers(2);
        model.Layers[2].ColorIndex = 57;
        NextLayerColor(model, 2);
        QCOMPARE(model.Layers[2].ColorIndex, 1);
    }
};

QTEST_APPLESS_MAIN(TestModel)
#include "test_model.moc"
