#include "scrapbook/scrapbook_window_win32.h"

#include <commctrl.h>

#include "app/forms_win32.h"
#include "app/glyph_button_win32.h"
#include "app/settings_dialog_win32.h"
#include "app/main_window_win32.h"
#include "app/program_folder_win32.h"
#include "app/settings.h"
#include "platform/control_hint_win32.h"
#include "platform/controls_win32.h"
#include "platform/error_report.h"
#include "platform/popup_menu_win32.h"
#include "platform/prompts_win32.h"
#include "platform/text.h"
#include "platform/wide_win32.h"
#include "scrapbook/save_dialog_win32.h"
#include "store/text_export.h"

namespace lumeret {

namespace {

enum ControlId {
    kIdPages = 401,
    kIdTextList,
    kIdBevel,
    kIdPaintBox,
    kIdCurNo,
    kIdNum,
    kIdFirst,
    kIdPrior,
    kIdNext,
    kIdLast,
    kIdMemo,
    kIdFile,
    kIdDelete,
    kIdCopy,
};

enum MenuId { kPopCopy = 451, kPopFile, kPopDelete, kPopCancel };

constexpr const char* kPageCaptions[] = {"TEXT", "BMP", "MEMO"};

constexpr int kPageControlWidth = 217;
constexpr int kPageControlHeight = 281;
constexpr int kListItemHeight = 12;
constexpr int kCounterFontHeight = 16;
constexpr WORD kDeleteKey = VK_DELETE;
constexpr WORD kSpaceKey = VK_SPACE;
constexpr UINT_PTR kListSubclassId = 1;

constexpr char kTextFilter[] = "テキストファイル (*.txt)|*.txt|HTML文書 (*.htm)|*.htm";
constexpr char kBitmapFilter[] = "ビットマップファイル (*.bmp)|*.bmp";
constexpr char kMemoFilter[] = "テキストファイル (*.txt)|*.txt";

// Where a control sits: on the window, or on a page at a place counted from
// the page's origin.
enum class Host { Window, TextPage, BitmapPage, MemoPage };

struct Placement {
    Host host;
    int left;
    int top;
    int width;
    int height;
};

constexpr Placement kListBox1{Host::TextPage, 0, 0, 209, 249};
constexpr Placement kBevel1{Host::BitmapPage, 6, 7, 196, 196};
constexpr Placement kPaintBox1{Host::BitmapPage, 8, 8, 193, 193};
constexpr Placement kLabCurno{Host::BitmapPage, 16, 223, 40, 16};
constexpr Placement kLabNum{Host::BitmapPage, 152, 248, 4, 12};
constexpr Placement kBtnML{Host::BitmapPage, 104, 216, 17, 33};
constexpr Placement kBtnL{Host::BitmapPage, 120, 216, 33, 33};
constexpr Placement kBtnR{Host::BitmapPage, 152, 216, 33, 33};
constexpr Placement kBtnMR{Host::BitmapPage, 184, 216, 17, 33};
constexpr Placement kMemoDirect{Host::MemoPage, 0, 0, 209, 252};
constexpr Placement kBtnFile{Host::Window, 0, 280, 49, 33};
constexpr Placement kBtnDelete{Host::Window, 48, 280, 49, 33};
constexpr Placement kBtnCopy{Host::Window, 96, 280, 121, 33};

// Makes the main window an ordinary one while a save dialog may be open, and
// stay-on-top again afterwards when its setting says so, however the save
// ended.
class MainWindowGivesWay {
public:
    MainWindowGivesWay() {
        if (Form1) Form1->SetTopmost(false);
    }
    MainWindowGivesWay(const MainWindowGivesWay&) = delete;
    MainWindowGivesWay& operator=(const MainWindowGivesWay&) = delete;
    ~MainWindowGivesWay() {
        if (Form1 && IsOn(Form1->StayOnTop)) Form1->SetTopmost(true);
    }
};

// The counter grows and shrinks with its text, as a label does that sizes
// itself; a fixed width would cut "12 / 34" or wrap it out of sight.
void FitLabelToText(HWND label) {
    SIZE size = TextExtent(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), Caption(label));
    SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(label, nullptr, TRUE);
}

}  // namespace

