#include <QtTest>

#include <cmath>
#include <fstream>
#include <sstream>

#include "core/material_loader.h"
#include "core/number_conversion.h"
#include "support/file_bytes.h"
#include "support/float_compare.h"
#include "tools/matprops/materials_csv.h"
#include "tools/matprops/matprops_command.h"
#include "tools/matprops/standard_file.h"

using namespace strativex;
using namespace strativex::matprops;

namespace {

const std::string kShippedTable =
    std::string(STRATIVEX_SOURCE_DIR) + "/resources/materials/standard-materials.csv";
const QByteArray kHeader = "id,name,A,B,source\n";

struct RunResult {
    int Status = 0;
    std::string Out;
    std::string Err;
};

RunResult Run(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunMatprops(args, out, err);
    return {status, out.str(), err.str()};
}

void Write(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

QByteArray Table(int count) {
    QByteArray table = kHeader;
    for (int id = 1; id <= count; ++id) table += QByteArray::number(id) + ",M,1.5,0,x\n";
    return table;
}

std::vector<MaterialRow> ShippedRows() {
    const auto content = FileText(kShippedTable);
    return content ? ReadMaterialsCsv(*content, kShippedTable).Rows : std::vector<MaterialRow>{};
}

// Only the standard file: an empty custom path never opens.
bool Load(MaterialTable& table, const std::string& standardPath) {
    const auto outcome = LoadMaterials(table, {standardPath, ""}, std::nullopt);
    return outcome.Result == MaterialLoadOutcome::Kind::Loaded;
}

}  // namespace

class TestMatpropsTool : public QObject {
    Q_OBJECT

private slots:
    void shippedTableRoundTrip() {
        const auto rows = ShippedRows();
        QVERIFY(!rows.empty());
        QTemporaryDir dir;
        const std::string dat = dir.filePath("matprops.dat").toStdString();
        QCOMPARE(Run({"encode", kShippedTable, dat}).Status, kExitOk);

        const std::string file = *FileText(dat);
        QCOMPARE(file.substr(file.size() - 2), std::string("\r\n"));
        QCOMPARE(QByteArray::fromStdString(file).count("\r\n"), static_cast<int>(rows.size()) + 1);
        QCOMPARE(QByteArray::fromStdString(file).count('\n'), static_cast<int>(rows.size()) + 1);
        MaterialTable table;
        QVERIFY(Load(table, dat));
        QCOMPARE(table.FirstCustomIndex - 1, static_cast<int>(rows.size()));
        std::string listing = "id,name,A,B\n";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const Material& loaded = table.Materials[i + 1];
            QCOMPARE(loaded.Id, *ParseInt16(rows[i].Id));
            QCOMPARE(loaded.Name, rows[i].Name);
            COMPARE_FLOAT(loaded.A, *ParseSingle(rows[i].A));
            COMPARE_FLOAT(loaded.B, *ParseSingle(rows[i].B));
            listing += rows[i].Id + "," + rows[i].Name + "," + rows[i].A + "," + rows[i].B + "\n";
        }
        // The table keeps its numbers in the shortest text that reads back exactly, so decoding
        // gives back its first four columns character for character.
        QCOMPARE(Run({"decode", dat}).Out, listing);
        // And what decode prints encodes back to the very same file.
        const std::string again = dir.filePath("again.dat").toStdString();
        Write(dir.filePath("decoded.csv").toStdString(), listing);
        QCOMPARE(Run({"encode", dir.filePath("decoded.csv").toStdString(), again}).Status, kExitOk);
        QCOMPARE(*FileText(again), file);
    }

    // A coefficient typed in W/m-K, or an exponent with the wrong sign, shows as a conductivity
    // at room temperature that no solid or fluid has.
    void shippedConductivitiesArePlausible() {
        for (const MaterialRow& row : ShippedRows()) {
            const double k300 = *ParseSingle(row.A) * std::pow(300.0, *ParseSingle(row.B));
            QVERIFY2(k300 > 1e-4 && k300 < 25.0, row.Name.c_str());
            QVERIFY2(std::abs(*ParseSingle(row.B)) < 2.0, row.Name.c_str());
        }
    }

