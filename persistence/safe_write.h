#pragma once

#include <functional>
#include <string>
#include <string_view>

// Every file the program writes goes through here. The content goes to a temporary file in the
// same folder, is flushed to the disk, and only then replaces the old file, so that a failure at
// any step leaves the old file as it was. The writer keeps what the user relies on: a symbolic
// link is followed to the file it names (a dangling one gets its target created), a file the
// user may not write is refused, mode and owner are kept, and where no rename can work (the
// folder is not writable, the file has other hard links) the file is rewritten in place, with
// its old content put back on any failure.
namespace strativex {

enum class SafeWriteStep { Open, Write, Sync, Rename };

struct SafeWriteResult {
    bool Ok = true;
    SafeWriteStep FailedStep = SafeWriteStep::Open;
    std::string SystemError;
};

SafeWriteResult SafeWriteFile(const std::string& path, std::string_view content);

// The tests' one way into the writer. While an instance lives, its probe runs on this thread
// before each step; a non-zero error number it returns fails that step as if the system had
// returned it. It serves faults no file system gives on demand (a failing sync) and changes to
// the file system at an exact point (a folder put in the target's place before the rename).
using SafeWriteProbe = std::function<int(SafeWriteStep step)>;

class ScopedSafeWriteProbe {
public:
    explicit ScopedSafeWriteProbe(SafeWriteProbe probe);
    ~ScopedSafeWriteProbe();
    ScopedSafeWriteProbe(const ScopedSafeWriteProbe&) = delete;
    ScopedSafeWriteProbe& operator=(const ScopedSafeWriteProbe&) = delete;

private:
    SafeWriteProbe probe_;
    const SafeWriteProbe* previous_;
};

}  // namespace strativex
