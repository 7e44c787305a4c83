#include "scrapbook/lum_fm2_win32.h"

#include <commctrl.h>

#include "app/forms_win32.h"
#include "app/lum_main_win32.h"
#include "app/program_folder_win32.h"
#include "platform/controls_win32.h"
#include "platform/prompts_win32.h"
#include "platform/wide_win32.h"

namespace lumeret {

namespace {

enum ControlId { kIdPages = 401, kIdTextList };

constexpr const char* kPageCaptions[] = {"TEXT", "BMP", "MEMO"};

}  // namespace

TForm2::TForm2() {
    CreateParams p;
    p.className = L"TForm2";
    p.caption = "スクラップブック";
    p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    p.exStyle = WS_EX_TOOLWINDOW;
    p.clientWidth = 216;
    p.clientHeight = 312;
    CreateWindowObject(p);
    clipboard_ = ClipboardWin32(Handle());
    CreateControls();
    FormCreate();
}

TForm2::~TForm2() { FormDestroy(); }

void TForm2::CreateControls() {
    PageControl1 = CreateControl({.parent = Handle(), .id = kIdPages, .className = WC_TABCONTROLW, .left = 0,
                                  .top = 0, .width = 217, .height = 281, .style = WS_CLIPSIBLINGS | WS_TABSTOP});
    for (int i = 0; i < 3; ++i) {
        std::wstring caption = FromCp932(kPageCaptions[i]);
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = caption.data();
        item.lParam = i;  // the page's tag
        SendMessageW(PageControl1, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    // Page contents sit in the tab control's display area, above it.
    RECT area{0, 0, 217, 281};
    SendMessageW(PageControl1, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    pageOrigin_ = {area.left, area.top};

    ListBox1 = CreateControl({.parent = Handle(), .id = kIdTextList, .className = L"LISTBOX",
                              .left = pageOrigin_.x, .top = pageOrigin_.y, .width = 209, .height = 249,
                              .style = LBS_NOTIFY | LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                                       WS_TABSTOP | WS_BORDER});
    SendMessageW(ListBox1, LB_SETITEMHEIGHT, 0, 12);
    SetWindowPos(PageControl1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowPageControls();
}

void TForm2::FormCreate() {
    std::string baseDir = ProgramFolder();
    textRows_ = std::make_unique<ListBoxWin32>(ListBox1);
    TextStore = std::make_unique<TListMasterQC>(*textRows_, baseDir, "txt", folder_, clipboard_, AppPrompts(),
                                                Form1->DeleteCheck);
    TextStore->RefreshList();
}

void TForm2::FormDestroy() { TextStore.reset(); }

// Opens flush against the main window's left edge, every time.
void TForm2::FormShow() {
    RECT main = Form1->Bounds();
    RECT self = Bounds();
    MoveTo(main.left - (self.right - self.left), main.top);
}

TForm2::Page TForm2::ActivePage() const {
    return static_cast<Page>(SendMessageW(PageControl1, TCM_GETCURSEL, 0, 0));
}

void TForm2::SetActivePage(Page page) {
    SendMessageW(PageControl1, TCM_SETCURSEL, page, 0);
    ShowPageControls();
}

void TForm2::ShowPageControls() {
    Page page = ActivePage();
    ShowWindow(ListBox1, page == kPageText ? SW_SHOW : SW_HIDE);
}

bool TForm2::RegisterText(const std::string& text) {
    SetActivePage(kPageText);
    return TextStore->AddText(text);
}

LRESULT TForm2::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SHOWWINDOW:
        if (wParam) FormShow();
        break;
    case WM_CLOSE:  // closing only hides the window
        Hide();
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == PageControl1 && header->code == TCN_SELCHANGE) ShowPageControls();
        break;
    }
    }
    return Default(msg, wParam, lParam);
}

}  // namespace lumeret
