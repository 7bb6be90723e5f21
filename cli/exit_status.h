#pragma once

namespace strativex {

enum ExitStatus : int {
    kExitOk = 0,
    kExitReadFailure = 1,
    kExitUsage = 2,
    kExitNoResult = 3,
};

}  // namespace strativex
