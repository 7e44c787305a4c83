#include "core/settings.h"

#include <cstdint>

#include "platform/errors.h"
#include "platform/text.h"

namespace lumeret {

std::string SettingsPathFor(const std::string& exePath) { return ChangeFileExt(exePath, ".ini"); }

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

int ParseSettingInt(const std::string& text, int defaultValue) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (text.size() - i > 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) return defaultValue;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        int digit = HexDigit(text[i]);
        if (digit < 0 || digit >= base) return defaultValue;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFull) return defaultValue;
    }
    if (base == 10) {
        if (value > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return defaultValue;
        return negative ? static_cast<int>(-static_cast<std::int64_t>(value)) : static_cast<int>(value);
    }
    // Hexadecimal values cover all 32 bits, so $FFFFFFFF reads as -1; the
    // negation wraps around 32 bits too, so -$80000000 stays -2147483648.
    auto bits = static_cast<std::uint32_t>(value);
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

namespace {

std::string ReadCut(IProfile& profile, const char* section, const char* key, const std::string& def) {
    auto value = profile.ReadString(section, key);
    return value ? CutText(*value, kMaxSettingLength) : def;
}

int ReadInt(IProfile& profile, const char* section, const char* key) {
    auto value = profile.ReadString(section, key);
    return value ? ParseSettingInt(CutText(*value, kMaxSettingLength), 0) : 0;
}

// Switches are stored as these words; only an exact "TRUE" counts as on.
const std::string kOn = "TRUE";
const std::string kOff = "FALSE";

const char* OnOff(bool on) { return on ? kOn.c_str() : kOff.c_str(); }

bool ReadSwitch(IProfile& profile, const char* key) { return ReadCut(profile, "SYSTEM", key, kOff) == kOn; }

}  // namespace

Settings ReadSettings(IProfile& profile) {
    Settings s;
    s.left = ReadInt(profile, "FORM", "LEFT");
    s.top = ReadInt(profile, "FORM", "TOP");
    s.textExportFolder = ReadCut(profile, "FILE", "PATH1", s.textExportFolder);
    s.bitmapExportFolder = ReadCut(profile, "FILE", "PATH2", s.bitmapExportFolder);
    s.memoExportFolder = ReadCut(profile, "FILE", "PATH3", s.memoExportFolder);
    s.hidePreview = ReadSwitch(profile, "NONPREVIEW");
    s.stayOnTop = ReadSwitch(profile, "STAYONTOP");
    s.confirmDelete = ReadSwitch(profile, "DELETECHECK");
    return s;
}

void WriteSettings(IProfile& profile, const Settings& s) {
    const std::vector<ProfileValue> values = {
        {"FORM", "LEFT", std::to_string(s.left)},
        {"FORM", "TOP", std::to_string(s.top)},
        {"FILE", "PATH1", s.textExportFolder},
        {"FILE", "PATH2", s.bitmapExportFolder},
        {"FILE", "PATH3", s.memoExportFolder},
        {"SYSTEM", "NONPREVIEW", OnOff(s.hidePreview)},
        {"SYSTEM", "STAYONTOP", OnOff(s.stayOnTop)},
        {"SYSTEM", "DELETECHECK", OnOff(s.confirmDelete)},
    };
    if (!profile.WriteStrings(values)) throw Exception(FormatWithData("%s に書き込めません", profile.Path()));
}

}  // namespace lumeret
