// The settings file: a profile file beside the executable with the main
// window's position, the three export folders and three switches.
#pragma once

#include <string>

#include "platform/profile.h"

namespace lumeret {

struct Settings {
    // The main window's top-left corner on the screen.
    int left = 0;
    int top = 0;
    // Where the scrapbook's save dialog opens on each page.
    std::string textExportFolder = "C:\\";
    std::string bitmapExportFolder = "C:\\";
    std::string memoExportFolder = "C:\\";
    bool hidePreview = false;
    bool stayOnTop = false;
    bool confirmDelete = false;
};

inline constexpr std::size_t kMaxSettingLength = 1023;

// The settings file of an executable: its path with the extension ".ini".
std::string SettingsPathFor(const std::string& exePath);

// A setting read as an integer: decimal, or hexadecimal after "$" or "0x";
// anything that is not a valid 32-bit integer gives the default.
int ParseSettingInt(const std::string& text, int defaultValue);

// Missing keys take their defaults; strings are cut to 1023 bytes; a switch
// is on only when its value is exactly "TRUE".
Settings ReadSettings(IProfile& profile);

// Writes all eight keys in one step, in the order FORM, FILE, SYSTEM, the
// switches as "TRUE" or "FALSE". Throws Exception "<path> に書き込めません",
// the file left as it was, when they cannot be written.
void WriteSettings(IProfile& profile, const Settings& settings);

}  // namespace lumeret
