#include "app/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "platform/errors.h"

namespace lumeret {
namespace {

class MemoryProfile : public IProfile {
public:
    std::optional<std::string> ReadString(const std::string& section, const std::string& key) override {
        auto it = values.find({section, key});
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    bool WriteString(const std::string& section, const std::string& key, const std::string& value) override {
        if (failAt == static_cast<int>(written.size())) return false;
        written.emplace_back(section, key);
        values[{section, key}] = value;
        return true;
    }

    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<std::pair<std::string, std::string>> written;
    int failAt = -1;
};

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

TEST(Settings, DefaultsWhenFileIsMissingOrEmpty) {
    MemoryProfile profile;
    Settings s = ReadSettings(profile);
    EXPECT_EQ(s.left, 0);
    EXPECT_EQ(s.top, 0);
    EXPECT_EQ(s.path1, "C:\\");
    EXPECT_EQ(s.path2, "C:\\");
    EXPECT_EQ(s.path3, "C:\\");
    EXPECT_EQ(s.nonPreview, "FALSE");
    EXPECT_EQ(s.stayOnTop, "FALSE");
    EXPECT_EQ(s.deleteCheck, "FALSE");
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
    EXPECT_EQ(s.path1, std::string(1023, 'p'));
    EXPECT_EQ(s.stayOnTop, "true");
    EXPECT_FALSE(IsOn(s.stayOnTop));
    EXPECT_TRUE(IsOn("TRUE"));
    EXPECT_FALSE(IsOn("TRUE "));
}

TEST(Settings, AllEightKeysWrittenInOrder) {
    MemoryProfile profile;
    Settings s;
    s.left = -5;
    s.top = 77;
    s.stayOnTop = "TRUE";
    WriteSettings(profile, s, "C:\\x.ini");
    std::vector<std::pair<std::string, std::string>> expected = {
        {"FORM", "LEFT"},     {"FORM", "TOP"},        {"FILE", "PATH1"},     {"FILE", "PATH2"},
        {"FILE", "PATH3"},    {"SYSTEM", "NONPREVIEW"}, {"SYSTEM", "STAYONTOP"}, {"SYSTEM", "DELETECHECK"}};
    EXPECT_EQ(profile.written, expected);
    EXPECT_EQ((profile.values[{"FORM", "LEFT"}]), "-5");
    EXPECT_EQ(ReadSettings(profile).top, 77);
}

TEST(Settings, FailedWriteStopsWithMessageNamingTheFile) {
    MemoryProfile profile;
    profile.failAt = 2;
    try {
        WriteSettings(profile, Settings{}, "C:\\dir\\lumeret.ini");
        FAIL() << "no error raised";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "C:\\dir\\lumeret.ini に書き込めません");
    }
    EXPECT_EQ(profile.written.size(), 2u);
}

}  // namespace
}  // namespace lumeret
