#include "core/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/units.h"

namespace strativex {
namespace {

// The exact binary value written to 80 places decides every rounding at five decimals or
// fewer. to_chars writes the same digits as printf's "%.80f", ten times as fast.
constexpr int kExactPlaces = 80;
constexpr int kMostDecimals = 5;
// The largest double has 309 digits before the point.
constexpr std::size_t kExactTextSize = 309 + 1 + kExactPlaces;
// Fewer places decide the same rounding unless to_chars carried into the digits that decide it,
// which leaves only zeros after them; writing them is most of the time the calculator spends on
// a model.
constexpr int kQuickPlaces = 20;

using DecimalText = std::array<char, kExactTextSize>;

std::string_view FixedText(double magnitude, int places, DecimalText& text) {
    const auto written = std::to_chars(text.data(), text.data() + text.size(), magnitude,
                                       std::chars_format::fixed, places);
    return {text.data(), static_cast<std::size_t>(written.ptr - text.data())};
}

// The magnitude's decimal text whose digits up to decimals + 1 places are those of its exact
// binary value, cut there rather than rounded.
std::string_view CutDecimal(double magnitude, int decimals, DecimalText& text) {
    const std::string_view quick = FixedText(magnitude, kQuickPlaces, text);
    const auto afterDeciding = quick.find('.') + 2 + static_cast<std::size_t>(decimals);
    if (quick.find_first_not_of('0', afterDeciding) != std::string_view::npos) return quick;
    return FixedText(magnitude, kExactPlaces, text);
}

void IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool ShowsZero(std::string_view text) {
    return text.find_first_of("123456789") == std::string_view::npos;
}

std::string TrimFraction(std::string text) {
    if (text.find('.') == std::string::npos) return text;
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

}  // namespace

int WidthLengthSlot(LengthUnit unit) {
    return 2 * UnitIndex(unit);
}

int ThicknessSlot(LengthUnit unit) {
    return 2 * UnitIndex(unit) + 1;
}

// A value the slot's decimals would round to zero takes the decimals that show its first
// significant digit, and the exponent form of the limits below the last of them: a thin layer
// never reads as 0.
std::string FormatValue(double value, int slot, const DecimalDigitsTable& digits) {
    const int decimals = std::clamp<int>(digits[static_cast<std::size_t>(slot)], 0, kMostDecimals);
    std::string text = FormatDecimals(value, decimals);
    if (value == 0.0 || !std::isfinite(value) || !ShowsZero(text)) return text;
    for (int shown = decimals + 1; shown <= kMostDecimals; ++shown) {
        if (std::fabs(value) >= std::pow(10.0, -shown)) return FormatDecimals(value, shown);
    }
    return NumberText(static_cast<float>(value));
}

std::string FormatDecimals(double value, int decimals) {
    if (!std::isfinite(value)) return "n/a";
    decimals = std::clamp(decimals, 0, kMostDecimals);
    DecimalText buffer;
    const std::string_view exact = CutDecimal(std::fabs(value), decimals, buffer);
    const auto point = exact.find('.');
    const auto places = static_cast<std::size_t>(decimals);
    std::string digits(exact.substr(0, point));
    digits += exact.substr(point + 1, places);
    if (exact[point + 1 + places] >= '5') IncrementDigits(digits);
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    std::string text = (value < 0 && !zero) ? "-" : "";
    const auto whole = digits.size() - places;
    text.append(digits, 0, whole);
    if (decimals > 0) text.append(".").append(digits, whole);
    return text;
}

double ReadNumber(std::string_view text) {
    std::string compact;
    for (const char c : text) {
        if (!IsBlank(c)) compact += c;
    }
    std::size_t pos = 0;
    bool negative = false;
    if (pos < compact.size() && (compact[pos] == '+' || compact[pos] == '-')) {
        negative = compact[pos++] == '-';
    }
    const std::size_t start = pos;
    while (pos < compact.size() && IsDigit(compact[pos])) ++pos;
    const std::size_t pointAt = pos;
    if (pos < compact.size() && compact[pos] == '.') {
        ++pos;
        while (pos < compact.size() && IsDigit(compact[pos])) ++pos;
    }
    const std::size_t mantissaEnd = pos;
    if (compact.find_first_of("0123456789", start) >= mantissaEnd) return 0.0;
    std::size_t end = mantissaEnd;
    if (pos < compact.size() && (compact[pos] == 'E' || compact[pos] == 'e')) {
        std::size_t exponent = pos + 1;
        if (exponent < compact.size() && (compact[exponent] == '+' || compact[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentDigits = exponent;
        while (exponent < compact.size() && IsDigit(compact[exponent])) ++exponent;
        if (exponent > exponentDigits) end = exponent;
    }
    double value = 0.0;
    const auto result = std::from_chars(compact.data() + start, compact.data() + end, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large to hold, or too small to tell from zero; the field's range check decides.
        const auto firstNonZero = static_cast<long>(compact.find_first_of("123456789", start));
        long magnitude = firstNonZero < static_cast<long>(pointAt)
                             ? static_cast<long>(pointAt) - firstNonZero
                             : static_cast<long>(pointAt) - firstNonZero + 1;
        if (end > mantissaEnd) {
            long exponent = 0;
            const bool exponentNegative = compact[mantissaEnd + 1] == '-';
            const auto parsed = std::from_chars(
                compact.data() + mantissaEnd + 1 + (compact[mantissaEnd + 1] == '+'),
                compact.data() + end, exponent);
            if (parsed.ec != std::errc{}) exponent = exponentNegative ? -100000L : 100000L;
            magnitude += std::clamp(exponent, -100000L, 100000L);
        }
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

std::string NumberText(float value) {
    if (value == 0.0f || !std::isfinite(value)) return value == 0.0f ? "0" : "n/a";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6E", static_cast<double>(value));
    const std::string scientific = buffer;
    const auto e = scientific.find('E');
    const int exponent = std::stoi(scientific.substr(e + 1));
    if (exponent < -4 || exponent >= 7) {
        char exponentText[16];
        std::snprintf(exponentText, sizeof exponentText, "E%c%02d", exponent < 0 ? '-' : '+',
                      std::abs(exponent));
        return TrimFraction(scientific.substr(0, e)) + exponentText;
    }
    std::snprintf(buffer, sizeof buffer, "%.*f", std::max(0, 6 - exponent),
                  static_cast<double>(value));
    return TrimFraction(buffer);
}

}  // namespace strativex
