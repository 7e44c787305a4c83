#include "store/clip_numbering.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "support/fake_clip_folder.h"

namespace lumeret {
namespace {

using test::FakeClipFolder;

const std::string kBase = "C:\\app\\";
const std::string kDir = "C:\\app\\txt\\";

struct Numbering : ::testing::Test {
    FakeClipFolder folder;
    int count = -1;

    Numbering() {
        folder.directories.insert("C:\\app");
        folder.directories.insert("C:\\app\\txt");
    }
    void Put(const std::string& name, const std::string& bytes) { folder.files[kDir + name].bytes = bytes; }
    void Renumber() { RenumberFiles(folder, kBase, "txt", count); }
    std::vector<std::string> Names() const { return folder.NamesIn(kDir); }
};

TEST(NumberToName, PadsToEightDigitsAndNeverCuts) {
    EXPECT_EQ(NumberToName(0), "00000000");
    EXPECT_EQ(NumberToName(12), "00000012");
    EXPECT_EQ(NumberToName(99999999), "99999999");
    EXPECT_EQ(NumberToName(123456789), "123456789");
    EXPECT_EQ(ClipFileName(kBase, "bmp", 7), "C:\\app\\bmp\\00000007.bmp");
}

TEST_F(Numbering, GapsCloseUpInTheOldOrder) {
    Put("00000000.txt", "zero");
    Put("00000002.txt", "two");
    Put("00000005.txt", "five");
    Renumber();
    EXPECT_EQ(count, 3);
    EXPECT_EQ(Names(), (std::vector<std::string>{"00000000.txt", "00000001.txt", "00000002.txt"}));
    EXPECT_EQ(folder.Content(kDir + "00000001.txt"), "two");
    EXPECT_EQ(folder.Content(kDir + "00000002.txt"), "five");
    // Files already in place are not touched.
    for (const auto& [from, to] : folder.renames) EXPECT_NE(from, to);
}

TEST_F(Numbering, OtherNamesSortAfterTheDigitsByteByByte) {
    Put("temp.txt", "temp");
    Put("abc.txt", "abc");
    Put("00000001.txt", "one");
    Put("Zed.txt", "zed");
    Renumber();
    EXPECT_EQ(count, 4);
    EXPECT_EQ(folder.Content(kDir + "00000000.txt"), "one");
    EXPECT_EQ(folder.Content(kDir + "00000001.txt"), "zed");  // "Z" < "a"
    EXPECT_EQ(folder.Content(kDir + "00000002.txt"), "abc");
    EXPECT_EQ(folder.Content(kDir + "00000003.txt"), "temp");
}

TEST_F(Numbering, NamesCompareAsUnsignedBytesWithPrefixFirst) {
    Put("\x82\xA0.txt", "kana");  // bytes above 0x7F sort after ASCII
    Put("ab.txt", "ab");
    Put("a.txt", "a");            // "." < "b": a.txt before ab.txt
    Renumber();
    EXPECT_EQ(folder.Content(kDir + "00000000.txt"), "a");
    EXPECT_EQ(folder.Content(kDir + "00000001.txt"), "ab");
    EXPECT_EQ(folder.Content(kDir + "00000002.txt"), "kana");
}

TEST_F(Numbering, HiddenSystemFoldersAndOtherExtensionsAreLeftAloneAndNotCounted) {
    Put("00000001.txt", "one");
    Put("00000004.txt", "four");
    folder.files[kDir + "00000002.txt"] = {"hidden", true, false, false};
    folder.files[kDir + "00000005.txt"] = {"system", false, true, false};
    folder.files[kDir + "00000006.txt"] = {"read-only", false, false, true};
    folder.directories.insert(kDir + "00000003.txt");
    Put("00000000.bmp", "picture");
    Renumber();
    EXPECT_EQ(count, 3);
    EXPECT_EQ(folder.Content(kDir + "00000000.txt"), "one");
    EXPECT_EQ(folder.Content(kDir + "00000001.txt"), "four");
    EXPECT_EQ(folder.Content(kDir + "00000002.txt"), "hidden");
    EXPECT_EQ(folder.Content(kDir + "00000005.txt"), "system");
    EXPECT_TRUE(folder.directories.count(kDir + "00000003.txt"));
    EXPECT_EQ(folder.Content(kDir + "00000000.bmp"), "picture");
    // The read-only file is taken like any other, but its number 2 is held
    // by the hidden file, so it keeps its name and still counts.
    EXPECT_EQ(folder.Content(kDir + "00000006.txt"), "read-only");
}

TEST_F(Numbering, FailedRenameIsIgnoredAndStillCounted) {
    Put("00000003.txt", "three");
    Put("00000007.txt", "seven");
    folder.renameErrors[kDir + "00000003.txt"] = kErrorAccessDenied;
    Renumber();
    EXPECT_EQ(count, 2);
    EXPECT_EQ(folder.Content(kDir + "00000003.txt"), "three");
    EXPECT_EQ(folder.Content(kDir + "00000001.txt"), "seven");
}

TEST_F(Numbering, EmptyOrMissingFolderCountsNothing) {
    Renumber();
    EXPECT_EQ(count, 0);
    folder.directories.erase("C:\\app\\txt");
    count = 5;
    Renumber();
    EXPECT_EQ(count, 0);
}

TEST_F(Numbering, MoreThan1024FilesAreAllTakenIn) {
    // Every third number, so that nearly all of them move.
    for (int i = 0; i < 2000; ++i) Put(NumberToName(i * 3) + ".txt", std::to_string(i));
    Renumber();
    EXPECT_EQ(count, 2000);
    ASSERT_EQ(Names().size(), 2000u);
    EXPECT_EQ(folder.Content(kDir + "00001500.txt"), "1500");
    EXPECT_EQ(folder.Content(kDir + "00001999.txt"), "1999");
    EXPECT_EQ(folder.Content(kDir + "00002000.txt"), "<missing>");
}

TEST_F(Numbering, PlanPairsEveryFoundFileWithItsNewName) {
    Put("b.txt", "");
    Put("a.txt", "");
    auto plan = PlanRenumbering(folder, kBase, "txt");
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[0].OldName, kDir + "a.txt");
    EXPECT_EQ(plan[0].NewName, kDir + "00000000.txt");
    EXPECT_EQ(plan[1].OldName, kDir + "b.txt");
    EXPECT_EQ(plan[1].NewName, kDir + "00000001.txt");
}

}  // namespace
}  // namespace lumeret
