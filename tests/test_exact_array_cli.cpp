#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

#include "persistence/model_file.h"
#include "support/exact_stacks.h"
#include "support/file_bytes.h"
#include "support/float_compare.h"
#include "support/material_folders.h"
#include "support/run_program.h"

using namespace strativex;

namespace {

const QString kCalc = QStringLiteral(STRATIVEX_BIN_DIR "/strativex-calc");
constexpr const char* kMatcust = "901,\"Const high\",1.5,0\r\n";
constexpr std::int16_t kHigh = 901;

// A 2 mm die on a 10 mm plate: room for a few of them side by side.
Model Plate() {
    return exact_stacks::StackModel(2, 2, {{1.0f, 10, 10, kHigh}}, 4.0f);
}

double Number(const QJsonValue& value) {
    return value.toDouble(std::nan(""));
}

// The value of `column` on the first data line of a CSV report.
QString CsvValue(const QByteArray& csv, const QString& column) {
    const QStringList lines = QString::fromUtf8(csv).split(QStringLiteral("\r\n"));
    const qsizetype at = lines.value(0).split(',').indexOf(column);
    return at < 0 ? QStringLiteral("<no column>") : lines.value(1).split(',').value(at);
}

}  // namespace

class TestExactArrayCli : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString Fixture(const QString& name) const { return dir_.filePath(name); }
    Run Calc(const QStringList& args) const {
        return RunProgram(kCalc, QStringList{"--materials", Fixture("mats")} + args);
    }

