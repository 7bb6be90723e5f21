#include <QtTest>

#include "persistence/preferences.h"
#include "support/file_bytes.h"

using namespace strativex;

namespace {

const ProgramFolders kFolders = ProgramFoldersFor("/opt/sx");

// Every field away from its default, so that a field read into the wrong place shows.
Preferences ExamplePreferences() {
    Preferences prefs;
    prefs.UnitSystem = LengthUnit::Millimeters;
    prefs.MaterialsFolder = "/opt/sx/Materials data";
    prefs.ModelsFolder = "/home/ann/models, old";
    prefs.RecentFiles = {"", "/home/ann/a.mdl", "/home/ann/b.mdl", "", ""};
    prefs.DecimalDigits = {0, 1, 2, 3, 4, 5, 3, 2};
    prefs.UserInfoText = {"Ann M\xfcller", "Acme, Inc.", "Thermal", "P-7",
                          "1 May 2024",    "",           "",        ""};
    prefs.UserInfoInclude = {true, true, false, true, true, true, false, true};
    prefs.UseCurrentDate = false;
    prefs.MainWindowState = WindowState::Maximized;
    prefs.MainWindowWidth = 12000;
    prefs.MainWindowHeight = 8000;
    prefs.MainWindowLeft = -150;
    prefs.MainWindowTop = 300;
    prefs.Defaults = {0.5f, 0.25f, 1.5f, 2.0f, 0.005f, 45.0f, -10.0f, 2.5f};
    prefs.CommentsWindowWidth = 6000;
    prefs.CommentsWindowHeight = 4500;
    return prefs;
}

const char* const kExampleFile =
    "\"Millimeters\"\r\n"
    "\"/opt/sx/Materials data\"\r\n"
    "\"/home/ann/models, old\"\r\n"
    "\"/home/ann/a.mdl\"\r\n"
    "\"/home/ann/b.mdl\"\r\n"
    "\"\"\r\n"
    "\"\"\r\n"
    "0,1,2,3,4,5,3\r\n"
    "\"Ann M\xfcller\",#TRUE#\r\n"
    "\"Acme, Inc.\",#TRUE#\r\n"
    "\"Thermal\",#FALSE#\r\n"
    "\"P-7\",#TRUE#\r\n"
    "\"1 May 2024\",#TRUE#\r\n"
    "\"\",#TRUE#\r\n"
    "\"\",#FALSE#\r\n"
    "\"\",#TRUE#\r\n"
    "#FALSE#\r\n"
    "2,12000,8000,-150,300\r\n"
    ".5,.25\r\n"
    "1.5,2,.005,45\r\n"
    "-10\r\n"
    "2.5\r\n"
    "6000,4500\r\n";

std::string FirstLines(const std::string& text, int count) {
    std::size_t end = 0;
    for (int i = 0; i < count; ++i) end = text.find("\r\n", end) + 2;
    return text.substr(0, end);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// The file holds every field but the last digit slot, and writesTheExampleFileByteForByte pins
// the writer, so equal texts mean equal preferences.
void ComparePreferences(const Preferences& a, const Preferences& e) {
    QCOMPARE(QString::fromStdString(PreferencesText(a)),
             QString::fromStdString(PreferencesText(e)));
    QCOMPARE(a.DecimalDigits[7], e.DecimalDigits[7]);
}

// What a failed load leaves: the built-in values, the default folders beside the program, and the
// four values that are never restored as they stood.
Preferences RestoredFrom(const Preferences& before) {
    Preferences restored;
    restored.MaterialsFolder = "/opt/sx/Materials";
    restored.ModelsFolder = "/opt/sx/Models";
    restored.DecimalDigits[7] = before.DecimalDigits[7];
    restored.Defaults.DefaultLayerWidth = before.Defaults.DefaultLayerWidth;
    restored.Defaults.DefaultLayerLength = before.Defaults.DefaultLayerLength;
    restored.CommentsWindowWidth = before.CommentsWindowWidth;
    restored.CommentsWindowHeight = before.CommentsWindowHeight;
    return restored;
}

const std::string kDamagedPath = "/opt/sx/prefs.txt";
const std::string kDamagedMessage =
    "Unknown error loading preferences from /opt/sx/prefs.txt\r\n"
    "Default preference settings will be restored.";

}  // namespace

class TestPreferences : public QObject {
    Q_OBJECT

private slots:
    void writesTheExampleFileByteForByte() {
        QCOMPARE(PreferencesText(ExamplePreferences()), std::string(kExampleFile));
    }

    void writesTheBuiltInValues() {
        Preferences prefs;
        prefs.MaterialsFolder = "/m";
        prefs.ModelsFolder = "/d";
        std::string expected = "\"Inches\"\r\n\"/m\"\r\n\"/d\"\r\n";
        expected += "\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n2,2,2,2,2,2,2\r\n";
        for (int k = 0; k < kUserInfoSlots; ++k) expected += "\"\",#FALSE#\r\n";
        expected += "#TRUE#\r\n0,11000,7500,200,200\r\n1,1\r\n0,0,.01,0\r\n25\r\n1\r\n0,0\r\n";
        QCOMPARE(PreferencesText(prefs), expected);
    }

