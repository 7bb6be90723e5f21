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
        QTest::newRow("plain") << "Die attach"
                               << "one line";
        QTest::newRow("commas and quotes") << "a, \"b\", c"
                                           << "x";
        QTest::newRow("leading blanks") << "   indented"
                                        << "  ";
        QTest::newRow("empty description") << ""
                                           << "";
        QTest::newRow("comments with line breaks") << "d"
                                                   << "first\r\nsecond\r\n\r\nlast";
        QTest::newRow("comments ending in a line break") << "d"
                                                         << "ends\r\n";
        QTest::newRow("description reading like a tag") << "COMMENTS"
                                                        << "LAYER 2 ";
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

    void heatSourceMaterialBecomesNone() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("m.mdl").toStdString();
        Model model = OneLayerModel();
        QCOMPARE(model.Layers[0].MaterialId, -1);
        SaveModelFile(model, path);
        Model loaded;
        const auto outcome = Load(loaded, path);
        QCOMPARE(loaded.Layers[0].MaterialId, 0);
        QVERIFY(outcome.ReplacedIds.empty());
    }

    void unknownMaterialIsReplaced() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("m.mdl").toStdString();
        Model model = OneLayerModel();
        // 1 is the smallest id a material can have; the table here has no such material.
        model.Layers[1].MaterialId = 1;
        SaveModelFile(model, path);
        Model loaded;
        const auto outcome = Load(loaded, path);
        QVERIFY(outcome.Ok);
        QCOMPARE(loaded.Layers[1].MaterialId, 0);
        QCOMPARE(outcome.ReplacedIds.size(), std::size_t{1});
        QCOMPARE(outcome.ReplacedIds[0].Layer, 1);
        QCOMPARE(outcome.ReplacedIds[0].Id, 1);
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

    void acceptedOddFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("layers");
        QTest::addColumn<QString>("comments");
        QTest::addColumn<bool>("inches");
        QTest::newRow("COMMENTS right after line 5")
            << "comments_after_line5.mdl" << 0 << "only comments" << false;
        QTest::newRow("COMMENTS as the last line")
            << "comments_is_last_line.mdl" << 0 << "" << false;
        QTest::newRow("english in lower case is metric")
            << "english_lower_case.mdl" << 0 << "" << false;
    }

    void acceptedOddFiles() {
        QFETCH(QString, file);
        QFETCH(int, layers);
        QFETCH(QString, comments);
        QFETCH(bool, inches);
        Model model;
        model.UnitSystem = LengthUnit::Inches;
        QVERIFY(Load(model, DataFile(file.toUtf8().constData())).Ok);
        QCOMPARE(model.LayerCount, layers);
        QCOMPARE(QString::fromStdString(model.ModelComments), comments);
        QCOMPARE(model.UnitSystem == LengthUnit::Inches, inches);
    }

    void brokenFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("failure");
        QTest::newRow("LAYER 1 where 2 expected") << "layer1_where_2_expected.mdl"
                                                  << "Unexpected data 'LAYER 1' found in file.";
        QTest::newRow("twelve records") << "twelve_records.mdl"
                                        << "Length of 'LAYER 11' description may not be correct.";
        QTest::newRow("ends after line 5") << "ends_after_line5.mdl"
                                           << "File format may be invalid.";
        QTest::newRow("no COMMENTS line") << "no_comments_line.mdl"
                                          << "Length of 'LAYER 1' description may not be correct.";
        QTest::newRow("description length past the end")
            << "description_too_long.mdl"
            << "Length of 'LAYER 1' description may not be correct.";
        QTest::newRow("thickness not a number") << "thickness_not_a_number.mdl"
                                                << "Format of record 'LAYER 1' may be invalid.";
        QTest::newRow("power not a number") << "power_not_a_number.mdl"
                                            << "File format may be invalid.";
        QTest::newRow("missing file") << "does_not_exist.mdl"
                                      << "Cannot open specified file.";
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
        QTest::newRow("folder missing") << "none/m.mdl"
                                        << "Error opening file for output";
        QTest::newRow("write fails") << "m.mdl"
                                     << "Error writing file for output";
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
