#include "app/settings_dialog_win32.h"

#include <commctrl.h>

#include "app/forms_win32.h"
#include "app/main_window_win32.h"
#include "app/program_icon_win32.h"
#include "app/screen_center_win32.h"
#include "app/settings.h"
#include "platform/controls_win32.h"
#include "platform/wide_win32.h"
#include "scrapbook/scrapbook_window_win32.h"

namespace lumeret {

namespace {

enum ControlId { kIdBevel = 100, kIdTop, kIdBmp, kIdPreview, kIdDelete, kIdOk, kIdCancel };

struct CheckLayout {
    int id;
    int top;
    int width;
    const char* caption;
    const char* hint;
};

// The four boxes, top to bottom, in tab order.
constexpr CheckLayout kChecks[] = {
    {kIdTop, 16, 105, "常に手前に表示", "メインフォームを最前面に表示します"},
    {kIdBmp, 40, 137, "BMPの連続登録", "クリップボードに変化が起こるたび自動で登録します"},
    {kIdPreview, 64, 161, "BMPプレビューを表示しない", "ビットマップのプレビューを表示しません"},
    {kIdDelete, 88, 121, "削除時に確認をとる", "登録されたファイルの削除時に警告をだします"},
};

}  // namespace

SettingsDialog::SettingsDialog() {
    CreateParams p;
    p.className = L"LumeretSettings";
    p.caption = "設定";
    // No WS_CLIPCHILDREN: the frame paints only its lines, so the dialog's
    // own background has to show through inside it.
    p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    p.clientWidth = 242;
    p.clientHeight = 172;
    p.icon = ProgramIconHandle();
    CreateWindowObject(p);

    // Children are stacked in creation order, which is also the tab order;
    // the frame is created first and then sent to the bottom, under the boxes.
    Bevel1 = CreateControl({.parent = Handle(), .id = kIdBevel, .className = L"STATIC", .left = 8, .top = 8,
                            .width = 225, .height = 121, .style = SS_ETCHEDFRAME | WS_CLIPSIBLINGS});
    HWND* boxes[] = {&Check_TOP, &Check_BMP, &Check_Preview, &Check_Delete};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto& c = kChecks[i];
        *boxes[i] = CreateControl({.parent = Handle(), .id = c.id, .className = L"BUTTON", .left = 16, .top = c.top,
                                   .width = c.width, .height = 17, .caption = c.caption,
                                   .style = BS_AUTOCHECKBOX | WS_TABSTOP});
    }
    // Neither button is the default or cancel button: Enter and Esc do not press them.
    ButtonOK = CreateControl({.parent = Handle(), .id = kIdOk, .className = L"BUTTON", .left = 80, .top = 136,
                              .width = 75, .height = 25, .caption = "OK", .style = BS_PUSHBUTTON | WS_TABSTOP});
    Button1 = CreateControl({.parent = Handle(), .id = kIdCancel, .className = L"BUTTON", .left = 160, .top = 136,
                             .width = 75, .height = 25, .caption = "Cancel", .style = BS_PUSHBUTTON | WS_TABSTOP});
    SetWindowPos(Bevel1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CreateHints();
    FormCreate();
}

// Each box explains itself in a tooltip while the mouse rests on it.
void SettingsDialog::CreateHints() {
    Hint = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                           0, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND boxes[] = {Check_TOP, Check_BMP, Check_Preview, Check_Delete};
    for (std::size_t i = 0; i < 4; ++i) {
        std::wstring text = FromCp932(kChecks[i].hint);
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V1_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(boxes[i]);
        tool.lpszText = text.data();  // the tooltip keeps its own copy
        SendMessageW(Hint, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void SettingsDialog::FormCreate() {
    SetChecked(Check_TOP, IsOn(Form1->StayOnTop));
    SetChecked(Check_Preview, IsOn(Form1->NonPreview));
    SetChecked(Check_Delete, IsOn(Form1->DeleteCheck));
}

void SettingsDialog::FormShow() {
    HWND boxes[] = {Check_TOP, Check_BMP, Check_Preview, Check_Delete};
    for (std::size_t i = 0; i < 4; ++i) tags_[i] = IsChecked(boxes[i]);
}

void SettingsDialog::ButtonOKClick() {
    bool noPreview = IsChecked(Check_Preview);
    Form1->NonPreview = OnOff(noPreview);
    ShowWindow(Form1->Lab_MinOr, noPreview ? SW_SHOW : SW_HIDE);
    if (noPreview) {
        Form1->HidePreview();
    } else {
        Form1->ShowClipboardPreview();
    }
    Form1->StayOnTop = OnOff(IsChecked(Check_TOP));
    Form1->DeleteCheck = OnOff(IsChecked(Check_Delete));
    // The dialog itself follows the stay-on-top box as well.
    SetTopmost(IsChecked(Check_TOP));
    CloseDialog();
}

void SettingsDialog::Button1Click() {
    CloseDialog();
    HWND boxes[] = {Check_TOP, Check_BMP, Check_Preview, Check_Delete};
    for (std::size_t i = 0; i < 4; ++i) SetChecked(boxes[i], tags_[i]);
}

void SettingsDialog::FormCloseQuery() {
    if (IsOn(Form1->StayOnTop)) Form1->SetTopmost(true);
    Form1->SetEnabled(true);
    Form2->SetEnabled(true);
}

void SettingsDialog::CloseDialog() {
    FormCloseQuery();
    Hide();
}

void SettingsDialog::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return;
    if (id == kIdOk) ButtonOKClick();
    if (id == kIdCancel) Button1Click();
}

LRESULT SettingsDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SHOWWINDOW:
        if (wParam) {
            CenterOnScreen(Handle());
            FormShow();
        }
        break;
    case WM_CLOSE:
        CloseDialog();
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace lumeret
