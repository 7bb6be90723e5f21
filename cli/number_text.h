#pragma once

#include <optional>
#include <string>

namespace strativex {

// The shortest decimal text that reads back to the same value; nothing for an infinity or a
// NaN, which have no decimal form.
std::optional<std::string> ShortestText(float value);
std::optional<std::string> ShortestText(double value);

}  // namespace strativex
