#include <QtTest>

#include <fstream>

#include "core/material_codec.h"
#include "core/material_loader.h"
#include "support/float_compare.h"

using namespace strativex;

namespace {

using Lines = std::vector<std::string>;

MaterialFields Fields(int id, const std::string& name, const std::string& a = "1.5",
                      const std::string& b = "0") {
    return {std::to_string(id), name, a, b};
}

// A standard file whose header and material lines are scrambled with the running key.
std::string Scrambled(const std::vector<MaterialFields>& materials) {
    int key = 0;
    std::string content = EncodeMaterialLine({"Test materials", "", "", ""}, key) + "\r\n";
    for (const auto& fields : materials) content += EncodeMaterialLine(fields, key) + "\r\n";
    return content;
}

std::vector<MaterialFields> Numbered(int count, int firstId = 1) {
    std::vector<MaterialFields> materials;
    for (int i = 0; i < count; ++i) {
        materials.push_back(Fields(firstId + i, "M" + std::to_string(firstId + i)));
    }
    return materials;
}

std::string CustomLines(int count, int firstId) {
    std::string content;
    for (int i = 0; i < count; ++i) {
        content += std::to_string(firstId + i) + ",\"C" + std::to_string(i) + "\",2.5,-0.5\r\n";
    }
    return content;
}

void Write(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

struct MaterialsFolder {
    QTemporaryDir dir;
    const MaterialPaths paths = MaterialPathsIn(dir.path().toStdString());

    void Standard(const std::string& content) const { Write(paths.Standard, content); }
    void Custom(const std::string& content) const { Write(paths.Custom, content); }
};

QStringList Names(const MaterialTable& table) {
    QStringList names;
    for (const auto& entry : MaterialListEntries(table))
        names << QString::fromStdString(entry.Name);
    return names;
}

}  // namespace

class TestMaterials : public QObject {
    Q_OBJECT

private slots:
    void decodeReversesEncode() {
        int encodeKey = 0;
        const MaterialFields fields = Fields(12, "AlN ceramic (170)", "3268.703", "-1.35");
        const std::string line = EncodeMaterialLine(fields, encodeKey);
        for (const char c : line) QVERIFY(static_cast<unsigned char>(c) >= 161);
        int decodeKey = 0;
        QCOMPARE(*DecodeMaterialLine(line, decodeKey), fields);
        QCOMPARE(decodeKey, encodeKey);
    }

    void keyRunsOnButSkipsTextAfterTheFourthField() {
        int key = 0;
        // The separator after B ends the fourth field once more text follows it.
        const std::string first = EncodeMaterialLine(Fields(1, "Si", "1.5", "0~"), key);
        const std::string second = EncodeMaterialLine(Fields(2, "Ge"), key);
        const std::string ignored = "\xF0\xF1\xF2";

        int decodeKey = 0;
        QCOMPARE(*DecodeMaterialLine(first + ignored, decodeKey), Fields(1, "Si"));
        // The ignored text did not advance the key.
        QCOMPARE(*DecodeMaterialLine(second, decodeKey), Fields(2, "Ge"));
    }

    void lastCharacterStaysInItsField() {
        int key = 0;
        const std::string line = EncodeMaterialLine(Fields(1, "Si", "1.5", "0~"), key);
        int decodeKey = 0;
        QCOMPARE((*DecodeMaterialLine(line, decodeKey))[3], std::string("0~"));
    }

    void loadsBothFilesInTableOrder() {
        MaterialsFolder folder;
        folder.Standard(Scrambled({Fields(1, "Si", "3268.703", "-1.35"), Fields(2, "Cu")}));
        folder.Custom("7,\"Paste, silver\",0.03,0\r\n  8,\"Mine\",2,-1\r\n");
        MaterialTable table;
        const auto outcome = LoadMaterials(table, folder.paths, kStartupCustomLimit);
        QCOMPARE(outcome.Result, MaterialLoadOutcome::Kind::Loaded);
        QCOMPARE(Names(table), (QStringList{"Si", "Cu", "Paste, silver", "Mine"}));
        QCOMPARE(table.FirstCustomIndex, 3);
        QCOMPARE(table.CustomCount, 2);
        QCOMPARE(table.Materials[0].Name, std::string("(none selected)"));
        COMPARE_FLOAT(table.Materials[1].A, 3268.703f);
        COMPARE_FLOAT(table.Materials[1].B, -1.35f);
        COMPARE_FLOAT(table.Materials[4].B, -1.0f);
        QCOMPARE(FindMaterialIndex(table, 8), 4);
        QCOMPARE(FindMaterialIndex(table, 99), 0);
        QCOMPARE(MaterialListEntries(table)[2].Id, 7);
    }

