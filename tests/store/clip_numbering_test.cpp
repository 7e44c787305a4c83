#include "store/clip_numbering.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/errors.h"
#include "support/fake_clip_folder.h"

namespace lumeret {
namespace {

using Names = std::vector<std::string>;
const std::string kDir = "C:\\app\\txt\\";

struct Numbering : ::testing::Test {
    test::FakeClipFolder folder;
    int count = -1;
    Names clips;

    Numbering() { folder.directories = {"C:\\app", "C:\\app\\txt"}; }
    void Put(const std::string& name, const std::string& bytes) { folder.files[kDir + name].bytes = bytes; }
    void Renumber() {
        clips = RenumberFiles(folder, "C:\\app\\", "txt");
        count = static_cast<int>(clips.size());
    }
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

// "表" is 0x95 0x5C: its second byte is the path separator's.
TEST_F(Numbering, NamesWithABackslashTrailByteAreRenumberedLikeAnyOther) {
    Put("00000000.txt", "zero");
    Put("00000002.txt", "two");
    Put("\x95\x5C" "00000001.txt", "table");
    Renumber();
    EXPECT_EQ(folder.NamesIn(kDir), (Names{"00000000.txt", "00000001.txt", "00000002.txt"}));
    EXPECT_EQ(At(1), "two");
    EXPECT_EQ(At(2), "table");
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
    // The read-only file is taken; the numbers skip the names held by the
    // hidden file and the folder.
    EXPECT_EQ(At(4), "read-only");
    EXPECT_EQ(clips, (Names{kDir + "00000000.txt", kDir + "00000001.txt", kDir + "00000004.txt"}));
}

TEST_F(Numbering, FailedRenameIsIgnoredAndStillCounted) {
    Put("00000003.txt", "three");
    Put("00000007.txt", "seven");
    folder.renameErrors[kDir + "00000003.txt"] = kErrorAccessDenied;
    Renumber();
    EXPECT_EQ(count, 2);
    EXPECT_EQ(At(3), "three");
    EXPECT_EQ(At(1), "seven");
    EXPECT_EQ(clips, (Names{kDir + "00000003.txt", kDir + "00000001.txt"}));
}

TEST_F(Numbering, StrayShortNameGoesFirstAndTheOthersMoveUpFromTheEnd) {
    Put("0.txt", "stray");
    for (int i = 0; i < 4; ++i) Put(NumberToName(i) + ".txt", "clip " + std::to_string(i));
    Renumber();
    EXPECT_EQ(count, 5);
    EXPECT_EQ(folder.NamesIn(kDir),
              (Names{"00000000.txt", "00000001.txt", "00000002.txt", "00000003.txt", "00000004.txt"}));
    EXPECT_EQ(At(0), "stray");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(At(i + 1), "clip " + std::to_string(i));
    // Each move onto a free name, the last clip first.
    EXPECT_EQ(folder.renames.front(), (std::pair<std::string, std::string>{kDir + "00000003.txt", kDir + "00000004.txt"}));
    EXPECT_EQ(folder.renames.size(), 5u);
}

TEST_F(Numbering, FolderNamedLikeAClipIsSkippedOverNotWrittenThrough) {
    folder.directories.insert(kDir + "00000000.txt");
    for (int i = 1; i <= 5; ++i) Put(NumberToName(i) + ".txt", "clip " + std::to_string(i));
    Renumber();
    EXPECT_EQ(count, 5);
    EXPECT_TRUE(folder.renames.empty());
    EXPECT_EQ(clips[0], kDir + "00000001.txt");
    EXPECT_EQ(clips[4], kDir + "00000005.txt");
    EXPECT_TRUE(folder.directories.count(kDir + "00000000.txt"));
}

TEST_F(Numbering, LetterCaseOfTheExtensionIsMadeTheClipsOwn) {
    Put("00000000.TXT", "upper");
    Renumber();
    EXPECT_EQ(At(0), "upper");
    EXPECT_EQ(clips, Names{kDir + "00000000.txt"});
}

// Any mix of names the scan takes and names it passes over: the clips come
// out dense over the free numbers, in the order of their old names, with
// every byte, and every move went onto a free name.
TEST_F(Numbering, AnyMixOfNamesEndsDenseInOrderWithEveryClip) {
    const char* names[] = {"0.txt", "00000000.txt", "00000001.txt", "00000002.txt", "000000010.txt",
                           "1.txt", "a.txt",        "00000007.txt", "00000004.txt", "~park.txt"};
    for (unsigned mask = 0; mask < (1u << 10); mask += 7) {
        SCOPED_TRACE(mask);
        folder.files.clear();
        folder.directories = {"C:\\app", "C:\\app\\txt"};
        Names order;
        for (unsigned i = 0; i < 10; ++i) {
            if (!(mask & (1u << i))) continue;
            if (i % 4 == 3) {
                folder.directories.insert(kDir + names[i]);
            } else {
                Put(names[i], names[i]);
                order.push_back(names[i]);
            }
        }
        std::sort(order.begin(), order.end());
        Renumber();
        ASSERT_EQ(clips.size(), order.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            EXPECT_EQ(folder.Content(clips[i]), order[i]);
            EXPECT_EQ(clips[i].size(), kDir.size() + 12) << clips[i];  // an 8-digit name
            if (i > 0) {
                EXPECT_LT(clips[i - 1], clips[i]);
            }
        }
        EXPECT_EQ(folder.files.size(), order.size());
    }
}

TEST_F(Numbering, NewClipFollowsTheLastAndNeverTakesAnExistingName) {
    Put("00000000.txt", "zero");
    Put("00000001.txt", "one");
    Renumber();
    folder.directories.insert(kDir + "00000002.txt");
    Put("00000003.txt", "came later");
    EXPECT_EQ(AddClipFile(folder, "C:\\app\\", "txt", clips, "new"), kDir + "00000004.txt");
    EXPECT_EQ(At(3), "came later");
    EXPECT_EQ(At(4), "new");
    EXPECT_EQ(AddClipFile(folder, "C:\\app\\", "txt", {}, "first"), kDir + "00000005.txt");
}

TEST_F(Numbering, NewClipAfterAnOddNameStartsAfterTheHighestNumber) {
    Put("00000004.txt", "four");
    Put("zz.txt", "odd");
    const Names held{kDir + "00000004.txt", kDir + "zz.txt"};
    EXPECT_EQ(AddClipFile(folder, "C:\\app\\", "txt", held, "new"), kDir + "00000005.txt");
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
