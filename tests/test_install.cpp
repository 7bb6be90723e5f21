#include <QtTest>

#include <QAction>
#include <QComboBox>
#include <QProcess>

#include <memory>
#include <optional>

#include "mainwindow/main_window.h"
#include "persistence/model_file.h"
#include "persistence/program_folders.h"
#include "platform/command_line.h"
#include "platform/native_path.h"
#include "platform/seed_user_materials.h"
#include "support/file_bytes.h"
#include "support/material_folders.h"
#include "support/scripted_desktop.h"
#include "support/widget_lookup.h"

using namespace strativex;

namespace {

const QString kShippedStandard = QStringLiteral(STRATIVEX_BIN_DIR "/Materials/matprops.dat");
const QString kAppId = QStringLiteral("org.strativex.Strativex");

// The user's folders as the desktop's standards name them under the test's own homes.
struct UserHomes {
    QString Config;
    QString Data;
};

void SetModified(const QString& path, const QDateTime& time) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

// An installed prefix: the programs' folder and the data folder with the shipped files.
QString MakeInstalledPrefix(const QString& root) {
    QDir().mkpath(root + "/bin");
    QDir().mkpath(root + "/share/strativex/Materials");
    QFile::copy(kShippedStandard, root + "/share/strativex/Materials/matprops.dat");
    if (!WriteBytes(root + "/share/strativex/SX-Topics.pdf", "%PDF-1.4\n")) return {};
    return root + "/bin";
}

ProgramFolders UserFoldersFor(const UserHomes& homes, const QString& shippedData) {
    const QString data = homes.Data + "/Strativex";
    return {NativePath(data), NativePath(data + "/Materials"), NativePath(data + "/Models"),
            NativePath(homes.Config + "/Strativex/prefs.txt"), NativePath(shippedData)};
}

QStringList Paths(const ProgramFolders& f) {
    return {PathText(f.ProgramFolder), PathText(f.DefaultMaterialsFolder),
            PathText(f.DefaultModelsFolder), PathText(f.PreferencesPath), PathText(f.HelpFolder)};
}

QStringList FilesUnder(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) files << it.next();
    files.sort();
    return files;
}

// One run of the program's start-up, as main() does it.
struct Run {
    AppState state;
    ScriptedDesktop desktop;
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(state, desktop);
};

enum class OwnCopy { Missing, Older, SameTime, Newer };

}  // namespace

Q_DECLARE_METATYPE(OwnCopy)

class TestInstall : public QObject {
    Q_OBJECT

    QTemporaryDir homes_;
    UserHomes user_;
    QTemporaryDir installRoot_;
    std::optional<QString> installError_;
    bool installed_ = false;

    // Installs this build once into a prefix of the test's own, as a user would.
    bool InstallOnce() {
        if (installed_) return true;
        if (installError_) return false;
        QProcess install;
        install.setWorkingDirectory(installRoot_.path());
        install.start(QStringLiteral(STRATIVEX_CMAKE_COMMAND),
                      {"--install", STRATIVEX_BUILD_DIR, "--prefix", installRoot_.path()});
        const bool finished = install.waitForFinished(60000);
        installed_ =
            finished && install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0;
        if (!installed_) installError_ = install.readAllStandardError();
        return installed_;
    }

    QString Installed(const QString& relative) const {
        return installRoot_.path() + "/" + relative;
    }