    void refusesBadTable_data() {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("fault");
        const auto row = [](const char* name, const QByteArray& table, int line,
                            const char* fault) {
            QTest::newRow(name) << table << line << QString(fault);
        };
        row("tilde in name", kHeader + "1,Si,1,0,x\n2,Ge~x,1,0,x\n", 3, "name contains '~'");
        row("quote in name", kHeader + "1,\"Si \"\"n\"\"\",1,0,x\n", 2, "name contains '\"'");
        row("non-ASCII name", kHeader + "1,Cu\xC3\xA9,1,0,x\n", 2,
            "name contains character code 195");
        row("A not a number", kHeader + "1,Si,abc,0,x\n", 2, "A 'abc' does not read");
        row("A zero in 32 bits", kHeader + "1,Si,1e-50,0,x\n", 2, "A '1e-50' must be greater");
        row("B beyond 32 bits", kHeader + "1,Si,1,1e39,x\n", 2, "B '1e39' does not read");
        row("id fraction", kHeader + "1.5,Si,1,0,x\n", 2, "id '1.5' is not a whole number");
        row("id zero", kHeader + "0,Si,1,0,x\n", 2, "id '0' is not a whole number from 1");
        row("duplicate id", kHeader + "7,Si,1,0,x\n8,Ge,1,0,x\n7,Ga,1,0,x\n", 4,
            "id 7 already used on line 2");
        row("same id spelt apart", kHeader + "7,Si,1,0,x\n007,Ge,1,0,x\n", 3, "id 7 already used");
        row("too few fields", kHeader + "1,Si,1,0\n", 2,
            "expected 5 fields (id,name,A,B,source), found 4");
        row("unclosed quote", kHeader + "1,\"Si,1,0,x\n", 2, "a quoted field is not closed");
        row("wrong header", "id,name,A\n1,Si,1\n", 1, "expected the header id,name,A,B,source");
        row("empty line inside", kHeader + "1,Si,1,0,x\n\n2,Ge,1,0,x\n", 3, "expected 5 fields");
        row("250 materials", Table(250), 251, "more than 249 materials");
        row("header only", kHeader, 2, "no material below the header");
        row("header and an empty line", kHeader + "\n", 2, "no material below the header");
    }

