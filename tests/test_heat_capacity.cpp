#include <QtTest>

#include "core/heat_capacity_file.h"
#include "core/heat_capacity_table.h"
#include "core/material_loader.h"
#include "support/file_bytes.h"
#include "support/float_compare.h"

using namespace strativex;

namespace {

const std::string kHeader = "id,name,density_kg_m3,specific_heat_j_per_kg_k,source\n";

bool Names(const HeatCapacityTable& table, int line, const std::string& field,
           const std::string& words) {
    for (const HeatCapacityProblem& problem : table.Problems) {
        if (problem.Line == line && problem.Field == field &&
            problem.Text.find(words) != std::string::npos) {
            return true;
        }
    }
    return false;
}

void BadRow(const char* name, const char* row, const char* field, const char* words) {
    QTest::newRow(name) << QString(row) << QString(field) << QString(words);
}

}  // namespace

class TestHeatCapacity : public QObject {
    Q_OBJECT

private slots:
    // The shipped file gives every standard material, by the id and name the program loads
    // from matprops.dat, a heat capacity that a solid (or air, or water) can have.
    void shippedFileCoversEveryStandardMaterial() {
        const std::string folder = STRATIVEX_BIN_DIR "/Materials";
        MaterialTable materials;
        const MaterialLoadOutcome loaded =
            LoadMaterials(materials, MaterialPathsIn(folder), std::nullopt);
        QCOMPARE(loaded.Result, MaterialLoadOutcome::Kind::Loaded);
        const HeatCapacityTable table = LoadHeatCapacities(HeatCapacityPathIn(folder));
        QVERIFY2(table.FileProblem.empty(), table.FileProblem.c_str());
        QVERIFY(table.Problems.empty());
        QCOMPARE(table.Rows.size(), static_cast<std::size_t>(materials.FirstCustomIndex - 1));
        for (int i = 1; i < materials.FirstCustomIndex; ++i) {
            const Material& material = materials.Materials[static_cast<std::size_t>(i)];
            const auto row = FindHeatCapacity(table, material.Id);
            QVERIFY2(row.has_value(), material.Name.c_str());
            QCOMPARE(row->Name, material.Name);
            const double volumetric = *VolumetricHeatCapacity(table, material.Id);
            const bool gas = material.Name == "Air";
            QVERIFY2(volumetric > (gas ? 1e3 : 1e6) && volumetric < (gas ? 2e3 : 4.5e6),
                     material.Name.c_str());
        }
    }

    void looksUpById() {
        const HeatCapacityTable table = ParseHeatCapacities(
            kHeader + "1,Si,2330,712,handbook\n950,\"Mine, filled\",1500.5,800,\n");
        QVERIFY(table.Problems.empty());
        VERIFY_NEAR(*VolumetricHeatCapacity(table, 1), 2330.0 * 712.0, 1e-6);
        QCOMPARE(FindHeatCapacity(table, 950)->Name, std::string("Mine, filled"));
        VERIFY_NEAR(FindHeatCapacity(table, 950)->Density, 1500.5, 0.0);
        QVERIFY(!VolumetricHeatCapacity(table, 2).has_value());
        QVERIFY(!VolumetricHeatCapacity(table, 0).has_value());
    }

    // A bad row is named by its line and column; the rows around it still load.
    void namesBadRowsAndLoadsTheRest_data() {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("words");
        BadRow("density not a number", "7,X,heavy,500,s", "density_kg_m3",
               "'heavy' is not a number");
        BadRow("density zero", "7,X,0,500,s", "density_kg_m3", "'0' must be greater than 0");
        BadRow("specific heat negative", "7,X,1000,-5,s", "specific_heat_j_per_kg_k",
               "'-5' must be greater than 0");
        BadRow("product beyond any number", "7,X,1e300,1e300,s", "specific_heat_j_per_kg_k",
               "times the density");
        BadRow("infinite", "7,X,inf,500,s", "density_kg_m3", "'inf'");
        BadRow("decimal comma", "7,X,\"1000,5\",500,s", "density_kg_m3",
               "'1000,5' is not a number");
        BadRow("id not a number", "seven,X,1000,500,s", "id", "'seven'");
        BadRow("id zero", "0,X,1000,500,s", "id", "from 1 to 32767");
        BadRow("no name", "7,,1000,500,s", "name", "empty");
        BadRow("too few fields", "7,X,1000", "row", "found 3");
        BadRow("open quote", "7,\"X,1000,500,s", "row", "not closed");
        BadRow("id repeated", "1,Again,1000,500,s", "id", "already has a row");
    }
    void namesBadRowsAndLoadsTheRest() {
        QFETCH(QString, row);
        QFETCH(QString, field);
        QFETCH(QString, words);
        const HeatCapacityTable table = ParseHeatCapacities(
            kHeader + "1,Si,2330,712,s\r\n" + row.toStdString() + "\r\n20,Cu,8933,385,s\r\n");
        QCOMPARE(table.Problems.size(), std::size_t{1});
        QVERIFY2(Names(table, 3, field.toStdString(), words.toStdString()),
                 ProblemText(table.Problems[0]).c_str());
        QCOMPARE(table.Rows.size(), std::size_t{2});
        QVERIFY(VolumetricHeatCapacity(table, 1) && VolumetricHeatCapacity(table, 20));
        QVERIFY(!VolumetricHeatCapacity(table, 7).has_value());
        QVERIFY(ProblemText(table.Problems[0]).starts_with("matheat.csv line 3, "));
    }

