#include "app/about_win32.h"

#include "app/forms_win32.h"
#include "app/lum_main_win32.h"
#include "app/settings.h"
#include "scrapbook/lum_fm2_win32.h"

namespace lumeret {

TAboutBox::TAboutBox() {
    CreateParams p;
    p.className = L"TAboutBox";
    p.caption = "バージョン情報";
    p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    p.exStyle = WS_EX_DLGMODALFRAME;
    p.clientWidth = 249;
    p.clientHeight = 199;
    CreateWindowObject(p);
}

// Every way of closing hides the dialog and gives the other windows back.
void TAboutBox::FormClose() {
    if (IsOn(Form1->StayOnTop)) Form1->SetTopmost(true);
    Form1->SetEnabled(true);
    Form2->SetEnabled(true);
    Hide();
}

LRESULT TAboutBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) {
        FormClose();
        return 0;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace lumeret