    // Custom materials do not make up for a standard file that holds none.
    void headerOnlyStandardFileIsFatalWithCustomMaterials() {
        MaterialsFolder folder;
        folder.Standard(Scrambled({}));
        folder.Custom(CustomLines(1, 40));
        MaterialTable table;
        const auto outcome = LoadMaterials(table, folder.paths, kStartupCustomLimit);
        QCOMPARE(outcome.Result, MaterialLoadOutcome::Kind::Fatal);
        QCOMPARE(outcome.FatalText, "Error reading standard materials data file\r\n'" +
                                        folder.paths.Standard + "' line 1");
    }

    void startupTakesTwentyCustomMaterials() {
        MaterialsFolder folder;
        folder.Standard(Scrambled(Numbered(3)));
        folder.Custom(CustomLines(25, 100));
        MaterialTable table;
        QCOMPARE(LoadMaterials(table, folder.paths, kStartupCustomLimit).IgnoredCustomRecords, 5);
        QCOMPARE(table.CustomCount, 20);
        QCOMPARE(LoadMaterials(table, folder.paths, std::nullopt).IgnoredCustomRecords, 0);
        QCOMPARE(table.CustomCount, 25);
    }

    // A folder or a device where a materials file belongs is refused, never read.
    void materialsFileThatIsNoFile() {
        MaterialsFolder folder;
        QVERIFY(QDir().mkpath(QString::fromStdString(folder.paths.Custom)));
        MaterialTable table;
        folder.Standard(Scrambled(Numbered(1)));
        const auto custom = LoadMaterials(table, folder.paths, kStartupCustomLimit);
        QCOMPARE(custom.Result, MaterialLoadOutcome::Kind::Loaded);
        QCOMPARE(custom.CustomFileProblem, std::string("is a directory"));
        const auto standard = LoadMaterials(table, {"/dev/zero", ""}, kStartupCustomLimit);
        QCOMPARE(standard.Result, MaterialLoadOutcome::Kind::Fatal);
        QCOMPARE(standard.FatalText, std::string("Error reading standard materials data file\r\n"
                                                 "'/dev/zero': is not a regular file"));
    }

    // Line 3 of the custom file is the one under test; the lines around it always load.
    void badCustomLineIsSkippedAndNamed_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("reason");  // empty: nothing skipped
        const auto row = [](const char* name, const char* line, const char* reason) {
            QTest::newRow(name) << QString(line) << QString(reason);
        };
        row("id not a number", "x,\"Bad\",1,0",
            "line 3: id 'x' is not a whole number from -32768 to 32767");
        row("A not a number", "9,\"Bad\",abc,0", "line 3: A 'abc' is not a number");
        row("B not a number", "9,\"Bad\",1,nan", "line 3: B 'nan' is not a number");
        row("record cut short", "9,\"Bad\"", "line 3: not four fields: id, \"name\", A, B");
        row("quote not closed", "9,\"Bad,1,0", "line 3: not four fields: id, \"name\", A, B");
        row("a fifth field", "9,\"Bad\",1,0,7", "line 3: more than four fields");
        row("id of a standard material", "1,\"Mine\",1,0",
            "line 3: id 1 is the standard material M1's");
        row("id of an earlier custom line", "51,\"Again\",1,0",
            "line 3: id 51 already used on line 2");
        row("blank line", "  ", "");
        row("good line", "9,\"Good\",1,0", "");
    }

    void badCustomLineIsSkippedAndNamed() {
        QFETCH(QString, line);
        QFETCH(QString, reason);
        MaterialsFolder folder;
        folder.Standard(Scrambled(Numbered(1)));
        folder.Custom(CustomLines(2, 50) + line.toStdString() + "\r\n" + CustomLines(2, 60));
        MaterialTable table;
        const auto outcome = LoadMaterials(table, folder.paths, std::nullopt);
        QCOMPARE(outcome.Result, MaterialLoadOutcome::Kind::Loaded);
        QStringList skipped;
        for (const auto& s : outcome.SkippedCustomLines) {
            skipped << QString::fromStdString(SkippedLineText(s));
        }
        QCOMPARE(skipped, reason.isEmpty() ? QStringList() : QStringList{reason});
        QCOMPARE(table.CustomCount, reason.isEmpty() && !line.trimmed().isEmpty() ? 5 : 4);
        QCOMPARE(FindMaterialIndex(table, 61), 1 + table.CustomCount);
        QCOMPARE(table.Materials[FindMaterialIndex(table, 1)].Name, std::string("M1"));
    }

    void missingStandardFile() {
        MaterialsFolder folder;
        MaterialTable table;
        QCOMPARE(LoadMaterials(table, folder.paths, kStartupCustomLimit).Result,
                 MaterialLoadOutcome::Kind::StandardFileMissing);
        QCOMPARE(StandardFileMissingText("/x/matprops.dat"),
                 std::string("Unable to find standard materials data file\r\n'/x/matprops.dat'\r\n"
                             "Look for file in a different location?\r\n"
                             "(Click OK to browse for file, Cancel to exit program)"));
    }

