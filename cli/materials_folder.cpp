#include "cli/materials_folder.h"

#include <filesystem>
#include <system_error>

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

std::string DefaultMaterialsFolder(const std::string& argv0) {
    return (ExecutablePath(argv0).parent_path() / "Materials").string();
}

}  // namespace strativex
