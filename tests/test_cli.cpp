#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <map>
#include <numbers>
#include <vector>

#include "core/material_loader.h"
#include "core/thermal_calc.h"
#include "persistence/model_file.h"
#include "persistence/preferences.h"
#include "support/file_bytes.h"
#include "support/float_compare.h"
#include "support/run_program.h"

using namespace strativex;

namespace {

const QString kCalc = QStringLiteral(STRATIVEX_BIN_DIR "/strativex-calc");
const QString kStandardMaterials = QStringLiteral(STRATIVEX_BIN_DIR "/Materials");
const QString kExamples = QStringLiteral(STRATIVEX_SOURCE_DIR "/examples");

// Custom materials of the fixtures: A and B of K = A * T^B.
const std::map<int, std::pair<double, double>> kCustom{
    {901, {1.5, 0.0}},
    {902, {0.58, 0.0}},
    {903, {450.0, -1.0}},  // 1.5 W/cm-K at 300 K, falling
    {904, {1e6, -3.0}},    // falls so fast that a high power never settles
};
constexpr const char* kMatcust =
    "901,\"Const high\",1.5,0\r\n902,\"Const low\",.58,0\r\n903,\"Falling\",450,-1\r\n"
    "904,\"Diverging\",1000000,-3\r\n";

struct FixtureLayer {
    std::int16_t MaterialId = 901;
    float Thickness = 1.0f;
    float Angle = 45.0f;
    float Width = 0.0f;
    float Length = 0.0f;
    std::string Description = "layer";
};

struct Stack {
    LengthUnit Unit = LengthUnit::Millimeters;
    float DeviceWidth = 10.0f;
    float DeviceLength = 10.0f;
    float Power = 1.0f;
    float Isothermal = 25.0f;
    std::vector<FixtureLayer> Layers;
};

Run RunCalc(const QStringList& args) {
    return RunProgram(kCalc, args);
}

QJsonArray JsonModels(const QStringList& args) {
    return QJsonDocument::fromJson(RunCalc(QStringList{"--format", "json"} + args).Out).array();
}

QStringList ExampleFiles() {
    QStringList files;
    for (const QString& name : QDir(kExamples).entryList({"*.mdl"}, QDir::Files)) {
        files << kExamples + "/" + name;
    }
    return files;
}

QByteArray ModelBytes(const Stack& stack) {
    Model model;
    ResetToNewModel(model, ModelDefaults{});
    model.UnitSystem = stack.Unit;
    model.PowerDissipation = stack.Power;
    model.IsothermalTemp = stack.Isothermal;
    model.Layers[0].Width = stack.DeviceWidth;
    model.Layers[0].Length = stack.DeviceLength;
    model.LayerCount = static_cast<std::int16_t>(stack.Layers.size());
    for (std::size_t i = 0; i < stack.Layers.size(); ++i) {
        const FixtureLayer& f = stack.Layers[i];
        model.Layers[i + 1] = {
            f.MaterialId, static_cast<std::int16_t>(i), f.Thickness, f.Width, f.Length, f.Angle,
            f.Description};
    }
    return QByteArray::fromStdString(ModelFileText(model));
}

MaterialTable StandardTable() {
    MaterialTable table;
    LoadMaterials(table, MaterialPathsIn(kStandardMaterials.toStdString()), std::nullopt);
    return table;
}

struct Expected {
    double Area = 0;  // model unit squared
    double Resistance = 0;
    double TopTempK = 0;
};

// Footprints top-down, then each layer's fixed point bottom-up, all in double.
std::vector<Expected> HandCalculation(const Stack& s) {
    const bool inches = s.Unit == LengthUnit::Inches;
    std::vector<Expected> result(s.Layers.size());
    std::vector<double> meanAreaCm2(s.Layers.size());
    double w = s.DeviceWidth;
    double l = s.DeviceLength;
    double above = w * l;
    for (std::size_t i = 0; i < s.Layers.size(); ++i) {
        const FixtureLayer& layer = s.Layers[i];
        const double d = 2.0 * layer.Thickness * std::tan(layer.Angle * std::numbers::pi / 180.0);
        w = layer.Width > 0 ? std::min<double>(w + d, layer.Width) : w + d;
        l = layer.Length > 0 ? std::min<double>(l + d, layer.Length) : l + d;
        result[i].Area = w * l;
        meanAreaCm2[i] = (above + w * l) / 2.0 * (inches ? 2.54 * 2.54 : 0.01);
        above = w * l;
    }
    double base = s.Isothermal + 273.16;
    for (std::size_t i = s.Layers.size(); i-- > 0;) {
        const auto [a, b] = kCustom.at(s.Layers[i].MaterialId);
        const double t = s.Layers[i].Thickness * (inches ? 2.54 : 0.1);
        double rise = 0;
        for (int pass = 0; pass < 200; ++pass) {
            rise = s.Power * t / (a * std::pow(base + rise, b) * meanAreaCm2[i]);
        }
        result[i].Resistance = rise / s.Power;
        base += rise;
        result[i].TopTempK = base;
    }
    return result;
}

bool Near(double actual, double expected, double relative) {
    return std::fabs(actual - expected) <= relative * std::fabs(expected);
}

}  // namespace

