// An in-memory clip folder with failures that tests can switch on.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/clip_folder.h"

namespace lumeret::test {

class FakeClipFolder : public IClipFolder {
public:
    struct File {
        std::string bytes;
        bool hidden = false;
        bool system = false;
        bool readOnly = false;
        // A clock that stands still: the stamp the folder tells, whatever
        // the bytes become. Otherwise every change of the bytes changes it.
        std::optional<FileStamp> stamp;
    };

    std::vector<FolderEntry> FindEntries(const std::string& pattern) override;
    int RenameFile(const std::string& from, const std::string& to) override;
    int ReplaceFile(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;
    bool FileExists(const std::string& path) override {
        probes.push_back(path);
        return files.count(path) != 0;
    }
    std::string ReadWholeFile(const std::string& path) override;
    void WriteWholeFile(const std::string& path, std::string_view bytes) override;
    bool MakeDirectory(const std::string& path) override;

    // Content of a file, "<missing>" when there is none.
    std::string Content(const std::string& path) const;
    // The names of the files in a folder (given with its trailing "\").
    std::vector<std::string> NamesIn(const std::string& folder) const;

    // Full path -> file. Folders are full paths without a trailing "\"; a
    // drive ("C:") always exists.
    std::map<std::string, File> files;
    std::set<std::string> directories;

    // Failures: the next rename from one of these paths reports the error
    // number (once, as a file held by another program for a moment would);
    // these files cannot be deleted, opened for reading, or created.
    std::map<std::string, int> renameErrors;
    std::set<std::string> undeletable;
    std::set<std::string> unreadable;
    std::set<std::string> unwritable;
    // Faults by the order of the calls, counted from 0 (-1: none): the write
    // that fails to create its file; the write that stops half-way, leaving
    // its first half behind as a disk that filled up would, before it throws
    // IoError; the move (rename or replace) that fails with access denied.
    int failWriteAt = -1;
    int shortWriteAt = -1;
    int failMoveAt = -1;
    int writeCalls = 0;
    int moveCalls = 0;

    // What happened, in order; replacements are in renames too.
    std::vector<std::pair<std::string, std::string>> renames;
    std::vector<std::string> writes;
    std::vector<std::string> probes;
    int reads = 0;
    int listings = 0;

private:
    bool FolderExists(const std::string& folder) const;
    // Counts a move; the error number when it is the one to fail, else 0.
    int MoveFault(const std::string& from);
};

}  // namespace lumeret::test
