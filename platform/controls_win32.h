// Child controls of standard window classes, each made from one small struct,
// and the fonts the windows use.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace lumeret {

struct ControlParams {
    HWND parent = nullptr;
    int id = 0;
    const wchar_t* className = L"STATIC";
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string caption;  // code page 932; also the window text automation reads
    DWORD style = 0;      // WS_CHILD | WS_VISIBLE are added
    DWORD exStyle = 0;
    HFONT font = nullptr;
};

HWND CreateControl(const ControlParams& control);

// Sets a control's or window's text from code-page-932 bytes.
void SetCaption(HWND hwnd, const std::string& caption);
std::string Caption(HWND hwnd);

// The size a caption takes in a font.
SIZE TextExtent(HFONT font, const std::string& caption);

bool IsChecked(HWND checkBox);
void SetChecked(HWND checkBox, bool checked);

// A font of the given face (code page 932) and pixel height, made once and
// kept for the program's life. The Japanese character set lets the font
// mapper pick the system's Japanese face where the named one is missing;
// a Western face asks for the Western set, or the mapper would prefer a
// Japanese face over it.
enum class FontScript { Japanese, Western };
HFONT MakeFont(const std::string& face, int pixelHeight, bool bold = false, FontScript script = FontScript::Japanese);

// The windows' own font: "ＭＳ Ｐゴシック", 12 pixels.
HFONT UiFont();

// The Japanese faces the system lists, all of them or those of one name;
// not their vertical variants.
std::vector<std::wstring> JapaneseFaces(HDC dc, const std::wstring& name = {});

}  // namespace lumeret
