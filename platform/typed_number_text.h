#pragma once

#include <QString>

#include "core/typed_number.h"

namespace strativex {

// The line a refusal adds when a field's text is not a number, quoting what was read.
QString NotANumberText(const QString& typed, TypedNumberFault fault);

}  // namespace strativex
