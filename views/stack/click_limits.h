#pragma once

#include <array>
#include <cstdint>

#include "core/model.h"

namespace strativex {

// One lower click limit (or half width) per record, in the units of the picture that was
// drawn. All zero until the first drawing, so that early clicks select nothing.
using ClickLimits = std::array<std::int16_t, kRecordCount>;

}  // namespace strativex
