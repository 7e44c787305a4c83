#include "platform/text.h"

#include <gtest/gtest.h>

#include "platform/errors.h"

namespace lumeret {
namespace {

TEST(Text, TrimRemovesControlBytesAtBothEndsOnly) {
    EXPECT_EQ(Trim(" \t\r\n a b \x01\x1f "), "a b");
    EXPECT_EQ(Trim("\x7f"), "\x7f");
    EXPECT_EQ(Trim("　全角　"), "　全角　");  // full-width spaces stay
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Text, SplitLinesAtEveryKindOfBreak) {
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(SplitLines("a\n\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\r\r\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitLines(""), std::vector<std::string>{});
    EXPECT_EQ(SplitLines(std::string("ab\0cd\r\nef", 10)), std::vector<std::string>{"ab"});
    EXPECT_EQ(JoinLinesCrLf({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(Text, ExtensionIsDoubleByteAware) {
    EXPECT_EQ(ExtractFileExt("C:\\dir\\a.Txt"), ".Txt");
    EXPECT_EQ(ExtractFileExt("C:\\dir.x\\file"), "");
    EXPECT_EQ(ExtractFileExt("C:\\表\\file"), "");
    EXPECT_EQ(UpperCaseAnsi("a.txt表b"), "A.TXT表B");
    EXPECT_EQ(ExtractFilePath("C:\\dir\\表\\a.txt"), "C:\\dir\\表\\");
    EXPECT_EQ(ExtractFilePath("a.txt"), "");
    // The trail byte of 表 is "\", which is not a separator.
    EXPECT_EQ(ExtractFileName("C:\\dir\\表.bmp"), "表.bmp");
    EXPECT_EQ(ExtractFileName("C:00000001.bmp"), "00000001.bmp");
    EXPECT_EQ(ExtractFileName("a.txt"), "a.txt");
}

TEST(Errors, RuntimeMessagesAreExact) {
    EXPECT_STREQ(FileOpenError("C:\\a.txt").what(), "ﾌｧｲﾙ C:\\a.txt は開けません");
    EXPECT_STREQ(FileCreateError("C:\\a.txt").what(), "ﾌｧｲﾙ C:\\a.txt を作成できません");
    EXPECT_STREQ(IoError(2).what(), "ﾌｧｲﾙが見つかりません");
    EXPECT_STREQ(IoError(5).what(), "ﾌｧｲﾙへのｱｸｾｽが拒否されました");
    EXPECT_STREQ(IoError(183).what(), "I/O ｴﾗｰ (183)");
    // Half-width katakana are single bytes in code page 932.
    EXPECT_EQ(std::string("ﾌｧｲﾙ").size(), 4u);
}

}  // namespace
}  // namespace lumeret

namespace lumeret {
namespace {

// Every text of up to eight bytes of a letter, CR, LF and NUL, the
// smallest that hold every way lines can break and end.
TEST(Text, LinesEndedByCrLfIsSplittingAndJoiningInOnePass) {
    const char alphabet[] = {'a', '\r', '\n', '\0'};
    std::string text;
    int checked = 0;
    for (int length = 0; length <= 8; ++length) {
        int combinations = 1;
        for (int i = 0; i < length; ++i) combinations *= 4;
        for (int n = 0; n < combinations; ++n) {
            text.clear();
            for (int i = 0, rest = n; i < length; ++i, rest /= 4) text += alphabet[rest % 4];
            ASSERT_EQ(LinesEndedByCrLf(text), JoinLinesCrLf(SplitLines(text))) << testing::PrintToString(text);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 87381);
    EXPECT_EQ(LinesEndedByCrLf("a\rb\nc\r\n\r"), "a\r\nb\r\nc\r\n\r\n");
}

TEST(Text, LinesSeparatedByCrLfAddNothingAfterTheLastLine) {
    EXPECT_EQ(LinesSeparatedByCrLf("a\r\nb"), "a\r\nb");
    EXPECT_EQ(LinesSeparatedByCrLf("a\nb\rc"), "a\r\nb\r\nc");
    EXPECT_EQ(LinesSeparatedByCrLf("a\r\n"), "a\r\n");  // its last line is empty
    EXPECT_EQ(LinesSeparatedByCrLf("\n\n"), "\r\n\r\n");
    EXPECT_EQ(LinesSeparatedByCrLf("メモ"), "メモ");
    EXPECT_EQ(LinesSeparatedByCrLf(""), "");
}

}  // namespace
}  // namespace lumeret