private slots:
    void initTestCase() {
        QVERIFY2(QFile::exists(kCalc), "build strativex-calc first");
        QVERIFY(dir_.isValid() && PlantMaterials(Fixture("mats"), kMatcust));
        QVERIFY(
            WriteBytes(Fixture("plate.mdl"), QByteArray::fromStdString(ModelFileText(Plate()))));
    }

    // Every source with its centre, the hottest with its coupling, and the array as given; the
    // source temperatures of the model are the hottest's.
    void arrayIsReported() {
        const QStringList array{"--sources", "2x1", "--pitch", "4,3"};
        const Run run = Calc(array + QStringList{"--format", "json", Fixture("plate.mdl")});
        QCOMPARE(run.ExitCode, 0);
        const QJsonObject exact =
            QJsonDocument::fromJson(run.Out).array().at(0)["exact"].toObject();
        QCOMPARE(exact["status"].toString(), "ok");
        const QJsonObject given = exact["array"].toObject();
        QCOMPARE(given["count_x"].toInt(), 2);
        QCOMPARE(given["count_y"].toInt(), 1);
        QCOMPARE(Number(given["pitch_x"]), 4.0);
        QVERIFY(given["pitch_y"].isNull());
        const QJsonArray sources = exact["sources"].toArray();
        QCOMPARE(sources.size(), 2);
        QCOMPARE(Number(sources[0]["x"]), -2.0);
        QCOMPARE(Number(sources[1]["x"]), 2.0);
        QCOMPARE(Number(sources[0]["y"]), 0.0);
        // Mirror images of each other.
        VERIFY_NEAR(Number(sources[0]["average_c"]), Number(sources[1]["average_c"]), 1e-9);
        QVERIFY(Number(sources[0]["peak_c"]) > Number(sources[0]["average_c"]));
        const QJsonObject hottest = exact["hottest"].toObject();
        QCOMPARE(Number(hottest["average_c"]), Number(exact["avg_source_temp_c"]));
        QCOMPARE(Number(hottest["peak_c"]), Number(exact["peak_source_temp_c"]));
        QVERIFY(Number(hottest["coupling"]) > 1.0 && Number(hottest["coupling"]) < 2.0);
        // The estimate knows one source: nothing to compare.
        QVERIFY(exact["estimate_error_percent"].isNull());

        const Run csv = Calc(array + QStringList{"--format", "csv", Fixture("plate.mdl")});
        QCOMPARE(csv.ExitCode, 0);
        QCOMPARE(CsvValue(csv.Out, "exact_array_count_x"), "2");
        QCOMPARE(CsvValue(csv.Out, "exact_array_pitch_x"), "4");
        QCOMPARE(CsvValue(csv.Out, "exact_hottest_coupling").toDouble(),
                 Number(hottest["coupling"]));
        const QString table =
            QString::fromUtf8(Calc(array + QStringList{Fixture("plate.mdl")}).Out);
        for (const char* line : {"  Sources:                2 x 1 sources at 4 x 3 mm pitch",
                                 "  Coupling:               ", "  Source (-2, 0) mm:      ",
                                 "  Estimate:               not compared"}) {
            QVERIFY2(table.contains(QLatin1String(line)), qPrintable(table));
        }
    }

    // One device is the single source at the centre, with no coupling.
    void singleDeviceIsTheOneSource() {
        const Run run = Calc({"--exact", "--format", "json", Fixture("plate.mdl")});
        QCOMPARE(run.ExitCode, 0);
        const QJsonObject exact =
            QJsonDocument::fromJson(run.Out).array().at(0)["exact"].toObject();
        const QJsonArray sources = exact["sources"].toArray();
        QCOMPARE(sources.size(), 1);
        QCOMPARE(Number(sources[0]["average_c"]), Number(exact["avg_source_temp_c"]));
        QVERIFY(exact["hottest"].toObject()["coupling"].isNull());
        QVERIFY(exact["array"].toObject()["pitch_x"].isNull());
    }

    void badArrayIsUsageError_data() {
        QTest::addColumn<QStringList>("flags");
        QTest::addColumn<QString>("message");
        const QString count = "--sources needs NXxNY, whole numbers from 1 to 32 (such as 2x3)";
        const auto row = [](const char* name, const QStringList& flags, const QString& message) {
            QTest::newRow(name) << flags << message;
        };
        const QStringList pitch{"--pitch", "3,3"};
        row("no sources", QStringList{"--sources", "0x2"} + pitch, count + ", not '0x2'");
        row("one count", QStringList{"--sources", "2"} + pitch, "not '2'");
        row("not whole", QStringList{"--sources", "2.5x2"} + pitch, "not '2.5x2'");
        row("negative", QStringList{"--sources=2x-1"} + pitch, "not '2x-1'");
        row("too many", QStringList{"--sources", "33x1"} + pitch, "not '33x1'");
        row("no pitch", {"--sources", "2x2"}, "--sources needs --pitch PX,PY");
        row("pitch alone", pitch, "--pitch needs --sources");
        row("one pitch", {"--sources", "2x2", "--pitch", "3"},
            "--pitch needs PX,PY, two positive lengths");
        row("zero pitch", {"--sources", "2x2", "--pitch", "0,3"}, "not '0,3'");
        row("pitch not a number", {"--sources", "2x2", "--pitch", "abc,3"}, "not 'abc,3'");
        row("twice", {"--sources", "2x2", "--sources", "3x3"}, "--sources was given twice");
        row("with a sweep", QStringList{"--sources", "2x1", "--sweep", "power=1:2:2"} + pitch,
            "--sources and --pitch cannot be used with --sweep");
    }

    void badArrayIsUsageError() {
        QFETCH(QStringList, flags);
        QFETCH(QString, message);
        const Run run = Calc(flags + QStringList{Fixture("plate.mdl")});
        QCOMPARE(run.ExitCode, 2);
        QVERIFY2(run.Err.contains(message.toUtf8()), qPrintable(run.Err));
        QVERIFY(run.Out.isEmpty());
    }

    // An array the model cannot hold is named against the model's sizes; nothing is computed.
    void arrayNotFittingTheModelIsRefused_data() {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("pitch");
        QTest::addColumn<QString>("message");
        QTest::newRow("overlapping") << QString("2x1") << QString("1.5,3")
                                     << "The pitch along the width, 1.5 mm, is smaller than the "
                                        "device width, 2 mm: neighbouring sources would overlap.";
        QTest::newRow("larger than layer 1")
            << QString("1x4") << QString("3,3")
            << "The array is 11 mm along the length, longer than layer 1 (10 mm).";
    }

    void arrayNotFittingTheModelIsRefused() {
        QFETCH(QString, count);
        QFETCH(QString, pitch);
        QFETCH(QString, message);
        const Run run =
            Calc({"--sources", count, "--pitch", pitch, "--format", "json", Fixture("plate.mdl")});
        QCOMPARE(run.ExitCode, 2);
        QVERIFY2(run.Err.contains(message.toUtf8()), qPrintable(run.Err));
        const QJsonObject exact =
            QJsonDocument::fromJson(run.Out).array().at(0)["exact"].toObject();
        QCOMPARE(exact["status"].toString(), "not_available");
        QVERIFY(exact["sources"].toArray().isEmpty() && exact["avg_source_temp_c"].isNull());
    }
};

QTEST_GUILESS_MAIN(TestExactArrayCli)
#include "test_exact_array_cli.moc"
