#include <QtTest>

#include "persistence/paths.h"
#include "persistence/recent_files.h"

using namespace strativex;

namespace {

// One unit per character keeps the expected cuts easy to read.
double CharacterWidth(const std::string& text) {
    return static_cast<double>(text.size());
}

QStringList Slots(const RecentFileList& recent) {
    QStringList list;
    for (const auto& path : recent) list << QString::fromStdString(path);
    return list;
}

}  // namespace

class TestPaths : public QObject {
    Q_OBJECT

private slots:
    void pathParts_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("folder");
        const auto row = [](const char* name, const char* path, const char* file,
                            const char* folder) { QTest::newRow(name) << path << file << folder; };
        row("absolute", "/home/ann/a.mdl", "a.mdl", "/home/ann");
        row("at the root", "/a.mdl", "a.mdl", "");
        row("no separator", "a.mdl", "Error", "Error");
        row("empty", "", "Error", "Error");
        row("trailing separator", "/home/", "", "/home");
    }

    void pathParts() {
        QFETCH(QString, path);
        QFETCH(QString, file);
        QFETCH(QString, folder);
        QCOMPARE(QString::fromStdString(FileNamePart(path.toStdString())), file);
        QCOMPARE(QString::fromStdString(FolderPart(path.toStdString())), folder);
    }

    void shortenPath_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<double>("maxWidth");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fits") << "/a/b.mdl" << 9.0 << "/a/b.mdl";
        QTest::newRow("exactly as wide is cut") << "/abcdef/c.mdl" << 13.0 << "/.../c.mdl";
        QTest::newRow("one folder dropped")
            << "/home/ann/models/heat.mdl" << 24.0 << "/.../ann/models/heat.mdl";
        QTest::newRow("relative path") << "models/x/heat.mdl" << 12.0 << ".../heat.mdl";
        QTest::newRow("drive") << "C:\\Program Files\\Thermal\\Models\\heatsink.mdl" << 34.0
                               << "C:\\...\\Thermal\\Models\\heatsink.mdl";
        QTest::newRow("name alone fits") << "/home/ann/models/heat.mdl" << 9.0 << "heat.mdl";
        QTest::newRow("long name cut in its middle")
            << "/srv/examples/gaas_mmic_on_cuw_carrier.mdl" << 21.0
            << QStringLiteral("gaas_mmic\u2026rrier.mdl");
        QTest::newRow("multi-byte name cut between characters")
            << QStringLiteral("/m/\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9.mdl") << 12.0
            << QStringLiteral("\u00E9\u00E9\u00E9\u2026mdl");
        QTest::newRow("drive kept") << "D:\\models\\deep\\x.mdl" << 12.0 << "D:\\...\\x.mdl";
        QTest::newRow("drive with forward slashes")
            << "C:/Program Files/Thermal/heatsink.mdl" << 27.0 << "C:/.../Thermal/heatsink.mdl";
    }

    void shortenPath() {
        QFETCH(QString, path);
        QFETCH(double, maxWidth);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(ShortenPath(path.toStdString(), CharacterWidth, maxWidth)),
                 expected);
    }

    void recentFiles_data() {
        QTest::addColumn<QStringList>("before");  // slots 1..4
        QTest::addColumn<QString>("added");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("into an empty list")
            << QStringList{"", "", "", ""} << "/a" << QStringList{"/a", "", "", ""};
        QTest::newRow("fifth file drops the oldest")
            << QStringList{"/a", "/b", "/c", "/d"} << "/e" << QStringList{"/e", "/a", "/b", "/c"};
        QTest::newRow("slot 3 moves to the top")
            << QStringList{"/a", "/b", "/c", "/d"} << "/c" << QStringList{"/c", "/a", "/b", "/d"};
        QTest::newRow("slot 4 moves to the top")
            << QStringList{"/a", "/b", "/c", "/d"} << "/d" << QStringList{"/d", "/a", "/b", "/c"};
        QTest::newRow("already on top")
            << QStringList{"/a", "/b", "", ""} << "/a" << QStringList{"/a", "/b", "", ""};
        QTest::newRow("case matters")
            << QStringList{"/a", "", "", ""} << "/A" << QStringList{"/A", "/a", "", ""};
        QTest::newRow("empty path only refreshes")
            << QStringList{"/a", "/b", "", ""} << "" << QStringList{"/a", "/b", "", ""};
    }

    void recentFiles() {
        QFETCH(QStringList, before);
        QFETCH(QString, added);
        QFETCH(QStringList, after);
        RecentFileList recent;
        for (int k = 1; k <= 4; ++k) recent[k] = before[k - 1].toStdString();
        AddRecentFile(recent, added.toStdString());
        QCOMPARE(Slots(recent).mid(1), after);
    }
};

QTEST_APPLESS_MAIN(TestPaths)
#include "test_paths.moc"
