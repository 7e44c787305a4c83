#include "platform/controls_win32.h"

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
