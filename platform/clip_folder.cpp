#include "platform/clip_folder.h"

#include "platform/errors.h"
#include "platform/text.h"

namespace lumeret {

namespace {

char FoldCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

constexpr char kTemporarySuffix[] = ".tmp";
// The longest file name and path the system takes, and how much a numbered
// temporary name may add to a target's.
constexpr std::size_t kLongestName = 255;
constexpr std::size_t kLongestPath = 259;
constexpr std::size_t kTemporaryRoom = 8;  // ".99.tmp" and one to spare
// What a temporary name starts with where the target's name leaves no room.
constexpr char kShortTemporaryStem[] = "lumeret";

// Writes the temporary file of a save to path; a failure leaves none. A
// file that cannot be made or written whole, as on a full disk, is reported
// as path that cannot be created.
void WriteTemporary(IClipFolder& folder, const std::string& temporary, const std::string& path,
                    std::string_view bytes) {
    try {
        folder.WriteWholeFile(temporary, bytes);
    } catch (const FileCreateError&) {
        folder.RemoveFile(temporary);
        throw FileCreateError(path);
    } catch (const IoError&) {
        folder.RemoveFile(temporary);
        throw FileCreateError(path);
    } catch (...) {
        folder.RemoveFile(temporary);
        throw;
    }
}

// A temporary name beside path that nothing in its folder has yet: a save
// to a folder of the user's never touches a file that happens to be named
// like its temporary file.
std::string UnusedTemporaryPathFor(IClipFolder& folder, const std::string& path) {
    const std::string dir = ExtractFilePath(path);
    const bool roomy = path.size() - dir.size() + kTemporaryRoom <= kLongestName &&
                       path.size() + kTemporaryRoom <= kLongestPath;
    const std::string shortStem = dir + kShortTemporaryStem;
    const std::string stem = roomy || path.size() <= shortStem.size() ? path : shortStem;
    std::string temporary = stem + kTemporarySuffix;
    for (int n = 1; !folder.FindEntries(temporary).empty(); ++n) {
        temporary = stem + "." + std::to_string(n) + kTemporarySuffix;
    }
    return temporary;
}

}  // namespace

std::string TemporaryPathFor(const std::string& path) { return path + kTemporarySuffix; }

void SaveFile(IClipFolder& folder, const std::string& path, std::string_view bytes) {
    const std::string temporary = UnusedTemporaryPathFor(folder, path);
    WriteTemporary(folder, temporary, path, bytes);
    if (folder.ReplaceFile(temporary, path) != 0) {
        folder.RemoveFile(temporary);
        throw FileCreateError(path);
    }
}

bool SaveNewFile(IClipFolder& folder, const std::string& path, std::string_view bytes) {
    // The clip folders are the program's own: a file there named like the
    // temporary one is a killed save's.
    const std::string temporary = TemporaryPathFor(path);
    WriteTemporary(folder, temporary, path, bytes);
    const int code = folder.RenameFile(temporary, path);
    if (code == 0) return true;
    folder.RemoveFile(temporary);
    // Windows reports a folder in the way as access denied.
    if (code == kErrorAlreadyExists || code == kErrorFileExists || !folder.FindEntries(path).empty()) return false;
    throw FileCreateError(path);
}

void RemoveTemporaryFiles(IClipFolder& folder, const std::string& pattern) {
    const std::string dir = ExtractFilePath(pattern);
    for (const FolderEntry& entry : folder.FindEntries(pattern + kTemporarySuffix)) {
        if (!entry.directory) folder.RemoveFile(dir + entry.name);
    }
}

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
    // Iterative match with one backtrack point: the last "*" seen.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::string_view::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
            ++p;
            ++n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::pair<std::string, std::string> SplitSearchPattern(std::string_view pattern) {
    std::string folder = ExtractFilePath(pattern);
    return {folder, std::string(pattern.substr(folder.size()))};
}

}  // namespace lumeret
