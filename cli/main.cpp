#include <iostream>
#include <string>
#include <vector>

#include "cli/calc_options.h"
#include "cli/calc_run.h"
#include "cli/exact_progress.h"
#include "cli/exit_status.h"
#include "cli/report_writer.h"
#include "cli/usage_text.h"
#include "persistence/program_folders.h"

using namespace strativex;

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ParsedArguments parsed = ParseArguments(args);
    if (parsed.Result == ParsedArguments::Kind::Help) {
        std::cout << HelpText();
        return std::cout.flush() ? kExitOk : kExitReadFailure;
    }
    if (parsed.Result == ParsedArguments::Kind::UsageError) {
        std::cerr << kProgramName << ": " << parsed.Error << "\n" << UsageText();
        return kExitUsage;
    }
    const ProgramFolders folders = ResolveProgramFolders(ExecutableFolder(argc > 0 ? argv[0] : ""));
    CalcOptions options = parsed.Options;
    options.ShowProgress = ErrorStreamIsTerminal();
    const int status =
        RunCalculator(options, folders, std::cout, std::cerr, PdfReportWriter(options));
    // Results that never reached their reader must not pass for a success.
    if (!std::cout.flush()) {
        std::cerr << kProgramName << ": cannot write the results\n";
        return kExitReadFailure;
    }
    return status;
}
