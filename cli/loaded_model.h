#pragma once

#include <string>

#include "core/model.h"

namespace strativex {

// A model read from a file and recalculated, with the path it was named by.
struct LoadedModel {
    std::string Path;
    Model Data;
};

}  // namespace strativex
