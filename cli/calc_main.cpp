#include "cli/calc_main.h"

#include <iostream>

#include "cli/exact_progress.h"
#include "cli/exit_status.h"
#include "cli/usage_text.h"
#include "persistence/program_folders.h"

namespace strativex {

int CalcMain(const std::vector<std::string>& args, const std::string& argv0,
             const ReportWriterMaker& makeWriter) {
    const ParsedArguments parsed = ParseArguments(args);
    if (parsed.Result == ParsedArguments::Kind::Help) {
        std::cout << HelpText();
        return std::cout.flush() ? kExitOk : kExitReadFailure;
    }
    if (parsed.Result == ParsedArguments::Kind::UsageError) {
        std::cerr << kProgramName << ": " << parsed.Error << "\n" << UsageText();
        return kExitUsage;
    }
    // The results go out through the stream's own buffer, not line by line through C's.
    std::ios::sync_with_stdio(false);
    CalcOptions options = parsed.Options;
    const ReportWriter writeReport = options.ReportPdfPath ? makeWriter(options) : ReportWriter{};
    const ProgramFolders folders = ResolveProgramFolders(ExecutableFolder(argv0));
    options.ShowProgress = ErrorStreamIsTerminal();
    const int status = RunCalculator(options, folders, std::cout, std::cerr, writeReport);
    // Results that never reached their reader must not pass for a success.
    if (!std::cout.flush()) {
        std::cerr << kProgramName << ": cannot write the results\n";
        return kExitReadFailure;
    }
    return status;
}

}  // namespace strativex
