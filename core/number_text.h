#pragma once

#include <optional>
#include <string>

namespace strativex {

// The shortest decimal text that reads back to the same value; nothing for an infinity or a
// NaN, which have no decimal form.
std::optional<std::string> ShortestText(float value);
std::optional<std::string> ShortestText(double value);

// Degrees C of a temperature the calculation stored in kelvin, as the shortest text that reads
// back through the same conversion to that very 32-bit value: "127.33136", not the double's
// "127.3313635253906".
std::optional<std::string> CelsiusText(float kelvin);

}  // namespace strativex
