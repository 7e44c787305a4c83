#include "scrapbook/lum_fm2_win32.h"

#include "app/forms_win32.h"
#include "app/lum_main_win32.h"

namespace lumeret {

TForm2::TForm2() {
    CreateParams p;
    p.className = L"TForm2";
    p.caption = "スクラップブック";
    p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    p.exStyle = WS_EX_TOOLWINDOW;
    p.clientWidth = 216;
    p.clientHeight = 312;
    CreateWindowObject(p);
}

// Opens flush against the main window's left edge, every time.
void TForm2::FormShow() {
    RECT main = Form1->Bounds();
    RECT self = Bounds();
    MoveTo(main.left - (self.right - self.left), main.top);
}

LRESULT TForm2::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SHOWWINDOW:
        if (wParam) FormShow();
        break;
    case WM_CLOSE:  // closing only hides the window
        Hide();
        return 0;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace lumeret
