#include "core/typed_number.h"

#include <string>

#include "core/number_format.h"

namespace strativex {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
    if (end.empty() || text.size() < end.size()) return false;
    const std::string_view tail = text.substr(text.size() - end.size());
    for (std::size_t i = 0; i < end.size(); ++i) {
        if (Lower(tail[i]) != Lower(end[i])) return false;
    }
    return true;
}

std::string_view WithoutUnit(std::string_view text, std::initializer_list<std::string_view> units) {
    for (const std::string_view unit : units) {
        if (EndsWithIgnoringCase(text, unit)) {
            return Trimmed(text.substr(0, text.size() - unit.size()));
        }
    }
    return text;
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return pos;
}

// Sign, digits with at most one point (at least one digit), then an optional exponent.
bool IsWholeNumber(std::string_view text) {
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    const std::size_t integerEnd = SkipDigits(text, pos);
    std::size_t digits = integerEnd - pos;
    pos = integerEnd;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, pos + 1);
        digits += fractionEnd - pos - 1;
        pos = fractionEnd;
    }
    if (digits == 0) return false;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
        const std::size_t exponentEnd = SkipDigits(text, pos);
        if (exponentEnd == pos) return false;
        pos = exponentEnd;
    }
    return pos == text.size();
}

bool IsCommaDecimal(std::string_view text) {
    const auto comma = text.find(',');
    if (comma == std::string_view::npos || text.find(',', comma + 1) != std::string_view::npos ||
        text.find('.') != std::string_view::npos) {
        return false;
    }
    std::string pointed(text);
    pointed[comma] = '.';
    return IsWholeNumber(pointed);
}

}  // namespace

TypedNumber ReadTypedNumber(std::string_view text, std::initializer_list<std::string_view> units) {
    const std::string_view trimmed = Trimmed(text);
    if (trimmed.empty()) return {0.0, TypedNumberFault::Empty};
    const std::string_view number = WithoutUnit(trimmed, units);
    if (IsWholeNumber(number)) return {ReadNumber(number), TypedNumberFault::None};
    return {0.0,
            IsCommaDecimal(number) ? TypedNumberFault::DecimalComma : TypedNumberFault::NotANumber};
}

}  // namespace strativex
