#include "app/about_dialog_win32.h"

#include <algorithm>

#include "app/program_icon_win32.h"
#include "app/screen_center_win32.h"
#include "platform/controls_win32.h"

namespace lumeret {

namespace {

enum ControlId {
    kIdOk = IDOK,  // so a dialog-aware message loop's Enter lands on it too
    kIdPanel = 201,
    kIdIcon,
    kIdProductName,
    kIdVersion,
    kIdAuthor,
    kIdMail,
    kIdHomepage,
};

constexpr int kPanelLeft = 8;
constexpr int kPanelTop = 8;
constexpr int kIconBox = 33;
constexpr COLORREF kAuthorColor = RGB(0, 0, 255);
// Double-clicking the icon puts this on the clipboard.
constexpr char kIconText[] = "Hello!";

struct FontLayout {
    const char* face;
    int pixelHeight;
    bool bold;
    FontScript script;
};

constexpr FontLayout kUiFace{nullptr, 12, false, FontScript::Japanese};
constexpr FontLayout kArialName{"Arial", 37, true, FontScript::Western};
constexpr FontLayout kArialVersion{"Arial", 12, true, FontScript::Western};
constexpr FontLayout kArialAuthor{"Arial", 13, true, FontScript::Western};

struct LabelLayout {
    HWND AboutDialog::Controls::*field;
    int id;
    int left;  // inside the panel
    int top;
    int width;
    int height;
    const char* caption;
    FontLayout font;
};

constexpr LabelLayout kLabels[] = {
    {&AboutDialog::Controls::productName, kIdProductName, 70, 8, 139, 44, "Lumeret", kArialName},
    {&AboutDialog::Controls::version, kIdVersion, 138, 50, 71, 15, "Version 1.32", kArialVersion},
    {&AboutDialog::Controls::author, kIdAuthor, 8, 78, 204, 16, "(C) 2024 Lumeret Project", kArialAuthor},
    {&AboutDialog::Controls::mail, kIdMail, 8, 99, 109, 12, "lumeret@example.jp", kUiFace},
    {&AboutDialog::Controls::homepage, kIdHomepage, 8, 112, 219, 12, "http://www.example.jp/lumeret/", kUiFace},
};

HFONT FontOf(const FontLayout& f) {
    if (!f.face) return UiFont();
    return MakeFont(f.face, f.pixelHeight, f.bold, f.script);
}

// A label is at least its laid-out size and grows to show its whole caption
// in its font, as a self-sizing label does; it never cuts its text.
SIZE FittedSize(const std::string& caption, HFONT font, int width, int height) {
    SIZE extent = TextExtent(font, caption);
    return {std::max<LONG>(width, extent.cx), std::max<LONG>(height, extent.cy)};
}

}  // namespace

AboutDialog::AboutDialog(AppCore& core, HWND owner) : core_(core) {
    CreateParams p;
    p.owner = owner;
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
    ui_.panel = CreateControl({.parent = self, .id = kIdPanel, .className = L"STATIC", .left = kPanelLeft,
                               .top = kPanelTop, .width = 233, .height = 145, .style = SS_SUNKEN | WS_CLIPSIBLINGS});

    ui_.icon = CreateControl({.parent = self, .id = kIdIcon, .className = L"STATIC", .left = kPanelLeft + 24,
                              .top = kPanelTop + 16, .width = kIconBox, .height = kIconBox,
                              .style = SS_ICON | SS_NOTIFY | SS_REALSIZEIMAGE});
    SendMessageW(ui_.icon, STM_SETICON, reinterpret_cast<WPARAM>(ProgramIconHandle()), 0);
    // The icon shows at its own 32 x 32 pixels; setting it sizes the control
    // to the icon, and the control keeps its laid-out box.
    SetWindowPos(ui_.icon, nullptr, 0, 0, kIconBox, kIconBox, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    for (const auto& l : kLabels) {
        HFONT font = FontOf(l.font);
        SIZE size = FittedSize(l.caption, font, l.width, l.height);
        ui_.*l.field = CreateControl({.parent = self, .id = l.id, .className = L"STATIC",
                                      .left = kPanelLeft + l.left, .top = kPanelTop + l.top,
                                      .width = static_cast<int>(size.cx), .height = static_cast<int>(size.cy),
                                      .caption = l.caption, .style = SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY,
                                      .font = font});
    }

    ui_.okButton = CreateControl({.parent = self, .id = kIdOk, .className = L"BUTTON", .left = 84, .top = 159,
                                  .width = 83, .height = 34, .caption = "OK", .style = BS_DEFPUSHBUTTON | WS_TABSTOP});
    RouteControlMessages(ui_.okButton);

    // Children are stacked in creation order, the first on top: the panel
    // goes to the bottom, under the texts it frames.
    SetWindowPos(ui_.panel, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// In the middle of the screen each time it is opened, not when the system
// shows it again as the minimised program comes back.
void AboutDialog::Open(std::unique_ptr<ModalScope> scope) {
    scope_ = std::move(scope);
    CenterOnScreen(Handle());
    Show();
}

void AboutDialog::CloseDialog() {
    scope_.reset();
    Hide();
}

std::optional<COLORREF> AboutDialog::LabelTextColor(HWND label) const {
    if (label == ui_.author) return kAuthorColor;
    return std::nullopt;
}

// Enter on the focused OK button presses it, also under a message loop that
// does no dialog navigation of its own.
std::optional<LRESULT> AboutDialog::OnControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM) {
    if (control == ui_.okButton && msg == WM_KEYDOWN && wParam == VK_RETURN) {
        SendMessageW(control, BM_CLICK, 0, 0);
        return 0;
    }
    return std::nullopt;
}

void AboutDialog::OnCommand(int id, int code, HWND control) {
    if (id == kIdOk && code == BN_CLICKED) {
        CloseDialog();
        return;
    }
    if (code != STN_DBLCLK) return;
    if (id == kIdIcon) {
        core_.PutTextOnClipboard(kIconText);
    } else if (id != kIdPanel) {
        core_.PutTextOnClipboard(Caption(control));
    }
}

LRESULT AboutDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ACTIVATE:
        // The OK button is the only control that takes the focus; it has it
        // whenever the dialog is active.
        if (LOWORD(wParam) != WA_INACTIVE) {
            SetFocus(ui_.okButton);
            return 0;
        }
        break;
    case DM_GETDEFID:
        return MAKELRESULT(kIdOk, DC_HASDEFID);
    case WM_CLOSE:
        CloseDialog();
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace lumeret
