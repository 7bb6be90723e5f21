#pragma once

#include <optional>
#include <string>

namespace strativex {

// One value under its name, shared by the JSON object (the name as it is) and the CSV columns,
// so that a script finds the same name in both.
struct OutputCell {
    std::string Name;
    std::optional<std::string> Value;  // nothing where there is no value (null, empty)
    bool IsText = false;               // a string rather than a number
};

}  // namespace strativex
