#include "core/csv_fields.h"

#include <algorithm>

namespace strativex {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A quoted field from its opening quote; afterwards pos is just past the closing quote.
std::optional<std::string> ReadQuoted(std::string_view line, std::size_t& pos) {
    std::string field;
    ++pos;
    while (true) {
        const auto quote = line.find('"', pos);
        if (quote == std::string_view::npos) return std::nullopt;
        field.append(line.substr(pos, quote - pos));
        pos = quote + 1;
        if (pos >= line.size() || line[pos] != '"') return field;
        field += '"';
        ++pos;
    }
}

}  // namespace

std::optional<std::vector<std::string>> SplitCsvFields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (true) {
        if (pos < line.size() && line[pos] == '"') {
            auto quoted = ReadQuoted(line, pos);
            if (!quoted || (pos < line.size() && line[pos] != ',')) return std::nullopt;
            fields.push_back(std::move(*quoted));
        } else {
            const auto comma = std::min(line.find(',', pos), line.size());
            fields.emplace_back(line.substr(pos, comma - pos));
            pos = comma;
        }
        if (pos >= line.size()) return fields;
        ++pos;
    }
}

std::string QuoteCsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + "\"";
}

std::vector<std::string_view> SplitCsvLines(std::string_view content) {
    if (content.starts_with(kByteOrderMark)) content.remove_prefix(kByteOrderMark.size());
    std::vector<std::string_view> lines;
    while (!content.empty()) {
        const auto end = content.find('\n');
        auto line = content.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        content.remove_prefix(end + 1);
    }
    return lines;
}

}  // namespace strativex
