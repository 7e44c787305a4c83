#include "platform/profile_win32.h"

#include <windows.h>

namespace lumeret {

namespace {
// Returned for a missing key; no real value can hold these bytes.
constexpr char kMissing[] = "\x01\x02missing\x02\x01";
// Longer values come back cut to this many bytes; the program keeps fewer.
constexpr DWORD kValueRoom = 4096;
}  // namespace

std::optional<std::string> IniProfile::ReadString(const std::string& section, const std::string& key) {
    char buffer[kValueRoom];
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer, kValueRoom, path_.c_str());
    std::string value(buffer, n);
    if (value == kMissing) return std::nullopt;
    return value;
}

bool IniProfile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    // Windows refuses to write a read-only file; Wine run by root would not,
    // so the attribute is checked here as well.
    DWORD attributes = GetFileAttributesA(path_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) != FALSE;
}

}  // namespace lumeret
