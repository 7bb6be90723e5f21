#include <QtTest>

#include "persistence/custom_materials_file.h"

using namespace strativex;

namespace {

std::string Records(int count, int firstId = 1) {
    std::string content;
    for (int id = firstId; id < firstId + count; ++id) {
        content += std::to_string(id) + ",\"C" + std::to_string(id) + "\",2.5,-.5\r\n";
    }
    return content;
}

using Ids = QList<int>;

}  // namespace

// matcust.dat as the custom materials editor reads and writes it, without the editor.
class TestCustomMaterialsFile : public QObject {
    Q_OBJECT

private slots:
    void shownAndKept_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("keptRecords");
        QTest::addColumn<QStringList>("skipped");
        QTest::addColumn<QByteArray>("kept");
        QTest::newRow("LF line ends, blanks and a trailing empty line")
            << QByteArray("4,\"Solder, 63/37\",.5,0\n9, \"Epoxy\" ,2E-03,1\n\n") << 2 << 0
            << QStringList{} << QByteArray();
        QTest::newRow("an unreadable record between good ones")
            << QByteArray("1,\"Good\",1,0\r\n2,\"Bad\",x,0\r\n3,\"Also good\",1,0\r\n") << 2 << 0
            << QStringList{"line 2: A 'x' is not a number"} << QByteArray("2,\"Bad\",x,0\r\n");
        QTest::newRow("an id used twice and one of a standard material")
            << QByteArray("7,\"First\",1,0\n\n7,\"Second\",2,0\n500,\"Standard's\",1,0\n") << 1 << 0
            << QStringList{"line 3: id 7 already used on line 1",
                           "line 4: id 500 is the standard material Standard's"}
            << QByteArray("7,\"Second\",2,0\n500,\"Standard's\",1,0\n");
        QTest::newRow("twenty-three records")
            << QByteArray::fromStdString(Records(23)) << kEditorMaterialLimit << 3 << QStringList{}
            << QByteArray::fromStdString(Records(3, 21));
    }

    // The good records are shown wherever they stand; every line the editor cannot show is named
    // when it holds no usable material, and goes back byte for byte after the shown ones.
    void shownAndKept() {
        QFETCH(QByteArray, content);
        QFETCH(int, shown);
        QFETCH(int, keptRecords);
        QFETCH(QStringList, skipped);
        QFETCH(QByteArray, kept);
        MaterialTable standard;
        standard.Materials[1] = {"Standard", 500, 1.0f, 0.0f};
        standard.FirstCustomIndex = 2;
        const CustomMaterialsFile file = ParseCustomMaterials(content.toStdString(), standard);
        QCOMPARE(static_cast<int>(file.Shown.size()), shown);
        QCOMPARE(file.KeptRecordCount, keptRecords);
        QStringList named;
        for (const SkippedCustomLine& line : file.Skipped) {
            named << QString::fromStdString(SkippedLineText(line));
        }
        QCOMPARE(named, skipped);
        const std::string written = CustomMaterialsText(file);
        QCOMPARE(QByteArray::fromStdString(file.KeptText), kept);
        QVERIFY(written.ends_with(file.KeptText));
        QCOMPARE(ParseCustomMaterials(written, standard).Shown.size(), file.Shown.size());
    }

    void nextId_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Ids>("standardIds");
        QTest::addColumn<int>("next");  // -1: none left
        QTest::newRow("first material") << QByteArray() << Ids{} << 1;
        QTest::newRow("one above the largest, not the last")
            << QByteArray("3,\"a\",1,0\r\n7,\"b\",1,0\r\n5,\"c\",1,0\r\n") << Ids{} << 8;
        QTest::newRow("negative ids count as 0") << QByteArray("-4,\"a\",1,0\r\n") << Ids{} << 1;
        QTest::newRow("ids of standard materials passed over")
            << QByteArray("2,\"a\",1,0\r\n") << Ids{3, 1, 4} << 5;
        QTest::newRow("ids of the kept records count")
            << QByteArray::fromStdString(Records(20) + "40,\"Kept\",1,0\r\n") << Ids{} << 41;
        QTest::newRow("the largest 16-bit id in use")
            << QByteArray("32767,\"a\",1,0\r\n") << Ids{} << -1;
        QTest::newRow("passing over a standard id runs past 16 bits")
            << QByteArray("32766,\"a\",1,0\r\n") << Ids{32767} << -1;
    }

    void nextId() {
        QFETCH(QByteArray, content);
        QFETCH(Ids, standardIds);
        QFETCH(int, next);
        const std::vector<std::int16_t> standard(standardIds.begin(), standardIds.end());
        const auto id = NextCustomId(ParseCustomMaterials(content.toStdString()), standard);
        QCOMPARE(id ? int(*id) : -1, next);
    }

    void writesRecordsAsTheEditorStoresThem() {
        CustomMaterialsFile file;
        file.Shown = {{"New", 1, 3.95f, 0.0f}, {"Tiny, huge", 2, 1e-9f, 3e38f}};
        file.KeptText = "40,\"Kept\",2.50,0\n";
        QCOMPARE(
            CustomMaterialsText(file),
            std::string("1,\"New\",3.95,0\r\n2,\"Tiny, huge\",1E-09,3E+38\r\n") + file.KeptText);
    }
};

QTEST_APPLESS_MAIN(TestCustomMaterialsFile)
#include "test_custom_materials_file.moc"
