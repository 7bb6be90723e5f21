#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <sstream>

#include "persistence/model_file.h"
#include "persistence/program_folders.h"
#include "support/calc_in_process.h"
#include "support/column_stack.h"
#include "support/file_bytes.h"
#include "support/float_compare.h"
#include "support/pdf_text.h"
#include "support/rc_oracles.h"
#include "support/run_program.h"

using namespace strativex;
using namespace column_stack;

namespace {

constexpr double kHighDensity = 2330.0;
constexpr double kHighSpecificHeat = 712.0;
constexpr double kAreaCm2 = 1.0;

std::vector<double> Numbers(const QJsonValue& array) {
    std::vector<double> values;
    for (const QJsonValue& value : array.toArray()) values.push_back(value.toDouble(std::nan("")));
    return values;
}

double SumOf(const QJsonArray& stages, const char* key) {
    double sum = 0.0;
    for (const QJsonValue& stage : stages) sum += stage[key].toDouble();
    return sum;
}

// A power step into each exported subcircuit, the base grounded, until the curve's end.
QByteArray StepNetlist(const QString& subcircuits, double endTime, const QString& output) {
    const std::string power = std::to_string(kPower);
    std::ostringstream netlist;
    netlist << "* power step into the exported networks\n.include " << subcircuits.toStdString()
            << "\nX1 jf 0 column_foster\nX2 jc 0 column_cauer\nI1 0 jf DC " << power
            << "\nI2 0 jc DC " << power << "\n.options reltol=1e-5\n.tran 1e-6 " << endTime << " 0 "
            << endTime / 200 << " uic\n.control\nset wr_singlescale\noption numdgt=10\n"
            << "run\nwrdata " << output.toStdString() << " v(jf) v(jc)\nquit\n.endc\n.end\n";
    return QByteArray::fromStdString(netlist.str());
}

}  // namespace

