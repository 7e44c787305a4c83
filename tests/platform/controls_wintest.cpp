#include "platform/controls_win32.h"

#include "platform/wide_win32.h"

#include <gtest/gtest.h>

namespace lumeret {
namespace {

int PixelHeightOf(HFONT font) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof(lf), &lf);
    return -lf.lfHeight;
}

TEST(Fonts, EachHeightFaceWeightAndScriptGetsItsOwnFontMadeOnce) {
    HFONT big = MakeFont("Arial", 63, true, FontScript::Western);
    HFONT bigger = MakeFont("Arial", 70, true, FontScript::Western);
    HFONT huge = MakeFont("Arial", 200, true, FontScript::Western);
    EXPECT_NE(big, bigger);
    EXPECT_NE(bigger, huge);
    EXPECT_EQ(PixelHeightOf(big), 63);
    EXPECT_EQ(PixelHeightOf(bigger), 70);
    EXPECT_EQ(PixelHeightOf(huge), 200);
    EXPECT_EQ(MakeFont("Arial", 70, true, FontScript::Western), bigger);
    EXPECT_NE(MakeFont("Arial", 70, false, FontScript::Western), bigger);

    LOGFONTW western{};
    GetObjectW(bigger, sizeof(western), &western);
    EXPECT_EQ(western.lfCharSet, ANSI_CHARSET);
    LOGFONTW japanese{};
    GetObjectW(MakeFont("Arial", 70, true), sizeof(japanese), &japanese);
    EXPECT_EQ(japanese.lfCharSet, SHIFTJIS_CHARSET);
}

}  // namespace
}  // namespace lumeret

namespace lumeret {
namespace {

TEST(WideText, TheProgramsWordsAndDataGoThroughTheirOwnCodePages) {
    UserText question("このテキストを削除しますか\r\n\r\n");
    question.Data("caf\xE9 \x80");  // Western code page 1252: an e with acute, the euro sign
    EXPECT_EQ(ToWide(question, 1252), L"\u3053\u306e\u30c6\u30ad\u30b9\u30c8\u3092\u524a\u9664\u3057\u307e"
                                      L"\u3059\u304b\r\n\r\ncaf\u00e9 \u20ac");
    // Where the system's code page is Japanese, the data reads as Japanese too.
    UserText japanese;
    japanese.Data("日本");
    EXPECT_EQ(ToWide(japanese, 932), L"\u65e5\u672c");
}

}  // namespace
}  // namespace lumeret
