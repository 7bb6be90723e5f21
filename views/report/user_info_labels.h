#pragma once

#include <array>

#include "persistence/preferences.h"

namespace strativex {

// The captions of the information lines, in the slots of UserInfoText and UserInfoInclude.
inline constexpr std::array<const char*, kUserInfoSlots> UserInfoLabels{
    "Created by:", "Company:",         "Department:", "Project:",
    "Date:",       "Model Comments: ", "Model Name:", "File Name:",
};
constexpr int kUserInfoCommentsSlot = 5;
constexpr int kUserInfoModelNameSlot = 6;
constexpr int kUserInfoFileNameSlot = 7;

}  // namespace strativex
