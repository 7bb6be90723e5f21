#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include "core/material_loader.h"
#include "core/sweep.h"
#include "persistence/model_file.h"
#include "support/file_bytes.h"
#include "support/material_folders.h"
#include "support/run_program.h"
#include "support/sweep_fixtures.h"

using namespace strativex;
using namespace strativex::testing;

namespace {

const QString kCalc = QStringLiteral(STRATIVEX_BIN_DIR "/strativex-calc");

// The fixture's materials as custom records, clear of the standard ids; the solder's name
// needs quoting in CSV.
constexpr std::int16_t kCustomOffset = 900;
constexpr const char* kMatcust =
    "901,\"Copper\",3.9,0\r\n902,\"Solder, eutectic\",.5,0\r\n903,\"Falling\",450,-1\r\n"
    "904,\"Diverging\",1000000,-3\r\n";

Model CustomIds(Model model) {
    for (int i = 1; i <= model.LayerCount; ++i) model.Layers[i].MaterialId += kCustomOffset;
    return model;
}

// The solder layer without a material (id 0), as a file may hold it.
Model WithoutSolder() {
    Model model = CustomIds(DieOnCopper());
    model.Layers[2].MaterialId = 0;
    return model;
}

Model Diverging() {
    Model model = DieOnCopper();
    model.Layers[2] = SweepLayer(kDivergingId, 1.0f, 0.0f);
    return CustomIds(model);
}

QJsonObject JsonOf(const Run& run) {
    return QJsonDocument::fromJson(run.Out).object();
}

}  // namespace

Q_DECLARE_METATYPE(SweepRequest)

class TestSweepCli : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    MaterialTable table_;

    QString Fixture(const QString& name) const { return dir_.filePath(name); }
    Run Calc(const QStringList& args, const QString& model = "die.mdl") const {
        return RunProgram(kCalc, QStringList{"--materials", Fixture("mats")} + args +
                                     QStringList{Fixture(model)});
    }
    Model Loaded(const QString& name) const {
        Model model;
        LoadModelFile(model, table_, ModelDefaults{}, Fixture(name).toStdString());
        return model;
    }

