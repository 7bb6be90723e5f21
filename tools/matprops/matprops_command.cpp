#include "tools/matprops/matprops_command.h"

#include <filesystem>
#include <optional>

#include "core/material_loader.h"
#include "core/text_file.h"
#include "persistence/safe_write.h"
#include "tools/matprops/materials_csv.h"
#include "tools/matprops/standard_file.h"

namespace strativex::matprops {
namespace {

constexpr const char* kProgram = "strativex-matprops: ";
constexpr const char* kUsage =
    "usage: strativex-matprops encode IN.csv OUT.dat\n"
    "       strativex-matprops decode IN.dat\n"
    "\n"
    "encode  checks the materials table IN.csv (columns id,name,A,B and optionally source, as\n"
    "        decode prints it) and writes the scrambled standard materials file OUT.dat;\n"
    "        nothing is written when a line is bad\n"
    "decode  prints the materials of a standard materials file as id,name,A,B lines\n";

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

std::optional<std::string> EncodeFault(const std::string& in, const std::string& outPath) {
    const FileRead input = ReadBoundedFile(in, kSmallFileLimit);
    if (!input.Content) return in + ": " + input.Problem;
    if (SameFile(in, outPath)) return "refusing to write " + outPath + " over its own input";
    const MaterialsCsv csv = ReadMaterialsCsv(*input.Content, in);
    if (csv.Error) return csv.Error;
    const SafeWriteResult written = SafeWriteFile(outPath, EncodeStandardFile(csv.Rows));
    if (!written.Ok) return "cannot write " + outPath + ": " + written.SystemError;
    return std::nullopt;
}

// The loader's messages are meant for a message box, where CR LF breaks the line.
std::string TerminalText(std::string text) {
    for (auto pos = text.find("\r\n"); pos != std::string::npos; pos = text.find("\r\n", pos)) {
        text.replace(pos, 2, "\n");
    }
    return text;
}

int Decode(const std::string& in, std::ostream& out, std::ostream& err) {
    MaterialTable table;
    // An empty custom path never opens, so only the standard file is read.
    const auto outcome = LoadMaterials(table, {in, ""}, std::nullopt);
    if (outcome.Result != MaterialLoadOutcome::Kind::Loaded) {
        err << kProgram
            << (outcome.FatalText.empty() ? in + ": no such file" : TerminalText(outcome.FatalText))
            << "\n";
        return kExitFailed;
    }
    out << StandardMaterialsCsv(table) << std::flush;
    if (!out) {
        err << kProgram << "cannot write the decoded materials\n";
        return kExitFailed;
    }
    return kExitOk;
}

int Encode(const std::string& in, const std::string& outPath, std::ostream& err) {
    if (auto fault = EncodeFault(in, outPath)) {
        err << kProgram << *fault << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

int UsageError(std::ostream& err, const std::string& reason) {
    err << kProgram << reason << "\n" << kUsage;
    return kExitUsage;
}

}  // namespace

int RunMatprops(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return UsageError(err, "no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h") {
        out << kUsage;
        return kExitOk;
    }
    if (command == "encode" && args.size() == 3) return Encode(args[1], args[2], err);
    if (command == "decode" && args.size() == 2) return Decode(args[1], out, err);
    if (command == "encode" || command == "decode") {
        return UsageError(err, "wrong number of arguments for " + command);
    }
    return UsageError(err, "unknown command '" + command + "'");
}

}  // namespace strativex::matprops
