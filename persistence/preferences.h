#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/model.h"
#include "core/number_format.h"
#include "persistence/program_folders.h"
#include "persistence/recent_files.h"
#include "persistence/safe_write.h"

namespace strativex {

constexpr int kUserInfoSlots = 8;
constexpr int kUserInfoDateSlot = 4;

enum class WindowState : std::int16_t { Normal = 0, Minimized = 1, Maximized = 2 };

// The user's settings kept in prefs.txt, in the order they are stored.
struct Preferences {
    LengthUnit UnitSystem = LengthUnit::Inches;
    std::string MaterialsFolder;
    std::string ModelsFolder;
    RecentFileList RecentFiles;
    DecimalDigitsTable DecimalDigits = kDefaultDecimalDigits;
    std::array<std::string, kUserInfoSlots> UserInfoText;
    std::array<bool, kUserInfoSlots> UserInfoInclude{};
    bool UseCurrentDate = true;
    WindowState MainWindowState = WindowState::Normal;
    std::int16_t MainWindowWidth = 11000;
    std::int16_t MainWindowHeight = 7500;
    std::int16_t MainWindowLeft = 200;
    std::int16_t MainWindowTop = 200;
    ModelDefaults Defaults;
    std::int16_t CommentsWindowWidth = 0;
    std::int16_t CommentsWindowHeight = 0;
};

inline constexpr const char* kLoadPreferencesTitle = "Error Loading Preferences";
inline constexpr const char* kSavePreferencesTitle = "Error Saving Preferences";

struct PreferencesLoadOutcome {
    bool Ok = true;
    std::string Message;  // failure text and "Default preference settings will be restored."
    bool Absent = false;  // no file at all: a first start, not a damaged file
};

// Reads prefs.txt into prefs field by field. On any failure the values read so far are
// replaced by the built-in defaults, except the new-layer width and length and the comments
// window size, which keep what they hold.
PreferencesLoadOutcome LoadPreferences(Preferences& prefs, const ProgramFolders& folders,
                                       const std::string& path);
PreferencesLoadOutcome ReadPreferencesText(Preferences& prefs, const ProgramFolders& folders,
                                           const std::string& path, const std::string& content);

// The file's 23 lines, byte for byte.
std::string PreferencesText(const Preferences& prefs);

struct PreferencesSaveOutcome {
    bool Ok = true;
    std::string Message;
};
PreferencesSaveOutcome SavePreferences(const Preferences& prefs, const std::string& path);

}  // namespace strativex