Q_DECLARE_METATYPE(Stack)

class TestCli : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString Fixture(const QString& name) const { return dir_.filePath(name); }
    QStringList WithMaterials(const QStringList& args) const {
        return QStringList{"--materials", Fixture("mats")} + args;
    }

private slots:
    void initTestCase() {
        QVERIFY2(QFile::exists(kCalc), "build strativex-calc first");
        QVERIFY(dir_.isValid());
        QVERIFY(QDir(dir_.path()).mkdir("mats"));
        QVERIFY(QFile::copy(kStandardMaterials + "/matprops.dat", Fixture("mats/matprops.dat")));
        QVERIFY(WriteBytes(Fixture("mats/matcust.dat"), kMatcust));
        const QByteArray good = ModelBytes({.Layers = {{}}});
        QVERIFY(WriteBytes(Fixture("good.mdl"), good));
        QVERIFY(
            WriteBytes(Fixture("broken.mdl"), QByteArray(good).replace("LAYER 1 ", "LAYER 7 ")));
        QVERIFY(WriteBytes(
            Fixture("diverging.mdl"),
            ModelBytes({.Power = 1000, .Layers = {{901, 1, 0}, {904, 1, 0}, {901, 1, 0}}})));
        QVERIFY(WriteBytes(Fixture("replaced.mdl"), ModelBytes({.Layers = {{}, {999}}})));
        QVERIFY(WriteBytes(Fixture("quoted.mdl"),
                           ModelBytes({.Layers = {{.Description = "Die, \"A\""}}})));
    }

    void examples_data() {
        QTest::addColumn<QString>("path");
        for (const QString& path : ExampleFiles()) {
            QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
        }
    }

    // Each example is a file the program would write itself, and the calculator reports the
    // engine's own floats for it.
    void examples() {
        QFETCH(QString, path);
        const MaterialTable table = StandardTable();
        Model model;
        const ModelFileOutcome outcome =
            LoadModelFile(model, table, ModelDefaults{}, path.toStdString());
        QVERIFY2(outcome.Ok, outcome.Message.c_str());
        QVERIFY(outcome.ReplacedIds.empty());
        // A fresh heat source record is written with -1 and read back as 0.
        model.Layers[0].MaterialId = -1;
        QCOMPARE(ModelFileText(model), *FileText(path.toStdString()));
        model.Layers[0].MaterialId = 0;
        RecalculateModel(model, table);

        const Run run = RunCalc({"--format", "json", path});
        QCOMPARE(run.ExitCode, 0);
        QCOMPARE(run.Err, QString());
        const QJsonObject json = QJsonDocument::fromJson(run.Out).array().at(0).toObject();
        QCOMPARE(json["status"].toString(), "ok");
        const auto asFloat = [](const QJsonValue& v) { return static_cast<float>(v.toDouble()); };
        COMPARE_FLOAT(asFloat(json["power_w"]), model.PowerDissipation);
        QVERIFY(json["heat_source_temp_c"].toDouble() == *HeatSourceTempC(model));
        COMPARE_FLOAT(asFloat(json["total_resistance_c_per_w"]), *TotalResistance(model));
        const QJsonArray layers = json["layers"].toArray();
        QCOMPARE(layers.size(), static_cast<qsizetype>(model.LayerCount));
        for (int i = 1; i <= model.LayerCount; ++i) {
            const QJsonObject layer = layers.at(i - 1).toObject();
            const Layer& stored = model.Layers[i];
            QCOMPARE(layer["status"].toString(), "ok");
            QVERIFY(layer["material"].isString());
            COMPARE_FLOAT(asFloat(layer["thickness"]), stored.Thickness);
            COMPARE_FLOAT(asFloat(layer["area"]), stored.Area);
            COMPARE_FLOAT(asFloat(layer["resistance_c_per_w"]), stored.Resistance);
            COMPARE_FLOAT(asFloat(layer["top_temp_k"]), stored.TopTemp);
        }
    }

    void matchesHandCalculation_data() {
        QTest::addColumn<Stack>("stack");
        const auto mm = LengthUnit::Millimeters;
        QTest::newRow("mm, spreading and clipping") << Stack{
            mm, 10, 10, 20, 25, {{901, 0.5f, 45}, {902, 0.1f, 30, 10.5f, 0}, {901, 2, 45, 0, 11}}};
        const std::vector<FixtureLayer> inchLayers{
            {902, 0.004f, 45}, {901, 0.05f, 30, 0.5f, 0.45f}, {901, 0.1f, 0}};
        QTest::newRow("inches") << Stack{LengthUnit::Inches, 0.4f, 0.3f, 15, 40, inchLayers};
        QTest::newRow("temperature dependent")
            << Stack{mm, 10, 10, 100, 26.84f, {{903, 1, 0}, {903, 1, 45}}};
    }

    void matchesHandCalculation() {
        QFETCH(Stack, stack);
        QVERIFY(WriteBytes(Fixture("hand.mdl"), ModelBytes(stack)));
        const QJsonArray layers =
            JsonModels(WithMaterials({Fixture("hand.mdl")})).at(0)["layers"].toArray();
        const std::vector<Expected> expected = HandCalculation(stack);
        QCOMPARE(layers.size(), static_cast<qsizetype>(expected.size()));
        for (qsizetype i = 0; i < layers.size(); ++i) {
            const QJsonObject layer = layers.at(i).toObject();
            QVERIFY(Near(layer["area"].toDouble(), expected[i].Area, 1e-6));
            QVERIFY(Near(layer["resistance_c_per_w"].toDouble(), expected[i].Resistance, 1e-5));
            QVERIFY(Near(layer["top_temp_k"].toDouble(), expected[i].TopTempK, 1e-6));
        }
    }

    void exitStatus_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("stderrPart");
        QTest::addColumn<QString>("stdoutPart");
        const auto row = [](const char* name, const QStringList& args, int status,
                            const QString& err, const QString& out = {}) {
            QTest::newRow(name) << args << status << err << out;
        };
        const QString good = Fixture("good.mdl");
        const QString report = "Heat source temperature:";
        row("examples", ExampleFiles(), 0, "", report);
        row("help", {"--help"}, 0, "", "Exit status:");
        row("missing file", WithMaterials({Fixture("absent.mdl")}), 1,
            Fixture("absent.mdl") + "\nCannot open specified file.\nModel not loaded.\n");
        row("broken file", WithMaterials({Fixture("broken.mdl"), good}), 1,
            "\nUnexpected data 'LAYER 7' found in file.\n", good);
        row("no materials", {"--materials", Fixture("none"), good}, 1,
            "cannot read the standard materials file");
        row("no result", WithMaterials({Fixture("diverging.mdl")}), 3, "", "no result");
        row("read failure wins over no result",
            WithMaterials({Fixture("diverging.mdl"), Fixture("absent.mdl")}), 1,
            "Model not loaded.");
        row("replaced id", WithMaterials({Fixture("replaced.mdl")}), 0,
            Fixture("replaced.mdl") + ": layer 2: material id 999 is not in the materials",
            "-----");
        row("no model", {"--format", "csv"}, 2, "usage:");
        row("unknown option", {"--digits", "3", good}, 2, "unknown option '--digits'");
        row("unknown format", {"--format=xml", good}, 2, "unknown format 'xml'");
        row("option without value", {good, "--materials"}, 2, "needs a value");
        row("report of two models", WithMaterials({"--report-pdf", Fixture("r.pdf"), good, good}),
            2, "--report-pdf takes exactly one model file");
        row("preferences without a report", WithMaterials({"--prefs", Fixture("p.txt"), good}), 2,
            "--prefs is only used with --report-pdf");
        row("unreadable preferences",
            WithMaterials(
                {"--report-pdf", Fixture("r.pdf"), "--prefs", Fixture("absent.txt"), good}),
            1, "cannot read the preferences", report);
        row("report into a missing folder",
            WithMaterials({"--report-pdf", Fixture("none/r.pdf"), good}), 1,
            "cannot write the report", report);
    }

    void reportPdfIsThePrintedPage() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is absent");
        QTemporaryDir dir;
        Preferences prefs;
        prefs.UserInfoText[0] = "Ann Engineer";
        prefs.UserInfoInclude[0] = true;
        prefs.UserInfoInclude[6] = true;
        prefs.UserInfoInclude[7] = true;
        const QString prefsPath = dir.filePath("prefs.txt");
        QVERIFY(SavePreferences(prefs, prefsPath.toStdString()).Ok);
        const QString pdf = dir.filePath("report.pdf");
        const QString model = ExampleFiles().constFirst();
        const Run run = RunCalc({"--report-pdf", pdf, "--prefs", prefsPath, model});
        QCOMPARE(run.ExitCode, 0);
        QCOMPARE(run.Err, QString());
        // The PDF's fonts join "fi" and "fl" into ligatures.
        const QString page = QString::fromUtf8(RunProgram("pdftotext", {"-layout", pdf, "-"}).Out)
                                 .replace(QChar(0xFB01), "fi")
                                 .replace(QChar(0xFB02), "fl");
        const QJsonObject json = JsonModels({model}).at(0).toObject();
        QVERIFY2(page.contains(json["model_name"].toString()), qPrintable(page));
        QVERIFY(page.contains("Ann Engineer"));
        QVERIFY(page.contains(QFileInfo(model).fileName()));
        QVERIFY(page.contains(json["layers"].toArray().at(0).toObject()["material"].toString()));
        QVERIFY(page.contains("Strativex"));
    }

    void exitStatus() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, stderrPart);
        QFETCH(QString, stdoutPart);
        const Run run = RunCalc(args);
        QCOMPARE(run.ExitCode, status);
        QVERIFY2(run.Err.contains(stderrPart), qPrintable(run.Err));
        QVERIFY2(run.Out.contains(stdoutPart.toUtf8()), run.Out.constData());
        if (stderrPart.isEmpty()) QCOMPARE(run.Err, QString());
    }

    void failedLayerNamesRootCause() {
        const QJsonArray models =
            JsonModels(WithMaterials({Fixture("diverging.mdl"), Fixture("broken.mdl")}));
        QCOMPARE(models.size(), 1);
        const QJsonObject model = models.at(0).toObject();
        QCOMPARE(model["status"].toString(), "no_convergence");
        QVERIFY(model["total_resistance_c_per_w"].isNull());
        QVERIFY(model["heat_source_temp_c"].isNull());
        const QStringList statuses{"depends_on_failed_layer", "no_convergence", "ok"};
        const QJsonArray layers = model["layers"].toArray();
        for (int i = 0; i < 3; ++i) {
            const QJsonObject layer = layers.at(i).toObject();
            QCOMPARE(layer["status"].toString(), statuses[i]);
            QCOMPARE(layer["resistance_c_per_w"].isNull(), i < 2);
            QCOMPARE(layer["top_temp_c"].isNull(), i < 2);
        }
        const Run table = RunCalc(WithMaterials({Fixture("diverging.mdl")}));
        QVERIFY(table.Out.contains("Total resistance:         n/a"));
    }

    void replacedIdReadsWithoutMaterial() {
        const QJsonObject layer =
            JsonModels(WithMaterials({Fixture("replaced.mdl")})).at(0)["layers"][1].toObject();
        QCOMPARE(layer["material_id"].toInt(), 0);
        QVERIFY(layer["material"].isNull());
        QCOMPARE(layer["status"].toString(), "ok");
    }

    void textIsUtf8Json_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("degree sign") << QByteArray("45 \xB0") << QString::fromUtf8("45 \u00B0");
        QTest::newRow("euro, first of 0x80-0x9F") << QByteArray("\x80") << QString(QChar(0x20AC));
        QTest::newRow("Y diaeresis, last of 0x80-0x9F")
            << QByteArray("\x9F") << QString(QChar(0x0178));
        QTest::newRow("S caron, dagger, trademark")
            << QByteArray("\x8A\x86\x99") << QString::fromUtf8("\u0160\u2020\u2122");
        QTest::newRow("unassigned byte keeps its C1 point")
            << QByteArray("\x81") << QString(QChar(0x0081));
        QTest::newRow("JSON escapes")
            << QByteArray("a\"b\\c\td\x01") << QString::fromLatin1("a\"b\\c\td\x01");
    }

    void textIsUtf8Json() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const Stack stack{.Layers = {{.Description = bytes.toStdString()}}};
        QVERIFY(WriteBytes(Fixture("text.mdl"), ModelBytes(stack)));
        const QJsonObject layer =
            JsonModels(WithMaterials({Fixture("text.mdl")})).at(0)["layers"][0].toObject();
        QCOMPARE(layer["description"].toString(), text);
    }

    void csvHasHeaderAndOneLinePerLayer() {
        const Run run = RunCalc(WithMaterials({"--format", "csv", Fixture("good.mdl"),
                                               Fixture("quoted.mdl"), Fixture("diverging.mdl")}));
        QCOMPARE(run.ExitCode, 3);
        QList<QByteArray> lines = run.Out.split('\n');
        QCOMPARE(lines.takeLast(), QByteArray());
        QCOMPARE(lines.size(), 1 + 1 + 1 + 3);
        for (const QByteArray& line : lines) QVERIFY(line.endsWith('\r'));
        QVERIFY(lines[0].startsWith("file,model_name,units,power_w,"));
        QVERIFY(lines[0].contains(",layer,description,material_id,material,thickness,"));
        QVERIFY(lines[1].startsWith(Fixture("good.mdl").toUtf8() + ","));
        QVERIFY(lines[2].contains(",1,\"Die, \"\"A\"\"\",901,Const high,"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
