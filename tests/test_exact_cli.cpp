#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

#include "persistence/model_file.h"
#include "support/column_stack.h"
#include "support/file_bytes.h"
#include "support/float_compare.h"
#include "support/run_program.h"

using namespace strativex;
using namespace column_stack;
using exact_stacks::StackLayer;
using Layers = std::vector<StackLayer>;

namespace {

const QString kCalc = QStringLiteral(STRATIVEX_BIN_DIR "/strativex-calc");

// A small die on a plate and an unlimited base: heat spreads, and the estimate is off.
Model Spreading() {
    return exact_stacks::StackModel(2, 2, {{0.5f, 4, 4, kHigh}, {2.0f, 0, 0, kLow}}, 5.0f);
}

double Number(const QJsonValue& value) {
    return value.toDouble(std::nan(""));
}

QStringList CsvFields(const QString& line) {
    return line.split(QLatin1Char(','));
}

}  // namespace

class TestExactCli : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString Fixture(const QString& name) const { return dir_.filePath(name); }
    bool Plant(const QString& name, const Model& model) const {
        return WriteBytes(Fixture(name), QByteArray::fromStdString(ModelFileText(model)));
    }
    Run Calc(const QStringList& args) const {
        return RunProgram(kCalc, QStringList{"--materials", Fixture("mats")} + args);
    }
    QJsonObject JsonModel(const QString& model, bool exact = true) const {
        const QStringList flag = exact ? QStringList{"--exact"} : QStringList{};
        const Run run = Calc(flag + QStringList{"--format", "json", Fixture(model)});
        return QJsonDocument::fromJson(run.Out).array().at(0).toObject();
    }

