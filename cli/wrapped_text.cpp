#include "cli/wrapped_text.h"

#include <vector>

namespace strativex {
namespace {

// The words between blanks, an option joined to the word after it.
std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::size_t at = text.find_first_not_of(' ');
    while (at != std::string_view::npos) {
        const std::size_t end = text.find(' ', at);
        std::string word(text.substr(at, end == std::string_view::npos ? end : end - at));
        if (!words.empty() && words.back().starts_with("--") &&
            words.back().find(' ') == std::string::npos) {
            words.back() += ' ' + word;
        } else {
            words.push_back(std::move(word));
        }
        at = end == std::string_view::npos ? end : text.find_first_not_of(' ', end);
    }
    return words;
}

}  // namespace

std::string WrappedText(std::string_view text, int indent, int width) {
    const std::string margin(static_cast<std::size_t>(indent), ' ');
    std::string wrapped;
    std::string line;
    for (const std::string& word : Words(text)) {
        if (!line.empty() && static_cast<int>(line.size() + 1 + word.size()) > width) {
            wrapped += line + '\n';
            line.clear();
        }
        line += line.empty() ? margin + word : ' ' + word;
    }
    if (!line.empty()) wrapped += line + '\n';
    return wrapped;
}

}  // namespace strativex
