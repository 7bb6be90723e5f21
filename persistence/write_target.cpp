#include "persistence/write_target.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace strativex {
namespace {

// The most links followed before giving up, as the system itself does.
constexpr int kMaxLinkHops = 40;
// An in-place rewrite keeps the old content in memory; the program's files are far smaller.
constexpr off_t kMaxOldContent = off_t{64} << 20;

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

TargetInspection Problem(int error) {
    return {std::nullopt, std::strerror(error)};
}

// The path with every symbolic link at its end followed; a dangling link ends at the file it
// would name. Links among the folders need no following: the file's folder is the same.
std::optional<std::string> FollowLinks(std::string path, int& error) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
        if (n < 0 || n == sizeof buffer) {
            error = n < 0 ? errno : ENAMETOOLONG;
            return std::nullopt;
        }
        const std::string link(buffer, static_cast<std::size_t>(n));
        path = link.starts_with('/') ? link : FolderOf(path) + "/" + link;
    }
    error = ELOOP;
    return std::nullopt;
}

bool ReadOld(WriteTarget& target) {
    const off_t size = target.Existing->st_size;
    if (size > kMaxOldContent) {
        errno = EFBIG;
        return false;
    }
    target.OldContent.resize(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (done < target.OldContent.size()) {
        const ssize_t n = ::pread(target.Descriptor.get(), target.OldContent.data() + done,
                                  target.OldContent.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

OwnedDescriptor& OwnedDescriptor::operator=(OwnedDescriptor&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

OwnedDescriptor::~OwnedDescriptor() {
    if (fd_ >= 0) ::close(fd_);
}

TargetInspection InspectWriteTarget(const std::string& path) {
    int error = 0;
    const auto followed = FollowLinks(path, error);
    if (!followed) return Problem(error);
    WriteTarget target;
    target.Path = *followed;
    target.Folder = FolderOf(target.Path);
    struct stat info {};
    if (::lstat(target.Path.c_str(), &info) != 0) {
        if (errno != ENOENT) return Problem(errno);
        return {std::move(target), {}};
    }
    if (S_ISDIR(info.st_mode)) return Problem(EISDIR);
    if (!S_ISREG(info.st_mode)) return {std::nullopt, "Not a regular file"};
    target.Existing = info;
    target.InPlace = info.st_nlink > 1 || ::access(target.Folder.c_str(), W_OK | X_OK) != 0;
    // Opening for writing asks the system what writing in place would: a file this user may
    // not write is refused here, before anything is created.
    const int flags = (target.InPlace ? O_RDWR : O_WRONLY) | O_NOFOLLOW | O_CLOEXEC;
    target.Descriptor = OwnedDescriptor(::open(target.Path.c_str(), flags));
    if (target.Descriptor.get() < 0) return Problem(errno);
    if (target.InPlace && !ReadOld(target)) return Problem(errno);
    return {std::move(target), {}};
}

}  // namespace strativex
