#include "platform/profile_win32.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "platform/clip_folder.h"
#include "platform/errors.h"
#include "platform/handles_win32.h"
#include "platform/text.h"

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

namespace {

// Puts what the system holds of the file on the disk.
bool FlushToDisk(const std::string& path) {
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
    return file && FlushFileBuffers(file.get());
}

// Whether the file ends its last line and holds every value, each as a line
// "KEY=value" in its section (names in any case).
bool HoldsEveryValue(const std::string& path, const std::vector<ProfileValue>& values) {
    std::string text;
    try {
        text = SystemClipFolder().ReadWholeFile(path);
    } catch (const Exception&) {
        return false;
    }
    if (text.empty() || text.back() != '\n') return false;
    std::vector<bool> found(values.size(), false);
    std::string section;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        std::string_view line(text.data() + at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = UpperCaseAnsi(line.substr(1, line.size() - 2));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string key = UpperCaseAnsi(line.substr(0, equals));
        const std::string_view value = line.substr(equals + 1);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const ProfileValue& v = values[i];
            found[i] = found[i] ||
                       (section == UpperCaseAnsi(v.section) && key == UpperCaseAnsi(v.key) && value == v.value);
        }
    }
    return std::find(found.begin(), found.end(), false) == found.end();
}

// Whether a profile write reached the disk whole. Wine answers TRUE for a
// write the disk had no room for, leaving the file cut short or empty: a
// write that leaves its disk without room counts only where the file holds
// every value it was given. Where the room cannot be told, the write stands.
bool WrittenWhole(const std::string& path, const std::vector<ProfileValue>& values) {
    ULARGE_INTEGER available{};
    if (!GetDiskFreeSpaceExA(ExtractFilePath(path).c_str(), &available, nullptr, nullptr) || available.QuadPart > 0) {
        return true;
    }
    return HoldsEveryValue(path, values);
}

}  // namespace

bool IniProfile::WriteStrings(const std::vector<ProfileValue>& values) {
    // Windows refuses to replace a read-only file; Wine run by root would
    // not, so the attribute is checked here as well.
    DWORD attributes = GetFileAttributesA(path_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return false;
    }
    const std::string temporary = TemporaryPathFor(path_);
    // A copy left by a process that died is overwritten, or removed when
    // there is no file to copy.
    bool ok = attributes == INVALID_FILE_ATTRIBUTES
                  ? (DeleteFileA(temporary.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND)
                  : CopyFileA(path_.c_str(), temporary.c_str(), FALSE) != FALSE;
    for (const ProfileValue& v : values) {
        ok = ok && WritePrivateProfileStringA(v.section.c_str(), v.key.c_str(), v.value.c_str(), temporary.c_str());
    }
    // All NULL: the system writes out what it may still hold of the file. Its
    // answer says nothing (Wine always answers FALSE here).
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, temporary.c_str());
    ok = ok && FlushToDisk(temporary) && WrittenWhole(temporary, values);
    ok = ok && MoveFileExA(temporary.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileA(temporary.c_str());
    return ok;
}

}  // namespace lumeret
