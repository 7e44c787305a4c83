// The clip folder: the few file-system operations the clip stores need, on
// the program's Windows-style paths (byte strings in the ANSI code page, "\"
// as separator). The windows build uses the A functions of kernel32; the
// native build maps "\" to "/" so the same store code runs on a POSIX system.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumeret {

// System error numbers a failed rename reports besides those in errors.h.
inline constexpr int kErrorPathNotFound = 3;
inline constexpr int kErrorSharingViolation = 32;
inline constexpr int kErrorAlreadyExists = 183;

struct FolderEntry {
    std::string name;  // the bare name, without the folder
    bool directory = false;
    bool hidden = false;
    bool system = false;
};

class IClipFolder {
public:
    virtual ~IClipFolder() = default;

    // Entries matching pattern, a folder followed by "\" and a wildcard name
    // such as "*.txt" ("*" and "?", letter case ignored), in the order the
    // file system reports them. An unreadable or missing folder has none.
    virtual std::vector<FolderEntry> FindEntries(const std::string& pattern) = 0;

    // Moves a file within its folder; never replaces an existing target.
    // 0 on success, otherwise the system's error number (Windows numbering:
    // 2 not found, 5 access denied, 183 target exists...).
    virtual int RenameFile(const std::string& from, const std::string& to) = 0;

    // False when the file could not be deleted (missing, read-only, in use).
    virtual bool RemoveFile(const std::string& path) = 0;

    // Whether path names an existing file (a folder does not count).
    virtual bool FileExists(const std::string& path) = 0;

    // The whole file. Throws FileOpenError(path) when it cannot be opened.
    virtual std::string ReadWholeFile(const std::string& path) = 0;

    // Creates the file or replaces its whole content. Throws
    // FileCreateError(path) when it cannot be created (an existing file is then
    // left as it was) and IoError when writing fails half-way, in which
    // case the broken file is removed.
    virtual void WriteWholeFile(const std::string& path, std::string_view bytes) = 0;

    // Creates one folder level; false when it exists already or cannot be made.
    virtual bool MakeDirectory(const std::string& path) = 0;
};

// The real file system of the running build.
class SystemClipFolder final : public IClipFolder {
public:
    std::vector<FolderEntry> FindEntries(const std::string& pattern) override;
    int RenameFile(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    std::string ReadWholeFile(const std::string& path) override;
    void WriteWholeFile(const std::string& path, std::string_view bytes) override;
    bool MakeDirectory(const std::string& path) override;
};

// Whether name matches a wildcard pattern of "*" (any run of bytes) and "?"
// (one byte), ASCII letters compared without regard to case, as the system's
// file search does.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

// Splits "folder\pattern" after its last "\" or ":" (double-byte aware):
// {folder with its trailing "\", wildcard name}.
std::pair<std::string, std::string> SplitSearchPattern(std::string_view pattern);

}  // namespace lumeret