private slots:
    void initTestCase() {
        QVERIFY2(QFile::exists(kCalc), "build strativex-calc first");
        QVERIFY(dir_.isValid() && PlantMaterials(Fixture("mats"), kMatcust));
        const MaterialLoadOutcome loaded =
            LoadMaterials(table_, MaterialPathsIn(Fixture("mats").toStdString()), std::nullopt);
        QCOMPARE(loaded.Result, MaterialLoadOutcome::Kind::Loaded);
        for (const auto& [name, model] : {std::pair("die.mdl", CustomIds(DieOnCopper())),
                                          std::pair("diverging.mdl", Diverging()),
                                          std::pair("no-solder.mdl", WithoutSolder())}) {
            QVERIFY(WriteBytes(Fixture(name), QByteArray::fromStdString(ModelFileText(model))));
        }
    }

    void jsonPointsAreTheEngines_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<SweepRequest>("request");
        QTest::addColumn<QString>("column");
        using Q = QuantityId;
        const auto log = SweepSpacing::Logarithmic;
        QTest::newRow("power") << QStringList{"--sweep", "power=0.5:500:7", "--log"}
                               << SweepRequest{Q::Power, 0, 0.5, 500, 7, log, {}} << "power_w";
        QTest::newRow("thickness")
            << QStringList{"--sweep=thickness=0.01:0.2:5", "--layer=2"}
            << SweepRequest{Q::Thickness, 2, 0.01, 0.2, 5, {}, {}} << "layer_2_thickness_mm";
        QTest::newRow("angle") << QStringList{"--layer", "3", "--sweep", "angle=45:0:4"}
                               << SweepRequest{Q::SpreadAngle, 3, 45, 0, 4, {}, {}}
                               << "layer_3_spread_angle_deg";
        QTest::newRow("material") << QStringList{"--sweep", "material=903,901,902", "--layer", "1"}
                                  << SweepRequest{Q::Material, 1, 0, 0, 0, {}, {903, 901, 902}}
                                  << "layer_1_material_id";
    }

    // What a script reads is the engine's own numbers, to the last bit, under stable names.
    void jsonPointsAreTheEngines() {
        QFETCH(QStringList, args);
        QFETCH(SweepRequest, request);
        QFETCH(QString, column);
        const Run run = Calc(QStringList{"--format", "json"} + args);
        QCOMPARE(run.ExitCode, 0);
        QCOMPARE(run.Err, QString());
        const QJsonObject json = JsonOf(run);
        const Model model = Loaded("die.mdl");
        const auto sweep = RunSweep(model, table_, request);
        QVERIFY(sweep);
        QCOMPARE(json["swept_column"].toString(), column);
        QCOMPARE(json["units"].toString(), "mm");
        QCOMPARE(static_cast<float>(json["model_value"].toDouble()), sweep->ModelValue);
        const QJsonArray points = json["points"].toArray();
        QCOMPARE(points.size(), static_cast<qsizetype>(sweep->Points.size()));
        for (qsizetype p = 0; p < points.size(); ++p) {
            const QJsonObject point = points.at(p).toObject();
            const SweepPoint& expected = sweep->Points[static_cast<std::size_t>(p)];
            QCOMPARE(static_cast<float>(point[column].toDouble()), expected.Value);
            // Temperatures read back through the kelvin offset to the value the engine stored.
            QCOMPARE(static_cast<float>(point["heat_source_temp_c"].toDouble() + 273.16),
                     expected.Layers[0].TopTempK);
            QCOMPARE(static_cast<float>(point["total_resistance_c_per_w"].toDouble()),
                     *expected.TotalResistance);
            QCOMPARE(point["status"].toString(), "ok");
            QVERIFY(point["failed_layer"].isNull());
            for (int i = 1; i <= model.LayerCount; ++i) {
                const double top = point[QString("layer_%1_top_temp_c").arg(i)].toDouble();
                QCOMPARE(static_cast<float>(top + 273.16), expected.Layers[i - 1].TopTempK);
            }
        }
    }

    // The CSV has the JSON's names in its header and the same text in its fields.
    void csvCarriesTheJsonValues() {
        const QStringList sweep{"--sweep", "material=902,901", "--layer", "2"};
        const QJsonArray points =
            JsonOf(Calc(QStringList{"--format", "json"} + sweep))["points"].toArray();
        const Run run = Calc(QStringList{"--format", "csv"} + sweep);
        QCOMPARE(run.ExitCode, 0);
        QList<QByteArray> lines = run.Out.split('\n');
        QCOMPARE(lines.takeLast(), QByteArray());
        QCOMPARE(lines.size(), 1 + points.size());
        for (QByteArray& line : lines) {
            QVERIFY(line.endsWith('\r'));
            line.chop(1);
        }
        QVERIFY(lines[1].contains(",\"Solder, eutectic\","));
        const QList<QByteArray> header = lines[0].split(',');
        QCOMPARE(header.size(), points.at(0).toObject().size());
        const QList<QByteArray> second = lines[2].split(',');
        for (qsizetype c = 0; c < header.size(); ++c) {
            const QJsonValue value = points.at(1)[QString::fromUtf8(header[c])];
            QVERIFY2(!value.isUndefined(), header[c].constData());
            const QString field = QString::fromUtf8(second[c]);
            if (value.isString()) {
                QCOMPARE(field, value.toString());
            } else {
                QCOMPARE(field.isEmpty(), value.isNull());
                QVERIFY(value.isNull() || field.toDouble() == value.toDouble());
            }
        }
    }

    // Past the power where the iteration diverges, every point is a gap that says why, and the
    // run does not pass for a success.
    void gapsSayWhy() {
        const QStringList sweep{"--sweep", "power=1:1000:10", "--log"};
        const Run json = Calc(QStringList{"--format", "json"} + sweep, "diverging.mdl");
        QCOMPARE(json.ExitCode, 3);
        const QJsonArray points = JsonOf(json)["points"].toArray();
        QCOMPARE(points.first()["status"].toString(), "ok");
        const QJsonObject last = points.last().toObject();
        QCOMPARE(last["status"].toString(), "no_convergence");
        QCOMPARE(last["failed_layer"].toInt(), 2);
        QVERIFY(last["heat_source_temp_c"].isNull() && last["total_resistance_c_per_w"].isNull());
        QVERIFY(last["layer_2_top_temp_c"].isNull());
        QVERIFY(last["layer_3_top_temp_c"].isDouble());

        const Run table = Calc(sweep, "diverging.mdl");
        QCOMPARE(table.ExitCode, 3);
        QVERIFY2(table.Out.contains("Sweep:       power, 1 to 1000 W, 10 points, logarithmic\n"),
                 table.Out.constData());
        QVERIFY(table.Out.contains("n/a  layer 2: no result"));
        QVERIFY(table.Out.contains("Model value: 20 W\n"));
    }

    // A layer without material gives no point a result, as it gives the single calculation none.
    void layerWithoutMaterialIsNoResult() {
        const Run run =
            Calc({"--format", "json", "--sweep", "power=1:10:3"}, QStringLiteral("no-solder.mdl"));
        QCOMPARE(run.ExitCode, 3);
        for (const auto point : JsonOf(run)["points"].toArray()) {
            const QJsonObject fields = point.toObject();
            QCOMPARE(fields["status"].toString(), "missing_material");
            QCOMPARE(fields["failed_layer"].toInt(), 2);
            QVERIFY(fields["heat_source_temp_c"].isNull());
            QVERIFY(fields["layer_3_top_temp_c"].isDouble());
        }
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("error");
        const auto row = [](const char* name, const QStringList& args, const QString& error,
                            const QString& model = "die.mdl", int status = 2) {
            QTest::newRow(name) << args << model << status << error;
        };
        row("unknown quantity", {"--sweep", "voltage=1:2:3"},
            "unknown sweep quantity 'voltage' (power, isothermal, device_width, device_length, "
            "thickness, width, length, angle, material)");
        row("no values", {"--sweep", "power"}, "--sweep needs QUANTITY=FROM:TO:STEPS");
        row("two of three", {"--sweep", "power=1:2"},
            "--sweep power needs FROM:TO:STEPS, not '1:2'");
        row("not a number", {"--sweep", "power=1:x:3"}, "'x' is not a number");
        row("fractional steps", {"--sweep", "power=1:2:2.5"},
            "STEPS is a whole number of points, not '2.5'");
        row("a billion steps", {"--sweep", "power=1:2:1e9"}, "a sweep takes at most 10000 points");
        row("layer missing", {"--sweep", "thickness=1:2:3"}, "--sweep thickness needs --layer N");
        row("layer not taken", {"--sweep", "power=1:2:3", "--layer", "1"},
            "--sweep power takes no --layer");
        row("layer not a number", {"--sweep", "angle=1:2:3", "--layer", "top"},
            "--layer takes a layer number, not 'top'");
        row("layer past the stack", {"--sweep", "angle=1:2:3", "--layer", "9"},
            "die.mdl: layer 9 does not exist: the model has 3 layers");
        row("power out of range", {"--sweep", "power=10:2000:3"},
            "power 2000 W is outside the accepted 0.0001 to 1000 W");
        row("material not a number", {"--sweep", "material=901,Cu", "--layer", "1"},
            "a material id is a whole number, not 'Cu'");
        row("log without a sweep", {"--log"}, "--layer and --log are only used with --sweep");
        row("with the report", {"--sweep", "power=1:2:3", "--report-pdf", "r.pdf"},
            "--sweep and --report-pdf cannot be combined");
        row("two models", {"--sweep", "power=1:2:3", Fixture("die.mdl")},
            "--sweep takes exactly one model file\nusage:");
        row("missing model", {"--sweep", "power=1:2:3"}, "Model not loaded.", "absent.mdl", 1);
    }

    // A bad sweep is refused with its reason before anything is printed as a result. The
    // engine's own refusals are its test's; one row shows they reach the user.
    void usageErrors() {
        QFETCH(QStringList, args);
        QFETCH(QString, model);
        QFETCH(int, status);
        QFETCH(QString, error);
        const Run run = Calc(args, model);
        QCOMPARE(run.ExitCode, status);
        QVERIFY2(run.Err.contains(error), qPrintable(run.Err));
        QCOMPARE(run.Out, QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestSweepCli)
#include "test_sweep_cli.moc"