ScrapbookWindow::ScrapbookWindow() {
    CreateParams p;
    p.className = L"LumeretScrapbook";
    p.caption = "スクラップブック";
    p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    p.exStyle = WS_EX_TOOLWINDOW;
    p.clientWidth = 216;
    p.clientHeight = 312;
    CreateWindowObject(p);
    clipboard_ = ClipboardWin32(Handle());
    systemClipboard_ = std::make_unique<SystemClipboard>(Handle());
    CreateControls();
    FormCreate();
}

ScrapbookWindow::~ScrapbookWindow() {
    if (ListBox1) RemoveWindowSubclass(ListBox1, &ScrapbookWindow::ListBoxProc, kListSubclassId);
    FormDestroy();
    if (PopupMenu1) DestroyMenu(PopupMenu1);
}

void ScrapbookWindow::CreateControls() {
    HWND self = Handle();
    PageControl1 = CreateControl({.parent = self, .id = kIdPages, .className = WC_TABCONTROLW, .left = 0,
                                  .top = 0, .width = kPageControlWidth, .height = kPageControlHeight,
                                  .style = WS_CLIPSIBLINGS | WS_TABSTOP});
    for (int i = 0; i < 3; ++i) {
        std::wstring caption = FromCp932(kPageCaptions[i]);
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = caption.data();
        item.lParam = i;  // the page's tag
        SendMessageW(PageControl1, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    // Page contents sit in the tab control's display area, above it.
    RECT area{0, 0, kPageControlWidth, kPageControlHeight};
    SendMessageW(PageControl1, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    pageOrigin_ = {area.left, area.top};

    auto placed = [&](const Placement& at, int id, const wchar_t* className, DWORD style,
                    const std::string& caption = std::string()) {
        ControlSpec s;
        s.parent = self;
        s.id = id;
        s.className = className;
        bool onPage = at.host != Host::Window;
        s.left = at.left + (onPage ? pageOrigin_.x : 0);
        s.top = at.top + (onPage ? pageOrigin_.y : 0);
        s.width = at.width;
        s.height = at.height;
        s.caption = caption;
        s.style = style | WS_CLIPSIBLINGS;
        return s;
    };

    ListBox1 = CreateControl(placed(kListBox1, kIdTextList, L"LISTBOX",
                                  LBS_NOTIFY | LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                                      WS_TABSTOP | WS_BORDER));
    SendMessageW(ListBox1, LB_SETITEMHEIGHT, 0, kListItemHeight);
    SetWindowSubclass(ListBox1, &ScrapbookWindow::ListBoxProc, kListSubclassId, reinterpret_cast<DWORD_PTR>(this));

    // The picture lies inside the frame; siblings clip one another so the
    // frame never paints over it.
    PaintBox1 = CreateControl(placed(kPaintBox1, kIdPaintBox, L"STATIC", SS_OWNERDRAW | SS_NOTIFY));
    Bevel1 = CreateControl(placed(kBevel1, kIdBevel, L"STATIC", SS_ETCHEDFRAME));
    SetWindowPos(Bevel1, PaintBox1, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ControlSpec counter = placed(kLabCurno, kIdCurNo, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, "0 / 0");
    counter.font = MakeFont("ＭＳ Ｐゴシック", kCounterFontHeight, true);
    Lab_curno = CreateControl(counter);
    lab_num = CreateControl(placed(kLabNum, kIdNum, L"STATIC", SS_LEFT));
    Btn_ML = CreateControl(placed(kBtnML, kIdFirst, L"BUTTON", BS_OWNERDRAW));
    Btn_L = CreateControl(placed(kBtnL, kIdPrior, L"BUTTON", BS_OWNERDRAW, "<"));
    Btn_R = CreateControl(placed(kBtnR, kIdNext, L"BUTTON", BS_OWNERDRAW, ">"));
    Btn_MR = CreateControl(placed(kBtnMR, kIdLast, L"BUTTON", BS_OWNERDRAW));

    Memo_direct = CreateControl(placed(kMemoDirect, kIdMemo, L"EDIT",
                                     ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_BORDER |
                                         WS_TABSTOP));
    SendMessageW(Memo_direct, EM_SETLIMITTEXT, 0, 0);

    // Creation order is the tab order: pages, copy, delete, save.
    BtnCopy = CreateControl(placed(kBtnCopy, kIdCopy, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, "コピー"));
    BtnDelete = CreateControl(placed(kBtnDelete, kIdDelete, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, "削除"));
    BtnFile = CreateControl(placed(kBtnFile, kIdFile, L"BUTTON", BS_OWNERDRAW | WS_TABSTOP));

    SetWindowPos(PageControl1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CreatePopupMenu1();
    // The list shows its own hint: the selected clip's first lines.
    hint_ = std::make_unique<ControlHint>(Handle(), ListBox1);
    ShowPageControls();
}

void ScrapbookWindow::CreatePopupMenu1() {
    PopupMenu1 = CreatePopupMenuOf({{kPopCopy, "コピー(&C)"},
                                    {kPopFile, "ファイル出力(&F)"},
                                    {kPopDelete, "削除(&D)"},
                                    {0, nullptr},
                                    {kPopCancel, "キャンセル"}});
}

void ScrapbookWindow::FormCreate() {
    std::string baseDir = ProgramFolder();
    textRows_ = std::make_unique<ListBoxWin32>(ListBox1);
    TextStore = std::make_unique<TextClipStore>(*textRows_, baseDir, "txt", folder_, clipboard_, AppPrompts(),
                                                Form1->DeleteCheck);
    // The store takes the paint box's size at this moment as its frame.
    paintBox_ = std::make_unique<PaintBoxWindow>(PaintBox1);
    BitmapStore = std::make_unique<BitmapClipStore>(*paintBox_, offscreen_, baseDir, "bmp", folder_,
                                                    *systemClipboard_, AppPrompts(), Form1->DeleteCheck);
    // An unreadable clip is reported like any handler's error and ends the
    // filling; the window is made all the same.
    CallGuarded([this] {
        TextStore->RefreshList();
        BitmapStore->ShowItem(1);
        UpdateCounter();
    });
}

void ScrapbookWindow::FormDestroy() {
    TextStore.reset();
    BitmapStore.reset();
}

// Opens flush against the main window's left edge, every time.
void ScrapbookWindow::FormShow() {
    RECT main = Form1->Bounds();
    RECT self = Bounds();
    MoveTo(main.left - (self.right - self.left), main.top);
}

ScrapbookWindow::Page ScrapbookWindow::ActivePage() const {
    return static_cast<Page>(SendMessageW(PageControl1, TCM_GETCURSEL, 0, 0));
}

void ScrapbookWindow::SetActivePage(Page page) {
    SendMessageW(PageControl1, TCM_SETCURSEL, page, 0);
    ShowPageControls();
}

void ScrapbookWindow::ShowPageControls() {
    Page page = ActivePage();
    auto show = [](HWND control, bool visible) { ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE); };
    show(ListBox1, page == kPageText);
    for (HWND control : {Bevel1, PaintBox1, Lab_curno, lab_num, Btn_ML, Btn_L, Btn_R, Btn_MR}) {
        show(control, page == kPageBitmap);
    }
    show(Memo_direct, page == kPageMemo);
}

void ScrapbookWindow::UpdateCounter() {
    int n = BitmapStore->Current();
    // A fresh empty store stands on clip 1 of 0.
    if (n == 1 && BitmapStore->Count() == 0) n = 0;
    SetCaption(Lab_curno, std::to_string(n) + " / " + std::to_string(BitmapStore->Count()));
    FitLabelToText(Lab_curno);
}

bool ScrapbookWindow::RegisterText(const std::string& text) {
    SetActivePage(kPageText);
    return TextStore->AddText(text);
}

void ScrapbookWindow::RegisterClipboardBitmap() {
    BitmapStore->AddFromClipboard();
    SetActivePage(kPageBitmap);
    UpdateCounter();
}

// --- TEXT page ---

void ScrapbookWindow::ListBox1Click() {
    std::string preview;
    TextStore->GetPreview(preview);
    hint_->SetText(preview);
}

void ScrapbookWindow::ListBox1DblClick() { TextStore->CopyToClipboard(); }

void ScrapbookWindow::ListBox1KeyDown(WORD& key) {
    if (key == kDeleteKey) TextStore->DeleteItem(textRows_->Selected());
    if (key == kSpaceKey) TextStore->CopyToClipboard();
}

int ScrapbookWindow::ListItemAt(int x, int y) const {
    if (SendMessageW(ListBox1, LB_GETCOUNT, 0, 0) <= 0) return -1;
    LRESULT r = SendMessageW(ListBox1, LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
    // The high word flags a point outside every item (below the last one).
    if (HIWORD(r) != 0) return -1;
    return LOWORD(r);
}

void ScrapbookWindow::ListBox1MouseMove(int x, int y) { DragFromIndex = ListItemAt(x, y); }

bool ScrapbookWindow::ListBox1DragOver(HWND source) const { return source == ListBox1; }

void ScrapbookWindow::ListBox1EndDrag(int x, int y) {
    int target = ListItemAt(x, y);
    // A cancelled or refused drop ends at (0, 0), which is where the topmost
    // visible item lies, so a drop onto that item counts as no drop at all.
    if (target == ListItemAt(0, 0)) return;
    if (target == -1 || DragFromIndex == -1 || target == DragFromIndex) return;
    TextStore->Exchange(target, DragFromIndex);
}

// --- BMP page ---

void ScrapbookWindow::PaintBox1Paint() {
    if (BitmapStore) BitmapStore->Paint();
}

// Unlike the copy button this leaves continuous registration on, so the
// picture comes back as a new clip when that is ticked.
void ScrapbookWindow::PaintBox1DblClick() { BitmapStore->CopyToClipboard(); }

void ScrapbookWindow::Btn_LClick() {
    BitmapStore->Prior();
    UpdateCounter();
}

void ScrapbookWindow::btn_RClick() {
    BitmapStore->Next();
    UpdateCounter();
}

void ScrapbookWindow::Btn_MLClick() {
    BitmapStore->First();
    UpdateCounter();
}

void ScrapbookWindow::Btn_MRClick() {
    BitmapStore->Last();
    UpdateCounter();
}

// --- Buttons and menu under the pages ---

void ScrapbookWindow::BtnCopyClick() {
    switch (ActivePage()) {
    case kPageText:
        TextStore->CopyToClipboard();
        break;
    case kPageBitmap:
        // With continuous registration on, the copy would come back as a new
        // clip through the main window's clipboard handler.
        if (Form3 && IsChecked(Form3->Check_BMP)) SetChecked(Form3->Check_BMP, false);
        BitmapStore->CopyToClipboard();
        break;
    case kPageMemo:
        SendMessageW(Memo_direct, WM_COPY, 0, 0);
        break;
    }
}

void ScrapbookWindow::PopCopyClick() {
    if (ActivePage() != kPageMemo) BtnCopyClick();
}

void ScrapbookWindow::BtnDeleteClick() {
    switch (ActivePage()) {
    case kPageText:
        TextStore->DeleteItem(textRows_->Selected());
        break;
    case kPageBitmap:
        BitmapStore->DeleteCurrent();
        UpdateCounter();
        break;
    case kPageMemo:
        SendMessageW(Memo_direct, WM_CLEAR, 0, 0);
        break;
    }
}

void ScrapbookWindow::PopDeleteClick() {
    if (ActivePage() != kPageMemo) BtnDeleteClick();
}

void ScrapbookWindow::BtnFileClick() {
    MainWindowGivesWay givesWay;
    switch (ActivePage()) {
    case kPageText: SaveTextClip(); break;
    case kPageBitmap: SaveBitmapClip(); break;
    case kPageMemo: SaveMemo(); break;
    }
}

void ScrapbookWindow::PopFileClick() { BtnFileClick(); }

std::optional<std::string> ScrapbookWindow::AskSaveName(const char* defaultExt, const char* filter,
                                               const std::string& initialDir) {
    SaveDialogRequest request;
    request.owner = Handle();
    request.defaultExt = defaultExt;
    request.filter = filter;
    request.initialDir = initialDir;
    return RunSaveDialog(request);
}

void ScrapbookWindow::SaveTextClip() {
    if (textRows_->Selected() < 0) return;
    auto name = AskSaveName("txt", kTextFilter, Form1->Path1);
    if (!name) return;
    TextStore->ExportToFile(*name, IsHtmlExportName(*name));
    Form1->Path1 = ExtractFilePath(*name);
}

void ScrapbookWindow::SaveBitmapClip() {
    if (BitmapStore->Current() <= 0 || BitmapStore->Count() <= 0) return;
    auto name = AskSaveName("bmp", kBitmapFilter, Form1->Path2);
    if (!name) return;
    BitmapStore->ExportToFile(*name);
    Form1->Path2 = ExtractFilePath(*name);
}

void ScrapbookWindow::SaveMemo() {
    int length = GetWindowTextLengthA(Memo_direct);
    if (length <= 0) return;
    // The memo's text is data like a clip's: bytes of the ANSI code page.
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    length = GetWindowTextA(Memo_direct, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    if (text.empty()) return;
    auto name = AskSaveName("txt", kMemoFilter, Form1->Path3);
    if (!name) return;
    folder_.WriteWholeFile(*name, JoinLinesCrLf(SplitLines(text)));
    Form1->Path3 = ExtractFilePath(*name);
}

// --- Dragging a list item onto another ---
//
// The list box tracks a press itself and moves the selection with the
// pointer; once the pointer has left the drag rectangle the list's tracking
// is ended and the drag takes over the capture. While dragging, the list
// gets no pointer movements of its own, so DragFromIndex keeps the item the
// drag began on.

LRESULT CALLBACK ScrapbookWindow::ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<ScrapbookWindow*>(data);
    bool handled = false;
    LRESULT result = 0;
    CallGuarded([&] { result = self->OnListBoxMessage(hwnd, msg, wParam, lParam, handled); });
    if (handled) return result;
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT ScrapbookWindow::OnListBoxMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    switch (msg) {
    case WM_LBUTTONDOWN: {
        handled = true;
        LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        if (drag_ == DragState::None && ListItemAt(x, y) >= 0) {
            drag_ = DragState::Pending;
            pressPoint_ = {x, y};
        }
        return r;
    }
    case WM_MOUSEMOVE:
        if (drag_ == DragState::None) {
            ListBox1MouseMove(x, y);
            return 0;  // handled stays false: the list does its own part
        }
        handled = true;
        if (drag_ == DragState::Pending) {
            RECT still{pressPoint_.x, pressPoint_.y, pressPoint_.x, pressPoint_.y};
            InflateRect(&still, GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG));
            if (PtInRect(&still, POINT{x, y})) return 0;
            // The list ends its own tracking at the press point, so the
            // pressed item stays selected.
            DefSubclassProc(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(pressPoint_.x, pressPoint_.y));
            SetCapture(hwnd);
            drag_ = DragState::Dragging;
        }
        {
            RECT client{};
            GetClientRect(hwnd, &client);
            bool accepted = PtInRect(&client, POINT{x, y}) && ListBox1DragOver(hwnd);
            SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(accepted ? IDC_ARROW : IDC_NO)));
        }
        return 0;
    case WM_LBUTTONUP:
        if (drag_ == DragState::Dragging) {
            handled = true;
            FinishDrag(false, x, y);
            return 0;
        }
        drag_ = DragState::None;
        return 0;
    case WM_CAPTURECHANGED:
        if (drag_ == DragState::Dragging && reinterpret_cast<HWND>(lParam) != hwnd) FinishDrag(true, 0, 0);
        return 0;
    case WM_KEYDOWN:
        if (drag_ == DragState::Dragging && wParam == VK_ESCAPE) {
            handled = true;
            FinishDrag(true, 0, 0);
        }
        return 0;
    case WM_CANCELMODE:
        if (drag_ == DragState::Dragging) FinishDrag(true, 0, 0);
        drag_ = DragState::None;
        return 0;
    }
    return 0;
}

void ScrapbookWindow::FinishDrag(bool cancelled, int x, int y) {
    drag_ = DragState::None;
    if (GetCapture() == ListBox1) ReleaseCapture();
    RECT client{};
    GetClientRect(ListBox1, &client);
    // Only the list itself takes the drop; anywhere else the drop is
    // refused, which ends the drag at (0, 0) like a cancel.
    if (cancelled || !PtInRect(&client, POINT{x, y}) || !ListBox1DragOver(ListBox1)) {
        x = 0;
        y = 0;
    }
    ListBox1EndDrag(x, y);
}

// --- Messages ---

void ScrapbookWindow::OnCommand(int id, int code, HWND control) {
    if (control == ListBox1) {
        if (code == LBN_SELCHANGE) ListBox1Click();
        if (code == LBN_DBLCLK) ListBox1DblClick();
        return;
    }
    if (control == PaintBox1) {
        if (code == STN_DBLCLK) PaintBox1DblClick();
        return;
    }
    if (control && code != BN_CLICKED) return;
    switch (id) {
    case kIdFirst: Btn_MLClick(); break;
    case kIdPrior: Btn_LClick(); break;
    case kIdNext: btn_RClick(); break;
    case kIdLast: Btn_MRClick(); break;
    case kIdFile: BtnFileClick(); break;
    case kIdDelete: BtnDeleteClick(); break;
    case kIdCopy: BtnCopyClick(); break;
    case kPopCopy: PopCopyClick(); break;
    case kPopFile: PopFileClick(); break;
    case kPopDelete: PopDeleteClick(); break;
    default: break;  // PopCancel only closes the menu
    }
}

void ScrapbookWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem == PaintBox1) {
        PaintBox1Paint();
        return;
    }
    GlyphButtonStyle style;
    DRAWITEMSTRUCT face = item;
    // The page's navigation buttons behave as speed buttons, which show no
    // keyboard focus.
    if (item.hwndItem != BtnFile) face.itemState &= ~static_cast<UINT>(ODS_FOCUS);
    if (item.hwndItem == Btn_ML) {
        style.glyph = &FirstClipGlyph();
    } else if (item.hwndItem == Btn_MR) {
        style.glyph = &LastClipGlyph();
    } else if (item.hwndItem == Btn_L) {
        style.caption = "<";
    } else if (item.hwndItem == Btn_R) {
        style.caption = ">";
    } else if (item.hwndItem == BtnFile) {
        style.glyph = &FloppyGlyph();
        style.disabledGlyph = &FloppyDisabledGlyph();
    }
    DrawGlyphButton(face, style);
}

bool ScrapbookWindow::OnContextMenu(HWND target, int x, int y) {
    if (target != ListBox1 && target != PaintBox1) return false;
    UINT id = TrackPopupMenuOver(PopupMenu1, Handle(), target, x, y);
    if (id != 0) OnCommand(static_cast<int>(id), 0, nullptr);
    return true;
}

void ScrapbookWindow::OnListKeyDown(HWND list, WORD& key) {
    if (list == ListBox1) ListBox1KeyDown(key);
}

std::optional<COLORREF> ScrapbookWindow::LabelTextColor(HWND label) const {
    if (label == Lab_curno) return RGB(0, 0, 0);
    return std::nullopt;
}

LRESULT ScrapbookWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
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
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace lumeret
