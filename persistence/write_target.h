#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>

namespace strativex {

// An open file descriptor, closed when it goes.
class OwnedDescriptor {
public:
    OwnedDescriptor() = default;
    explicit OwnedDescriptor(int fd) : fd_(fd) {}
    OwnedDescriptor(OwnedDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    OwnedDescriptor& operator=(OwnedDescriptor&& other) noexcept;
    OwnedDescriptor(const OwnedDescriptor&) = delete;
    OwnedDescriptor& operator=(const OwnedDescriptor&) = delete;
    ~OwnedDescriptor();

    int get() const { return fd_; }

private:
    int fd_ = -1;
};

// The file a write lands in and how it can be replaced.
struct WriteTarget {
    std::string Path;    // the file itself: for a symbolic link, the file the link names
    std::string Folder;  // where the temporary file goes
    std::optional<struct stat> Existing;  // the file being replaced; nothing for a new file
    // No rename can keep this file: its folder is not writable or it has other hard links.
    bool InPlace = false;
    OwnedDescriptor Descriptor;  // open for reading and writing, for an in-place rewrite
    std::string OldContent;      // what an in-place rewrite puts back when it fails
};

struct TargetInspection {
    std::optional<WriteTarget> Target;
    std::string Problem;  // why the path cannot be written, in the system's words
};

// Looks at the path as writing in place would: a folder, a pipe or a device is refused, and so
// is a file this user may not write.
TargetInspection InspectWriteTarget(const std::string& path);

}  // namespace strativex
