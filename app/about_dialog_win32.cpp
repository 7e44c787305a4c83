#include "app/about_dialog_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "app/forms_win32.h"
#include "app/main_window_win32.h"
#include "app/program_icon_win32.h"
#include "app/screen_center_win32.h"
#include "app/settings.h"
#include "platform/clipboard_win32.h"
#include "platform/controls_win32.h"
#include "platform/handles_win32.h"
#include "platform/wide_win32.h"
#include "scrapbook/scrapbook_window_win32.h"

namespace lumeret {

namespace {

enum ControlId {
    kIdOk = IDOK,  // so a dialog-aware message loop's Enter lands on it too
    kIdPanel = 201,
    kIdIcon,
    kIdProductName,
    kIdVersion,
    kIdCopyright,
    kIdMail,
    kIdHomepage,
};

constexpr int kPanelLeft = 8;
constexpr int kPanelTop = 8;
constexpr COLORREF kAuthorColor = RGB(0, 0, 255);

enum class Face { Ui, ArialName, ArialVersion, ArialAuthor };

struct LabelLayout {
    HWND AboutDialog::*field;
    int id;
    int left;  // inside Panel1
    int top;
    int width;
    int height;
    const char* caption;
    Face face;
};

constexpr LabelLayout kLabels[] = {
    {&AboutDialog::ProductName, kIdProductName, 70, 8, 139, 44, "Lumeret", Face::ArialName},
    {&AboutDialog::Version, kIdVersion, 138, 50, 71, 15, "Version 1.32", Face::ArialVersion},
    {&AboutDialog::Copyright, kIdCopyright, 8, 78, 204, 16, "(C) 2024 Lumeret Project", Face::ArialAuthor},
    {&AboutDialog::e_mail, kIdMail, 8, 99, 109, 12, "lumeret@example.jp", Face::Ui},
    {&AboutDialog::homepage, kIdHomepage, 8, 112, 219, 12, "http://www.example.jp/lumeret/", Face::Ui},
};

// Arial with the Western character set: with the Japanese one the font
// mapper would prefer a Japanese face over Arial. Like every font of the
// program it lives as long as the program.
HFONT ArialFont(int pixelHeight) {
    static HFONT fonts[64] = {};
    HFONT& font = fonts[std::clamp(pixelHeight, 0, 63)];
    if (!font) {
        LOGFONTW lf{};
        lf.lfHeight = -pixelHeight;
        lf.lfWeight = FW_BOLD;
        lf.lfCharSet = ANSI_CHARSET;
        lf.lfOutPrecision = OUT_TT_PRECIS;
        wcscpy(lf.lfFaceName, L"Arial");
        font = CreateFontIndirectW(&lf);
    }
    return font;
}

HFONT FontOf(Face face) {
    switch (face) {
    case Face::ArialName: return ArialFont(37);
    case Face::ArialVersion: return ArialFont(12);
    case Face::ArialAuthor: return ArialFont(13);
    case Face::Ui: break;
    }
    return UiFont();
}

// A label is at least its laid-out size and grows to show its whole caption
// in its font, as a self-sizing label does; it never cuts its text.
SIZE FittedSize(const std::string& caption, HFONT font, int width, int height) {
    SIZE extent = TextExtent(font, caption);
    return {std::max<LONG>(width, extent.cx), std::max<LONG>(height, extent.cy)};
}

// Enter on the focused OK button presses it, also under a message loop that
// does no dialog navigation of its own.
LRESULT CALLBACK EnterPressesButton(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_KEYDOWN && wParam == VK_RETURN) {
        SendMessageW(hwnd, BM_CLICK, 0, 0);
        return 0;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &EnterPressesButton, 0);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

AboutDialog::AboutDialog() {
    CreateParams p;
    p.className = L"LumeretAbout";
    p.caption = "バージョン情報";
    p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    p.exStyle = WS_EX_DLGMODALFRAME;
    p.clientWidth = 249;
    p.clientHeight = 199;
    p.icon = ProgramIconHandle();
    CreateWindowObject(p);
    CreateControls();
}

void AboutDialog::CreateControls() {
    HWND self = Handle();
    // The panel clips its siblings so its frame never paints over the texts
    // above it.
    Panel1 = CreateControl({.parent = self, .id = kIdPanel, .className = L"STATIC", .left = kPanelLeft,
                            .top = kPanelTop, .width = 233, .height = 145, .style = SS_SUNKEN | WS_CLIPSIBLINGS});

    ProgramIcon = CreateControl({.parent = self, .id = kIdIcon, .className = L"STATIC", .left = kPanelLeft + 24,
                                 .top = kPanelTop + 16, .width = 33, .height = 33,
                                 .style = SS_ICON | SS_NOTIFY | SS_REALSIZECONTROL});
    SendMessageW(ProgramIcon, STM_SETICON, reinterpret_cast<WPARAM>(ProgramIconHandle()), 0);
    // Setting the icon sizes the control to the icon; it keeps its laid-out box.
    SetWindowPos(ProgramIcon, nullptr, 0, 0, 33, 33, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    for (const auto& l : kLabels) {
        HFONT font = FontOf(l.face);
        SIZE size = FittedSize(l.caption, font, l.width, l.height);
        this->*l.field = CreateControl({.parent = self, .id = l.id, .className = L"STATIC",
                                        .left = kPanelLeft + l.left, .top = kPanelTop + l.top,
                                        .width = static_cast<int>(size.cx), .height = static_cast<int>(size.cy),
                                        .caption = l.caption, .style = SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY,
                                        .font = font});
    }

    OKButton = CreateControl({.parent = self, .id = kIdOk, .className = L"BUTTON", .left = 84, .top = 159,
                              .width = 83, .height = 34, .caption = "OK", .style = BS_DEFPUSHBUTTON | WS_TABSTOP});
    SetWindowSubclass(OKButton, &EnterPressesButton, 0, 0);

    // Children are stacked in creation order, the first on top: the panel
    // goes to the bottom, under the texts it frames.
    SetWindowPos(Panel1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void AboutDialog::OKButtonClick() { Close(); }

// Every way of closing hides the dialog and gives the other windows back.
void AboutDialog::FormClose() {
    if (IsOn(Form1->StayOnTop)) Form1->SetTopmost(true);
    Form1->SetEnabled(true);
    Form2->SetEnabled(true);
    Hide();
}

void AboutDialog::PutOnClipboard(const std::string& text) { ClipboardWin32(Handle()).SetText(text); }

void AboutDialog::ProgramIconDblClick() { PutOnClipboard("Hello!"); }
void AboutDialog::ProductNameDblClick() { PutOnClipboard(Caption(ProductName)); }
void AboutDialog::VersionDblClick() { PutOnClipboard(Caption(Version)); }
void AboutDialog::CopyrightDblClick() { PutOnClipboard(Caption(Copyright)); }
void AboutDialog::e_mailDblClick() { PutOnClipboard(Caption(e_mail)); }
void AboutDialog::homepageDblClick() { PutOnClipboard(Caption(homepage)); }

std::optional<COLORREF> AboutDialog::LabelTextColor(HWND label) const {
    if (label == Copyright) return kAuthorColor;
    return std::nullopt;
}

void AboutDialog::OnCommand(int id, int code, HWND) {
    if (id == kIdOk && code == BN_CLICKED) {
        OKButtonClick();
        return;
    }
    if (code != STN_DBLCLK) return;
    switch (id) {
    case kIdIcon: ProgramIconDblClick(); break;
    case kIdProductName: ProductNameDblClick(); break;
    case kIdVersion: VersionDblClick(); break;
    case kIdCopyright: CopyrightDblClick(); break;
    case kIdMail: e_mailDblClick(); break;
    case kIdHomepage: homepageDblClick(); break;
    }
}

LRESULT AboutDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SHOWWINDOW:
        if (wParam) CenterOnScreen(Handle());
        break;
    case WM_ACTIVATE:
        // The OK button is the only control that takes the focus; it has it
        // whenever the dialog is active.
        if (LOWORD(wParam) != WA_INACTIVE) {
            SetFocus(OKButton);
            return 0;
        }
        break;
    case DM_GETDEFID:
        return MAKELRESULT(kIdOk, DC_HASDEFID);
    case WM_CLOSE:
        FormClose();
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace lumeret
