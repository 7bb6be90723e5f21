#include "cli/calc_options.h"

#include "cli/base_options.h"
#include "cli/source_array_options.h"
#include "cli/sweep_options.h"
#include "cli/transient_options.h"

namespace strativex {
namespace {

using Kind = ParsedArguments::Kind;

ParsedArguments UsageError(std::string error) {
    return {Kind::UsageError, {}, std::move(error)};
}

std::optional<OutputFormat> FormatNamed(const std::string& name) {
    if (name == "table") return OutputFormat::Table;
    if (name == "json") return OutputFormat::Json;
    if (name == "csv") return OutputFormat::Csv;
    return std::nullopt;
}

// Splits "--name=value"; an option without "=" takes the next argument as its value.
struct OptionValue {
    std::string Name;
    std::optional<std::string> Value;
};

OptionValue SplitOption(const std::string& arg) {
    const auto equals = arg.find('=');
    if (equals == std::string::npos) return {arg, std::nullopt};
    return {arg.substr(0, equals), arg.substr(equals + 1)};
}

// Stores the option's value; the text of the usage error when the option or value is wrong.
std::optional<std::string> ApplyOption(CalcOptions& options, const std::string& name,
                                       const std::string& value) {
    if (name == "--materials" || name == "--report-pdf" || name == "--prefs") {
        if (value.empty()) return name + " needs a path";
        auto& target = name == "--materials"    ? options.MaterialsFolder
                       : name == "--report-pdf" ? options.ReportPdfPath
                                                : options.PrefsPath;
        target = value;
        return std::nullopt;
    }
    const auto format = FormatNamed(value);
    if (!format) return "unknown format '" + value + "'";
    options.Format = *format;
    return std::nullopt;
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args) {
    ParsedArguments parsed;
    CalcOptions& options = parsed.Options;
    SweepArguments sweep;
    SourceArrayArguments sources;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            options.ModelPaths.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") return {Kind::Help, {}, {}};
        if (arg == "--log") {
            sweep.Logarithmic = true;
            continue;
        }
        if (arg == "--exact") {
            options.Exact = true;
            continue;
        }
        if (arg == "--transient") {
            options.Transient = true;
            continue;
        }
        OptionValue option = SplitOption(arg);
        if (option.Name != "--materials" && option.Name != "--format" &&
            option.Name != "--report-pdf" && option.Name != "--prefs" && option.Name != "--sweep" &&
            option.Name != "--layer" && !IsBaseOption(option.Name) &&
            !IsSourceArrayOption(option.Name) && !IsTransientOption(option.Name)) {
            return UsageError("unknown option '" + arg + "'");
        }
        if (!option.Value) {
            if (i + 1 == args.size()) return UsageError(option.Name + " needs a value");
            option.Value = args[++i];
        }
        if (IsBaseOption(option.Name)) {
            if (const auto error = ApplyBaseOption(options.Base, option.Name, *option.Value)) {
                return UsageError(*error);
            }
            continue;
        }
        if (IsSourceArrayOption(option.Name)) {
            if (const auto error = KeepSourceArrayOption(sources, option.Name, *option.Value)) {
                return UsageError(*error);
            }
            continue;
        }
        if (IsTransientOption(option.Name)) {
            if (const auto error = ApplyTransientOption(options, option.Name, *option.Value)) {
                return UsageError(*error);
            }
            continue;
        }
        if (option.Name == "--sweep" || option.Name == "--layer") {
            (option.Name == "--sweep" ? sweep.Definition : sweep.Layer) = *option.Value;
            continue;
        }
        if (const auto error = ApplyOption(options, option.Name, *option.Value)) {
            return UsageError(*error);
        }
    }
    if (options.ModelPaths.empty()) return UsageError("no model file given");
    if (options.ReportPdfPath && options.ModelPaths.size() != 1) {
        return UsageError("--report-pdf takes exactly one model file");
    }
    if (const auto error = ApplySweepArguments(options, sweep)) return UsageError(*error);
    if (!options.Base.IsIsothermal()) {
        if (options.Sweep) return UsageError("--base-h and --sink-r cannot be used with --sweep");
        // The base condition means nothing but to the 3-D check.
        options.Exact = true;
    }
    if (const auto error = ReadSourceArray(options.Sources, sources)) return UsageError(*error);
    if (sources.Count) {
        if (options.Sweep) return UsageError("--sources and --pitch cannot be used with --sweep");
        // Like the base, the sources mean nothing but to the 3-D check.
        options.Exact = true;
    }
    if (options.Exact && options.Sweep) return UsageError("--exact cannot be used with --sweep");
    if (const auto error = TransientOptionsProblem(options)) return UsageError(*error);
    return parsed;
}

}  // namespace strativex
