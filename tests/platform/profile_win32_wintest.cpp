// The settings file through the system's profile functions: every write goes
// to a copy that replaces the file in one step.
#include "platform/profile_win32.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/clip_folder.h"
#include "support/scratch_folder.h"

namespace lumeret {
namespace {

struct IniFile : ::testing::Test {
    test::ScratchFolder scratch;
    SystemClipFolder folder;
    std::string path = scratch.Base() + "lumeret.ini";
    IniProfile profile{path};

    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const FolderEntry& entry : folder.FindEntries(scratch.Base() + "*")) names.push_back(entry.name);
        return names;
    }
};

const std::vector<ProfileValue> kValues = {
    {"FORM", "LEFT", "10"}, {"FORM", "TOP", "20"}, {"SYSTEM", "STAYONTOP", "TRUE"}};

TEST_F(IniFile, KeysAreWrittenInOrderIntoANewFile) {
    ASSERT_TRUE(profile.WriteStrings(kValues));
    EXPECT_EQ(folder.ReadWholeFile(path), "[FORM]\r\nLEFT=10\r\nTOP=20\r\n[SYSTEM]\r\nSTAYONTOP=TRUE\r\n");
    EXPECT_EQ(Names(), std::vector<std::string>{"lumeret.ini"});
}

TEST_F(IniFile, OtherSectionsAndKeysStayInTheirOrder) {
    folder.WriteWholeFile(path, "[USER]\r\nNOTE=mine\r\n[FORM]\r\nTOP=1\r\nEXTRA=x\r\n");
    ASSERT_TRUE(profile.WriteStrings(kValues));
    EXPECT_EQ(folder.ReadWholeFile(path),
              "[USER]\r\nNOTE=mine\r\n[FORM]\r\nTOP=20\r\nEXTRA=x\r\nLEFT=10\r\n[SYSTEM]\r\nSTAYONTOP=TRUE\r\n");
    EXPECT_EQ(profile.ReadString("USER", "NOTE"), "mine");
    EXPECT_EQ(Names(), std::vector<std::string>{"lumeret.ini"});
}

TEST_F(IniFile, ACopyThatCannotBeMadeLeavesTheFileAsItWas) {
    const std::string original = "[FORM]\r\nLEFT=7\r\n";
    folder.WriteWholeFile(path, original);
    ASSERT_TRUE(folder.MakeDirectory(TemporaryPathFor(path)));
    EXPECT_FALSE(profile.WriteStrings(kValues));
    EXPECT_EQ(folder.ReadWholeFile(path), original);
}

TEST_F(IniFile, AReadOnlyFileIsLeftAsItWasWithNoCopyBeside) {
    const std::string original = "[FORM]\r\nLEFT=7\r\n";
    folder.WriteWholeFile(path, original);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(profile.WriteStrings(kValues));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(folder.ReadWholeFile(path), original);
    EXPECT_EQ(Names(), std::vector<std::string>{"lumeret.ini"});
}

TEST_F(IniFile, ACopyLeftByAKilledWriteIsNotTakenIn) {
    folder.WriteWholeFile(TemporaryPathFor(path), "[STALE]\r\nKEY=old\r\n");
    ASSERT_TRUE(profile.WriteStrings(kValues));
    EXPECT_EQ(profile.ReadString("STALE", "KEY"), std::nullopt);
    EXPECT_EQ(profile.ReadString("FORM", "TOP"), "20");
    EXPECT_EQ(Names(), std::vector<std::string>{"lumeret.ini"});
}

}  // namespace
}  // namespace lumeret
