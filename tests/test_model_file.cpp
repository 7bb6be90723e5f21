#include <QtTest>

#include <cerrno>
#include <fstream>

#include "persistence/model_file.h"
#include "support/file_bytes.h"
#include "support/float_compare.h"

using namespace strativex;

namespace {

std::string DataFile(const char* name) {
    return std::string(STRATIVEX_SOURCE_DIR) + "/tests/data/models/" + name;
}

MaterialTable TestTable() {
    MaterialTable table;
    table.Materials[0] = NoneSelectedMaterial();
    table.Materials[1] = {"Solder", 3, 0.5f, 0.0f};
    table.Materials[2] = {"Copper", 4, 3.9f, 0.0f};
    table.FirstCustomIndex = 3;
    return table;
}

// The one-layer model of the reference file, built in memory as the editor would.
Model OneLayerModel() {
    Model model;
    ResetToNewModel(model, ModelDefaults{});
    model.ModelName = "Test chip";
    model.UnitSystem = LengthUnit::Millimeters;
    model.PowerDissipation = 1.5f;
    model.IsothermalTemp = 25.0f;
    model.Layers[0].Width = 10.0f;
    model.Layers[0].Length = 10.0f;
    model.LayerCount = 1;
    Layer& layer = model.Layers[1];
    layer = Layer{3, 0, 2.0f, 0.0f, 0.0f, 45.0f, "Die attach"};
    model.ModelComments = "First line of comments";
    return model;
}

ModelFileOutcome Load(Model& model, const std::string& path) {
    return LoadModelFile(model, TestTable(), ModelDefaults{}, path);
}

void CompareUserFields(const Model& actual, const Model& expected) {
    QCOMPARE(actual.ModelName, expected.ModelName);
    QCOMPARE(actual.UnitSystem, expected.UnitSystem);
    COMPARE_FLOAT(actual.PowerDissipation, expected.PowerDissipation);
    COMPARE_FLOAT(actual.IsothermalTemp, expected.IsothermalTemp);
    QCOMPARE(actual.LayerCount, expected.LayerCount);
    QCOMPARE(actual.ModelComments, expected.ModelComments);
    for (int i = 1; i <= expected.LayerCount; ++i) {
        const Layer& a = actual.Layers[i];
        const Layer& e = expected.Layers[i];
        QCOMPARE(a.Description, e.Description);
        QCOMPARE(a.MaterialId, e.MaterialId);
        QCOMPARE(a.ColorIndex, e.ColorIndex);
        COMPARE_FLOAT(a.Width, e.Width);
        COMPARE_FLOAT(a.Length, e.Length);
        COMPARE_FLOAT(a.Thickness, e.Thickness);
        COMPARE_FLOAT(a.SpreadAngle, e.SpreadAngle);
    }
}

}  // namespace

class TestModelFile : public QObject {
    Q_OBJECT

private slots:
    void writesTheReferenceFileByteForByte() {
        QCOMPARE(ModelFileText(OneLayerModel()), *FileText(DataFile("one_layer.mdl")));
    }

