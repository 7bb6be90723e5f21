#pragma once

#include <initializer_list>
#include <string_view>

// A number typed into a field must be the whole of the field's text: the leading-number reading
// of the engine would turn "1,5" into 1 and "abc" into 0 without a word.
namespace strativex {

enum class TypedNumberFault {
    None,
    Empty,
    DecimalComma,  // "1,5": a comma where the program reads a point
    NotANumber,
};

struct TypedNumber {
    double Value = 0.0;
    TypedNumberFault Fault = TypedNumberFault::None;
};

// Blanks around the number are allowed, and one of the given unit labels after it ("2.5 mm").
// The value is read as the engine reads it, so that both agree on every accepted text.
TypedNumber ReadTypedNumber(std::string_view text, std::initializer_list<std::string_view> units);

}  // namespace strativex
