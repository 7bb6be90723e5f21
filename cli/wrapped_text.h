#pragma once

#include <string>
#include <string_view>

namespace strativex {

// Fills words into lines no wider than width (a longer word stands alone), each line starting
// with indent spaces and ending with a newline. An option and the value after it ("--layer N")
// stay on one line.
std::string WrappedText(std::string_view text, int indent, int width);

}  // namespace strativex
