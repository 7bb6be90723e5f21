#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Runs every file of the given corpus folders through the fuzz entry point, so that the
// ordinary test run keeps every input the fuzzer ever kept.
int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i])) {
            if (!entry.is_regular_file()) continue;
            // Through the programs' own bounded reader, as every file they read.
            const auto bytes = strativex::ReadBoundedFile(entry.path(), strativex::kModelFileLimit);
            if (!bytes.Content) return 1;
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.Content->data()),
                                   bytes.Content->size());
            ++replayed;
        }
    }
    std::printf("%d passed, 0 failed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
