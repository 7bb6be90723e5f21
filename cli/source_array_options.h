#pragma once

#include <optional>
#include <string>

#include "exact/source_array.h"

namespace strativex {

// The texts of --sources and --pitch as given; they are read together at the end, since
// neither means anything without the other.
struct SourceArrayArguments {
    std::optional<std::string> Count;
    std::optional<std::string> Pitch;
};

bool IsSourceArrayOption(const std::string& name);

// Keeps the option's value; the text of the usage error when it was given twice.
std::optional<std::string> KeepSourceArrayOption(SourceArrayArguments& arguments,
                                                 const std::string& name, const std::string& value);

// The array the arguments describe, into `array`: "NXxNY" positive whole numbers and
// "PX,PY" positive lengths in the model's unit, both or neither. The text of the usage error
// otherwise; whether the array fits a model is the check's to say.
std::optional<std::string> ReadSourceArray(exact::SourceArray& array,
                                           const SourceArrayArguments& arguments);

}  // namespace strativex
