#include "persistence/record_format.h"

#include "core/number_format.h"

namespace strativex {

std::string QuotedField(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string FileNumberText(float value) {
    std::string text = NumberText(value);
    if (text.starts_with("0.")) text.erase(0, 1);
    if (text.starts_with("-0.")) text.erase(1, 1);
    return text;
}

std::string BooleanField(bool value) {
    return value ? "#TRUE#" : "#FALSE#";
}

}  // namespace strativex
