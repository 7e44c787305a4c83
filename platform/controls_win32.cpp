#include "platform/controls_win32.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "platform/errors.h"
#include "platform/handles_win32.h"
#include "platform/wide_win32.h"

namespace lumeret {

HWND CreateControl(const ControlParams& s) {
    HWND hwnd = CreateWindowExW(s.exStyle, s.className, FromCp932(s.caption).c_str(), WS_CHILD | WS_VISIBLE | s.style,
                                s.left, s.top, s.width, s.height, s.parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(s.id)), GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) throw OutOfResourcesError("Cannot create control");
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(s.font ? s.font : UiFont()), FALSE);
    return hwnd;
}

void SetCaption(HWND hwnd, const std::string& caption) { SetWindowTextW(hwnd, FromCp932(caption).c_str()); }

std::string Caption(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n));
    return ToCp932(text);
}

SIZE TextExtent(HFONT font, const std::string& caption) {
    WindowDc dc(nullptr);
    SelectGuard select(dc.get(), font);
    std::wstring text = FromCp932(caption);
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
}

bool IsChecked(HWND checkBox) { return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND checkBox, bool checked) {
    SendMessageW(checkBox, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

HFONT MakeFont(const std::string& face, int pixelHeight, bool bold, FontScript script) {
    // One font per face, height, weight and script.
    static std::map<std::tuple<std::string, int, bool, FontScript>, HFONT> fonts;
    auto key = std::make_tuple(face, pixelHeight, bold, script);
    if (auto it = fonts.find(key); it != fonts.end()) return it->second;
    LOGFONTW lf{};
    lf.lfHeight = -pixelHeight;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = script == FontScript::Japanese ? SHIFTJIS_CHARSET : ANSI_CHARSET;
    if (script == FontScript::Western) lf.lfOutPrecision = OUT_TT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    std::wstring wide = FromCp932(face);
    wcsncpy(lf.lfFaceName, wide.c_str(), LF_FACESIZE - 1);
    HFONT font = CreateFontIndirectW(&lf);
    fonts[key] = font;
    return font;
}

namespace {

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
    // Faces starting with "@" are the vertical variants.
    if (font->lfFaceName[0] != L'@') reinterpret_cast<std::vector<std::wstring>*>(faces)->push_back(font->lfFaceName);
    return 1;
}

// "ＭＳ Ｐゴシック" where the system has it; otherwise the system's Japanese UI
// face, so that Latin and Japanese text both show whatever the system's
// language. Systems name these faces in their own language, so both names of
// each are looked for. A fallback face of CJK glyphs alone is taken last.
// Each name is asked for on its own: listing every font takes long.
std::string ResolveUiFace() {
    const char* preferred[] = {"ＭＳ Ｐゴシック", "MS PGothic", "MS UI Gothic", "Meiryo UI", "Yu Gothic UI",
                               "IPAPGothic", "IPA Pゴシック", "IPAGothic", "IPAゴシック", "ＭＳ ゴシック",
                               "MS Gothic"};
    WindowDc screen(nullptr);
    for (const char* candidate : preferred) {
        const std::wstring wide = FromCp932(candidate);
        const auto faces = JapaneseFaces(screen.get(), wide);
        if (std::find(faces.begin(), faces.end(), wide) != faces.end()) return candidate;
    }
    for (const auto& face : JapaneseFaces(screen.get())) {
        if (face != L"Droid Sans Fallback") return ToCp932(face);
    }
    return preferred[0];
}

}  // namespace

std::vector<std::wstring> JapaneseFaces(HDC dc, const std::wstring& name) {
    std::vector<std::wstring> faces;
    LOGFONTW query{};
    query.lfCharSet = SHIFTJIS_CHARSET;
    wcsncpy(query.lfFaceName, name.c_str(), LF_FACESIZE - 1);
    EnumFontFamiliesExW(dc, &query, &CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    return faces;
}

HFONT UiFont() {
    static const std::string face = ResolveUiFace();
    return MakeFont(face, 12);
}

}  // namespace lumeret