    void numbersInTheFile_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("half") << 0.5f << ".5";
        QTest::newRow("negative quarter") << -0.25f << "-.25";
        QTest::newRow("whole") << 25.0f << "25";
        QTest::newRow("single rounding") << 0.1f << ".1";
        QTest::newRow("seven digits") << 0.03937008f << ".03937008";
        QTest::newRow("small") << 0.000015f << "1.5E-05";
        QTest::newRow("large") << 12345678.0f << "1.234568E+07";
        QTest::newRow("zero") << 0.0f << "0";
    }

    void numbersInTheFile() {
        QFETCH(float, value);
        QFETCH(QString, text);
        Model model = OneLayerModel();
        model.Layers[1].Thickness = value;
        const std::string file = ModelFileText(model);
        QVERIFY(file.find("\r\n0,0," + text.toStdString() + ",45,3,0,10\r\n") != std::string::npos);
    }

    void roundTrip_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("comments");
        const auto row = [](const char* name, const char* description, const char* comments) {
            QTest::newRow(name) << QString(description) << QString(comments);
        };
        row("plain", "Die attach", "one line");
        row("commas and quotes", "a, \"b\", c", "x");
        row("leading blanks", "   indented", "  ");
        row("empty description", "", "");
        row("comments with line breaks", "d", "first\r\nsecond\r\n\r\nlast");
        row("comments ending in a line break", "d", "ends\r\n");
        row("description reading like a tag", "COMMENTS", "LAYER 2 ");
    }

    void roundTrip() {
        QFETCH(QString, description);
        QFETCH(QString, comments);
        QTemporaryDir dir;
        const std::string path = dir.filePath("m.mdl").toStdString();
        Model model = OneLayerModel();
        model.UnitSystem = LengthUnit::Inches;
        model.Layers[1].Description = description.toStdString();
        model.ModelComments = comments.toStdString();
        // Several cycles: nothing may creep into the comments.
        for (int cycle = 0; cycle < 3; ++cycle) {
            QVERIFY(SaveModelFile(model, path).Ok);
            Model loaded;
            QVERIFY(Load(loaded, path).Ok);
            CompareUserFields(loaded, model);
            model = loaded;
        }
    }

    // The heat source's -1 reads back as "none" without a word; a layer's unknown id is
    // replaced, and said so. 1 is the smallest id a material can have; the table has none.
    void materialIdsAreCheckedOnLoad() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("m.mdl").toStdString();
        Model model = OneLayerModel();
        QCOMPARE(model.Layers[0].MaterialId, -1);
        model.Layers[1].MaterialId = 1;
        QVERIFY(SaveModelFile(model, path).Ok);
        Model loaded;
        const auto outcome = Load(loaded, path);
        QVERIFY(outcome.Ok);
        QCOMPARE((QList<int>{loaded.Layers[0].MaterialId, loaded.Layers[1].MaterialId}),
                 (QList<int>{0, 0}));
        QCOMPARE(outcome.ReplacedIds.size(), std::size_t{1});
        QCOMPARE((QList<int>{outcome.ReplacedIds[0].Layer, outcome.ReplacedIds[0].Id}),
                 (QList<int>{1, 1}));
    }

    void readsOtherWritersForms() {
        Model model;
        QVERIFY(Load(model, DataFile("lf_line_ends.mdl")).Ok);
        QCOMPARE(model.UnitSystem, LengthUnit::Inches);
        COMPARE_FLOAT(model.PowerDissipation, 0.5f);
        COMPARE_FLOAT(model.IsothermalTemp, 0.5f);
        COMPARE_FLOAT(model.Layers[0].Width, 0.1f);
        COMPARE_FLOAT(model.Layers[1].Thickness, 1.5e-5f);
        QCOMPARE(model.Layers[1].Description, std::string("Thin"));
        QCOMPARE(model.ModelComments, std::string("a\nb"));
    }

    // Each holds no layer and is metric, whatever the unit the model had before.
    void acceptedOddFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("comments");
        QTest::newRow("COMMENTS right after line 5")
            << QString("comments_after_line5.mdl") << "only comments";
        QTest::newRow("COMMENTS as the last line") << QString("comments_is_last_line.mdl") << "";
        QTest::newRow("english in lower case is metric") << QString("english_lower_case.mdl") << "";
    }

    void acceptedOddFiles() {
        QFETCH(QString, file);
        QFETCH(QString, comments);
        Model model;
        model.UnitSystem = LengthUnit::Inches;
        QVERIFY(Load(model, DataFile(file.toUtf8().constData())).Ok);
        QCOMPARE(model.LayerCount, 0);
        QCOMPARE(QString::fromStdString(model.ModelComments), comments);
        QCOMPARE(model.UnitSystem, LengthUnit::Millimeters);
    }

    void brokenFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("failure");
        const QString description = "Length of 'LAYER %1' description may not be correct.";
        const QString format = "File format may be invalid.";
        const auto row = [](const char* name, const char* file, const QString& failure) {
            QTest::newRow(name) << QString(file) << failure;
        };
        row("LAYER 1 where 2 expected", "layer1_where_2_expected.mdl",
            "Unexpected data 'LAYER 1' found in file.");
        row("twelve records", "twelve_records.mdl", description.arg(11));
        row("ends after line 5", "ends_after_line5.mdl", format);
        row("no COMMENTS line", "no_comments_line.mdl", description.arg(1));
        row("description length past the end", "description_too_long.mdl", description.arg(1));
        row("thickness not a number", "thickness_not_a_number.mdl",
            "Format of record 'LAYER 1' may be invalid.");
        row("power not a number", "power_not_a_number.mdl", format);
        row("missing file", "does_not_exist.mdl", "Cannot open specified file.");
    }

    void brokenFiles() {
        QFETCH(QString, file);
        QFETCH(QString, failure);
        const std::string path = DataFile(file.toUtf8().constData());
        Model model;
        const auto outcome = Load(model, path);
        QVERIFY(!outcome.Ok);
        QCOMPARE(QString::fromStdString(outcome.FailureText), failure);
        QCOMPARE(outcome.Message, path + "\r\n" + failure.toStdString() + "\r\nModel not loaded.");
        QVERIFY(model.LayerCount <= kMaxLayerCount);
    }

    // Which step failed decides the text; the old file's safety is the safe writer's own test.
    void failedSaveNamesTheStep_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("failure");
        QTest::newRow("folder missing") << QString("none/m.mdl") << "Error opening file for output";
        QTest::newRow("write fails") << QString("m.mdl") << "Error writing file for output";
    }

    void failedSaveNamesTheStep() {
        QFETCH(QString, file);
        QFETCH(QString, failure);
        QTemporaryDir dir;
        const std::string path = dir.filePath(file).toStdString();
        const Model model = OneLayerModel();
        const ScopedSafeWriteProbe probe(
            [](SafeWriteStep step) { return step == SafeWriteStep::Write ? EIO : 0; });
        const auto outcome = SaveModelFile(model, path);
        QCOMPARE(outcome.Message, path + "\r\n" + failure.toStdString() + "\r\nModel not saved.");
    }
};

QTEST_APPLESS_MAIN(TestModelFile)
#include "test_model_file.moc"