    void refusesBadTable() {
        QFETCH(QByteArray, table);
        QFETCH(int, line);
        QFETCH(QString, fault);
        QTemporaryDir dir;
        const std::string csv = dir.filePath("table.csv").toStdString();
        const std::string dat = dir.filePath("matprops.dat").toStdString();
        Write(csv, table.toStdString());
        Write(dat, "previous");

        const RunResult result = Run({"encode", csv, dat});
        QCOMPARE(result.Status, kExitFailed);
        const auto expected = csv + " line " + std::to_string(line) + ": " + fault.toStdString();
        QVERIFY2(result.Err.find(expected) != std::string::npos, result.Err.c_str());
        QCOMPARE(*FileText(dat), std::string("previous"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void acceptsTableVariants_data() {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<int>("count");
        QTest::addColumn<float>("a");
        QTest::newRow("CR LF") << kHeader.trimmed() + "\r\n1,Si,3268.703,-1.35,x\r\n"
                               << 1 << 3268.703f;
        QTest::newRow("quoted fields") << kHeader + "1,\"Si\",1.5,0,\"a, \"\"b\"\"\"\n"
                                       << 1 << 1.5f;
        QTest::newRow("exponent form") << kHeader + "1,Air,2.175301e-06,0.84,x\n"
                                       << 1 << 2.175301e-06f;
        QTest::newRow("249 materials") << Table(249) << 249 << 1.5f;
        QTest::newRow("as decode prints it: no source, a quoted comma")
            << QByteArray("id,name,A,B\n1,\"Si, doped\",1.5,0\n") << 1 << 1.5f;
        QTest::newRow("byte-order mark and a trailing empty line")
            << "\xEF\xBB\xBF" + kHeader + "1,Si,2.5,0,x\n\n"
            << 1 << 2.5f;
    }

    void acceptsTableVariants() {
        QFETCH(QByteArray, table);
        QFETCH(int, count);
        QFETCH(float, a);
        QTemporaryDir dir;
        const std::string csv = dir.filePath("table.csv").toStdString();
        const std::string dat = dir.filePath("matprops.dat").toStdString();
        Write(csv, table.toStdString());
        const RunResult result = Run({"encode", csv, dat});
        QVERIFY2(result.Status == kExitOk, result.Err.c_str());

        MaterialTable loaded;
        QVERIFY(Load(loaded, dat));
        QCOMPARE(loaded.FirstCustomIndex - 1, count);
        COMPARE_FLOAT(loaded.Materials[1].A, a);
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const QStringList& args, int status,
                            const char* message) {
            QTest::newRow(name) << args << status << QString(message);
        };
        row("nothing", {}, kExitUsage, "no command given");
        row("help", {"--help"}, kExitOk, "usage: strativex-matprops");
        row("unknown", {"pack"}, kExitUsage, "unknown command 'pack'");
        row("encode one path", {"encode", "a.csv"}, kExitUsage,
            "wrong number of arguments for encode");
        row("missing input", {"decode", "DIR/none.dat"}, kExitFailed, "DIR/none.dat: no such file");
        row("folder as input", {"encode", "DIR", "DIR/m.dat"}, kExitFailed, "DIR: is a directory");
        row("no output folder", {"encode", "DIR/t.csv", "DIR/no/m.dat"}, kExitFailed,
            "cannot write DIR/no/m.dat");
        row("output over input", {"encode", "DIR/t.csv", "DIR/./t.csv"}, kExitFailed,
            "over its own input");
    }

    void commandLine() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const std::string table = dir.filePath("t.csv").toStdString();
        Write(table, Table(1).toStdString());
        std::vector<std::string> argv;
        for (QString arg : args) argv.push_back(arg.replace("DIR", dir.path()).toStdString());

        const RunResult result = Run(argv);
        QCOMPARE(result.Status, status);
        const std::string expected = message.replace("DIR", dir.path()).toStdString();
        QVERIFY((status == kExitOk ? result.Out : result.Err).find(expected) != std::string::npos);
        if (status != kExitOk) QVERIFY(result.Err.starts_with("strativex-matprops: "));
        QCOMPARE(QByteArray::fromStdString(*FileText(table)), Table(1));
    }

    void decodeRefusesBrokenFiles_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        const auto encoded = [](const std::vector<MaterialRow>& rows) {
            return QByteArray::fromStdString(EncodeStandardFile(rows));
        };
        const std::vector<MaterialRow> tooMany(250, MaterialRow{"1", "M", "1", "0"});
        QTest::newRow("empty") << QByteArray() << "' line 0";
        QTest::newRow("bad number") << encoded({{"1", "Si", "1", "0"}, {"2", "Ge", "x", "0"}})
                                    << "Error reading standard materials data file\n'PATH' line 2";
        QTest::newRow("byte below the code range") << encoded({}) + "\x01\r\n"
                                                   << "' line 1";
        QTest::newRow("header only") << encoded({}) << "' line 1";
        QTest::newRow("too many materials") << encoded(tooMany) << "250 out of a maximum 250";
    }

    void decodeRefusesBrokenFiles() {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString dat = dir.filePath("matprops.dat");
        Write(dat.toStdString(), file.toStdString());

        const RunResult result = Run({"decode", dat.toStdString()});
        QCOMPARE(result.Status, kExitFailed);
        QVERIFY(result.Out.empty());
        const std::string expected = message.replace("PATH", dat).toStdString();
        QVERIFY2(result.Err.find(expected) != std::string::npos, result.Err.c_str());
    }
};

QTEST_APPLESS_MAIN(TestMatpropsTool)
#include "test_matprops_tool.moc"
