// The settings file through the system's profile functions: every write goes
// to a copy that replaces the file in one step.
#include "platform/profile_win32.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/clip_folder.h"
#include "platform/handles_win32.h"
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

// A folder on a small file system of the test run's own (a tmpfs of 64 KiB,
// as Wine names it: Z:\\tmp\\...), given in LUMERET_SMALL_DISK.
std::string SmallDiskFolder() {
    char buffer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA("LUMERET_SMALL_DISK", buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    std::string folder(buffer, n);
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

// Writes pages of 4 KiB to path until the disk is full or count are written.
void WritePages(const std::string& path, int count) {
    UniqueFileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    const std::string page(4096, 'f');
    DWORD written = 0;
    for (int i = 0; i != count && WriteFile(file.get(), page.data(), 4096, &written, nullptr) && written == 4096; ++i) {
    }
}

// Fills the disk of the folder, all but the pages asked for.
void FillDisk(const std::string& folder, int pagesLeft) {
    const std::string spare = folder + "spare.bin";
    WritePages(spare, pagesLeft);
    WritePages(folder + "filler.bin", -1);
    DeleteFileA(spare.c_str());
}

// Wine reports a profile write the disk has no room for as done. The file
// must stay as it was, and the write must be reported as failed; a write
// that just fits is done.
TEST(IniFileOnAFullDisk, AWriteWithoutRoomIsReportedAndLeavesTheFileAsItWas) {
    const std::string base = SmallDiskFolder();
    if (base.empty()) GTEST_SKIP() << "LUMERET_SMALL_DISK names no small file system";
    SystemClipFolder folder;
    const std::string path = base + "lumeret.ini";
    IniProfile profile(path);

    // One page of settings: its copy fits, the file with the new keys does not.
    const std::string original = "[FORM]\r\nLEFT=7\r\n[USER]\r\nNOTE=" + std::string(4040, 'n') + "\r\n";
    folder.WriteWholeFile(path, original);
    FillDisk(base, 1);
    EXPECT_FALSE(profile.WriteStrings(kValues));
    EXPECT_TRUE(folder.ReadWholeFile(path) == original);
    EXPECT_FALSE(folder.FileExists(TemporaryPathFor(path)));

    // No file yet, and no room for one.
    DeleteFileA(path.c_str());
    FillDisk(base, 0);
    EXPECT_FALSE(profile.WriteStrings(kValues));
    EXPECT_FALSE(folder.FileExists(path));
    EXPECT_FALSE(folder.FileExists(TemporaryPathFor(path)));

    // A write that fits in the last room its disk has is done.
    DeleteFileA((base + "filler.bin").c_str());
    folder.WriteWholeFile(path, "[FORM]\r\nLEFT=7\r\n");
    FillDisk(base, 1);  // room for the copy, one page
    EXPECT_TRUE(profile.WriteStrings(kValues));
    EXPECT_EQ(folder.ReadWholeFile(path), "[FORM]\r\nLEFT=10\r\nTOP=20\r\n[SYSTEM]\r\nSTAYONTOP=TRUE\r\n");
    DeleteFileA(path.c_str());

    // With room again the same write is done.
    DeleteFileA((base + "filler.bin").c_str());
    EXPECT_TRUE(profile.WriteStrings(kValues));
    EXPECT_EQ(folder.ReadWholeFile(path), "[FORM]\r\nLEFT=10\r\nTOP=20\r\n[SYSTEM]\r\nSTAYONTOP=TRUE\r\n");
    DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace lumeret
