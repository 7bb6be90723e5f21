#pragma once

#include "exact/stack.h"

namespace strativex::exact {

enum class Axis { Width, Length };

// How far beyond the outermost finite edge (layer or source) the layers without a limit on
// this axis must reach so that cutting them off there changes the solution by no more than
// `tolerance` of its size at that edge; 0 when every layer is limited on this axis.
double TruncationDistance(const Stack& stack, Axis axis, double tolerance);

}  // namespace strativex::exact
