#include "app/settings.h"

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
    // Hexadecimal values cover all 32 bits, so $FFFFFFFF reads as -1.
    auto bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return negative ? -bits : bits;
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

}  // namespace

Settings ReadSettings(IProfile& profile) {
    Settings s;
    s.left = ReadInt(profile, "FORM", "LEFT");
    s.top = ReadInt(profile, "FORM", "TOP");
    s.path1 = ReadCut(profile, "FILE", "PATH1", s.path1);
    s.path2 = ReadCut(profile, "FILE", "PATH2", s.path2);
    s.path3 = ReadCut(profile, "FILE", "PATH3", s.path3);
    s.nonPreview = ReadCut(profile, "SYSTEM", "NONPREVIEW", s.nonPreview);
    s.stayOnTop = ReadCut(profile, "SYSTEM", "STAYONTOP", s.stayOnTop);
    s.deleteCheck = ReadCut(profile, "SYSTEM", "DELETECHECK", s.deleteCheck);
    return s;
}

void WriteSettings(IProfile& profile, const Settings& s, const std::string& path) {
    const struct {
        const char* section;
        const char* key;
        std::string value;
    } entries[] = {
        {"FORM", "LEFT", std::to_string(s.left)},
        {"FORM", "TOP", std::to_string(s.top)},
        {"FILE", "PATH1", s.path1},
        {"FILE", "PATH2", s.path2},
        {"FILE", "PATH3", s.path3},
        {"SYSTEM", "NONPREVIEW", s.nonPreview},
        {"SYSTEM", "STAYONTOP", s.stayOnTop},
        {"SYSTEM", "DELETECHECK", s.deleteCheck},
    };
    for (const auto& e : entries) {
        if (!profile.WriteString(e.section, e.key, e.value)) {
            throw Exception(FormatMessage1("%s に書き込めません", path));
        }
    }
}

}  // namespace lumeret