private slots:
    void initTestCase() {
        QVERIFY2(QFile::exists(kCalc), "build strativex-calc first");
        QVERIFY(dir_.isValid() && PlantMaterials(Fixture("mats"), kMatcust));
        QVERIFY(Plant("column.mdl", Column()));
        QVERIFY(Plant("spreading.mdl", Spreading()));
        Model powerless = Spreading();
        powerless.PowerDissipation = 0.0f;
        QVERIFY(Plant("powerless.mdl", powerless));
        QVERIFY(
            Plant("overhanging.mdl",
                  exact_stacks::StackModel(6, 6, {{0.5f, 4, 4, kHigh}, {2.0f, 0, 0, kLow}}, 5.0f)));
        Model flat = Spreading();
        flat.Layers[2].Thickness = 0.0f;
        QVERIFY(Plant("flat.mdl", flat));
        QVERIFY(Plant("diverging.mdl",
                      exact_stacks::StackModel(1, 1, {{1.0f, 4, 4, kDiverging}}, 1000.0f)));
    }

    // The column's exact answer is the sum of t / (K A) of its layers.
    void columnGivesOneDimensionalSum() {
        const double lowRise = kPower * 0.05 / kLowK;  // over 1 cm2
        const double rise = kPower * kSteadyZth;
        const QJsonObject model = JsonModel("column.mdl");
        const QJsonObject exact = model["exact"].toObject();
        QCOMPARE(exact["status"].toString(), "ok");
        QVERIFY(exact["reason"].isNull() && exact["reason_layer"].isNull());
        VERIFY_NEAR(Number(exact["avg_source_temp_c"]), 25.0 + rise, 1e-3 * rise);
        VERIFY_NEAR(Number(exact["peak_source_temp_c"]), 25.0 + rise, 1e-3 * rise);
        VERIFY_NEAR(Number(exact["avg_resistance_c_per_w"]), rise / kPower, 1e-3 * rise / kPower);
        VERIFY_NEAR(Number(exact["peak_resistance_c_per_w"]), rise / kPower, 1e-3 * rise / kPower);
        // The estimate of a column is the same sum; the model's own value is printed to the
        // digits that tell its 32-bit kelvin value apart.
        VERIFY_NEAR(Number(exact["estimate_source_temp_c"]), Number(model["heat_source_temp_c"]),
                    1e-4);
        VERIFY_NEAR(Number(exact["estimate_error_percent"]), 0.0, 0.1);
        const QJsonArray layers = exact["layers"].toArray();
        QCOMPARE(layers.size(), 2);
        QCOMPARE(layers.at(1)["index"].toInt(), 2);
        VERIFY_NEAR(Number(layers.at(0)["top_temp_c"]), 25.0 + rise, 1e-3 * rise);
        VERIFY_NEAR(Number(layers.at(1)["top_temp_c"]), 25.0 + lowRise, 1e-3 * rise);
        QVERIFY(Number(layers.at(1)["top_error_k"]) >= 0.0);
        QVERIFY(exact["cells"].toInt() > 0);
        QVERIFY(exact["iterations"].toInt() >= 3);  // a step on each of the three grids
        QVERIFY(Number(exact["seconds"]) > 0.0);
        QVERIFY(Number(exact["avg_error_percent"]) < 0.1);
    }

    // Given to every layer, the angle the check reports makes the calculator's own estimate
    // meet the 3-D average.
    void equivalentAngleCalibratesTheEstimate() {
        const QJsonObject exact = JsonModel("spreading.mdl")["exact"].toObject();
        const double average = Number(exact["avg_source_temp_c"]);
        const double estimate = Number(exact["estimate_source_temp_c"]);
        VERIFY_NEAR(Number(exact["estimate_error_percent"]),
                    100.0 * (estimate - average) / (average - 25.0), 1e-9);
        QVERIFY(std::fabs(estimate - average) > 0.05 * (average - 25.0));
        Model calibrated = Spreading();
        for (int i = 1; i <= calibrated.LayerCount; ++i) {
            calibrated.Layers[i].SpreadAngle =
                static_cast<float>(Number(exact["equivalent_angle_deg"]));
        }
        QVERIFY(Plant("calibrated.mdl", calibrated));
        const QJsonObject plain = JsonModel("calibrated.mdl", false);
        QVERIFY(!plain.contains("exact"));
        VERIFY_NEAR(Number(plain["heat_source_temp_c"]), average, 2e-3);
    }

    void failuresNameTheReason_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QJsonValue>("layer");
        QTest::addColumn<QString>("reason");
        const auto row = [](const char* name, const char* model, const char* status,
                            const QJsonValue& layer, const char* reason) {
            QTest::newRow(name) << model << status << layer << reason;
        };
        row("no power", "powerless.mdl", "not_available", {},
            "power dissipation must be a positive number");
        row("layer without thickness", "flat.mdl", "not_available", 2, "Layer 2 needs a positive");
        row("runaway conductivity", "diverging.mdl", "not_converged", {},
            "found no steady temperature");
    }

    // A check without numbers says why, leaves every number null and fails the run.
    void failuresNameTheReason() {
        QFETCH(QString, model);
        QFETCH(QString, status);
        QFETCH(QJsonValue, layer);
        QFETCH(QString, reason);
        const Run run = Calc({"--exact", "--format", "json", Fixture(model)});
        QCOMPARE(run.ExitCode, 3);
        const QJsonObject exact =
            QJsonDocument::fromJson(run.Out).array().at(0)["exact"].toObject();
        QCOMPARE(exact["status"].toString(), status);
        QVERIFY2(exact["reason"].toString().contains(reason),
                 qPrintable(exact["reason"].toString()));
        QCOMPARE(exact["reason_layer"], layer);
        for (const char* key : {"avg_source_temp_c", "peak_resistance_c_per_w",
                                "equivalent_angle_deg", "cells", "seconds"}) {
            QVERIFY2(exact[key].isNull(), key);
        }
        QVERIFY(exact["layers"].toArray().at(0)["top_temp_c"].isNull());
        const Run table = Calc({"--exact", Fixture(model)});
        QCOMPARE(table.ExitCode, 3);
        QVERIFY2(table.Out.contains(reason.toUtf8()), table.Out.constData());
    }

    // The CSV columns carry the JSON values under the same names: the model's on every line,
    // each layer's on its own.
    void csvRepeatsTheJsonValues() {
        const Run run = Calc(
            {"--exact", "--format", "csv", Fixture("spreading.mdl"), Fixture("powerless.mdl")});
        QCOMPARE(run.ExitCode, 3);
        const QStringList lines = QString::fromUtf8(run.Out).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        const QStringList header = CsvFields(lines.at(0));
        const QJsonObject exact = JsonModel("spreading.mdl")["exact"].toObject();
        for (int n = 1; n <= 4; ++n) QCOMPARE(CsvFields(lines.at(n)).size(), header.size());
        const auto field = [&](int line, const QString& column) {
            return CsvFields(lines.at(line)).at(header.indexOf(column));
        };
        for (int n = 1; n <= 2; ++n) {
            QCOMPARE(field(n, "exact_status"), "ok");
            QCOMPARE(field(n, "exact_peak_source_temp_c").toDouble(),
                     Number(exact["peak_source_temp_c"]));
            QCOMPARE(field(n, "exact_equivalent_angle_deg").toDouble(),
                     Number(exact["equivalent_angle_deg"]));
            QCOMPARE(field(n, "exact_top_temp_c").toDouble(),
                     Number(exact["layers"].toArray().at(n - 1)["top_temp_c"]));
        }
        QCOMPARE(field(3, "exact_status"), "not_available");
        QCOMPARE(field(3, "exact_avg_source_temp_c"), QString());
        QVERIFY(!Calc({"--format", "csv", Fixture("column.mdl")}).Out.contains("exact_status"));
    }

    void tableShowsTheCheckBesideTheEstimate() {
        const Run run = Calc({"--exact", Fixture("spreading.mdl")});
        QCOMPARE(run.ExitCode, 0);
        const QString text = QString::fromUtf8(run.Out);
        const QJsonObject exact = JsonModel("spreading.mdl")["exact"].toObject();
        const QString angle = QString::number(Number(exact["equivalent_angle_deg"]), 'f', 2);
        for (const QString& line :
             {QStringLiteral("3-D check:\n"), "  Equivalent angle:       " + angle + " deg\n",
              QStringLiteral("% from the 3-D average"), QStringLiteral("  Layer 2 top:  "),
              QStringLiteral("  Grid:  ")}) {
            QVERIFY2(text.contains(line), qPrintable(text));
        }
    }

    // With --exact the PDF's details page gains the 3-D check, its numbers as the JSON has them.
    void reportPdfCarriesTheCheck() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is absent");
        const QString pdf = Fixture("report.pdf");
        const Run run = Calc({"--exact", "--report-pdf", pdf, Fixture("spreading.mdl")});
        QCOMPARE(run.ExitCode, 0);
        QCOMPARE(run.Err, QString());
        const QString text = QString::fromUtf8(RunProgram("pdftotext", {"-layout", pdf, "-"}).Out);
        const QJsonObject exact = JsonModel("spreading.mdl")["exact"].toObject();
        const QString average = QString::number(Number(exact["avg_source_temp_c"]), 'f', 2);
        QVERIFY2(text.contains(
                     QRegularExpression("3-D average:\\s+" + QRegularExpression::escape(average))),
                 qPrintable(text));
        QVERIFY(!Calc({"--report-pdf", pdf, Fixture("spreading.mdl")}).ExitCode);
        QVERIFY(!QString::fromUtf8(RunProgram("pdftotext", {"-layout", pdf, "-"}).Out)
                     .contains("3-D average"));
    }

    // Heated over its whole top, the column stays one-dimensional under a uniform sink: the
    // sink adds P R to every temperature, given as R or as the h it makes over 1 cm2.
    void sinkAddsItsResistanceToTheColumn_data() {
        QTest::addColumn<QStringList>("flag");
        QTest::addColumn<QString>("kind");
        QTest::newRow("sink resistance") << QStringList{"--sink-r", "0.5"} << "sink_resistance";
        QTest::newRow("heat transfer coefficient")
            << QStringList{"--base-h=20000"} << "heat_transfer";
    }

    void sinkAddsItsResistanceToTheColumn() {
        QFETCH(QStringList, flag);
        QFETCH(QString, kind);
        const double sinkR = 0.5;  // 20000 W/m2-K over 1 cm2
        const double rise = kPower * (kSteadyZth + sinkR);
        const Run run = Calc(flag + QStringList{"--format", "json", Fixture("column.mdl")});
        QCOMPARE(run.ExitCode, 0);
        const QJsonObject model = QJsonDocument::fromJson(run.Out).array().at(0).toObject();
        const QJsonObject exact = model["exact"].toObject();
        QCOMPARE(exact["status"].toString(), "ok");
        VERIFY_NEAR(Number(exact["avg_source_temp_c"]), 25.0 + rise, 1e-3 * rise);
        const QJsonObject base = exact["base"].toObject();
        QCOMPARE(base["kind"].toString(), kind);
        VERIFY_NEAR(Number(base["sink_r_k_per_w"]), sinkR, 1e-9);
        VERIFY_NEAR(Number(base["h_w_per_m2k"]), 20000.0, 1e-6);
        VERIFY_NEAR(Number(exact["estimate_with_sink_temp_c"]),
                    Number(model["heat_source_temp_c"]) + kPower * sinkR, 1e-3);
        VERIFY_NEAR(Number(exact["estimate_error_percent"]), 0.0, 0.1);
        const QString table =
            QString::fromUtf8(Calc(flag + QStringList{Fixture("column.mdl")}).Out);
        QVERIFY2(table.contains("  Base:  ") && table.contains("  Estimate + sink:  "),
                 qPrintable(table));
        const QString csv = QString::fromUtf8(
            Calc(flag + QStringList{"--format", "csv", Fixture("column.mdl")}).Out);
        QVERIFY2(csv.contains(",exact_base_kind,exact_base_h_w_per_m2k,exact_base_sink_r_k_per_w,"),
                 qPrintable(csv));
        QVERIFY(csv.contains("," + kind + ","));
    }

    void isothermalBaseIsEchoed() {
        const QJsonObject base = JsonModel("column.mdl")["exact"].toObject()["base"].toObject();
        QCOMPARE(base["kind"].toString(), "isothermal");
        QVERIFY(base["h_w_per_m2k"].isNull() && base["sink_r_k_per_w"].isNull());
    }

    void badBaseIsUsageError_data() {
        QTest::addColumn<QStringList>("flags");
        QTest::addColumn<QString>("message");
        QTest::newRow("h zero") << QStringList{"--base-h", "0"}
                                << "--base-h needs a positive number of W/m2-K, not '0'";
        QTest::newRow("h negative") << QStringList{"--base-h=-40"} << "not '-40'";
        QTest::newRow("h not a number") << QStringList{"--base-h", "abc"} << "not 'abc'";
        QTest::newRow("h with a unit") << QStringList{"--base-h", "100W"} << "not '100W'";
        QTest::newRow("R nan") << QStringList{"--sink-r", "nan"}
                               << "--sink-r needs a positive number of K/W, not 'nan'";
        QTest::newRow("R infinite") << QStringList{"--sink-r=inf"} << "not 'inf'";
        QTest::newRow("both") << QStringList{"--base-h", "100", "--sink-r", "1"}
                              << "--base-h and --sink-r exclude each other";
        QTest::newRow("no value") << QStringList{"--sink-r"} << "--sink-r needs a value";
        QTest::newRow("with a sweep")
            << QStringList{"--base-h", "100", "--sweep", "power=1:2:2"} << "cannot be used with";
    }

    void badBaseIsUsageError() {
        QFETCH(QStringList, flags);
        QFETCH(QString, message);
        const QStringList args = flags.contains("--sink-r") && flags.size() == 1
                                     ? QStringList{Fixture("column.mdl")} + flags
                                     : flags + QStringList{Fixture("column.mdl")};
        const Run run = Calc(args);
        QCOMPARE(run.ExitCode, 2);
        QVERIFY2(run.Err.contains(message), qPrintable(run.Err));
        QVERIFY(run.Out.isEmpty());
    }

    // A sink under an unlimited bottom has no area: not available, the layer named, exit 3.
    void sinkNeedsALimitedBottom() {
        const Run run = Calc({"--base-h", "500", "--format", "json", Fixture("spreading.mdl")});
        QCOMPARE(run.ExitCode, 3);
        const QJsonObject exact =
            QJsonDocument::fromJson(run.Out).array().at(0)["exact"].toObject();
        QCOMPARE(exact["status"].toString(), "not_available");
        QCOMPARE(exact["reason_layer"].toInt(), 2);
        QVERIFY(exact["reason"].toString().contains("no lateral limit"));
        QCOMPARE(Number(exact["base"].toObject()["h_w_per_m2k"]), 500.0);
    }

    // A device larger than layer 1 is heated in 3-D only where they meet: the outputs say so
    // beside the comparison, and only there.
    void clippedSourceIsStated() {
        QCOMPARE(JsonModel("overhanging.mdl")["exact"].toObject()["source_clipped"],
                 QJsonValue(true));
        QCOMPARE(JsonModel("spreading.mdl")["exact"].toObject()["source_clipped"],
                 QJsonValue(false));
        const QString table = QString::fromUtf8(Calc({"--exact", Fixture("overhanging.mdl")}).Out);
        QVERIFY2(table.contains("  Note:                   the device is larger than layer 1"),
                 qPrintable(table));
    }

    void exactIsNoSweepOption() {
        const Run run = Calc({"--exact", "--sweep", "power=1:2:2", Fixture("column.mdl")});
        QCOMPARE(run.ExitCode, 2);
        QVERIFY(run.Err.contains("--exact cannot be used with --sweep"));
    }
};

QTEST_GUILESS_MAIN(TestExactCli)
#include "test_exact_cli.moc"