    void fatalStandardLines_data() {
        QTest::addColumn<int>("badAt");  // 0-based among the material lines
        QTest::addColumn<QStringList>("bad");
        QTest::newRow("first material, A not a number") << 0 << QStringList{"1", "Si", "x", "0"};
        QTest::newRow("third material, id too large") << 2 << QStringList{"40000", "Si", "1", "0"};
        QTest::newRow("separator after B") << 1 << QStringList{"1", "Si", "1", "0~"};
        QTest::newRow("A beyond single precision") << 0 << QStringList{"1", "Si", "1e39", "0"};
    }

    void fatalStandardLines() {
        QFETCH(int, badAt);
        QFETCH(QStringList, bad);
        auto materials = Numbered(3);
        materials[badAt] = {bad[0].toStdString(), bad[1].toStdString(), bad[2].toStdString(),
                            bad[3].toStdString()};
        MaterialsFolder folder;
        folder.Standard(Scrambled(materials));
        MaterialTable table;
        const auto outcome = LoadMaterials(table, folder.paths, kStartupCustomLimit);
        QCOMPARE(outcome.Result, MaterialLoadOutcome::Kind::Fatal);
        // The header is line 0, so the first material is line 1.
        QCOMPARE(outcome.FatalText, "Error reading standard materials data file\r\n'" +
                                        folder.paths.Standard + "' line " +
                                        std::to_string(badAt + 1));
    }

    void undecodableOrEmptyStandardFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("line");
        QTest::newRow("empty file") << QByteArray() << 0;
        QTest::newRow("control byte in the header") << QByteArray("\x01\r\n") << 0;
        QByteArray second = QByteArray::fromStdString(Scrambled(Numbered(1)));
        QTest::newRow("control byte in line 2") << second + "\x02\r\n" << 2;
        // A damaged copy: the first bytes of a good file. The header line holds 17 characters,
        // each material line 10, so 100 bytes stop inside the seventh material.
        const QByteArray good = QByteArray::fromStdString(Scrambled(Numbered(9)));
        QTest::newRow("1 byte") << good.left(1) << 0;
        QTest::newRow("10 bytes") << good.left(10) << 0;
        QTest::newRow("100 bytes") << good.left(100) << 7;
        QTest::newRow("header only") << QByteArray::fromStdString(Scrambled({})) << 1;
        QTest::newRow("last line without its end") << good.chopped(2) << 9;
        QTest::newRow("last line cut inside B") << good.chopped(3) << 9;
    }

    void undecodableOrEmptyStandardFile() {
        QFETCH(QByteArray, content);
        QFETCH(int, line);
        MaterialsFolder folder;
        folder.Standard(content.toStdString());
        MaterialTable table;
        const auto outcome = LoadMaterials(table, folder.paths, kStartupCustomLimit);
        QCOMPARE(outcome.Result, MaterialLoadOutcome::Kind::Fatal);
        QVERIFY(outcome.FatalText.ends_with("' line " + std::to_string(line)));
    }

    void tableLimits_data() {
        QTest::addColumn<int>("standard");
        QTest::addColumn<int>("custom");
        QTest::addColumn<bool>("startup");
        QTest::addColumn<QString>("fatalFile");  // empty: loads
        QTest::newRow("249 standard, no custom") << 249 << 0 << true << "";
        QTest::newRow("250 standard") << 250 << 0 << true << "standard";
        QTest::newRow("249 standard and one custom") << 249 << 1 << true << "custom";
        QTest::newRow("229 standard, 25 custom at start-up") << 229 << 25 << true << "";
        QTest::newRow("229 standard, 25 custom on reload") << 229 << 25 << false << "custom";
        QTest::newRow("200 standard, 49 custom on reload") << 200 << 49 << false << "";
    }

    void tableLimits() {
        QFETCH(int, standard);
        QFETCH(int, custom);
        QFETCH(bool, startup);
        QFETCH(QString, fatalFile);
        MaterialsFolder folder;
        folder.Standard(Scrambled(Numbered(standard)));
        if (custom > 0) folder.Custom(CustomLines(custom, 1000));
        MaterialTable table;
        const auto outcome = LoadMaterials(
            table, folder.paths, startup ? std::optional<int>(kStartupCustomLimit) : std::nullopt);
        if (fatalFile.isEmpty()) {
            QCOMPARE(outcome.Result, MaterialLoadOutcome::Kind::Loaded);
            QVERIFY(table.LastLoadedIndex() <= 249);
            return;
        }
        const std::string path =
            fatalFile == "standard" ? folder.paths.Standard : folder.paths.Custom;
        QCOMPARE(outcome.Result, MaterialLoadOutcome::Kind::Fatal);
        QCOMPARE(outcome.FatalText,
                 "250 out of a maximum 250 materials loaded without reaching "
                 "end of " +
                     fatalFile.toStdString() + " materials file \r\n" + path);
    }
};

QTEST_APPLESS_MAIN(TestMaterials)
#include "test_materials.moc"
