#include "cli/pdf_handover.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>

#include "cli/usage_text.h"
#include "persistence/program_folders.h"

namespace strativex {

ReportWriter HandOverToPdfCalculator(char** argv) {
    const std::string path =
        ExecutableFolder(argv[0] != nullptr ? argv[0] : "") + "/" + kPdfCalculatorName;
    execv(path.c_str(), argv);
    const std::string reason = std::strerror(errno);
    return [path, reason](const LoadedModel&, const MaterialTable&, const Preferences&,
                          std::ostream& err) {
        err << kProgramName << ": cannot draw the report: '" << path << "' does not start ("
            << reason << ")\n";
        return false;
    };
}

}  // namespace strativex
