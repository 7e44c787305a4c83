#include "platform/controls_win32.h"

#include "platform/wide_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

// What tells one font file from another: its "head" table (checksum and
// dates). Names will not do: a face has one in each language, and which one
// a call answers with varies.
std::string FontFileIdentity(HDC dc, HFONT font) {
    HGDIOBJ old = SelectObject(dc, font);
    std::string head(54, '\0');
    const DWORD headTag = 'h' | 'e' << 8 | 'a' << 16 | static_cast<DWORD>('d') << 24;
    const DWORD got = GetFontData(dc, headTag, 0, head.data(), static_cast<DWORD>(head.size()));
    SelectObject(dc, old);
    if (got == GDI_ERROR) head.clear();
    return head;
}

// The controls' font is one of the Japanese fonts the system lists; a face
// of CJK glyphs alone is never taken while another is there.
TEST(Fonts, TheControlsFaceIsAJapaneseFaceTheSystemLists) {
    HDC screen = GetDC(nullptr);
    const std::vector<std::wstring> listed = JapaneseFaces(screen);
    std::vector<std::string> realized;
    for (const std::wstring& face : listed) {
        if (face == L"Droid Sans Fallback" && listed.size() > 1) continue;
        realized.push_back(FontFileIdentity(screen, MakeFont(ToCp932(face), 12)));
    }
    const std::string ui = FontFileIdentity(screen, UiFont());
    ReleaseDC(nullptr, screen);
    ASSERT_FALSE(listed.empty()) << "this system has no Japanese font";
    ASSERT_FALSE(ui.empty());
    EXPECT_NE(std::find(realized.begin(), realized.end(), ui), realized.end());
    LOGFONTW made{};
    GetObjectW(UiFont(), sizeof(made), &made);
    EXPECT_EQ(made.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(-made.lfHeight, 12);
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
