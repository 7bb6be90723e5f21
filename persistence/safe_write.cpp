#include "persistence/safe_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace strativex {
namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A file created by the program gets the usual permissions; a replaced one keeps its own.
mode_t ModeFor(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view content, const SafeWriteFault& fault) {
    std::size_t limit = content.size();
    if (fault.FailAfterBytes) limit = std::min(limit, *fault.FailAfterBytes);
    std::size_t written = 0;
    while (written < limit) {
        const ssize_t n = ::write(fd, content.data() + written, limit - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<std::size_t>(n);
    }
    if (limit < content.size()) {
        errno = ENOSPC;
        return false;
    }
    return true;
}

bool Injected(const SafeWriteFault& fault, SafeWriteStep step) {
    if (fault.FailStep != step) return false;
    errno = EIO;
    return true;
}

SafeWriteResult Failure(SafeWriteStep step) {
    return {false, step, std::strerror(errno)};
}

class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) {
        const auto name = target.substr(target.find_last_of('/') + 1);
        std::string pattern = FolderOf(target) + "/." + name + ".XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        fd_ = ::mkstemp(buffer.data());
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

void SyncFolder(const std::string& path) {
    const int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir < 0) return;
    ::fsync(dir);
    ::close(dir);
}

}  // namespace

SafeWriteResult SafeWriteFile(const std::string& path, std::string_view content,
                              const SafeWriteFault& fault) {
    const mode_t mode = ModeFor(path);
    TemporaryFile temp(path);
    if (temp.fd() < 0 || Injected(fault, SafeWriteStep::Open)) return Failure(SafeWriteStep::Open);
    if (::fchmod(temp.fd(), mode) != 0 || !WriteAll(temp.fd(), content, fault) ||
        Injected(fault, SafeWriteStep::Write)) {
        return Failure(SafeWriteStep::Write);
    }
    if (::fsync(temp.fd()) != 0 || Injected(fault, SafeWriteStep::Sync) || !temp.Close()) {
        return Failure(SafeWriteStep::Sync);
    }
    if (Injected(fault, SafeWriteStep::Rename) ||
        std::rename(temp.path().c_str(), path.c_str()) != 0) {
        return Failure(SafeWriteStep::Rename);
    }
    temp.Keep();
    SyncFolder(path);
    return {};
}

}  // namespace strativex
