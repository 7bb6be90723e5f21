#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <map>

#include "persistence/safe_write.h"
#include "support/child_process.h"
#include "support/file_bytes.h"

using namespace strativex;

namespace {

const QByteArray kOld = "old content\r\n";
const std::string kNew(4096, 'n');
constexpr rlim_t kSizeLimit = 100;
constexpr int kSucceeded = 100;

// Every file under the folder with its bytes: a failed write must leave this as it was, with
// no temporary file behind.
std::map<QString, QByteArray> Contents(const QString& folder) {
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[path] = ReadBytes(path);
    }
    return files;
}

std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

int StatusOf(const SafeWriteResult& result) {
    return result.Ok ? kSucceeded : static_cast<int>(result.FailedStep);
}

struct stat StatOf(const QString& path) {
    struct stat info {};
    ::lstat(Native(path).c_str(), &info);
    return info;
}

}  // namespace

Q_DECLARE_METATYPE(SafeWriteStep)

class TestSafeWrite : public QObject {
    Q_OBJECT

private slots:
    // Each step a write goes through, failing for real where a file system can be made to, and
    // through the probe where it cannot (the probe runs before its step); "in place" rows write a
    // file with a second hard link.
    void everyFailurePointKeepsTheOldFile_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("inPlace");
        QTest::addColumn<SafeWriteStep>("step");
        QTest::newRow("open: folder missing") << "missing folder" << false << SafeWriteStep::Open;
        QTest::newRow("open: a folder is the target") << "folder" << false << SafeWriteStep::Open;
        QTest::newRow("write: file-size limit") << "limit" << false << SafeWriteStep::Write;
        QTest::newRow("sync fails") << "probe" << false << SafeWriteStep::Sync;
        QTest::newRow("rename: a folder took the target's place")
            << "folder before rename" << false << SafeWriteStep::Rename;
        QTest::newRow("in place, write: file-size limit")
            << "limit" << true << SafeWriteStep::Write;
        QTest::newRow("in place, write fails") << "probe" << true << SafeWriteStep::Write;
        // The new bytes are in the file by then: the old ones must be put back.
        QTest::newRow("in place, sync fails") << "probe" << true << SafeWriteStep::Sync;
    }

    void everyFailurePointKeepsTheOldFile() {
        QFETCH(QString, how);
        QFETCH(bool, inPlace);
        QFETCH(SafeWriteStep, step);
        QTemporaryDir dir;
        QString target = dir.filePath("m.mdl");
        QVERIFY(WriteBytes(target, kOld));
        if (inPlace)
            QVERIFY(::link(Native(target).c_str(), Native(dir.filePath("twin")).c_str()) == 0);
        if (how == "missing folder") target = dir.filePath("none/m.mdl");
        if (how == "folder") QVERIFY(QFile::remove(target) && WriteBytes(target + "/inside", "x"));
        auto expected = Contents(dir.path());

        int status = -1;
        if (how == "limit") {
            // Without SIGXFSZ ignored the child would die of it here, leaving its temporary file.
            status = ExitStatusInChild([&] {
                const rlimit limit{kSizeLimit, kSizeLimit};
                ::setrlimit(RLIMIT_FSIZE, &limit);
                return StatusOf(SafeWriteFile(Native(target), kNew));
            });
        } else {
            const ScopedSafeWriteProbe probe([&](SafeWriteStep at) {
                if (at != step) return 0;
                if (how != "folder before rename") return EIO;
                QFile::remove(target);
                WriteBytes(target + "/inside", "x");
                expected = Contents(dir.path());
                std::erase_if(expected, [](const auto& file) {
                    return QFileInfo(file.first).fileName().startsWith(".strativex-");
                });
                return 0;
            });
            status = StatusOf(SafeWriteFile(Native(target), kNew));
        }
        QCOMPARE(status, static_cast<int>(step));
        QCOMPARE(Contents(dir.path()), expected);
    }

    void keepsWhatTheUserReliesOn_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("symbolic link: the file it names is written") << "link";
        QTest::newRow("dangling link: the file it names is created") << "dangling";
        QTest::newRow("hard links: all names see the new content") << "hard link";
        QTest::newRow("permission bits") << "mode";
        QTest::newRow("owner, when root saves another user's file") << "owner";
        QTest::newRow("a 255-byte name") << "long name";
    }

    void keepsWhatTheUserReliesOn() {
        QFETCH(QString, how);
        if (how == "owner" && ::geteuid() != 0) QSKIP("only root may keep another user's owner");
        QTemporaryDir dir;
        QString path = dir.filePath("m.mdl");
        QString file = path;  // where the content must land
        if (how == "link" || how == "dangling") {
            file = dir.filePath("real/m.mdl");
            QVERIFY(QDir().mkpath(dir.filePath("real")));
            QVERIFY(::symlink("real/m.mdl", Native(path).c_str()) == 0);
        }
        if (how == "long name") path = file = dir.filePath(QString(255, 'n'));
        if (how != "dangling") QVERIFY(WriteBytes(file, kOld));
        if (how == "hard link")
            QVERIFY(::link(Native(file).c_str(), Native(dir.filePath("twin")).c_str()) == 0);
        if (how == "mode") QVERIFY(::chmod(Native(file).c_str(), 0604) == 0);
        if (how == "owner") QVERIFY(::chown(Native(file).c_str(), 65534, 65534) == 0);
        const struct stat before = StatOf(file);

        const SafeWriteResult result = SafeWriteFile(Native(path), kNew);

        QVERIFY2(result.Ok, result.SystemError.c_str());
        QCOMPARE(ReadBytes(file), QByteArray::fromStdString(kNew));
        const struct stat after = StatOf(file);
        if (how == "link" || how == "dangling") QVERIFY(S_ISLNK(StatOf(path).st_mode));
        if (how == "hard link") QCOMPARE(ReadBytes(dir.filePath("twin")), ReadBytes(file));
        if (how == "dangling") return;
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
    }

    // A process killed inside an in-place rewrite, before its first new byte or before the sync,
    // leaves a file of the new size without the old tail, and the old content in a copy beside it.
    void killedInPlaceRewriteLeavesTheOldContentBeside_data() {
        QTest::addColumn<SafeWriteStep>("step");
        QTest::addColumn<QByteArray>("left");
        const QByteArray longOld(2 * kNew.size(), 'o');
        QTest::newRow("killed before writing") << SafeWriteStep::Write << longOld.left(4096);
        QTest::newRow("killed before the sync")
            << SafeWriteStep::Sync << QByteArray::fromStdString(kNew);
    }

    void killedInPlaceRewriteLeavesTheOldContentBeside() {
        QFETCH(SafeWriteStep, step);
        QFETCH(QByteArray, left);
        QTemporaryDir dir;
        const QString target = dir.filePath("m.mdl");
        const QByteArray longOld(2 * kNew.size(), 'o');
        QVERIFY(WriteBytes(target, longOld));
        QVERIFY(::link(Native(target).c_str(), Native(dir.filePath("twin")).c_str()) == 0);

        const int status = ExitStatusInChild([&] {
            const ScopedSafeWriteProbe probe([step](SafeWriteStep at) {
                if (at == step) ::raise(SIGKILL);
                return 0;
            });
            return StatusOf(SafeWriteFile(Native(target), kNew));
        });

        QCOMPARE(status, -1);
        QCOMPARE(ReadBytes(target), left);
        const QStringList backups =
            QDir(dir.path()).entryList({QStringLiteral("m.mdl.backup-*")}, QDir::Files);
        QCOMPARE(backups.size(), 1);
        QCOMPARE(ReadBytes(dir.filePath(backups[0])), longOld);
    }

    void finishedInPlaceRewriteLeavesNoCopy() {
        QTemporaryDir dir;
        const QString target = dir.filePath("m.mdl");
        QVERIFY(WriteBytes(target, kOld));
        QVERIFY(::link(Native(target).c_str(), Native(dir.filePath("twin")).c_str()) == 0);
        QVERIFY(SafeWriteFile(Native(target), kNew).Ok);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"m.mdl", "twin"}));
    }

    // Root writes any file; an ordinary user, in a child process, shows what permissions do.
    void permissionsOfAnOrdinaryUser_data() {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<int>("status");
        QTest::newRow("read-only file: refused as opening it would be")
            << 0777 << 0444 << static_cast<int>(SafeWriteStep::Open);
        QTest::newRow("folder not writable: the file is rewritten in place")
            << 0555 << 0666 << kSucceeded;
    }

    void permissionsOfAnOrdinaryUser() {
        QFETCH(int, folderMode);
        QFETCH(int, fileMode);
        QFETCH(int, status);
        QTemporaryDir dir;
        QVERIFY(::chmod(Native(dir.path()).c_str(), 0755) == 0);
        const QString folder = dir.filePath("f");
        const QString path = folder + "/m.mdl";
        QVERIFY(WriteBytes(path, kOld));
        QVERIFY(::chmod(Native(path).c_str(), static_cast<mode_t>(fileMode)) == 0);
        QVERIFY(::chmod(Native(folder).c_str(), static_cast<mode_t>(folderMode)) == 0);
        const ino_t inode = StatOf(path).st_ino;
        const int result = ExitStatusInChild([&] {
            if (!BecomeUnprivileged()) return 255;
            return StatusOf(SafeWriteFile(Native(path), kNew));
        });
        ::chmod(Native(folder).c_str(), 0755);
        if (result == 255) QSKIP("no ordinary user to become");
        QCOMPARE(result, status);
        QCOMPARE(ReadBytes(path), status == kSucceeded ? QByteArray::fromStdString(kNew) : kOld);
        QCOMPARE(StatOf(path).st_ino, inode);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"m.mdl"});
    }
};

QTEST_APPLESS_MAIN(TestSafeWrite)
#include "test_safe_write.moc"