    void readsWhatItWrote_data() {
        QTest::addColumn<QString>("variant");
        QTest::newRow("as written") << "";
        QTest::newRow("LF line ends") << "lf";
        QTest::newRow("every field on one line") << "one line";
        QTest::newRow("blanks around bare fields") << "blanks";
    }

    void readsWhatItWrote() {
        QFETCH(QString, variant);
        std::string text = kExampleFile;
        if (variant == "lf") text = Replaced(text, "\r\n", "\n");
        if (variant == "one line") text = Replaced(text, "\r\n", ",");
        if (variant == "blanks") text = Replaced(Replaced(text, ",#", " ,  #"), "\r\n", " \r\n");
        // The file has no place for the last digit slot, so a read must leave it as it was.
        Preferences prefs;
        prefs.DecimalDigits[7] = 4;
        const auto outcome = ReadPreferencesText(prefs, kFolders, kDamagedPath, text);
        QVERIFY2(outcome.Ok, outcome.Message.c_str());
        Preferences expected = ExamplePreferences();
        expected.DecimalDigits[7] = 4;
        ComparePreferences(prefs, expected);
    }

    void roundTripThroughTheDisk() {
        QTemporaryDir dir;
        const std::string path = dir.filePath(kPreferencesFileName).toStdString();
        Preferences saved = ExamplePreferences();
        saved.UnitSystem = LengthUnit::Inches;
        saved.MainWindowState = WindowState::Minimized;
        saved.Defaults.DefaultLayerThickness = 15000000.0f;
        saved.RecentFiles = {"", "/a b/1.mdl", "/c,d/2.mdl", "/e/3.mdl", "/f/4.mdl"};
        saved.MainWindowWidth = 32767;
        saved.MainWindowTop = -32768;
        QVERIFY(SavePreferences(saved, path).Ok);
        Preferences loaded;
        QVERIFY(LoadPreferences(loaded, kFolders, path).Ok);
        ComparePreferences(loaded, saved);
    }

    // Nothing is read from what is no file: a pipe would hang the start-up.
    void unreadableFile_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("failure");
        const auto row = [](const char* name, const char* path, const char* problem) {
            QTest::newRow(name) << QString(path)
                                << QString("Preferences file '%1' %2").arg(path, problem);
        };
        row("missing", "/nonexistent-folder/prefs.txt", "not found.");
        row("a folder", "/", "cannot be read: is a directory.");
        row("a device", "/dev/zero", "cannot be read: is not a regular file.");
    }

    void unreadableFile() {
        QFETCH(QString, path);
        QFETCH(QString, failure);
        Preferences prefs = ExamplePreferences();
        const auto outcome = LoadPreferences(prefs, kFolders, path.toStdString());
        QCOMPARE(QString::fromStdString(outcome.Message),
                 failure + "\r\nDefault preference settings will be restored.");
        ComparePreferences(prefs, RestoredFrom(ExamplePreferences()));
    }

