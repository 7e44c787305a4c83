// The clip folder of the running build on the real file system: POSIX in the
// native build, Win32 under Wine.
#include "platform/clip_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/errors.h"
#include "support/scratch_folder.h"

namespace lumeret {
namespace {

using test::ScratchFolder;

struct ClipFolder : ::testing::Test {
    ScratchFolder scratch;
    SystemClipFolder folder;
    const std::string& base = scratch.Base();

    std::string Path(const std::string& name) const { return base + name; }
    void Put(const std::string& name, const std::string& bytes = "x") { folder.WriteWholeFile(Path(name), bytes); }

    std::vector<std::string> SortedNames(const std::vector<FolderEntry>& entries) {
        std::vector<std::string> names;
        for (const auto& e : entries) names.push_back(e.name);
        std::sort(names.begin(), names.end());
        return names;
    }
    const FolderEntry* Find(const std::vector<FolderEntry>& entries, const std::string& name) {
        for (const auto& e : entries)
            if (e.name == name) return &e;
        return nullptr;
    }
};

TEST(Wildcard, MatchesStarAndQuestionMarkIgnoringLetterCase) {
    EXPECT_TRUE(MatchesWildcard("*.txt", "00000000.txt"));
    EXPECT_TRUE(MatchesWildcard("*.txt", "ABC.TXT"));
    EXPECT_TRUE(MatchesWildcard("*.txt", ".txt"));
    EXPECT_TRUE(MatchesWildcard("*.txt", "a.b.txt"));
    EXPECT_TRUE(MatchesWildcard("?.bmp", "1.bmp"));
    EXPECT_FALSE(MatchesWildcard("?.bmp", "12.bmp"));
    EXPECT_FALSE(MatchesWildcard("*.txt", "a.txt.bak"));
    EXPECT_FALSE(MatchesWildcard("*.txt", "a.bmp"));
    EXPECT_FALSE(MatchesWildcard("*.txt", "txt"));
}

TEST(Wildcard, SearchPatternSplitsAfterLastSeparator) {
    EXPECT_EQ(SplitSearchPattern("C:\\app\\txt\\*.txt"), (std::pair<std::string, std::string>{"C:\\app\\txt\\", "*.txt"}));
    // 0x5C as the second byte of a double-byte character is no separator.
    EXPECT_EQ(SplitSearchPattern("C:\\表*.txt"), (std::pair<std::string, std::string>{"C:\\", "表*.txt"}));
}

TEST_F(ClipFolder, FindsMatchingEntriesWithTheirFlags) {
    Put("00000000.txt");
    Put("ABC.TXT");
    Put("picture.bmp");
    ASSERT_TRUE(folder.MakeDirectory(Path("00000003.txt")));
    std::string hidden = test::HiddenName("hidden.txt");
    Put(hidden);
    test::MarkHidden(Path(hidden));

    auto entries = folder.FindEntries(base + "*.txt");
    std::vector<std::string> expected{hidden, "00000000.txt", "00000003.txt", "ABC.TXT"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(SortedNames(entries), expected);
    ASSERT_NE(Find(entries, "00000003.txt"), nullptr);
    EXPECT_TRUE(Find(entries, "00000003.txt")->directory);
    EXPECT_TRUE(Find(entries, hidden)->hidden);
    const FolderEntry* plain = Find(entries, "00000000.txt");
    EXPECT_FALSE(plain->directory || plain->hidden || plain->system);
}

TEST_F(ClipFolder, EntriesCarryAStampThatAWriteChangesAndARenameKeeps) {
    Put("00000000.txt", "12345");
    auto entries = folder.FindEntries(base + "*.txt");
    ASSERT_NE(Find(entries, "00000000.txt"), nullptr);
    const FileStamp written = Find(entries, "00000000.txt")->stamp;
    EXPECT_EQ(written.size, 5u);
    EXPECT_NE(written.lastWrite, 0);

    Put("00000000.txt", "1234567");
    entries = folder.FindEntries(base + "*.txt");
    const FileStamp rewritten = Find(entries, "00000000.txt")->stamp;
    EXPECT_EQ(rewritten.size, 7u);
    EXPECT_NE(rewritten, written);

    ASSERT_EQ(folder.RenameFile(Path("00000000.txt"), Path("00000001.txt")), 0);
    entries = folder.FindEntries(base + "*.txt");
    ASSERT_NE(Find(entries, "00000001.txt"), nullptr);
    EXPECT_EQ(Find(entries, "00000001.txt")->stamp, rewritten);
}

TEST_F(ClipFolder, ReportsSystemFilesWhereTheSystemHasThem) {
    if (!test::HasSystemAttribute()) GTEST_SKIP() << "no system-file attribute here";
    Put("sys.txt");
    test::MarkSystem(Path("sys.txt"));
    auto entries = folder.FindEntries(base + "*.txt");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].system);
}

TEST_F(ClipFolder, MissingFolderHasNoEntries) {
    EXPECT_TRUE(folder.FindEntries(base + "none\\*.txt").empty());
}

TEST_F(ClipFolder, RenameMovesTheFileButNeverReplacesOne) {
    Put("a.txt", "first");
    Put("b.txt", "second");
    EXPECT_EQ(folder.RenameFile(Path("a.txt"), Path("c.txt")), 0);
    EXPECT_FALSE(folder.FileExists(Path("a.txt")));
    EXPECT_EQ(folder.ReadWholeFile(Path("c.txt")), "first");

    EXPECT_EQ(folder.RenameFile(Path("c.txt"), Path("b.txt")), kErrorAlreadyExists);
    EXPECT_EQ(folder.ReadWholeFile(Path("c.txt")), "first");
    EXPECT_EQ(folder.ReadWholeFile(Path("b.txt")), "second");

    EXPECT_EQ(folder.RenameFile(Path("gone.txt"), Path("d.txt")), kErrorFileNotFound);
}

TEST_F(ClipFolder, ReadOnlyFileCanBeRenamedAndReadButNotDeletedOrReplaced) {
    Put("ro.txt", "keep");
    test::SetReadOnly(Path("ro.txt"), true);
    EXPECT_FALSE(folder.RemoveFile(Path("ro.txt")));
    EXPECT_THROW(folder.WriteWholeFile(Path("ro.txt"), "new"), FileCreateError);
    EXPECT_EQ(folder.RenameFile(Path("ro.txt"), Path("moved.txt")), 0);
    EXPECT_EQ(folder.ReadWholeFile(Path("moved.txt")), "keep");
    test::SetReadOnly(Path("moved.txt"), false);
    EXPECT_TRUE(folder.RemoveFile(Path("moved.txt")));
}

TEST_F(ClipFolder, RemoveAndExistsConcernFilesOnly) {
    Put("a.txt");
    ASSERT_TRUE(folder.MakeDirectory(Path("sub.txt")));
    EXPECT_TRUE(folder.FileExists(Path("a.txt")));
    EXPECT_FALSE(folder.FileExists(Path("sub.txt")));
    EXPECT_TRUE(folder.RemoveFile(Path("a.txt")));
    EXPECT_FALSE(folder.FileExists(Path("a.txt")));
    EXPECT_FALSE(folder.RemoveFile(Path("a.txt")));
    EXPECT_FALSE(folder.RemoveFile(Path("sub.txt")));
}

TEST_F(ClipFolder, ReadAndWriteKeepEveryByteAndReplaceTheWholeFile) {
    std::string bytes("a\0b\r\n\x1A\xFF\x81\x40\nend", 13);
    Put("bin.txt", "a longer first content");
    Put("bin.txt", bytes);
    EXPECT_EQ(folder.ReadWholeFile(Path("bin.txt")), bytes);
    Put("empty.txt", "");
    EXPECT_EQ(folder.ReadWholeFile(Path("empty.txt")), "");
    std::string big(3 * 1024 * 1024 + 17, '\0');  // more than one piece
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 % 251);
    Put("big.txt", big);
    EXPECT_EQ(folder.ReadWholeFile(Path("big.txt")), big);
    const std::string onePiece(1024 * 1024, 'p');  // exactly one piece, and one byte either side
    for (std::size_t size : {onePiece.size() - 1, onePiece.size(), onePiece.size() + 1}) {
        const std::string bytes = onePiece.substr(0, std::min(size, onePiece.size())) + std::string(size > onePiece.size(), 'q');
        Put("piece.txt", bytes);
        EXPECT_EQ(folder.ReadWholeFile(Path("piece.txt")), bytes) << size;
    }
}