class TestTransientCli : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    ProgramFolders folders_;
    // The column's transient, computed once: it takes seconds.
    Outcome columnRun_;
    QJsonObject column_;

    QString Fixture(const QString& name) const { return dir_.filePath(name); }
    bool Plant(const QString& name, const Model& model) const {
        return WriteBytes(Fixture(name), QByteArray::fromStdString(ModelFileText(model)));
    }

    Outcome Calc(const QStringList& args, const QString& materials = "mats") const {
        return CalcInProcess(QStringList{"--materials", Fixture(materials)} + args, folders_);
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        folders_ = ProgramFoldersFor(dir_.path().toStdString());
        QVERIFY(PlantColumnMaterials(Fixture("mats")));
        QVERIFY(PlantColumnMaterials(Fixture("badheat"), true));
        QVERIFY(Plant("column.mdl", Column()));
        QVERIFY(Plant("noheat.mdl", Column(kNoHeat)));
        columnRun_ = Calc({"--transient", "--exact", "--format", "json", "--spice",
                           Fixture("column.cir"), Fixture("column.mdl")});
        QCOMPARE(columnRun_.Status, 0);
        column_ = QJsonDocument::fromJson(columnRun_.Out).array().at(0).toObject();
    }

    // The curve's arrays go together, rise in time and cover at least ten points a decade.
    void curveIsComplete() {
        const QJsonObject transient = column_["transient"].toObject();
        QCOMPARE(transient["status"].toString(), "ok");
        QVERIFY(transient["reason"].isNull());
        const auto times = Numbers(transient["time_s"]);
        const auto average = Numbers(transient["zth_avg_k_per_w"]);
        const auto peak = Numbers(transient["zth_peak_k_per_w"]);
        QVERIFY(times.size() > 20);
        // Each curve is extrapolated from two grids on its own; in a column both are one.
        const double curveError = transient["curve_error_pct"].toDouble() / 100.0;
        QCOMPARE(average.size(), times.size());
        QCOMPARE(peak.size(), times.size());
        VERIFY_NEAR(times.front(), 1e-6, 1e-9);
        for (std::size_t i = 1; i < times.size(); ++i) {
            QVERIFY(times[i] > times[i - 1]);
            QVERIFY(peak[i] >= average[i] * (1.0 - curveError));
        }
        const double decades = std::log10(times.back() / times.front());
        QVERIFY(static_cast<double>(times.size()) >= 10.0 * decades);
        QVERIFY(transient["seconds"].toDouble() > 0.0);
    }

    // The curve ends on the column's one-dimensional resistance and on the steady 3-D check.
    void steadyEndMeetsTheSteadyCheck() {
        const QJsonObject transient = column_["transient"].toObject();
        const double end = Numbers(transient["zth_avg_k_per_w"]).back();
        VERIFY_NEAR(end, kSteadyZth, 0.005 * kSteadyZth);
        const double checked = column_["exact"].toObject()["avg_resistance_c_per_w"].toDouble();
        VERIFY_NEAR(end, checked, 0.005 * checked);
    }

    // Until the heat reaches the layer below, the column's top is the face of a half-space
    // under a uniform flux q: rise = 2 q sqrt(t / (pi rho c k)).
    void earlyRiseIsTheHalfSpaceOne() {
        const QJsonObject transient = column_["transient"].toObject();
        const auto times = Numbers(transient["time_s"]);
        const auto average = Numbers(transient["zth_avg_k_per_w"]);
        const double k = kHighK * 100.0;
        const double rhoC = kHighDensity * kHighSpecificHeat;
        const double areaM2 = kAreaCm2 * 1e-4;
        int compared = 0;
        for (std::size_t i = 0; i < times.size(); ++i) {
            if (times[i] < 1e-5 || times[i] > 1e-3) continue;
            const double halfSpace = 2.0 / areaM2 * std::sqrt(times[i] / (M_PI * rhoC * k));
            VERIFY_NEAR(average[i], halfSpace, 0.01 * halfSpace);
            ++compared;
        }
        QVERIFY(compared >= 20);
    }

    // The CSV carries the JSON's values: the status on every layer's line, the curve and the
    // networks in the table after the empty line.
    void csvRepeatsTheJsonValues() {
        const Outcome run = Calc({"--transient", "--format", "csv", Fixture("column.mdl")});
        QCOMPARE(run.Status, 0);
        const QStringList blocks = QString::fromUtf8(run.Out).split("\r\n\r\n");
        QCOMPARE(blocks.size(), 2);
        const QStringList layerLines = blocks[0].split("\r\n");
        QCOMPARE(layerLines.size(), 3);
        const QStringList header = layerLines[0].split(',');
        for (const QString& line : layerLines.mid(1)) {
            const QStringList fields = line.split(',');
            QCOMPARE(fields.size(), header.size());
            QCOMPARE(fields[header.indexOf("transient_status")], "ok");
        }
        const QJsonObject transient = column_["transient"].toObject();
        QStringList series = blocks[1].split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(series.takeFirst(),
                 "file,series,index,time_s,zth_avg_k_per_w,zth_peak_k_per_w,"
                 "r_k_per_w,c_j_per_k,tau_s");
        QMap<QString, int> counts;
        for (const QString& line : series) {
            const QStringList fields = line.split(',');
            QCOMPARE(fields.size(), 9);
            const int index = fields[2].toInt() - 1;
            ++counts[fields[1]];
            if (fields[1] == "zth") {
                QCOMPARE(fields[5].toDouble(), transient["zth_peak_k_per_w"][index].toDouble());
            } else if (fields[1] == "foster") {
                QCOMPARE(fields[8].toDouble(), transient["foster"][index]["tau_s"].toDouble());
            }
        }
        QCOMPARE(counts["zth"], transient["time_s"].toArray().size());
        QCOMPARE(counts["foster"], transient["foster"].toArray().size());
        QCOMPARE(counts["cauer"], transient["cauer"].toArray().size());
        QCOMPARE(counts["structure_function"], transient["cauer"].toArray().size());
    }

    // The table stays short: a point a decade and the networks, not the whole curve.
    void tableShowsNetworksBriefly() {
        const Outcome run = Calc({"--transient", "--stages", "2", Fixture("column.mdl")});
        QCOMPARE(run.Status, 0);
        const QString text = QString::fromUtf8(run.Out);
        const QString transient = text.mid(text.indexOf("Transient:"));
        QVERIFY2(transient.contains("Networks (junction first)"), qPrintable(text));
        QVERIFY(transient.count('\n') < 25);
    }

    // Asked for one stage, the fit gives one, and still the whole resistance.
    void stagesBoundTheNetwork() {
        const Outcome run =
            Calc({"--transient", "--stages", "1", "--format", "json", Fixture("column.mdl")});
        QCOMPARE(run.Status, 0);
        const QJsonObject transient =
            QJsonDocument::fromJson(run.Out).array().at(0)["transient"].toObject();
        QCOMPARE(transient["foster"].toArray().size(), 1);
        QCOMPARE(transient["cauer"].toArray().size(), 1);
        const double zthEnd = Numbers(transient["zth_peak_k_per_w"]).back();
        VERIFY_NEAR(SumOf(transient["foster"].toArray(), "r_k_per_w"), zthEnd,
                    transient["fit_error_pct"].toDouble() / 100.0 * zthEnd);
    }

    // A heat sink spread evenly under the column adds its resistance in series.
    void sinkAddsInSeries() {
        constexpr double kSink = 0.2;
        const Outcome run = Calc({"--transient", "--sink-r", QString::number(kSink), "--format",
                                  "json", Fixture("column.mdl")});
        QCOMPARE(run.Status, 0);
        const QJsonObject transient =
            QJsonDocument::fromJson(run.Out).array().at(0)["transient"].toObject();
        QCOMPARE(transient["status"].toString(), "ok");
        const double expected = kSteadyZth + kSink;
        VERIFY_NEAR(Numbers(transient["zth_avg_k_per_w"]).back(), expected, 0.005 * expected);
    }

    // Both networks are the same impedance: their resistances add up to Zth(inf) within the
    // fit's error, the ladder's capacitance to the structure function's end.
    void networksSumToTheSteadyImpedance() {
        const QJsonObject transient = column_["transient"].toObject();
        const double zthEnd = Numbers(transient["zth_peak_k_per_w"]).back();
        const double fitError = transient["fit_error_pct"].toDouble();
        QVERIFY(fitError < 1.0);
        const QJsonArray foster = transient["foster"].toArray();
        const QJsonArray cauer = transient["cauer"].toArray();
        QCOMPARE(transient["stages"].toInt(), foster.size());
        QVERIFY(foster.size() >= 1 && foster.size() <= 12);
        QCOMPARE(cauer.size(), foster.size());
        const double tolerance = (fitError + 0.1) / 100.0 * zthEnd;
        VERIFY_NEAR(SumOf(foster, "r_k_per_w"), zthEnd, tolerance);
        VERIFY_NEAR(SumOf(cauer, "r_k_per_w"), zthEnd, tolerance);
        for (const QJsonValue& stage : foster) {
            VERIFY_NEAR(stage["tau_s"].toDouble(),
                        stage["r_k_per_w"].toDouble() * stage["c_j_per_k"].toDouble(),
                        1e-9 * stage["tau_s"].toDouble());
        }
        const QJsonObject structure = transient["structure_function"].toObject();
        const auto r = Numbers(structure["r_k_per_w"]);
        const auto c = Numbers(structure["c_j_per_k"]);
        QCOMPARE(r.size(), static_cast<std::size_t>(cauer.size()));
        QCOMPARE(c.size(), r.size());
        VERIFY_NEAR(r.back(), SumOf(cauer, "r_k_per_w"), 1e-9 * zthEnd);
        VERIFY_NEAR(c.back(), SumOf(cauer, "c_j_per_k"), 1e-9 * c.back());
        for (std::size_t i = 1; i < r.size(); ++i) QVERIFY(r[i] > r[i - 1] && c[i] > c[i - 1]);
    }

    // The exported networks, run in the circuit simulator under a step of the model's power,
    // rise as the computed peak curve does.
    void exportedNetworksReproduceTheCurve() {
        const QByteArray cir = ReadBytes(Fixture("column.cir"));
        QVERIFY(cir.contains(".subckt column_foster junction base"));
        QVERIFY(cir.contains(".subckt column_cauer junction base"));
        const QString ngspice = QStandardPaths::findExecutable(QStringLiteral("ngspice"));
        if (ngspice.isEmpty()) {
            QSKIP("ngspice is not installed (scripts/setup installs it); the netlist is not run");
        }
        const QJsonObject transient = column_["transient"].toObject();
        const auto times = Numbers(transient["time_s"]);
        const auto peak = Numbers(transient["zth_peak_k_per_w"]);
        const QString output = Fixture("step.txt");
        QVERIFY(WriteBytes(Fixture("step.cir"),
                           StepNetlist(Fixture("column.cir"), times.back(), output)));
        QProcess run;
        run.start(ngspice, {QStringLiteral("-b"), Fixture("step.cir")});
        QVERIFY(run.waitForFinished(50000));
        QVERIFY2(run.exitCode() == 0, run.readAllStandardError().constData());
        const double tolerance =
            (transient["fit_error_pct"].toDouble() + 1.0) / 100.0 * peak.back() * kPower;
        int compared = 0;
        for (const QByteArray& line : ReadBytes(output).split('\n')) {
            const QList<QByteArray> columns = line.simplified().split(' ');
            if (columns.size() < 3) continue;
            const double t = columns[0].toDouble();
            if (t < times.front()) continue;
            const double expected = kPower * rc_oracles::AtLogTime(times, peak, t);
            VERIFY_NEAR(columns[1].toDouble(), expected, tolerance);
            VERIFY_NEAR(columns[2].toDouble(), expected, tolerance);
            ++compared;
        }
        QVERIFY(compared > 50);
    }

    void badInputIsNamed_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("materials");
        QTest::addColumn<QStringList>("named");
        const QString model = Fixture("column.mdl");
        const auto row = [](const char* name, const QStringList& args, const QStringList& named,
                            const char* materials = "mats") {
            QTest::newRow(name) << args << materials << named;
        };
        row("no stages", {"--transient", "--stages", "0", model}, {"--stages", "'0'", "1 to 12"});
        row("too many stages", {"--transient", "--stages=13", model}, {"'13'"});
        row("stages not a number", {"--transient", "--stages", "four", model}, {"'four'"});
        row("fractional stages", {"--transient", "--stages", "2.5", model}, {"'2.5'"});
        row("spice without transient", {"--spice", Fixture("none.cir"), model},
            {"--spice needs --transient"});
        row("stages without transient", {"--stages", "3", model}, {"--stages needs --transient"});
        row("material without heat capacity", {"--transient", Fixture("noheat.mdl")},
            {"layer 2", "material 904", "No heat", Fixture("mats/matheat.csv")});
        row("malformed heat capacity file", {"--transient", model},
            {"matheat.csv line 4", "specific_heat_j_per_kg_k", "'-460'"}, "badheat");
    }

    // A usage error or a missing heat capacity is named, fails the run as a usage error and
    // leaves nothing written: no transient rests on a guess.
    void badInputIsNamed() {
        QFETCH(QStringList, args);
        QFETCH(QString, materials);
        QFETCH(QStringList, named);
        const Outcome run = Calc(args, materials);
        QCOMPARE(run.Status, 2);
        for (const QString& part : named) QVERIFY2(run.Err.contains(part), qPrintable(run.Err));
        QVERIFY(!QFile::exists(Fixture("none.cir")));
        const QJsonArray models = QJsonDocument::fromJson(run.Out).array();
        for (const QJsonValue& model : models) {
            QVERIFY(model["transient"]["time_s"].toArray().isEmpty());
        }
    }

    // The JSON of a model without heat capacity says why, with every number left out.
    void missingHeatCapacityIsNotAvailable() {
        const Outcome run = Calc({"--transient", "--format", "json", Fixture("noheat.mdl")});
        QCOMPARE(run.Status, 2);
        const QJsonObject transient =
            QJsonDocument::fromJson(run.Out).array().at(0)["transient"].toObject();
        QCOMPARE(transient["status"].toString(), "not_available");
        QVERIFY(transient["reason"].toString().contains("No heat"));
        QVERIFY(transient["fit_error_pct"].isNull());
        QVERIFY(transient["foster"].toArray().isEmpty());
    }

    // The report's details page gains the transient with --transient, its networks as the JSON
    // of the same run has them at the digits printed; without it, the page has no transient.
    void reportPdfCarriesTheTransient() {
        if (!HasPopplerTools()) QSKIP("pdftotext (poppler-utils) is not installed");
        const QString calc = QStringLiteral(STRATIVEX_BIN_DIR "/strativex-calc");
        const QString pdf = Fixture("report.pdf");
        const QStringList args{"--materials", Fixture("mats"), "--report-pdf", pdf};
        const Run run = RunProgram(
            calc, args + QStringList{"--transient", "--format", "json", Fixture("column.mdl")});
        QCOMPARE(run.ExitCode, 0);
        QCOMPARE(run.Err, QString());
        const QJsonObject transient =
            QJsonDocument::fromJson(run.Out).array().at(0)["transient"].toObject();
        const QJsonObject foster = transient["foster"].toArray().at(0).toObject();
        const QJsonObject cauer = transient["cauer"].toArray().at(0).toObject();
        QStringList cells{"1"};
        for (const QJsonValue& value : {foster["r_k_per_w"], foster["c_j_per_k"], foster["tau_s"],
                                        cauer["r_k_per_w"], cauer["c_j_per_k"]}) {
            cells << QRegularExpression::escape(QString::number(value.toDouble(), 'g', 4));
        }
        const QRegularExpression firstStage("\\n\\s*" + cells.join("\\s+") + "\\s*\\n");
        const QString text = QString::fromUtf8(RunProgram("pdftotext", {"-layout", pdf, "-"}).Out);
        QVERIFY2(text.contains(QRegularExpression("\\n\\s*Transient\\s*\\n")), qPrintable(text));
        QVERIFY2(text.contains(firstStage), qPrintable(firstStage.pattern() + "\n" + text));

        QCOMPARE(RunProgram(calc, args + QStringList{Fixture("column.mdl")}).ExitCode, 0);
        QVERIFY(!PdfText(pdf).contains(QStringLiteral("Foster")));
    }

    // The networks are never written over a file the run reads.
    void spiceNeverOverwritesAnInput() {
        const QByteArray before = ReadBytes(Fixture("column.mdl"));
        const Outcome run =
            Calc({"--transient", "--spice", Fixture("column.mdl"), Fixture("column.mdl")});
        QCOMPARE(run.Status, 1);
        QVERIFY2(run.Err.contains("refusing"), qPrintable(run.Err));
        QCOMPARE(ReadBytes(Fixture("column.mdl")), before);
    }
};

QTEST_GUILESS_MAIN(TestTransientCli)
#include "test_transient_cli.moc"
