#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The scrambling of the standard materials file: each character is shifted by one of four key
// values in turn, so that the file cannot be edited by hand without the tool that writes it.
namespace strativex {

inline constexpr std::array<std::int16_t, 4> MaterialKey{37, 8, 71, 54};
inline constexpr char kMaterialFieldSeparator = '~';
inline constexpr int kMaterialFieldCount = 4;

using MaterialFields = std::array<std::string, kMaterialFieldCount>;

// Decodes one line into at most four "~"-separated fields. keyPosition runs on across lines
// and does not advance over what follows the fourth field. Returns nothing when a character
// decodes below code 0.
std::optional<MaterialFields> DecodeMaterialLine(std::string_view line, int& keyPosition);

// The inverse: the plain line "f0~f1~f2~f3" scrambled. Every plain character must lie in
// 32..126 (IsPlainMaterialChar tells).
std::string EncodeMaterialLine(const MaterialFields& fields, int& keyPosition);

bool IsPlainMaterialChar(char c);

}  // namespace strativex
