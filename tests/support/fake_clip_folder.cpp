#include "support/fake_clip_folder.h"

#include <algorithm>
#include <functional>

#include "platform/errors.h"
#include "platform/text.h"

namespace lumeret::test {

namespace {

// A separator's byte may be the second of a double-byte character.
std::string ParentOf(const std::string& path) {
    const std::size_t nameSize = ExtractFileName(path).size();
    return nameSize == path.size() ? std::string() : path.substr(0, path.size() - nameSize - 1);
}

std::string NameOf(const std::string& path) { return ExtractFileName(path); }

}  // namespace

bool FakeClipFolder::FolderExists(const std::string& folder) const {
    return (!folder.empty() && folder.back() == ':') || directories.count(folder) != 0;
}

std::vector<FolderEntry> FakeClipFolder::FindEntries(const std::string& pattern) {
    ++listings;
    auto [folder, wildcard] = SplitSearchPattern(pattern);
    std::vector<FolderEntry> found;
    for (const auto& [path, file] : files) {
        if (ParentOf(path) + "\\" == folder && MatchesWildcard(wildcard, NameOf(path))) {
            const FileStamp changesWithTheBytes{file.bytes.size(),
                                                static_cast<std::int64_t>(std::hash<std::string>{}(file.bytes))};
            found.push_back({NameOf(path), false, file.hidden, file.system, file.stamp.value_or(changesWithTheBytes)});
        }
    }
    for (const auto& dir : directories) {
        if (ParentOf(dir) + "\\" == folder && MatchesWildcard(wildcard, NameOf(dir))) {
            found.push_back({NameOf(dir), true, false, false, {}});
        }
    }
    // Not in name order, so that callers must sort for themselves.
    std::reverse(found.begin(), found.end());
    return found;
}

int FakeClipFolder::MoveFault(const std::string& from) {
    if (moveCalls++ == failMoveAt) return kErrorAccessDenied;
    if (auto it = renameErrors.find(from); it != renameErrors.end()) {
        int code = it->second;
        renameErrors.erase(it);
        return code;
    }
    return 0;
}

int FakeClipFolder::RenameFile(const std::string& from, const std::string& to) {
    renames.emplace_back(from, to);
    if (int code = MoveFault(from)) return code;
    auto it = files.find(from);
    if (it == files.end()) return kErrorFileNotFound;
    if (files.count(to) || directories.count(to)) return kErrorAlreadyExists;
    if (!FolderExists(ParentOf(to))) return kErrorPathNotFound;
    File file = std::move(it->second);
    files.erase(it);
    files[to] = std::move(file);
    return 0;
}

int FakeClipFolder::ReplaceFile(const std::string& from, const std::string& to) {
    renames.emplace_back(from, to);
    if (int code = MoveFault(from)) return code;
    auto it = files.find(from);
    if (it == files.end()) return kErrorFileNotFound;
    auto target = files.find(to);
    if (directories.count(to) || (target != files.end() && target->second.readOnly)) return kErrorAccessDenied;
    if (!FolderExists(ParentOf(to))) return kErrorPathNotFound;
    File file = std::move(it->second);
    files.erase(it);
    files[to] = std::move(file);
    return 0;
}

bool FakeClipFolder::RemoveFile(const std::string& path) {
    auto it = files.find(path);
    if (it == files.end() || it->second.readOnly || undeletable.count(path)) return false;
    files.erase(it);
    return true;
}

std::string FakeClipFolder::ReadWholeFile(const std::string& path) {
    ++reads;
    auto it = files.find(path);
    if (it == files.end() || unreadable.count(path)) throw FileOpenError(path);
    return it->second.bytes;
}

void FakeClipFolder::WriteWholeFile(const std::string& path, std::string_view bytes) {
    auto it = files.find(path);
    bool blocked = unwritable.count(path) || directories.count(path) || !FolderExists(ParentOf(path)) ||
                   (it != files.end() && it->second.readOnly);
    const int call = writeCalls++;
    if (blocked || call == failWriteAt) throw FileCreateError(path);
    writes.push_back(path);
    if (call == shortWriteAt) {
        files[path].bytes = std::string(bytes.substr(0, bytes.size() / 2));
        throw IoError(112);  // the disk is full
    }
    files[path].bytes = std::string(bytes);
}

bool FakeClipFolder::MakeDirectory(const std::string& path) {
    if (files.count(path) || directories.count(path) || !FolderExists(ParentOf(path))) return false;
    directories.insert(path);
    return true;
}

std::string FakeClipFolder::Content(const std::string& path) const {
    auto it = files.find(path);
    return it == files.end() ? std::string("<missing>") : it->second.bytes;
}

std::vector<std::string> FakeClipFolder::NamesIn(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& [path, file] : files) {
        if (ParentOf(path) + "\\" == folder) names.push_back(NameOf(path));
    }
    return names;
}

}  // namespace lumeret::test
