#include "core/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "platform/errors.h"
#include "support/fakes.h"

namespace lumeret {
namespace {

using test::MemoryProfile;

TEST(SettingsPath, ExtensionReplacedOrAppended) {
    EXPECT_EQ(SettingsPathFor("C:\\Tools\\clip.exe"), "C:\\Tools\\clip.ini");
    EXPECT_EQ(SettingsPathFor("C:\\Tools.d\\clip"), "C:\\Tools.d\\clip.ini");
    EXPECT_EQ(SettingsPathFor("C:clip"), "C:clip.ini");
    EXPECT_EQ(SettingsPathFor("C:\\a.b\\c.d.exe"), "C:\\a.b\\c.d.ini");
}

TEST(SettingsPath, SecondByteOfDoubleByteCharacterIsNoSeparator) {
    // 表 is 0x95 0x5C in Shift-JIS: its second byte is the backslash code.
    std::string folder = "表";
    ASSERT_EQ(folder, "\x95\x5C");
    EXPECT_EQ(SettingsPathFor("C:\\x.y" + folder + "\\lumeret.exe"), "C:\\x.y" + folder + "\\lumeret.ini");
    EXPECT_EQ(SettingsPathFor("C:\\dir\\name.x" + folder), "C:\\dir\\name.ini");
}

TEST(SettingsInt, DecimalHexAndInvalid) {
    EXPECT_EQ(ParseSettingInt("123", 0), 123);
    EXPECT_EQ(ParseSettingInt("-40", 0), -40);
    EXPECT_EQ(ParseSettingInt("0x20", 0), 32);
    EXPECT_EQ(ParseSettingInt("0X1f", 0), 31);
    EXPECT_EQ(ParseSettingInt("$20", 0), 32);
    EXPECT_EQ(ParseSettingInt("$FFFFFFFF", 0), -1);
    EXPECT_EQ(ParseSettingInt("abc", 0), 0);
    EXPECT_EQ(ParseSettingInt("0x", 0), 0);
    EXPECT_EQ(ParseSettingInt("$", 0), 0);
    EXPECT_EQ(ParseSettingInt("", 0), 0);
    EXPECT_EQ(ParseSettingInt("12a", 0), 0);
    EXPECT_EQ(ParseSettingInt("2147483647", 0), 2147483647);
    EXPECT_EQ(ParseSettingInt("2147483648", 0), 0);
    EXPECT_EQ(ParseSettingInt("-2147483648", 0), -2147483647 - 1);
    EXPECT_EQ(ParseSettingInt("$100000000", 0), 0);
    EXPECT_EQ(ParseSettingInt(std::string(100000, '9'), 0), 0);
}

// Found by fuzzing: negating the hexadecimal $80000000 overflowed.
TEST(SettingsInt, NegativeHexWrapsAroundThirtyTwoBits) {
    EXPECT_EQ(ParseSettingInt("-$80000000", 0), -2147483647 - 1);
    EXPECT_EQ(ParseSettingInt("-0x80000000", 0), -2147483647 - 1);
    EXPECT_EQ(ParseSettingInt("-$FFFFFFFF", 0), 1);
    EXPECT_EQ(ParseSettingInt("-$10", 0), -16);
}

TEST(Settings, DefaultsWhenFileIsMissingOrEmpty) {
    MemoryProfile profile;
    Settings s = ReadSettings(profile);
    EXPECT_EQ(s.left, 0);
    EXPECT_EQ(s.top, 0);
    EXPECT_EQ(s.textExportFolder, "C:\\");
    EXPECT_EQ(s.bitmapExportFolder, "C:\\");
    EXPECT_EQ(s.memoExportFolder, "C:\\");
    EXPECT_FALSE(s.hidePreview);
    EXPECT_FALSE(s.stayOnTop);
    EXPECT_FALSE(s.confirmDelete);
}

TEST(Settings, ValuesReadAndCutTo1023) {
    MemoryProfile profile;
    profile.values[{"FORM", "LEFT"}] = "0x20";
    profile.values[{"FORM", "TOP"}] = "abc";
    profile.values[{"FILE", "PATH1"}] = std::string(100000, 'p');
    profile.values[{"SYSTEM", "STAYONTOP"}] = "true";
    Settings s = ReadSettings(profile);
    EXPECT_EQ(s.left, 32);
    EXPECT_EQ(s.top, 0);
    EXPECT_EQ(s.textExportFolder, std::string(1023, 'p'));
    EXPECT_FALSE(s.stayOnTop);
}

TEST(Settings, OnlyAnExactTrueSwitchesOn) {
    for (const char* value : {"TRUE", "true", "TRUE ", "", "1", "FALSE"}) {
        SCOPED_TRACE(value);
        MemoryProfile profile;
        for (const char* key : {"NONPREVIEW", "STAYONTOP", "DELETECHECK"}) profile.values[{"SYSTEM", key}] = value;
        Settings s = ReadSettings(profile);
        bool on = std::string(value) == "TRUE";
        EXPECT_EQ(s.hidePreview, on);
        EXPECT_EQ(s.stayOnTop, on);
        EXPECT_EQ(s.confirmDelete, on);
    }
}

TEST(Settings, AllEightKeysWrittenInOrder) {
    MemoryProfile profile;
    Settings s;
    s.left = -5;
    s.top = 77;
    s.stayOnTop = true;
    WriteSettings(profile, s);
    std::vector<std::pair<std::string, std::string>> expected = {
        {"FORM", "LEFT"},     {"FORM", "TOP"},        {"FILE", "PATH1"},     {"FILE", "PATH2"},
        {"FILE", "PATH3"},    {"SYSTEM", "NONPREVIEW"}, {"SYSTEM", "STAYONTOP"}, {"SYSTEM", "DELETECHECK"}};
    EXPECT_EQ(profile.written, expected);
    EXPECT_EQ((profile.values[{"FORM", "LEFT"}]), "-5");
    EXPECT_EQ((profile.values[{"SYSTEM", "STAYONTOP"}]), "TRUE");
    EXPECT_EQ((profile.values[{"SYSTEM", "NONPREVIEW"}]), "FALSE");
    EXPECT_EQ(ReadSettings(profile).top, 77);
}

TEST(Settings, FailedWriteKeepsTheFileAndNamesIt) {
    MemoryProfile profile;
    profile.values[{"FORM", "LEFT"}] = "12";
    profile.failAt = 2;
    profile.path = "C:\\dir\\lumeret.ini";
    try {
        WriteSettings(profile, Settings{});
        FAIL() << "no error raised";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "C:\\dir\\lumeret.ini に書き込めません");
    }
    EXPECT_TRUE(profile.written.empty());
    EXPECT_EQ(profile.values.size(), 1u);
    EXPECT_EQ((profile.values[{"FORM", "LEFT"}]), "12");
}

}  // namespace
}  // namespace lumeret