    // Without its header the columns cannot be known: nothing is taken from a guess.
    void refusesAFileWithoutItsHeader_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("rows only") << QByteArray("1,Si,2330,712,s\n");
        QTest::newRow("columns swapped") << QByteArray(
            "id,name,specific_heat_j_per_kg_k,density_kg_m3,source\n1,Si,712,2330,s\n");
    }
    void refusesAFileWithoutItsHeader() {
        QFETCH(QByteArray, content);
        const HeatCapacityTable table = ParseHeatCapacities(content.toStdString());
        QVERIFY(table.Rows.empty());
        QVERIFY(table.FileProblem.find("header") != std::string::npos);
    }

    void readsThroughTheBoundedReader() {
        QTemporaryDir folder;
        QVERIFY(
            WriteBytes(folder.path() + "/matheat.csv",
                       "\xEF\xBB\xBF" + QByteArray::fromStdString(kHeader) + "1,Si,2330,712,s\n"));
        const std::string path = folder.path().toStdString();
        QCOMPARE(LoadHeatCapacities(path + "/matheat.csv").Rows.size(), std::size_t{1});
        QCOMPARE(LoadHeatCapacities(path + "/none.csv").FileProblem, std::string("no such file"));
        QCOMPARE(LoadHeatCapacities(path).FileProblem, std::string("is a directory"));
    }

    // The editor's rows replace theirs in place, deleted ones go, new ones follow; every
    // other line, a broken one included, stays byte for byte.
    void mergeKeepsWhatItDoesNotEdit() {
        const std::string original = kHeader +
                                     "1,Si,2330,712,handbook; \"quoted\"\n"
                                     "900,Old,1000,500,mine\n"
                                     "this line is broken\n"
                                     "901,Gone,1000,500,mine\n"
                                     "20,Cu,8933,385,x";
        const std::vector<HeatCapacity> rows{{900, "Renamed, now", 1200.25, 450, "mine"},
                                             {902, "New", 3000, 700, ""}};
        const std::string merged = MergeHeatCapacities(original, rows, {901});
        QCOMPARE(merged, kHeader +
                             "1,Si,2330,712,handbook; \"quoted\"\n"
                             "900,\"Renamed, now\",1200.25,450,mine\n"
                             "this line is broken\n"
                             "20,Cu,8933,385,x\n"
                             "902,New,3000,700,\n");
        const HeatCapacityTable table = ParseHeatCapacities(merged);
        QCOMPARE(table.Rows.size(), std::size_t{4});
        QCOMPARE(FindHeatCapacity(table, 900)->Name, std::string("Renamed, now"));
    }

    // The row the loader took is the one rewritten; a broken line and a repeat of the same
    // id stay for the user to mend. Removing an id takes every readable line of it, so that no
    // repeat comes back for a later material of that id.
    void mergeReplacesTheRowTheLoaderTook() {
        const std::string original = kHeader +
                                     "900,Mine,heavy,500,typo\n"
                                     "900,Mine,1000,500,good\n"
                                     "900,Mine,2000,500,repeat\n";
        QCOMPARE(MergeHeatCapacities(original, {{900, "Mine", 1100, 500, "good"}}, {}),
                 kHeader +
                     "900,Mine,heavy,500,typo\n"
                     "900,Mine,1100,500,good\n"
                     "900,Mine,2000,500,repeat\n");
        QCOMPARE(MergeHeatCapacities(original, {}, {900}), kHeader + "900,Mine,heavy,500,typo\n");
    }

    void mergeMendsAMissingHeaderAndKeepsLineEnds() {
        QCOMPARE(MergeHeatCapacities("", {{950, "A", 1, 2, "s"}}, {}), kHeader + "950,A,1,2,s\n");
        const std::string crlf = "id,name,density_kg_m3,specific_heat_j_per_kg_k,source\r\n";
        QCOMPARE(MergeHeatCapacities(crlf + "1,Si,2330,712,s\r\n", {{950, "A", 1, 2, "s"}}, {}),
                 crlf + "1,Si,2330,712,s\r\n950,A,1,2,s\r\n");
        QCOMPARE(MergeHeatCapacities("1,Si,2330,712,s\n", {}, {}), kHeader + "1,Si,2330,712,s\n");
    }
};

QTEST_APPLESS_MAIN(TestHeatCapacity)
#include "test_heat_capacity.moc"