// Viewed files: small ones read, large ones (from a megabyte) seen in place
// where the system allows it. Either way the reader gets every byte, and the
// file is free again once the call ends, also when the reader failed.
TEST_F(ClipFolder, ViewingHandsOverEveryByteAndLetsTheFileGo) {
    const auto viewed = [this](const std::string& name) {
        std::string seen;
        folder.ViewWholeFile(Path(name), [&seen](std::string_view bytes) { seen = bytes; });
        return seen;
    };
    const std::string binary("a\0b\r\n\x1A\xFF\x81\x40\nend", 13);
    Put("bin.bmp", binary);
    EXPECT_EQ(viewed("bin.bmp"), binary);
    Put("empty.bmp", "");
    EXPECT_EQ(viewed("empty.bmp"), "");
    std::string large(1024 * 1024 + 1, '\0');
    for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 13 % 253);
    for (std::size_t size : {large.size() - 2, large.size() - 1, large.size(), 3 * large.size()}) {
        const std::string bytes = size > large.size() ? large + large + large : large.substr(0, size);
        Put("large.bmp", bytes);
        EXPECT_EQ(viewed("large.bmp"), bytes) << size;
    }

    EXPECT_THROW(folder.ViewWholeFile(Path("large.bmp"), [](std::string_view) { throw IoError(5); }), IoError);
    EXPECT_EQ(folder.RenameFile(Path("large.bmp"), Path("moved.bmp")), 0);
    EXPECT_TRUE(folder.RemoveFile(Path("moved.bmp")));

    bool called = false;
    EXPECT_THROW(folder.ViewWholeFile(Path("none.bmp"), [&called](std::string_view) { called = true; }),
                 FileOpenError);
    EXPECT_FALSE(called);
}