    // Runs a checker that may be missing on this machine; returns its output on failure.
    static std::optional<QString> Check(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.setWorkingDirectory(QDir::tempPath());
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        if (!process.waitForFinished(60000)) return QStringLiteral("did not finish");
        if (process.exitCode() == 0) return std::nullopt;
        return QString::fromLocal8Bit(process.readAll());
    }

private slots:
    void initTestCase() {
        QVERIFY(homes_.isValid() && installRoot_.isValid());
        user_ = {homes_.path() + "/config", homes_.path() + "/data"};
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(user_.Config));
        qputenv("XDG_DATA_HOME", QFile::encodeName(user_.Data));
        QCoreApplication::setApplicationName(QStringLiteral("Strativex"));
        QVERIFY(QFileInfo::exists(kShippedStandard));
    }

    // Tests run as root, for whom permission bits stop no write; the probe stands in for a
    // folder the user may not write to.
    void resolvesFolders_data() {
        QTest::addColumn<bool>("installedData");
        QTest::addColumn<bool>("dataWithoutStandardFile");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QString>("expected");
        QTest::newRow("build folder") << false << false << true << "program folder";
        QTest::newRow("unpacked, writable") << false << true << true << "program folder";
        QTest::newRow("unpacked, read-only") << false << false << false << "user, help beside";
        QTest::newRow("installed, read-only prefix") << true << false << false << "user";
        QTest::newRow("installed, writable prefix") << true << false << true << "user";
    }

    void resolvesFolders() {
        QFETCH(bool, installedData);
        QFETCH(bool, dataWithoutStandardFile);
        QFETCH(bool, writable);
        QFETCH(QString, expected);
        QTemporaryDir root;
        QString bin = root.path() + "/bin";
        QDir().mkpath(bin);
        if (installedData) bin = MakeInstalledPrefix(root.path());
        if (dataWithoutStandardFile) QDir().mkpath(root.path() + "/share/strativex/Materials");
        QString probed;
        const auto probe = [&](const std::string& folder) {
            probed = PathText(folder);
            return writable;
        };

        const ProgramFolders folders =
            ResolveProgramFolders(NativePath(bin + "/"), {TheSystem().Variable, probe});

        if (expected == "program folder") {
            QCOMPARE(probed, bin);
            QCOMPARE(Paths(folders), Paths(ProgramFoldersFor(NativePath(bin))));
        } else if (expected == "user, help beside") {
            QCOMPARE(Paths(folders), Paths(UserFoldersFor(user_, bin)));
        } else {
            QCOMPARE(Paths(folders),
                     Paths(UserFoldersFor(user_, root.path() + "/share/strativex")));
        }
        QCOMPARE(KeepsUserFilesApart(folders), expected != "program folder");
    }

    void userFoldersAreMadeOnlyWhenApart() {
        QTemporaryDir root;
        const QString bin = MakeInstalledPrefix(root.path());
        const ProgramFolders installed = ResolveProgramFolders(NativePath(bin));
        CreateUserFolders(installed);
        for (const std::string& folder : {installed.ProgramFolder, installed.DefaultMaterialsFolder,
                                          installed.DefaultModelsFolder}) {
            QVERIFY2(QFileInfo(PathText(folder)).isDir(), folder.c_str());
        }
        QVERIFY(QFileInfo(QFileInfo(PathText(installed.PreferencesPath)).path()).isDir());

        QTemporaryDir own;
        CreateUserFolders(ProgramFoldersFor(NativePath(own.path())));
        QVERIFY(FilesUnder(own.path()).isEmpty());
        QVERIFY(!QFileInfo::exists(own.path() + "/Models"));
    }

    void seedsStandardMaterials_data() {
        QTest::addColumn<OwnCopy>("ownCopy");
        QTest::addColumn<bool>("defaultFolder");
        QTest::addColumn<bool>("copied");
        QTest::newRow("first start") << OwnCopy::Missing << true << true;
        QTest::newRow("missing, materials elsewhere") << OwnCopy::Missing << false << true;
        QTest::newRow("shipped newer, default folder") << OwnCopy::Older << true << true;
        QTest::newRow("shipped newer, folder of own") << OwnCopy::Older << false << false;
        QTest::newRow("same time") << OwnCopy::SameTime << true << false;
        QTest::newRow("own copy newer") << OwnCopy::Newer << true << false;
    }

    void seedsStandardMaterials() {
        QFETCH(OwnCopy, ownCopy);
        QFETCH(bool, defaultFolder);
        QFETCH(bool, copied);
        QTemporaryDir root;
        const QString bin = MakeInstalledPrefix(root.path());
        const QString shipped = root.path() + "/share/strativex/Materials/matprops.dat";
        const QDateTime shippedTime = QFileInfo(shipped).lastModified();
        ProgramFolders folders = ResolveProgramFolders(NativePath(bin));
        folders.ProgramFolder = NativePath(root.path() + "/user");
        folders.DefaultMaterialsFolder = NativePath(root.path() + "/user/Materials");
        const QString own = root.path() + "/user/Materials/matprops.dat";
        const QString custom = root.path() + "/user/Materials/matcust.dat";
        const QByteArray customBytes = "\"Solder of my own\",900,0.5,0\r\n";
        QVERIFY(WriteBytes(custom, customBytes));
        const QDateTime customTime = QFileInfo(custom).lastModified();
        if (ownCopy != OwnCopy::Missing) {
            QVERIFY(WriteBytes(own, "an older standard file\r\n"));
            const qint64 offset = ownCopy == OwnCopy::Older   ? -3600
                                  : ownCopy == OwnCopy::Newer ? 3600
                                                              : 0;
            SetModified(own, shippedTime.addSecs(offset));
        }
        const QByteArray before = ReadBytes(own);
        Preferences prefs;
        prefs.MaterialsFolder = defaultFolder ? folders.DefaultMaterialsFolder + "/"
                                              : NativePath(root.path() + "/elsewhere");

        SeedUserMaterials(folders, prefs);

        QCOMPARE(ReadBytes(own), copied ? ReadBytes(shipped) : before);
        if (copied) QCOMPARE(QFileInfo(own).lastModified(), shippedTime);
        QCOMPARE(ReadBytes(custom), customBytes);
        QCOMPARE(QFileInfo(custom).lastModified(), customTime);
        QCOMPARE(QDir(root.path() + "/user/Materials").entryList(QDir::Files),
                 (QStringList{"matcust.dat", "matprops.dat"}));
    }

    void seedingChangesNothing_data() {
        QTest::addColumn<bool>("besideProgram");
        QTest::newRow("old copy beside the program") << true;
        // A file where the materials folder should be: nothing can be written into it.
        QTest::newRow("materials folder unusable") << false;
    }

    void seedingChangesNothing() {
        QFETCH(bool, besideProgram);
        QTemporaryDir root;
        ProgramFolders folders;
        QString guarded = root.path() + "/blocked";
        if (besideProgram) {
            folders = ProgramFoldersFor(NativePath(root.path()));
            guarded = root.path() + "/Materials/matprops.dat";
        } else {
            folders = ResolveProgramFolders(NativePath(MakeInstalledPrefix(root.path())));
            folders.DefaultMaterialsFolder = NativePath(guarded);
        }
        QVERIFY(WriteBytes(guarded, "kept"));
        SetModified(guarded, QDateTime(QDate(2001, 1, 1), {}));
        const QStringList before = FilesUnder(root.path());
        Preferences prefs;
        prefs.MaterialsFolder = folders.DefaultMaterialsFolder;
        SeedUserMaterials(folders, prefs);
        QCOMPARE(FilesUnder(root.path()), before);
        QCOMPARE(ReadBytes(guarded), QByteArray("kept"));
    }

    // Two runs of an installed copy in a read-only prefix: the first seeds the user's folders
    // and writes the preferences into the user's configuration folder, the second reads them.
    void installedCopyKeepsTheUsersSettings() {
        QTemporaryDir root;
        const QString bin = MakeInstalledPrefix(root.path());
        const QStringList shippedFiles = FilesUnder(root.path());
        const auto readOnly = [](const std::string&) { return false; };
        const ProgramFolders folders =
            ResolveProgramFolders(NativePath(bin), {TheSystem().Variable, readOnly});
        CreateUserFolders(folders);
        const QString prefsPath = PathText(folders.PreferencesPath);
        QFile::remove(prefsPath);
        QFile::remove(PathText(folders.DefaultMaterialsFolder) + "/matprops.dat");

        Run first;
        QVERIFY(first.window->Start(folders));
        QVERIFY(first.desktop.messages.empty());
        QVERIFY(Child<QComboBox>(*first.window, "ComboMaterials")->count() > 10);
        QCOMPARE(QDir::currentPath(), PathText(folders.ProgramFolder));
        QCOMPARE(first.state.prefs.ModelsFolder, folders.DefaultModelsFolder);
        Child<QAction>(*first.window, "mnuTopics")->trigger();
        QCOMPARE(first.desktop.openedDocuments,
                 QStringList{root.path() + "/share/strativex/SX-Topics.pdf"});
        Child<QAction>(*first.window, "mnuMillimeters")->trigger();
        first.desktop.answers.push_back(MessageAnswer::No);
        Child<QAction>(*first.window, "mnuExit")->trigger();
        QVERIFY(QFileInfo::exists(prefsPath));
        QVERIFY(ReadBytes(prefsPath).startsWith("\"Millimeters\"\r\n"));
        QCOMPARE(FilesUnder(root.path()), shippedFiles);

        Run second;
        QVERIFY(second.window->Start(folders));
        QVERIFY(second.desktop.messages.empty());
        QVERIFY(Child<QAction>(*second.window, "mnuMillimeters")->isChecked());
        QCOMPARE(second.state.prefs.MaterialsFolder, folders.DefaultMaterialsFolder);
    }

    // The start-up changes the working directory; a relative name still means the file in the
    // folder the program was started from.
    void opensModelFromCommandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("loadMessage");
        const QString model = QStringLiteral("examples/igbt_on_al2o3_dbc.mdl");
        const QString absolute = QStringLiteral(STRATIVEX_SOURCE_DIR "/") + model;
        QTest::newRow("relative to the starting folder")
            << QStringList{"strativex", model} << true << false;
        QTest::newRow("absolute") << QStringList{"strativex", absolute} << true << false;
        QTest::newRow("none") << QStringList{"strativex"} << false << false;
        QTest::newRow("empty") << QStringList{"strativex", ""} << false << false;
        QTest::newRow("missing file")
            << QStringList{"strativex", "examples/none.mdl"} << false << true;
    }

    void opensModelFromCommandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, opened);
        QFETCH(bool, loadMessage);
        QVERIFY(QDir::setCurrent(QStringLiteral(STRATIVEX_SOURCE_DIR)));
        QTemporaryDir program;
        QVERIFY(CopyStandardMaterials(program.path() + "/Materials"));
        const ProgramFolders folders = ProgramFoldersFor(NativePath(program.path()));
        SavePreferences(Preferences{}, folders.PreferencesPath);

        const std::optional<QString> model = CommandLineModel(arguments);
        Run run;
        QVERIFY(run.window->Start(folders));
        run.window->show();
        if (model) run.window->OpenModelFromPath(*model);

        QCOMPARE(run.window->windowTitle(),
                 opened ? "Strativex -- igbt_on_al2o3_dbc.mdl[*]" : "Strativex -- untitled.mdl[*]");
        QCOMPARE(run.state.prefs.RecentFiles[1],
                 opened ? NativePath(QStringLiteral(STRATIVEX_SOURCE_DIR
                                                    "/examples/igbt_on_al2o3_dbc.mdl"))
                        : std::string());
        const bool loadFailed =
            !run.desktop.messages.empty() && run.desktop.messages.back().Title == kLoadModelTitle;
        QCOMPARE(loadFailed, loadMessage);
    }

    void installsIntoAPrefix() {
        QVERIFY2(InstallOnce(), qPrintable(installError_.value_or(QString())));
        for (const QString& file :
             QStringList{"bin/strativex", "bin/strativex-calc", "bin/strativex-calc-pdf",
                         "bin/strativex-matprops", "share/strativex/Materials/matprops.dat",
                         "share/strativex/Materials/matheat.csv", "share/strativex/SX-Topics.pdf",
                         "share/strativex/SX-How To.pdf", "share/strativex/SX-Glossary.pdf",
                         "share/applications/" + kAppId + ".desktop",
                         "share/metainfo/" + kAppId + ".metainfo.xml",
                         "share/icons/hicolor/scalable/apps/strativex.svg",
                         "share/mime/packages/strativex.xml"}) {
            QVERIFY2(QFileInfo::exists(Installed(file)), qPrintable(file));
        }
        QVERIFY(QFileInfo(Installed("bin/strativex")).isExecutable());
        QCOMPARE(ReadBytes(Installed("share/strativex/Materials/matprops.dat")),
                 ReadBytes(kShippedStandard));
        // The program finds the installed data where the install put it.
        const ProgramFolders folders =
            ResolveProgramFolders(NativePath(Installed("bin")),
                                  {TheSystem().Variable, [](const std::string&) { return true; }});
        QCOMPARE(PathText(folders.HelpFolder), Installed("share/strativex"));
    }

    // The installed calculator finds the user's files where the installed window does: the
    // preferences in the configuration folder, and the materials folder they name.
    void installedCalculatorUsesTheUsersFiles() {
        QVERIFY2(InstallOnce(), qPrintable(installError_.value_or(QString())));
        const ProgramFolders folders = ResolveProgramFolders(NativePath(Installed("bin")));
        const QString materials = homes_.path() + "/chosen";
        QVERIFY(PlantMaterials(materials, "950,\"Mine\",2,0\r\n"));
        Preferences prefs;
        prefs.MaterialsFolder = NativePath(materials);
        QDir().mkpath(QFileInfo(PathText(folders.PreferencesPath)).path());
        QVERIFY(SavePreferences(prefs, folders.PreferencesPath).Ok);
        Model model;
        ResetToNewModel(model, ModelDefaults{});
        model.LayerCount = 1;
        model.Layers[1].MaterialId = 950;
        QVERIFY(
            WriteBytes(homes_.path() + "/m.mdl", QByteArray::fromStdString(ModelFileText(model))));
        QProcess calc;
        calc.start(Installed("bin/strativex-calc"), {"--format", "csv", homes_.path() + "/m.mdl"});
        QVERIFY(calc.waitForFinished(30000));
        QFile::remove(PathText(folders.PreferencesPath));
        QCOMPARE(calc.exitCode(), 0);
        QVERIFY(calc.readAllStandardOutput().contains(",950,Mine,"));
    }

    void installedFilesPassTheDesktopChecks_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry")
            << "desktop-file-validate"
            << QStringList{Installed("share/applications/" + kAppId + ".desktop")};
        QTest::newRow("AppStream metadata")
            << "appstreamcli"
            << QStringList{"validate", "--no-net",
                           Installed("share/metainfo/" + kAppId + ".metainfo.xml")};
    }

    void installedFilesPassTheDesktopChecks() {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        const QString found = QStandardPaths::findExecutable(program);
        if (found.isEmpty()) QSKIP(qPrintable(program + " is not installed"));
        QVERIFY2(InstallOnce(), qPrintable(installError_.value_or(QString())));
        const std::optional<QString> problems = Check(found, arguments);
        QVERIFY2(!problems, qPrintable(problems.value_or(QString())));
    }

    void mimeTypeMatchesModelFiles() {
        const QString found = QStandardPaths::findExecutable("update-mime-database");
        if (found.isEmpty()) QSKIP("update-mime-database is not installed");
        QVERIFY2(InstallOnce(), qPrintable(installError_.value_or(QString())));
        QVERIFY(!Check(found, {Installed("share/mime")}));
        const QByteArray globs = ReadBytes(Installed("share/mime/globs2"));
        QVERIFY2(globs.contains("application/x-strativex-model:*.mdl"), globs.constData());
        const QByteArray magic = ReadBytes(Installed("share/mime/magic"));
        QVERIFY(magic.contains("application/x-strativex-model"));
        QVERIFY(magic.contains("\"MODEL NAME\","));
    }

    // The user's heat capacities carry the custom materials' rows: a missing file is given the
    // shipped one, an existing one is never replaced, however old.
    void seedsHeatCapacitiesOnlyWhereMissing_data() {
        QTest::addColumn<bool>("ownCopy");
        QTest::newRow("first start") << false;
        QTest::newRow("own copy, older than the shipped one") << true;
    }
    void seedsHeatCapacitiesOnlyWhereMissing() {
        QFETCH(bool, ownCopy);
        QTemporaryDir root;
        const QString bin = MakeInstalledPrefix(root.path());
        const QString shipped = root.path() + "/share/strativex/Materials/matheat.csv";
        QVERIFY(WriteBytes(shipped, "id,name,density_kg_m3,specific_heat_j_per_kg_k,source\n"));
        ProgramFolders folders = ResolveProgramFolders(NativePath(bin));
        folders.ProgramFolder = NativePath(root.path() + "/user");
        folders.DefaultMaterialsFolder = NativePath(root.path() + "/user/Materials");
        QDir().mkpath(root.path() + "/user/Materials");
        const QString own = root.path() + "/user/Materials/matheat.csv";
        const QByteArray mine =
            "id,name,density_kg_m3,specific_heat_j_per_kg_k,source\n"
            "950,Mine,1000,500,custom\n";
        if (ownCopy) {
            QVERIFY(WriteBytes(own, mine));
            SetModified(own, QFileInfo(shipped).lastModified().addSecs(-3600));
        }
        Preferences prefs;
        prefs.MaterialsFolder = folders.DefaultMaterialsFolder;
        SeedUserMaterials(folders, prefs);
        QCOMPARE(ReadBytes(own), ownCopy ? mine : ReadBytes(shipped));
    }
};

QTEST_MAIN(TestInstall)
#include "test_install.moc"
