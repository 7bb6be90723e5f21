#include "persistence/preferences.h"

#include <optional>
#include <utility>

#include "core/number_conversion.h"
#include "core/record_reader.h"
#include "core/text_file.h"
#include "persistence/record_format.h"

namespace strativex {
namespace {

constexpr const char* kInchesText = "Inches";
constexpr const char* kMillimetersText = "Millimeters";
constexpr const char* kRestoredLine = "Default preference settings will be restored.";
constexpr int kStoredDigitSlots = 7;
constexpr std::int16_t kMaxDecimalDigits = 5;

// Takes the values of prefs.txt one field at a time; any field that is missing or does not
// hold a value of the expected kind makes the whole file count as damaged.
class FieldReader {
public:
    explicit FieldReader(std::string_view content) : reader_(content) {}

    bool Text(std::string& value) {
        auto field = reader_.ReadField();
        if (!field) return false;
        value = std::move(*field);
        return true;
    }

    bool Boolean(bool& value) {
        const auto field = reader_.ReadField();
        if (!field || (*field != BooleanField(true) && *field != BooleanField(false))) {
            return false;
        }
        value = *field == BooleanField(true);
        return true;
    }

    bool Integer(std::int16_t& value) {
        const auto field = reader_.ReadField();
        const auto parsed = field ? ParseInt16(*field) : std::nullopt;
        if (!parsed) return false;
        value = *parsed;
        return true;
    }

    // A whole number outside the range the program can use (a hand-edited digit count of 6)
    // resets this value alone; the file is not damaged for it.
    bool IntegerWithin(std::int16_t& value, std::int16_t low, std::int16_t high,
                       std::int16_t reset) {
        if (!Integer(value)) return false;
        if (value < low || value > high) value = reset;
        return true;
    }

    bool Single(float& value) {
        const auto field = reader_.ReadField();
        const auto parsed = field ? ParseSingle(*field) : std::nullopt;
        if (!parsed) return false;
        value = *parsed;
        return true;
    }

private:
    RecordReader reader_;
};

bool ReadFolders(Preferences& prefs, const ProgramFolders& folders, FieldReader& in) {
    std::string unit;
    if (!in.Text(unit)) return false;
    prefs.UnitSystem = unit == kInchesText ? LengthUnit::Inches : LengthUnit::Millimeters;
    if (!in.Text(prefs.MaterialsFolder)) return false;
    if (prefs.MaterialsFolder.empty()) prefs.MaterialsFolder = folders.DefaultMaterialsFolder;
    if (!in.Text(prefs.ModelsFolder)) return false;
    if (prefs.ModelsFolder.empty()) prefs.ModelsFolder = folders.DefaultModelsFolder;
    return true;
}

bool ReadRecentFiles(Preferences& prefs, FieldReader& in) {
    for (int k = 1; k <= 4; ++k) {
        if (!in.Text(prefs.RecentFiles[k])) return false;
    }
    return true;
}

bool ReadDigitsAndUserInfo(Preferences& prefs, FieldReader& in) {
    // Every stored digit count selects a format pattern; one beyond them would index past
    // the table wherever a number is shown.
    for (int k = 0; k < kStoredDigitSlots; ++k) {
        if (!in.IntegerWithin(prefs.DecimalDigits[k], 0, kMaxDecimalDigits,
                              kDefaultDecimalDigits[k])) {
            return false;
        }
    }
    for (int k = 0; k < kUserInfoSlots; ++k) {
        if (!in.Text(prefs.UserInfoText[k]) || !in.Boolean(prefs.UserInfoInclude[k])) {
            return false;
        }
    }
    return in.Boolean(prefs.UseCurrentDate);
}

bool ReadWindowPlacement(Preferences& prefs, FieldReader& in) {
    constexpr auto kNormal = static_cast<std::int16_t>(WindowState::Normal);
    std::int16_t state = kNormal;
    if (!in.IntegerWithin(state, kNormal, static_cast<std::int16_t>(WindowState::Maximized),
                          kNormal)) {
        return false;
    }
    prefs.MainWindowState = static_cast<WindowState>(state);
    return in.Integer(prefs.MainWindowWidth) && in.Integer(prefs.MainWindowHeight) &&
           in.Integer(prefs.MainWindowLeft) && in.Integer(prefs.MainWindowTop);
}

bool ReadDefaults(Preferences& prefs, FieldReader& in) {
    ModelDefaults& d = prefs.Defaults;
    return in.Single(d.DefaultDeviceWidth) && in.Single(d.DefaultDeviceLength) &&
           in.Single(d.DefaultLayerWidth) && in.Single(d.DefaultLayerLength) &&
           in.Single(d.DefaultLayerThickness) && in.Single(d.DefaultSpreadAngle) &&
           in.Single(d.DefaultIsothermalTemp) && in.Single(d.DefaultPowerDissipation) &&
           in.Integer(prefs.CommentsWindowWidth) && in.Integer(prefs.CommentsWindowHeight);
}

// The new-layer width and length, the comments window size and the slots the file does not
// store are left as they stand. The folders become the default ones beside the program, where
// its standard materials are installed, so that a first start finds them without asking.
void RestoreDefaults(Preferences& prefs, const ProgramFolders& folders) {
    Preferences restored;
    restored.MaterialsFolder = folders.DefaultMaterialsFolder;
    restored.ModelsFolder = folders.DefaultModelsFolder;
    restored.RecentFiles[0] = prefs.RecentFiles[0];
    restored.DecimalDigits[7] = prefs.DecimalDigits[7];
    restored.Defaults.DefaultLayerWidth = prefs.Defaults.DefaultLayerWidth;
    restored.Defaults.DefaultLayerLength = prefs.Defaults.DefaultLayerLength;
    restored.CommentsWindowWidth = prefs.CommentsWindowWidth;
    restored.CommentsWindowHeight = prefs.CommentsWindowHeight;
    prefs = restored;
}

PreferencesLoadOutcome LoadFailure(Preferences& prefs, const ProgramFolders& folders,
                                   const std::string& failure) {
    RestoreDefaults(prefs, folders);
    return {false, failure + "\r\n" + kRestoredLine};
}

bool Unstorable(char c) {
    return c == '"' || c == '\r' || c == '\n';
}

// A quote or a line break would end the field early and shift every value after it, so
// the file could not be read back at all.
std::string StorableText(std::string_view text) {
    std::string stored;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') continue;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        stored += Unstorable(text[i]) ? ' ' : text[i];
    }
    return stored;
}

// A path with a character altered would name another file; the slot is left empty instead.
std::string StorablePath(const std::string& path) {
    for (const char c : path) {
        if (Unstorable(c)) return {};
    }
    return path;
}

std::string Line(const std::string& fields) {
    return fields + std::string(kLineEnd);
}

std::string PathLine(const std::string& path) {
    return Line(QuotedField(StorablePath(path)));
}

std::string DigitsLine(const DecimalDigitsTable& digits) {
    std::string fields;
    for (int k = 0; k < kStoredDigitSlots; ++k) {
        if (k > 0) fields += ",";
        fields += std::to_string(digits[k]);
    }
    return Line(fields);
}

std::string WindowLine(const Preferences& prefs) {
    return Line(std::to_string(static_cast<int>(prefs.MainWindowState)) + "," +
                std::to_string(prefs.MainWindowWidth) + "," +
                std::to_string(prefs.MainWindowHeight) + "," +
                std::to_string(prefs.MainWindowLeft) + "," + std::to_string(prefs.MainWindowTop));
}

std::string DefaultsLines(const ModelDefaults& d) {
    return Line(FileNumberText(d.DefaultDeviceWidth) + "," +
                FileNumberText(d.DefaultDeviceLength)) +
           Line(FileNumberText(d.DefaultLayerWidth) + "," + FileNumberText(d.DefaultLayerLength) +
                "," + FileNumberText(d.DefaultLayerThickness) + "," +
                FileNumberText(d.DefaultSpreadAngle)) +
           Line(FileNumberText(d.DefaultIsothermalTemp)) +
           Line(FileNumberText(d.DefaultPowerDissipation));
}

}  // namespace

