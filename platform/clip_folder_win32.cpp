// The clip folder on Windows: the A functions of kernel32, so that paths and
// names stay bytes of the ANSI code page.
#include <windows.h>

#include <algorithm>

#include "platform/clip_folder.h"
#include "platform/errors.h"
#include "platform/handles_win32.h"

namespace lumeret {

namespace {

// ReadFile and WriteFile take at most a DWORD; big clips go in pieces.
constexpr DWORD kChunk = 1u << 20;

// Files from this size on are seen through a view: copying them first costs
// more than the view.
constexpr long long kViewedFromBytes = 1 << 20;

UniqueFileHandle OpenForReading(const std::string& path) {
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw FileOpenError(path);
    return file;
}

// The file's size; 0 when the system does not tell it.
long long SizeOf(HANDLE file) {
    LARGE_INTEGER size{};
    return GetFileSizeEx(file, &size) ? size.QuadPart : 0;
}

// The rest of an open file, read straight into a string sized to the file
// and one byte more, so that the end shows without a second read into a
// buffer of its own; a file that grows meanwhile is read on in pieces.
std::string ReadToEnd(HANDLE file) {
    const long long size = SizeOf(file);
    if (static_cast<unsigned long long>(size) >= std::string().max_size()) throw OutOfMemoryError("Out of memory");
    std::string data(static_cast<std::size_t>(size) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == data.size()) data.resize(filled + kChunk);
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - filled, kChunk));
        DWORD got = 0;
        if (!ReadFile(file, data.data() + filled, want, &got, nullptr)) {
            throw IoError(static_cast<int>(GetLastError()));
        }
        if (got == 0) break;
        filled += got;
    }
    data.resize(filled);
    return data;
}

// Whether path lies on a fixed disk. A view of a file on removable or
// network media faults when the media goes away; ReadFile reports it.
bool OnFixedDisk(const std::string& path) {
    char volume[MAX_PATH] = {};
    return GetVolumePathNameA(path.c_str(), volume, MAX_PATH) && GetDriveTypeA(volume) == DRIVE_FIXED;
}

void UnmapView(const void* view) noexcept { UnmapViewOfFile(view); }
using UniqueView = UniqueResource<const void*, &UnmapView>;

}  // namespace

std::vector<FolderEntry> SystemClipFolder::FindEntries(const std::string& pattern) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA data{};
    UniqueFindHandle find(FindFirstFileA(pattern.c_str(), &data));
    if (!find) return entries;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        FolderEntry entry;
        entry.name = std::move(name);
        entry.directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.hidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
        entry.system = (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
        entry.stamp.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        entry.stamp.lastWrite = static_cast<std::int64_t>(
            (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime);
        entries.push_back(std::move(entry));
    } while (FindNextFileA(find.get(), &data));
    return entries;
}

int SystemClipFolder::RenameFile(const std::string& from, const std::string& to) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) return 0;
    return static_cast<int>(GetLastError());
}

int SystemClipFolder::ReplaceFile(const std::string& from, const std::string& to) {
    // As in WriteWholeFile: Wine run by root would replace a read-only file.
    DWORD attributes = GetFileAttributesA(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return kErrorAccessDenied;
    }
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
    return static_cast<int>(GetLastError());
}

bool SystemClipFolder::RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

bool SystemClipFolder::FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string SystemClipFolder::ReadWholeFile(const std::string& path) { return ReadToEnd(OpenForReading(path).get()); }

void SystemClipFolder::ViewWholeFile(const std::string& path, const FileReader& reader) {
    // The file stays open, shared for reading only, while it is viewed: no
    // other program can cut it short under the view.
    UniqueFileHandle file = OpenForReading(path);
    const long long size = SizeOf(file.get());
    if (size >= kViewedFromBytes && static_cast<unsigned long long>(size) <= SIZE_MAX && OnFixedDisk(path)) {
        UniqueHandle mapping(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
        UniqueView view(mapping ? MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0) : nullptr);
        if (view) {
            reader(std::string_view(static_cast<const char*>(view.get()), static_cast<std::size_t>(size)));
            return;
        }
        // No room for a view (a 32-bit process): the file is read instead.
    }
    reader(ReadToEnd(file.get()));
}

void SystemClipFolder::WriteWholeFile(const std::string& path, std::string_view bytes) {
    // Windows refuses to replace a read-only file; Wine, run by root, would
    // let the open through, so the attribute is checked first.
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) throw FileCreateError(path);
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!file) throw FileCreateError(path);
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
        DWORD put = 0;
        if (!WriteFile(file.get(), bytes.data() + done, piece, &put, nullptr) || put == 0) {
            int code = static_cast<int>(GetLastError());
            file.reset();
            DeleteFileA(path.c_str());
            throw IoError(code);
        }
        done += put;
    }
    const bool flushed = FlushFileBuffers(file.get()) != FALSE;
    if (!CloseHandle(file.release()) || !flushed) {
        int code = static_cast<int>(GetLastError());
        DeleteFileA(path.c_str());
        throw IoError(code);
    }
}

bool SystemClipFolder::MakeDirectory(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

}  // namespace lumeret