TEST_F(ClipFolder, UnopenableFilesRaiseTheFileErrorsWithTheirPath) {
    ASSERT_TRUE(folder.MakeDirectory(Path("sub")));
    try {
        folder.ReadWholeFile(Path("none.txt"));
        ADD_FAILURE() << "no error";
    } catch (const FileOpenError& e) {
        EXPECT_EQ(e.Message(), "ﾌｧｲﾙ " + Path("none.txt") + " は開けません");
    }
    EXPECT_THROW(folder.ReadWholeFile(Path("sub")), FileOpenError);
    try {
        folder.WriteWholeFile(Path("none\\a.txt"), "x");
        ADD_FAILURE() << "no error";
    } catch (const FileCreateError& e) {
        EXPECT_EQ(e.Message(), "ﾌｧｲﾙ " + Path("none\\a.txt") + " を作成できません");
    }
}

TEST_F(ClipFolder, SaveReplacesTheWholeFileThroughATemporaryOne) {
    Put("clip.txt", "a longer old content");
    SaveFile(folder, Path("clip.txt"), "new");
    EXPECT_EQ(folder.ReadWholeFile(Path("clip.txt")), "new");
    SaveFile(folder, Path("fresh.txt"), "");
    EXPECT_EQ(folder.ReadWholeFile(Path("fresh.txt")), "");
    EXPECT_EQ(SortedNames(folder.FindEntries(base + "*")), (std::vector<std::string>{"clip.txt", "fresh.txt"}));
}

TEST_F(ClipFolder, SaveThatCannotReplaceLeavesTheFileAndNoTemporaryOne) {
    Put("ro.txt", "keep");
    test::SetReadOnly(Path("ro.txt"), true);
    ASSERT_TRUE(folder.MakeDirectory(Path("sub.txt")));
    try {
        SaveFile(folder, Path("ro.txt"), "new");
        ADD_FAILURE() << "no error";
    } catch (const FileCreateError& e) {
        EXPECT_EQ(e.Message(), FileCreateError(Path("ro.txt")).Message());
    }
    EXPECT_THROW(SaveFile(folder, Path("sub.txt"), "new"), FileCreateError);
    EXPECT_EQ(folder.ReadWholeFile(Path("ro.txt")), "keep");
    EXPECT_EQ(SortedNames(folder.FindEntries(base + "*")), (std::vector<std::string>{"ro.txt", "sub.txt"}));
    test::SetReadOnly(Path("ro.txt"), false);
}

// Files and folders beside the target named like a save's temporary file
// are not the program's: a save, done or failed, leaves them as they were.
TEST_F(ClipFolder, SaveLeavesFilesNamedLikeItsTemporaryOneAlone) {
    const std::string first = TemporaryPathFor("report.txt");
    const std::string second = "report.txt.1.tmp";
    Put(first, "the user's own");
    ASSERT_TRUE(folder.MakeDirectory(Path(second)));
    SaveFile(folder, Path("report.txt"), "saved");
    EXPECT_EQ(folder.ReadWholeFile(Path("report.txt")), "saved");
    EXPECT_EQ(folder.ReadWholeFile(Path(first)), "the user's own");

    test::SetReadOnly(Path("report.txt"), true);
    EXPECT_THROW(SaveFile(folder, Path("report.txt"), "refused"), FileCreateError);
    test::SetReadOnly(Path("report.txt"), false);
    EXPECT_EQ(folder.ReadWholeFile(Path("report.txt")), "saved");
    EXPECT_EQ(folder.ReadWholeFile(Path(first)), "the user's own");
    EXPECT_EQ(SortedNames(folder.FindEntries(base + "*")), (std::vector<std::string>{"report.txt", second, first}));
}