    void damagedFiles_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("layerSizeRead");
        QTest::addColumn<bool>("commentsWidthRead");
        const std::string example = kExampleFile;
        const auto row = [](const char* name, const std::string& text, bool layerSizeRead,
                            bool commentsWidthRead = false) {
            QTest::newRow(name) << QByteArray::fromStdString(text) << layerSizeRead
                                << commentsWidthRead;
        };
        row("empty file", "", false);
        row("ends after line 17", FirstLines(example, 17), false);
        row("ends after line 22: layer size read is kept", FirstLines(example, 22), true);
        row("comments height missing: width read is kept", FirstLines(example, 22) + "6000\r\n",
            true, true);
        row("unclosed quote", Replaced(example, "\"Thermal\"", "\"Thermal"), false);
        row("boolean in lower case", Replaced(example, "#FALSE#\r\n2,", "#false#\r\n2,"), false);
        row("digits not a number", Replaced(example, "0,1,2,3", "x,1,2,3"), false);
        row("width beyond 16 bits", Replaced(example, "2,12000", "2,40000"), false);
        row("device width not a number", Replaced(example, ".5,.25", "wide,.25"), false);
        row("power beyond single range", Replaced(example, "\r\n2.5\r\n", "\r\n1E+39\r\n"), true);
    }

    void damagedFiles() {
        QFETCH(QByteArray, content);
        QFETCH(bool, layerSizeRead);
        QFETCH(bool, commentsWidthRead);
        Preferences before = ExamplePreferences();
        before.DecimalDigits[7] = 4;
        before.Defaults.DefaultLayerWidth = 7.0f;
        before.Defaults.DefaultLayerLength = 8.0f;
        before.CommentsWindowWidth = 500;
        before.CommentsWindowHeight = 600;
        Preferences prefs = before;
        const auto outcome =
            ReadPreferencesText(prefs, kFolders, kDamagedPath, content.toStdString());
        QVERIFY(!outcome.Ok);
        QCOMPARE(outcome.Message, kDamagedMessage);
        Preferences expected = RestoredFrom(before);
        if (layerSizeRead) {
            expected.Defaults.DefaultLayerWidth = 1.5f;
            expected.Defaults.DefaultLayerLength = 2.0f;
        }
        if (commentsWidthRead) expected.CommentsWindowWidth = 6000;
        ComparePreferences(prefs, expected);
    }

    // A whole number the program cannot use resets that value alone; the recent files, the
    // folders and the user information stay.
    void outOfRangeValueResetsAlone_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("digit count of 6") << QString("0,1,2,3,4,5,3") << QString("0,1,2,3,4,6,3");
        QTest::newRow("negative digit count")
            << QString("0,1,2,3,4,5,3") << QString("0,1,2,3,4,-1,3");
        QTest::newRow("window state 3") << QString("2,12000") << QString("3,12000");
        QTest::newRow("window state -1") << QString("2,12000") << QString("-1,12000");
    }

    void outOfRangeValueResetsAlone() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        const std::string text = Replaced(kExampleFile, from.toStdString(), to.toStdString());
        Preferences prefs;
        QVERIFY(ReadPreferencesText(prefs, kFolders, kDamagedPath, text).Ok);
        Preferences expected = ExamplePreferences();
        if (from.startsWith("0,")) expected.DecimalDigits[5] = kDefaultDecimalDigits[5];
        if (from.startsWith("2,")) expected.MainWindowState = WindowState::Normal;
        ComparePreferences(prefs, expected);
    }

    void unitOnLineOne_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("inches");
        const auto row = [](const char* line, bool inches) {
            QTest::newRow(line) << line << inches;
        };
        row("\"Inches\"", true);
        row("Inches", true);
        row("\"inches\"", false);
        row("\"Inches \"", false);
    }

    void unitOnLineOne() {
        QFETCH(QString, line);
        QFETCH(bool, inches);
        const std::string text =
            Replaced(kExampleFile, "\"Millimeters\"\r\n", line.toStdString() + "\r\n");
        Preferences prefs;
        QVERIFY(ReadPreferencesText(prefs, kFolders, kDamagedPath, text).Ok);
        QCOMPARE(prefs.UnitSystem == LengthUnit::Inches, inches);
    }

    void emptyFoldersBecomeTheDefaultFolders() {
        std::string text = Replaced(kExampleFile, "\"/opt/sx/Materials data\"", "\"\"");
        text = Replaced(text, "\"/home/ann/models, old\"", "");
        Preferences prefs;
        QVERIFY(ReadPreferencesText(prefs, kFolders, kDamagedPath, text).Ok);
        QCOMPARE(prefs.MaterialsFolder, std::string("/opt/sx/Materials"));
        QCOMPARE(prefs.ModelsFolder, std::string("/opt/sx/Models"));
        QCOMPARE(prefs.RecentFiles[1], std::string("/home/ann/a.mdl"));
    }

    void unstorableTexts_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        const auto row = [](const char* name, const char* typed, const char* stored) {
            QTest::newRow(name) << QString(typed) << QString(stored);
        };
        row("double quote", "say \"hi\"", "say hi");
        row("CR LF", "one\r\ntwo", "one two");
        row("CR", "one\rtwo", "one two");
        row("comma and blanks", " a, b ", " a, b ");
    }

    // A text the format cannot hold must not shift the fields after it.
    void unstorableTexts() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        Preferences saved = ExamplePreferences();
        saved.UserInfoText[1] = typed.toStdString();
        saved.RecentFiles[2] = "/tmp/" + typed.toStdString() + ".mdl";
        Preferences loaded;
        QVERIFY(ReadPreferencesText(loaded, kFolders, kDamagedPath, PreferencesText(saved)).Ok);
        QCOMPARE(QString::fromStdString(loaded.UserInfoText[1]), stored);
        const bool pathKept = typed == stored;
        QCOMPARE(loaded.RecentFiles[2], pathKept ? saved.RecentFiles[2] : std::string());
        saved.UserInfoText[1] = loaded.UserInfoText[1];
        saved.RecentFiles[2] = loaded.RecentFiles[2];
        ComparePreferences(loaded, saved);
    }

    void failedSaveIsReported() {
        const std::string path = "/nonexistent-folder/prefs.txt";
        QCOMPARE(SavePreferences(ExamplePreferences(), path).Message,
                 "Unknown error saving preferences to " + path + "!");
    }
};

QTEST_APPLESS_MAIN(TestPreferences)
#include "test_preferences.moc"
