#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

// The calculator on 1,000 model files beside cat of the same files: what it adds to reading
// them is its start-up, the materials, the calculation and the output.
namespace {

namespace fs = std::filesystem;

const std::string kCalc = STRATIVEX_BIN_DIR "/strativex-calc";

// The shipped examples copied over and over into a folder removed at the end.
struct ModelFiles {
    fs::path dir = fs::temp_directory_path() / ("sx-bench-" + std::to_string(getpid()));
    std::vector<std::string> paths;

    ModelFiles() {
        std::vector<fs::path> examples;
        for (const auto& entry : fs::directory_iterator(STRATIVEX_SOURCE_DIR "/examples")) {
            examples.push_back(entry.path());
        }
        fs::create_directories(dir);
        for (std::size_t i = 0; i < 1000; ++i) {
            paths.push_back((dir / ("m" + std::to_string(i) + ".mdl")).string());
            fs::copy_file(examples[i % examples.size()], paths.back(),
                          fs::copy_options::overwrite_existing);
        }
    }
    ~ModelFiles() { fs::remove_all(dir); }
};

// Runs the program with its output thrown away; false unless it ends with status 0.
bool RunQuietly(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    int status = -1;
    const bool ran = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0 &&
                     waitpid(child, &status, 0) == child;
    posix_spawn_file_actions_destroy(&actions);
    return ran && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Run(benchmark::State& state, std::vector<std::string> args, bool models) {
    static const ModelFiles files;
    if (models) args.insert(args.end(), files.paths.begin(), files.paths.end());
    for (auto _ : state) {
        if (!RunQuietly(args)) state.SkipWithError("the program did not end cleanly");
    }
}

const std::vector<std::string> kCalcWithMaterials{kCalc, "--materials",
                                                  STRATIVEX_BIN_DIR "/Materials"};

BENCHMARK_CAPTURE(Run, cat_of_the_models, {"cat"}, true)->UseRealTime();
BENCHMARK_CAPTURE(Run, calc_of_the_models, kCalcWithMaterials, true)->UseRealTime();
// The start-up alone: the help needs no materials and no model.
BENCHMARK_CAPTURE(Run, calc_start_up, {kCalc, "--help"}, false)->UseRealTime();

}  // namespace
