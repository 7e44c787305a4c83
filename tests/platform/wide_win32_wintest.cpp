#include "platform/wide_win32.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace lumeret {
namespace {

// A name goes to a code page exactly or is known not to: no look-alike
// stands in for a character the code page lacks. UTF-8, which some systems
// use as their ANSI code page, spells every character.
TEST(Wide, ToCodePageTellsWhetherTheSpellingIsExact) {
    bool exact = false;
    EXPECT_EQ(ToCodePage(L"\x65E5\x672C.txt", 932, &exact), "\x93\xFA\x96\x7B.txt");
    EXPECT_TRUE(exact);

    EXPECT_EQ(ToCodePage(L"caf\xE9.txt", 932, &exact), "caf?.txt");  // not "cafe.txt"
    EXPECT_FALSE(exact);
    EXPECT_EQ(ToCodePage(L"\xA5.txt", 932, &exact), "?.txt");  // not "\.txt"
    EXPECT_FALSE(exact);

    EXPECT_EQ(ToCodePage(L"caf\xE9.txt", CP_UTF8, &exact), "caf\xC3\xA9.txt");
    EXPECT_TRUE(exact);

    EXPECT_EQ(ToCodePage(L"", 932, &exact), "");
    EXPECT_TRUE(exact);
    EXPECT_EQ(ToCodePage(L"caf\xE9", 932), "cafe");  // without the question, as the system spells it
}

}  // namespace
}  // namespace lumeret