PreferencesLoadOutcome LoadPreferences(Preferences& prefs, const ProgramFolders& folders,
                                       const std::string& path) {
    const FileRead file = ReadBoundedFile(path, kSmallFileLimit);
    if (file.Absent) {
        PreferencesLoadOutcome outcome =
            LoadFailure(prefs, folders, "Preferences file '" + path + "' not found.");
        outcome.Absent = true;
        return outcome;
    }
    if (!file.Content) {
        return LoadFailure(prefs, folders,
                           "Preferences file '" + path + "' cannot be read: " + file.Problem + ".");
    }
    return ReadPreferencesText(prefs, folders, path, *file.Content);
}

PreferencesLoadOutcome ReadPreferencesText(Preferences& prefs, const ProgramFolders& folders,
                                           const std::string& path, const std::string& content) {
    FieldReader in(content);
    if (ReadFolders(prefs, folders, in) && ReadRecentFiles(prefs, in) &&
        ReadDigitsAndUserInfo(prefs, in) && ReadWindowPlacement(prefs, in) &&
        ReadDefaults(prefs, in)) {
        return {};
    }
    return LoadFailure(prefs, folders, "Unknown error loading preferences from " + path);
}

std::string PreferencesText(const Preferences& prefs) {
    std::string text;
    text +=
        Line(QuotedField(prefs.UnitSystem == LengthUnit::Inches ? kInchesText : kMillimetersText));
    text += PathLine(prefs.MaterialsFolder);
    text += PathLine(prefs.ModelsFolder);
    for (int k = 1; k <= 4; ++k) text += PathLine(prefs.RecentFiles[k]);
    text += DigitsLine(prefs.DecimalDigits);
    for (int k = 0; k < kUserInfoSlots; ++k) {
        text += Line(QuotedField(StorableText(prefs.UserInfoText[k])) + "," +
                     BooleanField(prefs.UserInfoInclude[k]));
    }
    text += Line(BooleanField(prefs.UseCurrentDate));
    text += WindowLine(prefs);
    text += DefaultsLines(prefs.Defaults);
    text += Line(std::to_string(prefs.CommentsWindowWidth) + "," +
                 std::to_string(prefs.CommentsWindowHeight));
    return text;
}

PreferencesSaveOutcome SavePreferences(const Preferences& prefs, const std::string& path) {
    if (SafeWriteFile(path, PreferencesText(prefs)).Ok) return {};
    return {false, "Unknown error saving preferences to " + path + "!"};
}

}  // namespace strativex
