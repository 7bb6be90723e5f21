#include "cli/materials_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace strativex {
namespace {

namespace fs = std::filesystem;

fs::path ExecutablePath(const std::string& argv0) {
    std::error_code error;
    fs::path path = fs::read_symlink("/proc/self/exe", error);
    if (!error) return path;
    path = fs::absolute(argv0, error);
    return error ? fs::path(argv0) : path;
}

}  // namespace

std::string ProgramFolderOf(const std::string& argv0) {
    return ExecutablePath(argv0).parent_path().string();
}

// The Materials folder beside the program, as a copy run from its own folder has it; for an
// installed copy, the user's own (which also holds matcust.dat), then the installed one.
std::string DefaultMaterialsFolder(const std::string& argv0) {
    const fs::path program = ProgramFolderOf(argv0);
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    std::vector<fs::path> candidates{program / "Materials"};
    if (dataHome != nullptr && *dataHome != '\0') {
        candidates.push_back(fs::path(dataHome) / "Strativex" / "Materials");
    } else if (home != nullptr && *home != '\0') {
        candidates.push_back(fs::path(home) / ".local" / "share" / "Strativex" / "Materials");
    }
    candidates.push_back(program.parent_path() / "share" / "strativex" / "Materials");
    std::error_code error;
    for (const fs::path& folder : candidates) {
        if (fs::exists(folder / "matprops.dat", error)) return folder.string();
    }
    return candidates.front().string();
}

}  // namespace strativex
