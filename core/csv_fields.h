#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Comma-separated lines as spreadsheets write them: a field may be quoted, "" inside quotes
// stands for one quote.
namespace strativex {

// The fields of one line (without its end); nothing when a quote is not closed or is followed
// by text before the next comma, which would otherwise shift the columns silently.
std::optional<std::vector<std::string>> SplitCsvFields(std::string_view line);

// The text as one field, quoted only where it holds a comma, a quote or a line end.
std::string QuoteCsvField(std::string_view text);

// Lines without their ends; a byte-order mark before the first is what editors add, not
// content.
std::vector<std::string_view> SplitCsvLines(std::string_view content);

}  // namespace strativex
