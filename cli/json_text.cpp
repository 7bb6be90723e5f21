#include "cli/json_text.h"

#include <cstdio>

#include "core/number_text.h"

namespace strativex {
namespace {

std::string EscapedControl(unsigned char c) {
    switch (c) {
        case '\b':
            return "\\b";
        case '\f':
            return "\\f";
        case '\n':
            return "\\n";
        case '\r':
            return "\\r";
        case '\t':
            return "\\t";
        default: {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
            return buffer;
        }
    }
}

std::string Lines(const std::vector<std::string>& items, int indent, char open, char close) {
    if (items.empty()) return {open, close};
    const std::string inner(static_cast<std::size_t>(indent + 2), ' ');
    std::string text(1, open);
    for (std::size_t i = 0; i < items.size(); ++i) {
        text += (i == 0 ? "\n" : ",\n") + inner + items[i];
    }
    return text + "\n" + std::string(static_cast<std::size_t>(indent), ' ') + close;
}

}  // namespace

std::string JsonString(std::string_view utf8) {
    std::string text = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text += '\\';
            text += c;
        } else if (byte < 0x20) {
            text += EscapedControl(byte);
        } else {
            text += c;
        }
    }
    return text + "\"";
}

std::string JsonNumber(float value) {
    return ShortestText(value).value_or("null");
}

std::string JsonNumber(double value) {
    return ShortestText(value).value_or("null");
}

JsonObject& JsonObject::Add(std::string_view key, std::string value) {
    members_.push_back(JsonString(key) + ": " + std::move(value));
    return *this;
}

std::string JsonObject::Text() const {
    return Lines(members_, indent_, '{', '}');
}

std::string JsonArray(const std::vector<std::string>& items, int indent) {
    return Lines(items, indent, '[', ']');
}

}  // namespace strativex
