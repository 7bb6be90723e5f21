#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace strativex {

// A JSON string literal of UTF-8 text.
std::string JsonString(std::string_view utf8);
// A JSON number that reads back to the same value; null for one without a decimal form.
std::string JsonNumber(float value);
std::string JsonNumber(double value);

// null for a value that was not computed.
template <typename T>
std::string JsonNumber(const std::optional<T>& value) {
    return value ? JsonNumber(*value) : "null";
}

// An object written one member a line, nested values indented under it.
class JsonObject {
public:
    explicit JsonObject(int indent) : indent_(indent) {}

    JsonObject& Add(std::string_view key, std::string value);
    std::string Text() const;

private:
    int indent_;
    std::vector<std::string> members_;
};

// An array of already written values, one a line; items are written for indent + 2.
std::string JsonArray(const std::vector<std::string>& items, int indent);

}  // namespace strativex
