#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <cmath>
#include <vector>

#include "cli/exact_progress.h"
#include "cli/sweep_names.h"
#include "cli/usage_text.h"
#include "core/material_loader.h"
#include "core/quantity.h"
#include "core/thermal_calc.h"
#include "persistence/model_file.h"
#include "persistence/preferences.h"
#include "support/calc_in_process.h"
#include "support/file_bytes.h"
#include "support/float_compare.h"
#include "support/material_folders.h"
#include "support/run_program.h"

using namespace strativex;

namespace {

const QString kCalc = QStringLiteral(STRATIVEX_BIN_DIR "/strativex-calc");
const QString kExamples = QStringLiteral(STRATIVEX_SOURCE_DIR "/examples");

// Custom materials of the fixtures, K = A * T^B; 904 falls so fast that a high power never
// settles.
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

// What --help says QUANTITY is, on one line.
QString SweptInHelp() {
    const QString help = QString::fromUtf8(HelpText()).simplified();
    return help.section(QStringLiteral("QUANTITY is "), 1)
        .section(QStringLiteral(". Every value"), 0, 0);
}

}  // namespace

Q_DECLARE_METATYPE(Stack)

class TestCli : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    ProgramFolders folders_;  // where the in-process calculator finds the user's files

    QString Fixture(const QString& name) const { return dir_.filePath(name); }

    Outcome Calc(const QStringList& args) const { return CalcInProcess(args, folders_); }
    QJsonArray Json(const QStringList& args) const {
        return QJsonDocument::fromJson(Calc(QStringList{"--format", "json"} + args).Out).array();
    }
    QString Model(const QString& name, const Stack& stack) const {
        return WriteBytes(Fixture(name), ModelBytes(stack)) ? Fixture(name) : QString();
    }