// A name as long as the system takes, in its folder, is saved like any
// other: its temporary file, which could not be named longer, takes a short
// name beside it.
TEST_F(ClipFolder, SaveToTheLongestNameTheSystemTakes) {
    const std::size_t room = std::min<std::size_t>(255, 259 - base.size());
    const std::string name = std::string(room - 4, 'n') + ".txt";
    Put(name, "old");
    SaveFile(folder, Path(name), "saved");
    EXPECT_EQ(folder.ReadWholeFile(Path(name)), "saved");
    EXPECT_EQ(SortedNames(folder.FindEntries(base + "*")), std::vector<std::string>{name});

    // A whole path as long as the system takes, in folders of its own.
    std::string dir = base;
    while (dir.size() + 60 < 259) {
        dir += std::string(50, 'd') + "\\";
        ASSERT_TRUE(folder.MakeDirectory(dir.substr(0, dir.size() - 1)));
    }
    const std::string deep = dir + std::string(259 - dir.size() - 4, 'n') + ".txt";
    SaveFile(folder, deep, "saved deep");
    EXPECT_EQ(folder.ReadWholeFile(deep), "saved deep");
    EXPECT_EQ(folder.FindEntries(dir + "*").size(), 1u);

    // A name shorter than the short temporary one keeps its own beside it:
    // 255 bytes, whose temporary name is 259.
    const std::string shallow = dir + std::string(250 - dir.size() - 1, 'e');
    ASSERT_TRUE(folder.MakeDirectory(shallow));
    const std::string shortName = shallow + "\\a.txt";
    SaveFile(folder, shortName, "saved short");
    EXPECT_EQ(folder.ReadWholeFile(shortName), "saved short");
}

TEST_F(ClipFolder, NewFileNeverReplacesAFileOrAFolder) {
    Put("00000000.txt", "first");
    ASSERT_TRUE(folder.MakeDirectory(Path("00000001.txt")));
    EXPECT_FALSE(SaveNewFile(folder, Path("00000000.txt"), "second"));
    EXPECT_FALSE(SaveNewFile(folder, Path("00000001.txt"), "second"));
    EXPECT_TRUE(SaveNewFile(folder, Path("00000002.txt"), "second"));
    EXPECT_EQ(folder.ReadWholeFile(Path("00000000.txt")), "first");
    EXPECT_EQ(folder.ReadWholeFile(Path("00000002.txt")), "second");
    EXPECT_EQ(SortedNames(folder.FindEntries(base + "*")),
              (std::vector<std::string>{"00000000.txt", "00000001.txt", "00000002.txt"}));
}

// The system also matches a pattern against each file's short 8.3 name, whose
// extension is the first three bytes of the last one.
TEST_F(ClipFolder, TemporaryFilesAreNotTakenByTheClipPatterns) {
    Put(TemporaryPathFor("00000003.txt"), "half");
    Put(TemporaryPathFor("00000000.bmp"), "half");
    Put(TemporaryPathFor("lumeret.ini"), "half");
    EXPECT_TRUE(folder.FindEntries(base + "*.txt").empty());
    EXPECT_TRUE(folder.FindEntries(base + "*.bmp").empty());
    EXPECT_TRUE(folder.FindEntries(base + "*.ini").empty());
    Put("keep.tmp", "not left by a save");
    RemoveTemporaryFiles(folder, base + "*.txt");
    EXPECT_EQ(SortedNames(folder.FindEntries(base + "*")),
              (std::vector<std::string>{TemporaryPathFor("00000000.bmp"), "keep.tmp", TemporaryPathFor("lumeret.ini")}));
}

TEST_F(ClipFolder, MakeDirectoryCreatesOneLevelOnce) {
    EXPECT_TRUE(folder.MakeDirectory(Path("txt")));
    EXPECT_FALSE(folder.MakeDirectory(Path("txt")));
    EXPECT_FALSE(folder.MakeDirectory(Path("a\\b")));
    Put("txt\\00000000.txt", "in the subfolder");
    EXPECT_EQ(folder.FindEntries(Path("txt\\*.txt")).size(), 1u);
}

TEST_F(ClipFolder, DoubleByteNamesWithBackslashByteWork) {
    // "表" is 0x95 0x5C in code page 932: its second byte is a "\".
    std::string dir = Path("表");
    ASSERT_TRUE(folder.MakeDirectory(dir));
    folder.WriteWholeFile(dir + "\\表.txt", "hyou");
    auto entries = folder.FindEntries(dir + "\\*.txt");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "表.txt");
    EXPECT_EQ(folder.RenameFile(dir + "\\表.txt", dir + "\\00000000.txt"), 0);
    EXPECT_EQ(folder.ReadWholeFile(dir + "\\00000000.txt"), "hyou");
}

}  // namespace
}  // namespace lumeret
