#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/model.h"

namespace strativex {

inline constexpr std::array<std::string_view, 7> FormatPatterns{
    "0", "0.0", "0.00", "0.000", "0.0000", "0.00000", ""};

// Decimal places per quantity; slots 0..6 are kept in the preferences, slot 7 is unused.
using DecimalDigitsTable = std::array<std::int16_t, 8>;
inline constexpr DecimalDigitsTable kDefaultDecimalDigits{2, 2, 2, 2, 2, 2, 2, 2};

constexpr int kPowerSlot = 4;
constexpr int kTemperatureSlot = 5;
constexpr int kResistanceSlot = 6;
int WidthLengthSlot(LengthUnit unit);
int ThicknessSlot(LengthUnit unit);

// The value with the slot's number of decimals; halves round away from zero. A nonzero value
// that would show as zero takes more decimals, or the exponent form of NumberText.
std::string FormatValue(double value, int slot, const DecimalDigitsTable& digits);
// The same with an explicit number of decimals (0..5).
std::string FormatDecimals(double value, int decimals);

// The leading number of a text typed by the user; 0 when there is none.
double ReadNumber(std::string_view text);

// The general text of a single-precision value, for bounds quoted in messages.
std::string NumberText(float value);

}  // namespace strativex
