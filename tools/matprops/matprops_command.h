#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace strativex::matprops {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// The whole command line of strativex-matprops (arguments after the program name); results
// go to out, messages to err. Returns the exit status.
int RunMatprops(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace strativex::matprops
