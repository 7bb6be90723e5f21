#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Every file the program writes goes through here: the content goes to a temporary file in the
// same folder, is flushed to the disk, and only then replaces the old file. A failure at any
// step leaves the old file as it was.
namespace strativex {

enum class SafeWriteStep { Open, Write, Sync, Rename };

// Lets tests make one step fail: a write that stops after FailAfterBytes bytes, or FailStep.
struct SafeWriteFault {
    std::optional<std::size_t> FailAfterBytes;
    std::optional<SafeWriteStep> FailStep;
};

struct SafeWriteResult {
    bool Ok = true;
    SafeWriteStep FailedStep = SafeWriteStep::Open;
    std::string SystemError;
};

SafeWriteResult SafeWriteFile(const std::string& path, std::string_view content,
                              const SafeWriteFault& fault = {});

}  // namespace strativex
