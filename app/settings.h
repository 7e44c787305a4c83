// The settings file: a profile ("INI") file beside the executable with the
// main window's position, the three export folders and three switches.
#pragma once

#include <optional>
#include <string>

#include "platform/on_off.h"

namespace lumeret {

// A profile file: sections of keys with string values.
class IProfile {
public:
    virtual ~IProfile() = default;
    // The value, or nothing when the key is missing.
    virtual std::optional<std::string> ReadString(const std::string& section, const std::string& key) = 0;
    // False when the value could not be written.
    virtual bool WriteString(const std::string& section, const std::string& key, const std::string& value) = 0;
};

struct Settings {
    int left = 0;
    int top = 0;
    std::string path1 = "C:\\";
    std::string path2 = "C:\\";
    std::string path3 = "C:\\";
    std::string nonPreview = "FALSE";
    std::string stayOnTop = "FALSE";
    std::string deleteCheck = "FALSE";
};

inline constexpr std::size_t kMaxSettingLength = 1023;

// The settings file of an executable: its path with the extension ".ini".
std::string SettingsPathFor(const std::string& exePath);

// A setting read as an integer: decimal, or hexadecimal after "$" or "0x";
// anything that is not a valid 32-bit integer gives the default.
int ParseSettingInt(const std::string& text, int defaultValue);

Settings ReadSettings(IProfile& profile);

// Writes all eight keys in the order FORM, FILE, SYSTEM. Throws Exception
// "<path> に書き込めません" at the first key that cannot be written.
void WriteSettings(IProfile& profile, const Settings& settings, const std::string& path);

}  // namespace lumeret
