// The clip folder on a POSIX system, for the native build and its tests. The
// program's paths use "\" as separator; it becomes "/" here. Windows
// attributes have no exact counterpart: names starting with "." count as
// hidden, nothing counts as a system file, and a file without its owner's
// write bit counts as read-only (it can be renamed but neither deleted nor
// replaced, whoever runs the program, as on Windows).
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/clip_folder.h"
#include "platform/errors.h"
#include "platform/system_path.h"
#include "platform/text.h"

namespace lumeret {

namespace {

// The Windows error number closest to errno, so that callers and messages
// see the same numbers in both builds.
int WindowsErrorFor(int err) {
    switch (err) {
    case ENOENT:
        return kErrorFileNotFound;
    case ENOTDIR:
        return kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return kErrorAccessDenied;
    case EBUSY:
    case ETXTBSY:
        return kErrorSharingViolation;
    case EEXIST:
    case ENOTEMPTY:
        return kErrorAlreadyExists;
    case ENOSPC:
        return 112;  // ERROR_DISK_FULL
    default:
        return 31;  // ERROR_GEN_FAILURE
    }
}

bool StatPath(const std::string& posixPath, struct stat& st) { return ::stat(posixPath.c_str(), &st) == 0; }

bool IsReadOnly(const struct stat& st) { return (st.st_mode & S_IWUSR) == 0; }

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void reset() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

class Dir {
public:
    explicit Dir(DIR* dir) : dir_(dir) {}
    Dir(const Dir&) = delete;
    Dir& operator=(const Dir&) = delete;
    ~Dir() {
        if (dir_) ::closedir(dir_);
    }
    DIR* get() const { return dir_; }
    explicit operator bool() const { return dir_ != nullptr; }

private:
    DIR* dir_;
};

}  // namespace

std::vector<FolderEntry> SystemClipFolder::FindEntries(const std::string& pattern) {
    auto [folder, wildcard] = SplitSearchPattern(pattern);
    std::string posixFolder = folder.empty() ? std::string("./") : SystemPath(folder);
    std::vector<FolderEntry> entries;
    Dir dir(::opendir(posixFolder.c_str()));
    if (!dir) return entries;
    while (const dirent* d = ::readdir(dir.get())) {
        std::string name = d->d_name;
        if (name == "." || name == "..") continue;
        if (!MatchesWildcard(wildcard, name)) continue;
        FolderEntry entry;
        entry.name = name;
        struct stat st {};
        if (StatPath(posixFolder + name, st)) {
            entry.directory = S_ISDIR(st.st_mode);
            entry.stamp.size = static_cast<std::uint64_t>(st.st_size);
            entry.stamp.lastWrite = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
        }
        entry.hidden = name[0] == '.';
        entries.push_back(std::move(entry));
    }
    return entries;
}

int SystemClipFolder::RenameFile(const std::string& from, const std::string& to) {
    std::string src = SystemPath(from);
    std::string dst = SystemPath(to);
    if (::renameat2(AT_FDCWD, src.c_str(), AT_FDCWD, dst.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return WindowsErrorFor(errno);
    // A file system without an atomic no-replace rename: check, then rename.
    struct stat st {};
    if (::lstat(dst.c_str(), &st) == 0) return kErrorAlreadyExists;
    if (::rename(src.c_str(), dst.c_str()) == 0) return 0;
    return WindowsErrorFor(errno);
}

int SystemClipFolder::ReplaceFile(const std::string& from, const std::string& to) {
    std::string dst = SystemPath(to);
    struct stat st {};
    if (StatPath(dst, st) && (S_ISDIR(st.st_mode) || IsReadOnly(st))) return kErrorAccessDenied;
    if (::rename(SystemPath(from).c_str(), dst.c_str()) != 0) return WindowsErrorFor(errno);
    return 0;
}

bool SystemClipFolder::RemoveFile(const std::string& path) {
    std::string p = SystemPath(path);
    struct stat st {};
    if (!StatPath(p, st) || S_ISDIR(st.st_mode) || IsReadOnly(st)) return false;
    return ::unlink(p.c_str()) == 0;
}

bool SystemClipFolder::FileExists(const std::string& path) {
    struct stat st {};
    return StatPath(SystemPath(path), st) && !S_ISDIR(st.st_mode);
}

std::string SystemClipFolder::ReadWholeFile(const std::string& path) {
    std::string p = SystemPath(path);
    Fd fd(::open(p.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (!fd || ::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) throw FileOpenError(path);
    std::string data;
    if (st.st_size > 0) {
        if (static_cast<unsigned long long>(st.st_size) > data.max_size()) throw OutOfMemoryError("Out of memory");
        data.reserve(static_cast<std::size_t>(st.st_size));
    }
    char buffer[64 * 1024];
    for (;;) {
        ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            throw IoError(WindowsErrorFor(errno));
        }
        data.append(buffer, static_cast<std::size_t>(got));
    }
    return data;
}

void SystemClipFolder::ViewWholeFile(const std::string& path, const FileReader& reader) {
    IClipFolder::ViewWholeFile(path, reader);
}

void SystemClipFolder::WriteWholeFile(const std::string& path, std::string_view bytes) {
    std::string p = SystemPath(path);
    struct stat st {};
    if (StatPath(p, st) && (S_ISDIR(st.st_mode) || IsReadOnly(st))) throw FileCreateError(path);
    Fd fd(::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!fd) throw FileCreateError(path);
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t put = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            int code = WindowsErrorFor(put < 0 ? errno : ENOSPC);
            fd.reset();
            ::unlink(p.c_str());
            throw IoError(code);
        }
        done += static_cast<std::size_t>(put);
    }
    // The descriptor is gone whatever close reports.
    const bool flushed = ::fsync(fd.get()) == 0;
    if (::close(fd.release()) != 0 || !flushed) {
        int code = WindowsErrorFor(errno);
        ::unlink(p.c_str());
        throw IoError(code);
    }
}

bool SystemClipFolder::MakeDirectory(const std::string& path) {
    return ::mkdir(SystemPath(path).c_str(), 0777) == 0;
}

}  // namespace lumeret
