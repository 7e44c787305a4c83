#include "app/settings_dialog_win32.h"

#include <commctrl.h>

#include "app/program_icon_win32.h"
#include "app/screen_center_win32.h"
#include "platform/common_controls_win32.h"
#include "platform/controls_win32.h"
#include "platform/wide_win32.h"

namespace lumeret {

namespace {

enum ControlId { kIdFrame = 100, kIdStayOnTop, kIdContinuous, kIdHidePreview, kIdConfirmDelete, kIdOk, kIdCancel };

struct BoxLayout {
    HWND SettingsDialog::Controls::*field;
    int id;
    int top;
    int width;
    const char* caption;
    const char* hint;
};

// The four boxes, top to bottom, in tab order.
constexpr BoxLayout kBoxes[] = {
    {&SettingsDialog::Controls::stayOnTopBox, kIdStayOnTop, 16, 105, "常に手前に表示",
     "メインフォームを最前面に表示します"},
    {&SettingsDialog::Controls::continuousRegistrationBox, kIdContinuous, 40, 137, "BMPの連続登録",
     "クリップボードに変化が起こるたび自動で登録します"},
    {&SettingsDialog::Controls::hidePreviewBox, kIdHidePreview, 64, 161, "BMPプレビューを表示しない",
     "ビットマップのプレビューを表示しません"},
    {&SettingsDialog::Controls::confirmDeleteBox, kIdConfirmDelete, 88, 121, "削除時に確認をとる",
     "登録されたファイルの削除時に警告をだします"},
};

}  // namespace

SettingsDialog::SettingsDialog(AppCore& core, HWND owner) : core_(core) {
    CreateParams p;
    p.owner = owner;
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
    ui_.frame = CreateControl({.parent = Handle(), .id = kIdFrame, .className = L"STATIC", .left = 8, .top = 8,
                               .width = 225, .height = 121, .style = SS_ETCHEDFRAME | WS_CLIPSIBLINGS});
    for (const auto& box : kBoxes) {
        ui_.*box.field = CreateControl({.parent = Handle(), .id = box.id, .className = L"BUTTON", .left = 16,
                                        .top = box.top, .width = box.width, .height = 17, .caption = box.caption,
                                        .style = BS_AUTOCHECKBOX | WS_TABSTOP});
    }
    // Neither button is the default or cancel button: Enter and Esc do not press them.
    ui_.okButton = CreateControl({.parent = Handle(), .id = kIdOk, .className = L"BUTTON", .left = 80, .top = 136,
                                  .width = 75, .height = 25, .caption = "OK", .style = BS_PUSHBUTTON | WS_TABSTOP});
    ui_.cancelButton = CreateControl({.parent = Handle(), .id = kIdCancel, .className = L"BUTTON", .left = 160,
                                      .top = 136, .width = 75, .height = 25, .caption = "Cancel",
                                      .style = BS_PUSHBUTTON | WS_TABSTOP});
    SetWindowPos(ui_.frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CreateHints();
    ShowSwitches();
    core_.switchesChanged.Connect([this] { ShowSwitches(); });
}

// Each box explains itself in a tooltip while the mouse rests on it.
void SettingsDialog::CreateHints() {
    ui_.hints = CreateHintWindow(Handle());
    for (const auto& box : kBoxes) {
        std::wstring text = FromCp932(box.hint);
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V1_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(ui_.*box.field);
        tool.lpszText = text.data();  // the tooltip keeps its own copy
        SendMessageW(ui_.hints, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void SettingsDialog::ShowSwitches() {
    const Switches& s = core_.CurrentSwitches();
    SetChecked(ui_.stayOnTopBox, s.stayOnTop);
    SetChecked(ui_.continuousRegistrationBox, s.continuousRegistration);
    SetChecked(ui_.hidePreviewBox, s.hidePreview);
    SetChecked(ui_.confirmDeleteBox, s.confirmDelete);
}

Switches SettingsDialog::BoxedSwitches() const {
    Switches s;
    s.stayOnTop = IsChecked(ui_.stayOnTopBox);
    s.continuousRegistration = IsChecked(ui_.continuousRegistrationBox);
    s.hidePreview = IsChecked(ui_.hidePreviewBox);
    s.confirmDelete = IsChecked(ui_.confirmDeleteBox);
    return s;
}

// What the switches are as the settings button opens the dialog is what
// Cancel returns to; the system hides and shows the dialog again as the
// program is minimised and restored, which changes neither that nor its place.
void SettingsDialog::Open(std::unique_ptr<ModalScope> scope) {
    scope_ = std::move(scope);
    CenterOnScreen(Handle());
    ShowSwitches();
    core_.RememberSwitches();
    focus_.Forget();
    Show();
    BringToFront();
}

void SettingsDialog::Accept() {
    // The dialog closes also when the preview cannot be drawn again; that
    // is reported once it has.
    try {
        core_.AcceptSwitches();
    } catch (...) {
        CloseDialog();
        throw;
    }
    CloseDialog();
}

void SettingsDialog::Cancel() {
    CloseDialog();
    core_.RestoreSwitches();
}

void SettingsDialog::CloseDialog() {
    scope_.reset();
    Hide();
}

void SettingsDialog::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return;
    switch (id) {
    case kIdOk: Accept(); break;
    case kIdCancel: Cancel(); break;
    case kIdStayOnTop:
    case kIdContinuous:
    case kIdHidePreview:
    case kIdConfirmDelete: core_.SetSwitches(BoxedSwitches()); break;
    default: break;
    }
}

LRESULT SettingsDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ACTIVATE:
        focus_.OnActivate(Handle(), wParam);
        break;
    case WM_SETFOCUS:
        // The focus comes back to the box it was on, or to the first box.
        focus_.GiveBack(ui_.stayOnTopBox);
        return 0;
    case WM_CLOSE:
        CloseDialog();
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace lumeret
