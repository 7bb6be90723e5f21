#include "core/material_codec.h"

namespace strativex {
namespace {

constexpr int kEncodedLow = 161;
constexpr int kWrap = 95;
constexpr int kPlainOffset = 129;

void Advance(int& keyPosition) {
    keyPosition = (keyPosition + 1) % 4;
}

int DecodeChar(unsigned char c, int keyPosition) {
    int d = c - MaterialKey[keyPosition];
    if (d < kEncodedLow) d += kWrap;
    return d - kPlainOffset;
}

char EncodeChar(char plain, int keyPosition) {
    int stored = static_cast<unsigned char>(plain) + kPlainOffset + MaterialKey[keyPosition];
    if (stored > 255) stored -= kWrap;
    return static_cast<char>(stored);
}

}  // namespace

bool IsPlainMaterialChar(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 32 && code <= 126;
}

std::optional<MaterialFields> DecodeMaterialLine(std::string_view line, int& keyPosition) {
    MaterialFields fields;
    int field = 0;
    for (std::size_t k = 0; k < line.size() && field < kMaterialFieldCount; ++k) {
        const int plain = DecodeChar(static_cast<unsigned char>(line[k]), keyPosition);
        Advance(keyPosition);
        if (plain < 0) return std::nullopt;
        // The line's last character always stays in its field, even a separator: a fourth
        // field written with a trailing "~" therefore fails to convert.
        const bool last = k + 1 == line.size();
        if (plain == kMaterialFieldSeparator && !last) {
            ++field;
            continue;
        }
        fields[field] += static_cast<char>(plain);
    }
    return fields;
}

std::string EncodeMaterialLine(const MaterialFields& fields, int& keyPosition) {
    std::string plain = fields[0];
    for (int i = 1; i < kMaterialFieldCount; ++i) {
        plain += kMaterialFieldSeparator;
        plain += fields[i];
    }
    std::string encoded;
    encoded.reserve(plain.size());
    for (const char c : plain) {
        encoded += EncodeChar(c, keyPosition);
        Advance(keyPosition);
    }
    return encoded;
}

}  // namespace strativex
