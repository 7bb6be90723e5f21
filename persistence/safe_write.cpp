#include "persistence/safe_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <vector>

#include "persistence/write_target.h"

namespace strativex {
namespace {

// Installed by ScopedSafeWriteProbe only; every product run leaves it empty.
thread_local const SafeWriteProbe* installedProbe = nullptr;

// The tests' probe, asked before a step runs; an error it gives stands for the system's.
bool Injected(SafeWriteStep step) {
    if (installedProbe == nullptr) return false;
    const int injected = (*installedProbe)(step);
    if (injected == 0) return false;
    errno = injected;
    return true;
}

SafeWriteResult Failure(SafeWriteStep step, int error) {
    return {false, step, std::strerror(error)};
}

SafeWriteResult Failure(SafeWriteStep step) {
    return Failure(step, errno);
}

// Past a file-size limit the system stops a write with SIGXFSZ, which would end the program
// with the temporary file left behind; ignored, the write fails with EFBIG and is reported.
class FileSizeSignalIgnored {
public:
    FileSizeSignalIgnored() {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        ::sigaction(SIGXFSZ, &ignore, &previous_);
    }
    ~FileSizeSignalIgnored() { ::sigaction(SIGXFSZ, &previous_, nullptr); }
    FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
    FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;

private:
    struct sigaction previous_ {};
};

bool WriteAllAt(int fd, std::string_view content, off_t offset) {
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::pwrite(fd, content.data() + written, content.size() - written,
                                   offset + static_cast<off_t>(written));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

class TemporaryFile {
public:
    // By default a name of fixed length, so that it fits wherever the target's name fits.
    explicit TemporaryFile(const std::string& folder, const std::string& prefix = ".strativex-") {
        std::string pattern = folder + "/" + prefix + "XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        fd_ = ::mkostemp(buffer.data(), O_CLOEXEC);
        if (fd_ >= 0) path_ = buffer.data();
    }
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void Keep() { path_.clear(); }

private:
    int fd_ = -1;
    std::string path_;
};

void SyncFolder(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    ::fsync(dir);
    ::close(dir);
}

// Mode and owner of the file replaced; a new file gets the usual permissions. Only a
// privileged process may give a file away, so an owner it may not set is left as it comes.
bool TakeOver(int fd, const WriteTarget& target) {
    if (!target.Existing) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return ::fchmod(fd, 0666 & ~mask) == 0;
    }
    if (::fchown(fd, target.Existing->st_uid, target.Existing->st_gid) != 0 && errno != EPERM) {
        return false;
    }
    return ::fchmod(fd, target.Existing->st_mode & 07777) == 0;
}

SafeWriteResult ReplaceByRename(const WriteTarget& target, std::string_view content) {
    if (Injected(SafeWriteStep::Open)) return Failure(SafeWriteStep::Open);
    TemporaryFile temp(target.Folder);
    if (temp.fd() < 0) return Failure(SafeWriteStep::Open);
    if (Injected(SafeWriteStep::Write) || !TakeOver(temp.fd(), target) ||
        !WriteAllAt(temp.fd(), content, 0)) {
        return Failure(SafeWriteStep::Write);
    }
    if (Injected(SafeWriteStep::Sync) || ::fsync(temp.fd()) != 0 || !temp.Close()) {
        return Failure(SafeWriteStep::Sync);
    }
    if (Injected(SafeWriteStep::Rename) ||
        std::rename(temp.path().c_str(), target.Path.c_str()) != 0) {
        return Failure(SafeWriteStep::Rename);
    }
    temp.Keep();
    SyncFolder(target.Folder);
    return {};
}

// The old content of a file rewritten in place, written and synced beside it before the rewrite
// starts and removed when the rewrite is over, so that a process killed in between leaves the
// old content on the disk. Where the folder takes no new file there is none.
class InPlaceBackup {
public:
    explicit InPlaceBackup(const WriteTarget& target) {
        if (::access(target.Folder.c_str(), W_OK) != 0) return;
        TemporaryFile file(target.Folder, BackupPrefix(target.Path));
        if (file.fd() < 0 || !WriteAllAt(file.fd(), target.OldContent, 0) ||
            ::fsync(file.fd()) != 0 || !file.Close()) {
            return;
        }
        SyncFolder(target.Folder);
        path_ = file.path();
        file.Keep();
    }
    ~InPlaceBackup() {
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    InPlaceBackup(const InPlaceBackup&) = delete;
    InPlaceBackup& operator=(const InPlaceBackup&) = delete;

private:
    // "m.mdl.backup-", the name cut so that the whole name fits where the file's name fits.
    static std::string BackupPrefix(const std::string& path) {
        constexpr std::size_t kSuffix = sizeof(".backup-XXXXXX") - 1;
        std::string name = path.substr(path.rfind('/') + 1);
        if (name.size() + kSuffix > NAME_MAX) name.resize(NAME_MAX - kSuffix);
        return name + ".backup-";
    }

    std::string path_;
};

// Puts the old bytes back after a failed rewrite; they fit in the blocks the file already had.
void Restore(int fd, const std::string& old) {
    WriteAllAt(fd, old, 0);
    ::ftruncate(fd, static_cast<off_t>(old.size()));
    ::fsync(fd);
}

// Space for the longer content is reserved, and the file given its new size, before the first
// byte changes: a full disk or a size limit stops the rewrite while the old content is whole,
// and a rewrite cut short leaves no tail of the old file behind the new bytes. Until the new
// bytes are synced, a copy of the old ones waits beside the file where the folder takes one.
SafeWriteResult RewriteInPlace(const WriteTarget& target, std::string_view content) {
    const int fd = target.Descriptor.get();
    const auto failure = [&](SafeWriteStep step) {
        const int error = errno;
        Restore(fd, target.OldContent);
        return Failure(step, error);
    };
    if (Injected(SafeWriteStep::Open)) return Failure(SafeWriteStep::Open);
    const InPlaceBackup backup(target);
    if (content.size() > target.OldContent.size()) {
        errno = ::posix_fallocate(fd, 0, static_cast<off_t>(content.size()));
        if (errno != 0) return failure(SafeWriteStep::Write);
    }
    if (::ftruncate(fd, static_cast<off_t>(content.size())) != 0 ||
        Injected(SafeWriteStep::Write) || !WriteAllAt(fd, content, 0)) {
        return failure(SafeWriteStep::Write);
    }
    if (Injected(SafeWriteStep::Sync) || ::fsync(fd) != 0) return failure(SafeWriteStep::Sync);
    return {};
}

}  // namespace

SafeWriteResult SafeWriteFile(const std::string& path, std::string_view content) {
    const FileSizeSignalIgnored ignored;
    const TargetInspection inspection = InspectWriteTarget(path);
    if (!inspection.Target) return {false, SafeWriteStep::Open, inspection.Problem};
    const WriteTarget& target = *inspection.Target;
    return target.InPlace ? RewriteInPlace(target, content) : ReplaceByRename(target, content);
}

ScopedSafeWriteProbe::ScopedSafeWriteProbe(SafeWriteProbe probe)
    : probe_(std::move(probe)), previous_(installedProbe) {
    installedProbe = &probe_;
}

ScopedSafeWriteProbe::~ScopedSafeWriteProbe() {
    installedProbe = previous_;
}

}  // namespace strativex