private slots:
    void initTestCase() {
        QVERIFY2(QFile::exists(kCalc), "build strativex-calc first");
        QVERIFY(dir_.isValid());
        folders_ = ProgramFoldersFor(dir_.path().toStdString());
        QVERIFY(PlantMaterials(Fixture("Materials"), kMatcust));
        QVERIFY(QDir(dir_.path()).mkdir("damaged"));
        QVERIFY(WriteBytes(Fixture("damaged/matprops.dat"),
                           ReadBytes(kStandardMaterials + "/matprops.dat").left(100)));
        const QByteArray good = ModelBytes({.Layers = {{}}});
        QVERIFY(WriteBytes(Fixture("good.mdl"), good));
        QVERIFY(
            WriteBytes(Fixture("broken.mdl"), QByteArray(good).replace("LAYER 1 ", "LAYER 7 ")));
        QVERIFY(!Model("diverging.mdl",
                       {.Power = 1000, .Layers = {{901, 1, 0}, {904, 1, 0}, {901, 1, 0}}})
                     .isEmpty());
        QVERIFY(!Model("replaced.mdl", {.Layers = {{}, {999}}}).isEmpty());
    }

    void examples_data() {
        QTest::addColumn<QString>("path");
        for (const QString& path : ExampleFiles()) {
            QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
        }
    }

    // Each example is a file the program would write itself, and the calculator reports the
    // engine's own floats for it; a temperature in C names the very kelvin value it comes from.
    void examples() {
        QFETCH(QString, path);
        const MaterialTable table = StandardMaterials();
        strativex::Model model;
        const ModelFileOutcome outcome =
            LoadModelFile(model, table, ModelDefaults{}, path.toStdString());
        QVERIFY2(outcome.Ok, outcome.Message.c_str());
        QVERIFY(outcome.ReplacedIds.empty());
        QCOMPARE(ModelFileText(model), *FileText(path.toStdString()));
        RecalculateModel(model, table);

        const Run run = RunProgram(kCalc, {"--format", "json", path});
        QCOMPARE(run.ExitCode, 0);
        QCOMPARE(run.Err, QString());
        const QJsonObject json = QJsonDocument::fromJson(run.Out).array().at(0).toObject();
        QCOMPARE(json["status"].toString(), "ok");
        const auto asFloat = [](const QJsonValue& v) { return static_cast<float>(v.toDouble()); };
        COMPARE_FLOAT(asFloat(json["power_w"]), model.PowerDissipation);
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
            const double celsius = layer["top_temp_c"].toDouble();
            QVERIFY(std::fabs(celsius - (stored.TopTemp - 273.16)) < 1e-4);
            COMPARE_FLOAT(static_cast<float>(celsius + 273.16), stored.TopTemp);
        }
        QCOMPARE(json["heat_source_temp_c"], layers.at(0)["top_temp_c"]);
    }

    // The text is the shortest that still names the kelvin value: one digit less would not.
    void celsiusIsTheShortestText() {
        const QByteArray out = Calc({"--format", "csv", Fixture("good.mdl")}).Out;
        const QByteArray celsius = out.split('\n').at(1).split(',').at(24);
        const float kelvin = out.split('\n').at(1).split(',').at(23).toFloat();
        COMPARE_FLOAT(static_cast<float>(celsius.toDouble() + 273.16), kelvin);
        const QByteArray shorter = celsius.left(celsius.size() - 1);
        QVERIFY(static_cast<float>(shorter.toDouble() + 273.16) != kelvin);
    }

    // The installed program as a script runs it: options, exit status and messages.
    // --help lists the quantities --sweep takes, each key as the command line spells it.
    void helpListsEverySweptQuantity_data() {
        QTest::addColumn<QString>("key");
        for (const QuantityDescriptor& quantity : Quantities()) {
            if (quantity.Sweepable)
                QTest::newRow(quantity.Key.data()) << QString(quantity.Key.data());
        }
    }

    void helpListsEverySweptQuantity() {
        QFETCH(QString, key);
        const QRegularExpression named(QStringLiteral("(^|, | or )%1( \\(|=| or )").arg(key));
        QVERIFY2(named.match(SweptInHelp()).hasMatch(), qPrintable(SweptInHelp()));
    }

    // And names none that it would refuse.
    void helpListsOnlySweptQuantities() {
        static const QRegularExpression key(QStringLiteral("([a-z_]+)( \\(|=| or )"));
        const QString list = SweptInHelp();
        int keys = 0;
        for (auto match = key.globalMatch(list); match.hasNext(); ++keys) {
            const QString name = match.next().captured(1);
            QVERIFY2(SweepQuantityNamed(name.toStdString()), qPrintable(name));
        }
        QVERIFY(keys > 0);
    }

    // The generated paragraphs keep to the width of the text written by hand.
    void helpKeepsItsWidth() {
        const QStringList lines = QString::fromUtf8(HelpText()).split('\n');
        for (const QString& line : lines) QVERIFY2(line.size() <= 90, qPrintable(line));
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("stderrPart");
        QTest::addColumn<QString>("stdoutPart");
        const auto row = [](const char* name, const QStringList& args, int status,
                            const QString& err, const QString& out = {}) {
            QTest::newRow(name) << args << status << err << out;
        };
        const QString good = Fixture("good.mdl");
        row("examples", ExampleFiles(), 0, "", "Heat source temperature:");
        row("help", {"--help"}, 0, "", "the report's header and its digits");
        row("no model", {"--format", "csv"}, 2, "usage:");
        row("unknown option", {"--digits", "3", good}, 2, "unknown option '--digits'");
        row("unknown format", {"--format=xml", good}, 2, "unknown format 'xml'");
        row("option without value", {good, "--materials"}, 2, "needs a value");
        row("report of two models", {"--report-pdf", Fixture("r.pdf"), good, good}, 2,
            "--report-pdf takes exactly one model file");
        row("unreadable preferences", {"--prefs", Fixture("absent.txt"), good}, 1,
            "cannot read the preferences");
        row("report into a missing folder", {"--report-pdf", Fixture("none/r.pdf"), good}, 1,
            "cannot write the report", "Heat source temperature:");
        row("report over its own model", {"--report-pdf", good, good}, 1,
            "refusing to write the report over '" + good + "'");
        row("report over the materials",
            {"--report-pdf", kStandardMaterials + "/matprops.dat", good}, 1, "refusing to write");
        // The first 100 bytes of a good standard file: no table to calculate with.
        row("damaged standard materials", {"--materials", Fixture("damaged"), good}, 1,
            "Error reading standard materials data file\n'" + Fixture("damaged") +
                "/matprops.dat' line 4");
    }

    void commandLine() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, stderrPart);
        QFETCH(QString, stdoutPart);
        const QByteArray before = ReadBytes(Fixture("good.mdl"));
        const Run run = RunProgram(kCalc, args);
        QCOMPARE(run.ExitCode, status);
        QVERIFY2(run.Err.contains(stderrPart), qPrintable(run.Err));
        QVERIFY2(run.Out.contains(stdoutPart.toUtf8()), run.Out.constData());
        if (stderrPart.isEmpty()) QCOMPARE(run.Err, QString());
        QCOMPARE(ReadBytes(Fixture("good.mdl")), before);
    }

    // Whatever a model path names, the run ends at once with the program, the path and why.
    void unreadableModels_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        for (const auto& [path, reason] : std::vector<std::pair<const char*, const char*>>{
                 {"absent.mdl", "Cannot open specified file. (no such file) Model not loaded."},
                 {"Materials", "(is a directory) Model not loaded."},
                 {"fifo", "(is not a regular file) Model not loaded."},
                 {"/dev/zero", "(is not a regular file) Model not loaded."},
                 {"broken.mdl", "Unexpected data 'LAYER 7' found in file. Model not loaded."}}) {
            QTest::newRow(path) << path << reason;
        }
    }

    void unreadableModels() {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        if (!path.startsWith('/')) path = Fixture(path);
        ::mkfifo(QFile::encodeName(Fixture("fifo")).constData(), 0600);
        const Outcome run = Calc({path, Fixture("good.mdl")});
        QCOMPARE(run.Status, 1);
        QVERIFY(run.Err.startsWith("strativex-calc: " + path + ": "));
        QVERIFY2(run.Err.endsWith(reason + "\n"), qPrintable(run.Err));
        QVERIFY(run.Out.contains(Fixture("good.mdl").toUtf8()));
    }

    void longNamesAndAnyBytes() {
        const QString model = Model(QString(251, 'm') + ".mdl", {.Layers = {{}}});
        const Outcome longName = Calc({model});
        QCOMPARE(longName.Status, 0);
        const QByteArray name = QFile::encodeName(dir_.path()) + "/bad\xff\xfe.mdl";
        QVERIFY(QFile::copy(model, QFile::decodeName(name)));
        const Outcome json = Calc({"--format", "json", QFile::decodeName(name)});
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(json.Out, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QVERIFY(doc.array().at(0)["file"].toString().endsWith(u"/bad\uFFFD\uFFFD.mdl"));
        const QByteArray csv = Calc({"--format", "csv", QFile::decodeName(name)}).Out;
        QVERIFY(QString::fromUtf8(csv).toUtf8() == csv);
    }

    // A layer without a result names its own cause; those depending on it say "n/a". A layer
    // without a usable material has none: its near-zero resistance is no measured value.
    void layersWithoutResult_data() {
        QTest::addColumn<Stack>("stack");
        QTest::addColumn<QStringList>("statuses");
        QTest::addColumn<QString>("modelStatus");
        QTest::addColumn<QString>("invalid");
        QTest::addColumn<int>("invalidLayer");
        QTest::addColumn<QString>("tableLine");  // the one line naming the invalid input
        const QString na = "depends_on_failed_layer";
        const QString missing = "missing_material";
        QTest::newRow("diverging")
            << Stack{.Power = 1000, .Layers = {{901, 1, 0}, {904, 1, 0}, {901, 1, 0}}}
            << QStringList{na, "no_convergence", "ok"} << "no_convergence" << QString() << -1
            << QString();
        QTest::newRow("negative thickness")
            << Stack{.Layers = {{901, 1, 0}, {901, -1, 0}, {901, 1, 0}}}
            << QStringList{na, "invalid_input", na} << "invalid_input"
            << "thickness" << 2 << "Invalid input:            thickness of layer 2";
        QTest::newRow("negative power")
            << Stack{.Power = -5, .Layers = {{}}} << QStringList{"invalid_input"} << "invalid_input"
            << "power" << 0 << "Invalid input:            power";
        for (const std::int16_t id : {999, 0, -1, -32768}) {
            QTest::addRow("material id %d", id)
                << Stack{.Layers = {{901, 1, 0}, {id, 1, 0}, {901, 1, 0}}}
                << QStringList{na, missing, "ok"} << missing << QString() << -1 << QString();
        }
        QTest::newRow("bottom layer without material")
            << Stack{.Layers = {{901, 1, 0}, {0, 1, 0}}} << QStringList{na, missing} << missing
            << QString() << -1 << QString();
    }

    void layersWithoutResult() {
        QFETCH(Stack, stack);
        QFETCH(QStringList, statuses);
        QFETCH(QString, modelStatus);
        QFETCH(QString, invalid);
        QFETCH(int, invalidLayer);
        QFETCH(QString, tableLine);
        const QString path = Model("failed.mdl", stack);
        const QJsonObject model = Json({path}).at(0).toObject();
        QCOMPARE(model["status"].toString(), modelStatus);
        QVERIFY(model["total_resistance_c_per_w"].isNull());
        QVERIFY(model["heat_source_temp_c"].isNull());
        QCOMPARE(model["invalid_input"].toString(), invalid);
        QCOMPARE(model["invalid_input_layer"].toInt(-1), invalidLayer);
        const QJsonArray layers = model["layers"].toArray();
        for (int i = 0; i < statuses.size(); ++i) {
            const QJsonObject layer = layers.at(i).toObject();
            QCOMPARE(layer["status"].toString(), statuses[i]);
            QCOMPARE(layer["top_temp_c"].isNull(), statuses[i] != "ok");
        }
        const Outcome table = Calc({path});
        QCOMPARE(table.Status, 3);
        QVERIFY(table.Out.contains("Total resistance:         n/a"));
        QCOMPARE(table.Out.contains(" invalid "), !invalid.isEmpty());
        QCOMPARE(table.Out.contains(" material? "), modelStatus == "missing_material");
        const QStringList invalidLines =
            QString::fromUtf8(table.Out).split('\n').filter(QRegularExpression("^Invalid input"));
        QCOMPARE(invalidLines, tableLine.isEmpty() ? QStringList() : QStringList{tableLine});
    }

    // A heat source without layers has no temperature: a status of its own, never ok.
    void modelWithoutLayers() {
        const QString path = Model("nolayers.mdl", {.Layers = {}});
        const Outcome run = Calc({"--format", "json", path});
        QCOMPARE(run.Status, 3);
        const QJsonObject model = QJsonDocument::fromJson(run.Out).array().at(0).toObject();
        QCOMPARE(model["status"].toString(), QStringLiteral("no_layers"));
        QVERIFY(model["heat_source_temp_c"].isNull());
    }

    // The exit status stands for every model, in whatever order they come.
    void exitStatusOfEveryModel_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("status");
        QTest::newRow("good") << QStringList{"good.mdl"} << 0;
        QTest::newRow("diverging, then good") << QStringList{"diverging.mdl", "good.mdl"} << 3;
        QTest::newRow("good, then diverging") << QStringList{"good.mdl", "diverging.mdl"} << 3;
        QTest::newRow("no material, then good") << QStringList{"replaced.mdl", "good.mdl"} << 3;
        QTest::newRow("unreadable before no result")
            << QStringList{"broken.mdl", "diverging.mdl", "good.mdl"} << 1;
        QTest::newRow("no result before unreadable")
            << QStringList{"diverging.mdl", "good.mdl", "broken.mdl"} << 1;
    }

    void exitStatusOfEveryModel() {
        QFETCH(QStringList, names);
        QFETCH(int, status);
        QStringList paths;
        for (const QString& name : names) paths << Fixture(name);
        for (const char* format : {"table", "json", "csv"}) {
            QCOMPARE(Calc(QStringList{"--format", format} + paths).Status, status);
        }
    }

    // Values the window's fields would refuse are calculated as the file says, and named, on
    // stderr and in the JSON, in the words of a sweep that refuses them.
    void valuesOutsideTheAcceptedRanges_data() {
        QTest::addColumn<Stack>("stack");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("layer");
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("power") << Stack{.Power = 1e9f, .Layers = {{}}} << "power" << 0 << 1e9f
                               << "power 1E+09 W is outside the accepted 0.0001 to 1000 W";
        QTest::newRow("thickness")
            << Stack{.Layers = {{}, {901, 1e6f, 0}}} << "thickness" << 2 << 1e6f
            << "layer 2 thickness 1000000 mm is outside the accepted 2.5E-05 to 25 mm";
        QTest::newRow("angle") << Stack{.Layers = {{901, 1, 89.9f}}} << "angle" << 1 << 89.9f
                               << "layer 1 spreading angle 89.9 deg is outside the accepted 0 "
                                  "to 45 deg";
        QTest::newRow("layer width")
            << Stack{.Layers = {{901, 1, 0, 300}}} << "width" << 1 << 300.0f
            << "layer 1 width 300 mm is outside the accepted 0.025 to 250 mm (or 0 for no limit)";
    }

    void valuesOutsideTheAcceptedRanges() {
        QFETCH(Stack, stack);
        QFETCH(QString, field);
        QFETCH(int, layer);
        QFETCH(float, value);
        QFETCH(QString, message);
        const QString path = Model("outside.mdl", stack);
        const Outcome run = Calc({"--format", "json", path});
        QCOMPARE(run.Err, "strativex-calc: warning: " + path + ": " + message +
                              "; calculated as the file says\n");
        const QJsonObject model = QJsonDocument::fromJson(run.Out).array().at(0).toObject();
        const QJsonArray warnings = model["warnings"].toArray();
        QCOMPARE(warnings.size(), 1);
        QCOMPARE(warnings[0]["field"].toString(), field);
        QCOMPARE(warnings[0]["layer"].toInt(-1), layer);
        QCOMPARE(static_cast<float>(warnings[0]["value"].toDouble()), value);
        QVERIFY(warnings[0]["accepted_min"].toDouble() < warnings[0]["accepted_max"].toDouble());
        QCOMPARE(warnings[0]["message"].toString(), message);
        QVERIFY(Json({Fixture("good.mdl")}).at(0)["warnings"].toArray().isEmpty());
    }

    // Sizes as the window's results table shows them, angles in whole degrees.
    void tableShowsSizesAsTheWindow() {
        const QString path = Model("sizes.mdl", {.Layers = {{901, 1, 30.4f, -2.5f, 0}}});
        const QList<QByteArray> lines = Calc({path}).Out.split('\n');
        const QByteArray row = lines.at(8).simplified();
        QVERIFY2(row.startsWith("1 layer Const high -2.50 (infinite) 1.00 30 "), row.constData());
    }

    void replacedIdReadsWithoutMaterial() {
        const Outcome run = Calc({"--format", "json", Fixture("replaced.mdl")});
        QCOMPARE(run.Status, 3);
        QCOMPARE(run.Err, "strativex-calc: warning: " + Fixture("replaced.mdl") +
                              ": layer 2: material id 999 is not in the materials table; the "
                              "layer has no result\n");
        const QJsonObject layer =
            QJsonDocument::fromJson(run.Out).array().at(0)["layers"][1].toObject();
        QCOMPARE(layer["material_id"].toInt(), 0);
        QVERIFY(layer["material"].isNull());
    }

    // A long 3-D check shows its progress after a second, redrawn at most five times a second
    // over what it showed before, and wipes it at the end; a quick one shows nothing.
    void exactProgressLine() {
        using namespace std::chrono_literals;
        std::ostringstream err;
        auto now = std::chrono::steady_clock::time_point{};
        const std::string first = "\r3-D check of m.mdl: 50 %, solving the fine grid";
        const std::string second = "\r3-D check of m.mdl: 75 %, comparing";
        {
            ExactProgressLine line(err, "m.mdl", [&now] { return now; });
            line.Show(0.1, "coarse grid");
            now += 999ms;
            line.Show(0.2, "coarse grid");
            QCOMPARE(err.str(), std::string());
            now += 2ms;
            line.Show(0.5, "solving the fine grid");
            QCOMPARE(err.str(), first);
            now += 150ms;
            line.Show(0.6, "solving the fine grid");
            QCOMPARE(err.str(), first);
            now += 100ms;
            line.Show(0.75, "comparing");
            QCOMPARE(err.str(), first + second + std::string(first.size() - second.size(), ' '));
        }
        QVERIFY(err.str().ends_with("\r" + std::string(first.size() - 1, ' ') + "\r"));
        std::ostringstream quick;
        { ExactProgressLine(quick, "m.mdl").Show(1.0, "done"); }
        QCOMPARE(quick.str(), std::string());
    }

    // Each custom line the calculator leaves out is named; the lines around it still count.
    void skippedCustomLinesAreNamed() {
        const QString folder = Fixture("custom-skips");
        QVERIFY(PlantMaterials(folder,
                               "901,\"One\",1.5,0\r\n902,\"Bad\",abc,0\r\n901,\"Again\",1,0\r\n"
                               "903,\"Three\",1.5,0\r\n"));
        const QString model = Model("skips.mdl", {.Layers = {{903}}});
        const Outcome run = Calc({"--materials", folder, model});
        QCOMPARE(run.Status, 0);
        const QString custom = folder + "/matcust.dat: ";
        QCOMPARE(run.Err, "strativex-calc: warning: " + custom +
                              "line 2: A 'abc' is not a number; the line is skipped\n"
                              "strativex-calc: warning: " +
                              custom +
                              "line 3: id 901 already used on line 1; the line is skipped\n");
    }

    // As the window at start-up: the prefs.txt it uses names the materials folder, and at most
    // 20 custom materials are read.
    void findsTheWindowsFiles() {
        const QString other = Fixture("other");
        QByteArray custom;
        for (int id = 1001; id <= 1025; ++id) custom += QByteArray::number(id) + ",\"M\",1,0\r\n";
        QVERIFY(PlantMaterials(other, custom));
        Preferences prefs;
        prefs.MaterialsFolder = other.toStdString();
        QVERIFY(SavePreferences(prefs, folders_.PreferencesPath).Ok);
        const QString model = Model("custom.mdl", {.Layers = {{1020}, {1021}}});
        const Outcome run = Calc({"--format", "json", model});
        QFile::remove(QString::fromStdString(folders_.PreferencesPath));
        QVERIFY(
            run.Err.contains("only the first 20 custom materials are used; 5 more are ignored"));
        QVERIFY(run.Err.contains("layer 2: material id 1021 is not in the materials table"));
        const QJsonArray layers =
            QJsonDocument::fromJson(run.Out).array().at(0)["layers"].toArray();
        QCOMPARE(layers.at(0)["material_id"].toInt(), 1020);
    }

    void textIsUtf8Json_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("degree sign") << QByteArray("45 \xB0") << QString::fromUtf8("45 \u00B0");
        QTest::newRow("euro, first of 0x80-0x9F") << QByteArray("\x80") << QString(QChar(0x20AC));
        QTest::newRow("unassigned byte keeps its C1 point")
            << QByteArray("\x81") << QString(QChar(0x0081));
        QTest::newRow("JSON escapes")
            << QByteArray("a\"b\\c\td\x01") << QString::fromLatin1("a\"b\\c\td\x01");
    }

    void textIsUtf8Json() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const QString path = Model("text.mdl", {.Layers = {{.Description = bytes.toStdString()}}});
        QCOMPARE(Json({path}).at(0)["layers"][0]["description"].toString(), text);
    }

    // One column count on every line, a line for a model without layers, and the model's
    // fields as the JSON output has them.
    void csvLines() {
        const QString quoted = Model("quoted.mdl", {.Layers = {{.Description = "Die, \"A\""}}});
        const QString empty = Model("empty.mdl", {.DeviceWidth = 7, .Layers = {}});
        const Outcome run =
            Calc({"--format", "csv", Fixture("good.mdl"), quoted, empty, Fixture("diverging.mdl")});
        QCOMPARE(run.Status, 3);
        QList<QByteArray> lines = run.Out.split('\n');
        QCOMPARE(lines.takeLast(), QByteArray());
        QCOMPARE(lines.size(), 1 + 1 + 1 + 1 + 3);
        const QList<QByteArray> header = lines[0].trimmed().split(',');
        const QStringList modelFields = Json({Fixture("good.mdl")}).at(0).toObject().keys();
        for (const QString& key : modelFields) {
            if (key != "layers" && key != "status" && key != "warnings")
                QVERIFY2(header.contains(key.toUtf8()), qPrintable(key));
        }
        for (const QByteArray& line : lines) {
            QVERIFY(line.endsWith('\r'));
            QCOMPARE(QByteArray(line).replace("\"\"", "").replace(",\"Die, A\",", ",x,").count(','),
                     header.size() - 1);
        }
        QVERIFY(lines[2].contains(",1,\"Die, \"\"A\"\"\",901,Const high,"));
        QVERIFY(lines[3].startsWith(empty.toUtf8() + ",(Untitled),mm,1,25,7,10,,0,no_layers,"));
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
        const QString pdf = dir.filePath(QString(251, 'r') + ".pdf");
        const QString model = ExampleFiles().constFirst();
        const Run run = RunProgram(kCalc, {"--report-pdf", pdf, "--prefs", prefsPath, model});
        QCOMPARE(run.ExitCode, 0);
        QCOMPARE(run.Err, QString());
        // The PDF's fonts join "fi" and "fl" into ligatures.
        const QString page = QString::fromUtf8(RunProgram("pdftotext", {"-layout", pdf, "-"}).Out)
                                 .replace(QChar(0xFB01), "fi")
                                 .replace(QChar(0xFB02), "fl");
        const QJsonObject json = Json({model}).at(0).toObject();
        QVERIFY2(page.contains(json["model_name"].toString()), qPrintable(page));
        QVERIFY(page.contains("Ann Engineer"));
        QVERIFY(page.contains(QFileInfo(model).fileName()));
        QVERIFY(page.contains(json["layers"].toArray().at(0).toObject()["material"].toString()));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
