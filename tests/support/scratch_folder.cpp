#include "support/scratch_folder.h"

#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <ftw.h>
#include <stdlib.h>
#include <sys/stat.h>
#endif

namespace lumeret::test {

#ifdef _WIN32

namespace {

void RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA data{};
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = dir + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(dir.c_str());
}

void AddAttribute(const std::string& path, DWORD attribute, bool on) {
    DWORD current = GetFileAttributesA(path.c_str());
    if (current == INVALID_FILE_ATTRIBUTES) throw std::runtime_error("no such file: " + path);
    DWORD wanted = on ? (current | attribute) : (current & ~attribute);
    if (wanted == 0) wanted = FILE_ATTRIBUTE_NORMAL;
    SetFileAttributesA(path.c_str(), wanted);
}

}  // namespace

ScratchFolder::ScratchFolder() {
    static int serial = 0;
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string dir = std::string(temp) + "lumeret-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                      std::to_string(++serial);
    RemoveTree(dir);
    if (!CreateDirectoryA(dir.c_str(), nullptr)) throw std::runtime_error("cannot create " + dir);
    base_ = dir + "\\";
}

ScratchFolder::~ScratchFolder() { RemoveTree(base_.substr(0, base_.size() - 1)); }

std::string HiddenName(const std::string& name) { return name; }
void MarkHidden(const std::string& path) { AddAttribute(path, FILE_ATTRIBUTE_HIDDEN, true); }
bool HasSystemAttribute() { return true; }
void MarkSystem(const std::string& path) { AddAttribute(path, FILE_ATTRIBUTE_SYSTEM, true); }
void SetReadOnly(const std::string& path, bool readOnly) { AddAttribute(path, FILE_ATTRIBUTE_READONLY, readOnly); }

#else

namespace {

std::string ToPosix(std::string path) {
    // Test paths are ASCII apart from names the tests build themselves.
    for (std::size_t i = 0; i < path.size(); ++i) {
        auto c = static_cast<unsigned char>(path[i]);
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
            ++i;
        } else if (c == '\\') {
            path[i] = '/';
        }
    }
    return path;
}

int RemoveOne(const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }

}  // namespace

ScratchFolder::ScratchFolder() {
    char pattern[] = "/tmp/lumeret-test-XXXXXX";
    if (!::mkdtemp(pattern)) throw std::runtime_error("cannot create a scratch folder");
    base_ = std::string(pattern) + "\\";
}

ScratchFolder::~ScratchFolder() {
    ::nftw(ToPosix(base_).c_str(), RemoveOne, 16, FTW_DEPTH | FTW_PHYS);
}

std::string HiddenName(const std::string& name) { return "." + name; }
void MarkHidden(const std::string&) {}
bool HasSystemAttribute() { return false; }
void MarkSystem(const std::string&) {}
void SetReadOnly(const std::string& path, bool readOnly) {
    if (::chmod(ToPosix(path).c_str(), readOnly ? 0444 : 0644) != 0) throw std::runtime_error("chmod " + path);
}

#endif

}  // namespace lumeret::test
