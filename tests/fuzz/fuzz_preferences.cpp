#include <cstddef>
#include <cstdint>
#include <string>

#include "persistence/preferences.h"

// Any bytes as prefs.txt: the reader must fail cleanly or give values the program can use,
// and whatever it accepted must be written so that it reads back to the same file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace strativex;
    const ProgramFolders folders = ProgramFoldersFor("/opt/sx");
    const std::string content(reinterpret_cast<const char*>(data), size);
    Preferences prefs;
    const PreferencesLoadOutcome outcome =
        ReadPreferencesText(prefs, folders, "prefs.txt", content);
    for (int k = 0; k < 7; ++k) {
        if (prefs.DecimalDigits[k] < 0 || prefs.DecimalDigits[k] > 5) __builtin_trap();
    }
    if (prefs.MainWindowState < WindowState::Normal ||
        prefs.MainWindowState > WindowState::Maximized) {
        __builtin_trap();
    }
    if (!outcome.Ok) return 0;
    // The first write may drop what the format cannot hold; from then on nothing changes.
    const std::string written = PreferencesText(prefs);
    Preferences again;
    if (!ReadPreferencesText(again, folders, "prefs.txt", written).Ok) __builtin_trap();
    const std::string rewritten = PreferencesText(again);
    Preferences third;
    if (!ReadPreferencesText(third, folders, "prefs.txt", rewritten).Ok) __builtin_trap();
    if (PreferencesText(third) != rewritten) __builtin_trap();
    return 0;
}
