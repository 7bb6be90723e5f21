#include "core/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

namespace strativex {
namespace {

std::string ErrorText(int error) {
    switch (error) {
        case ENOENT:
            return "no such file";
        case EACCES:
        case EPERM:
            return "permission denied";
        case EISDIR:
            return "is a directory";
        default: {
            std::string text = std::strerror(error);
            if (!text.empty()) text[0] = static_cast<char>(std::tolower(text[0]));
            return text;
        }
    }
}

FileRead Refused(int error) {
    return {std::nullopt, error == ENOENT, ErrorText(error)};
}

FileRead Refused(std::string problem) {
    return {std::nullopt, false, std::move(problem)};
}

std::string SizeText(std::size_t bytes) {
    return std::to_string(bytes >> 20) + " MiB";
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Reads up to limit + 1 bytes, so that a file that grew after it was measured still shows.
std::optional<std::string> ReadUpTo(int fd, std::size_t limit) {
    std::string content;
    char buffer[65536];
    while (content.size() <= limit) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    return content;
}

}  // namespace

FileRead ReadBoundedFile(const std::string& path, std::size_t limit) {
    // Without O_NONBLOCK, opening a pipe waits for a writer that may never come.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) return Refused(errno);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) return Refused(errno);
    if (S_ISDIR(info.st_mode)) return Refused(EISDIR);
    if (!S_ISREG(info.st_mode)) return Refused("is not a regular file");
    const std::string tooLarge = "is larger than " + SizeText(limit);
    if (static_cast<std::size_t>(info.st_size) > limit) return Refused(tooLarge);
    auto content = ReadUpTo(file.get(), limit);
    if (!content) return Refused(errno);
    if (content->size() > limit) return Refused(tooLarge);
    return {std::move(content), false, {}};
}

}  // namespace strativex
