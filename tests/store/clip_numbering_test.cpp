#include "store/clip_numbering.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "support/fake_clip_folder.h"

namespace lumeret {
namespace {

using Names = std::vector<std::string>;
const std::string kDir = "C:\\app\\txt\\";

struct Numbering : ::testing::Test {
    test::FakeClipFolder folder;
    int count = -1;

    Numbering() { folder.directories = {"C:\\app", "C:\\app\\txt"}; }
    void Put(const std::string& name, const std::string& bytes) { folder.files[kDir + name].bytes = bytes; }
    void Renumber() { RenumberFiles(folder, "C:\\app\\", "txt", count); }
    std::string At(int n) const { return folder.Content(kDir + NumberToName(n) + ".txt"); }
};

TEST(NumberToName, PadsToEightDigitsAndNeverCuts) {
    EXPECT_EQ(NumberToName(0), "00000000");
    EXPECT_EQ(NumberToName(12), "00000012");
    EXPECT_EQ(NumberToName(123456789), "123456789");
    EXPECT_EQ(ClipFileName("C:\\app\\", "bmp", 7), "C:\\app\\bmp\\00000007.bmp");
}

TEST_F(Numbering, GapsCloseUpInTheOldOrderAndFilesInPlaceStay) {
    Put("00000000.txt", "zero");
    Put("00000002.txt", "two");
    Put("00000005.txt", "five");
    Renumber();
    EXPECT_EQ(count, 3);
    EXPECT_EQ(folder.NamesIn(kDir), (Names{"00000000.txt", "00000001.txt", "00000002.txt"}));
    EXPECT_EQ(At(1), "two");
    EXPECT_EQ(At(2), "five");
    EXPECT_EQ(folder.renames.size(), 2u);
}

TEST_F(Numbering, OtherNamesSortAfterTheDigitsAsUnsignedBytesPrefixFirst) {
    for (const char* name : {"temp.txt", "abc.txt", "00000001.txt", "Zed.txt", "\x82\xA0.txt", "ab.txt", "a.txt"}) {
        Put(name, name);
    }
    Renumber();
    EXPECT_EQ(count, 7);
    Names order;
    for (int i = 0; i < count; ++i) order.push_back(At(i));
    EXPECT_EQ(order, (Names{"00000001.txt", "Zed.txt", "a.txt", "ab.txt", "abc.txt", "temp.txt", "\x82\xA0.txt"}));
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
    EXPECT_EQ(At(0), "one");
    EXPECT_EQ(At(1), "four");
    EXPECT_EQ(At(2), "hidden");
    EXPECT_EQ(At(5), "system");
    EXPECT_TRUE(folder.directories.count(kDir + "00000003.txt"));
    EXPECT_EQ(folder.Content(kDir + "00000000.bmp"), "picture");
    // The read-only file is taken, but number 2 is held by the hidden file:
    // the rename fails, the file keeps its name and still counts.
    EXPECT_EQ(At(6), "read-only");
}

TEST_F(Numbering, FailedRenameIsIgnoredAndStillCounted) {
    Put("00000003.txt", "three");
    Put("00000007.txt", "seven");
    folder.renameErrors[kDir + "00000003.txt"] = kErrorAccessDenied;
    Renumber();
    EXPECT_EQ(count, 2);
    EXPECT_EQ(At(3), "three");
    EXPECT_EQ(At(1), "seven");
}

TEST_F(Numbering, MissingFolderCountsNothing) {
    folder.directories.erase("C:\\app\\txt");
    Renumber();
    EXPECT_EQ(count, 0);
}

TEST_F(Numbering, MoreThan1024FilesAreAllTakenIn) {
    for (int i = 0; i < 2000; ++i) Put(NumberToName(i * 3) + ".txt", std::to_string(i));
    Renumber();
    EXPECT_EQ(count, 2000);
    EXPECT_EQ(folder.NamesIn(kDir).size(), 2000u);
    EXPECT_EQ(At(1999), "1999");
    EXPECT_EQ(At(2000), "<missing>");
}

}  // namespace
}  // namespace lumeret
