// The clip folder: the few file-system operations the clip stores need, on
// the program's Windows-style paths (byte strings in the ANSI code page, "\"
// as separator). The windows build uses the A functions of kernel32; the
// native build maps "\" to "/" so the same store code runs on a POSIX system.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumeret {

// System error numbers a failed rename reports besides those in errors.h.
inline constexpr int kErrorPathNotFound = 3;
inline constexpr int kErrorSharingViolation = 32;
inline constexpr int kErrorFileExists = 80;
inline constexpr int kErrorAlreadyExists = 183;

// What a file's content was last seen as: its size and its last write time,
// in the system's own units. A write changes it; a rename does not.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t lastWrite = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

struct FolderEntry {
    std::string name;  // the bare name, without the folder
    bool directory = false;
    bool hidden = false;
    bool system = false;
    FileStamp stamp;
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
    // 2 not found, 5 access denied, 183 target exists...). The move is on
    // the disk when the call returns.
    virtual int RenameFile(const std::string& from, const std::string& to) = 0;

    // Moves a file within its folder onto to in one step, replacing a file
    // there: whatever happens, to is either the old file or the moved one.
    // 0 on success, otherwise the system's error number (5 when to is
    // read-only or a folder); both files are then as they were.
    virtual int ReplaceFile(const std::string& from, const std::string& to) = 0;

    // False when the file could not be deleted (missing, read-only, in use).
    virtual bool RemoveFile(const std::string& path) = 0;

    // Whether path names an existing file (a folder does not count).
    virtual bool FileExists(const std::string& path) = 0;

    // The whole file. Throws FileOpenError(path) when it cannot be opened.
    virtual std::string ReadWholeFile(const std::string& path) = 0;

    // Hands the whole file to reader, whose view of the bytes ends with the
    // call; throws as ReadWholeFile, and passes on what reader throws. Large
    // files may be seen where they lie instead of being copied first.
    using FileReader = std::function<void(std::string_view bytes)>;
    virtual void ViewWholeFile(const std::string& path, const FileReader& reader) { reader(ReadWholeFile(path)); }

    // Creates the file or replaces its whole content in place, and flushes it
    // to the disk. Throws FileCreateError(path) when it cannot be created (an
    // existing file is then left as it was) and IoError when writing fails
    // half-way, in which case the broken file is removed. A process that dies
    // meanwhile leaves a cut-off file: the program's own files go through
    // SaveFile and SaveNewFile instead.
    virtual void WriteWholeFile(const std::string& path, std::string_view bytes) = 0;

    // Creates one folder level; false when it exists already or cannot be made.
    virtual bool MakeDirectory(const std::string& path) = 0;
};

// The real file system of the running build.
class SystemClipFolder final : public IClipFolder {
public:
    std::vector<FolderEntry> FindEntries(const std::string& pattern) override;
    int RenameFile(const std::string& from, const std::string& to) override;
    int ReplaceFile(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    std::string ReadWholeFile(const std::string& path) override;
    // Windows: a file of a megabyte or more on a fixed disk is seen through
    // a read-only view of it, not copied. Elsewhere it is read as a whole.
    void ViewWholeFile(const std::string& path, const FileReader& reader) override;
    void WriteWholeFile(const std::string& path, std::string_view bytes) override;
    bool MakeDirectory(const std::string& path) override;
};

// Saving a file so that it is never seen half-written: the bytes go to a
// temporary file beside it, which then takes the file's name in one step. A
// failure removes the temporary file; a process killed meanwhile leaves it
// behind, for RemoveTemporaryFiles.

// The temporary file of a save to path. Its last extension is ".tmp", so
// that no clip pattern ("*.txt", "*.bmp") takes it, neither by its name nor
// by the short 8.3 name the system also matches, whose extension is the
// first three bytes of the last one.
std::string TemporaryPathFor(const std::string& path);

// Creates path or replaces it whole. Throws FileCreateError(path) when it
// cannot be written whole or replaced; path is then as it was. The temporary
// file takes a name nothing beside path has yet (TemporaryPathFor(path), else
// one with a number before ".tmp"), so that no other file there is
// overwritten or removed; where path's name or length leaves no room for
// that, a short name in its folder stands in for path's.
void SaveFile(IClipFolder& folder, const std::string& path, std::string_view bytes);

// Creates path, never replacing anything: false, writing nothing, when a
// file or folder of that name exists. Throws as SaveFile.
bool SaveNewFile(IClipFolder& folder, const std::string& path, std::string_view bytes);

// Removes the temporary files of saves to files matching pattern ("dir\*.txt")
// that a killed process left behind.
void RemoveTemporaryFiles(IClipFolder& folder, const std::string& pattern);

// Whether name matches a wildcard pattern of "*" (any run of bytes) and "?"
// (one byte), ASCII letters compared without regard to case, as the system's
// file search does.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

// Splits "folder\pattern" after its last "\" or ":" (double-byte aware):
// {folder with its trailing "\", wildcard name}.
std::pair<std::string, std::string> SplitSearchPattern(std::string_view pattern);

}  // namespace lumeret
