#include "scrapbook/scrapbook_window_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "dib/hdc_canvas_win32.h"
#include "platform/common_controls_win32.h"
#include "platform/controls_win32.h"
#include "platform/errors.h"
#include "platform/glyph_button_win32.h"
#include "platform/popup_menu_win32.h"
#include "platform/speed_button_win32.h"
#include "platform/text.h"
#include "platform/wide_win32.h"
#include "scrapbook/save_dialog_win32.h"
#include "scrapbook/scrapbook_glyphs.h"

namespace lumeret {

namespace {

enum ControlId {
    kIdPages = 401,
    kIdTextClips,
    kIdPictureFrame,
    kIdPicture,
    kIdCounter,
    kIdSpareLabel,
    kIdFirst,
    kIdPrior,
    kIdNext,
    kIdLast,
    kIdMemo,
    kIdSave,
    kIdDelete,
    kIdCopy,
};

enum MenuId { kMenuCopy = 451, kMenuSave, kMenuDelete, kMenuCancel };

// Posted when the program has selected a text clip.
constexpr UINT kSelectedClipHint = WM_APP + 1;

constexpr const char* kPageCaptions[] = {"TEXT", "BMP", "MEMO"};

constexpr int kPagesWidth = 217;
constexpr int kPagesHeight = 281;
constexpr int kListItemHeight = 12;
constexpr int kCounterFontHeight = 16;
constexpr int kDamagedClipMargin = 8;

constexpr char kTextFilter[] = "テキストファイル (*.txt)|*.txt|HTML文書 (*.htm)|*.htm";
constexpr char kBitmapFilter[] = "ビットマップファイル (*.bmp)|*.bmp";
constexpr char kMemoFilter[] = "テキストファイル (*.txt)|*.txt";

// Where a control sits: on the window, or on a page.
enum class Host { TextPage, BitmapPage, MemoPage, Window };

struct ControlLayout {
    HWND ScrapbookWindow::Controls::*field;
    int id;
    Host host;
    int left;
    int top;
    int width;
    int height;
    const wchar_t* className;
    const char* caption;
    DWORD style;
};

// Creation order is the stacking order: the page controls, then copy, delete
// and save under the pages. Only the list, the memo and the buttons under the
// pages take the focus; the page's navigation buttons are speed buttons.
constexpr ControlLayout kLayout[] = {
    {&ScrapbookWindow::Controls::textClipList, kIdTextClips, Host::TextPage, 0, 0, 209, 249, L"LISTBOX", "",
     LBS_NOTIFY | LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_BORDER},
    // The picture lies inside the frame; siblings clip one another so the
    // frame never paints over it.
    {&ScrapbookWindow::Controls::pictureBox, kIdPicture, Host::BitmapPage, 8, 8, AppCore::kBitmapFrameSide,
     AppCore::kBitmapFrameSide, L"STATIC", "", SS_OWNERDRAW | SS_NOTIFY},
    {&ScrapbookWindow::Controls::pictureFrame, kIdPictureFrame, Host::BitmapPage, 6, 7, 196, 196, L"STATIC", "",
     SS_ETCHEDFRAME},
    {&ScrapbookWindow::Controls::counter, kIdCounter, Host::BitmapPage, 16, 223, 40, 16, L"STATIC", "0 / 0",
     SS_LEFTNOWORDWRAP | SS_NOPREFIX},
    {&ScrapbookWindow::Controls::spareLabel, kIdSpareLabel, Host::BitmapPage, 152, 248, 4, 12, L"STATIC", "",
     SS_LEFT},
    {&ScrapbookWindow::Controls::firstButton, kIdFirst, Host::BitmapPage, 104, 216, 17, 33, L"BUTTON", "",
     BS_OWNERDRAW},
    {&ScrapbookWindow::Controls::priorButton, kIdPrior, Host::BitmapPage, 120, 216, 33, 33, L"BUTTON", "<",
     BS_OWNERDRAW},
    {&ScrapbookWindow::Controls::nextButton, kIdNext, Host::BitmapPage, 152, 216, 33, 33, L"BUTTON", ">",
     BS_OWNERDRAW},
    {&ScrapbookWindow::Controls::lastButton, kIdLast, Host::BitmapPage, 184, 216, 17, 33, L"BUTTON", "",
     BS_OWNERDRAW},
    {&ScrapbookWindow::Controls::memo, kIdMemo, Host::MemoPage, 0, 0, 209, 252, L"EDIT", "",
     ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_BORDER | WS_TABSTOP},
    {&ScrapbookWindow::Controls::copyButton, kIdCopy, Host::Window, 96, 280, 121, 33, L"BUTTON", "コピー",
     BS_PUSHBUTTON | WS_TABSTOP},
    {&ScrapbookWindow::Controls::deleteButton, kIdDelete, Host::Window, 48, 280, 49, 33, L"BUTTON", "削除",
     BS_PUSHBUTTON | WS_TABSTOP},
    {&ScrapbookWindow::Controls::saveButton, kIdSave, Host::Window, 0, 280, 49, 33, L"BUTTON", "",
     BS_OWNERDRAW | WS_TABSTOP},
};

// Makes the main window an ordinary one while a save dialog may be open, and
// stay-on-top again afterwards when its setting says so, however the save
// ended.
class MainWindowGivesWay {
public:
    MainWindowGivesWay(HWND mainWindow, const AppCore& core) : mainWindow_(mainWindow), core_(core) {
        SetWindowPos(mainWindow_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    MainWindowGivesWay(const MainWindowGivesWay&) = delete;
    MainWindowGivesWay& operator=(const MainWindowGivesWay&) = delete;
    ~MainWindowGivesWay() {
        if (core_.CurrentSettings().stayOnTop) {
            SetWindowPos(mainWindow_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }

private:
    HWND mainWindow_;
    const AppCore& core_;
};

// The counter grows and shrinks with its text, as a label does that sizes
// itself; a fixed width would cut "12 / 34" or wrap it out of sight.
void FitLabelToText(HWND label) {
    SIZE size = TextExtent(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), Caption(label));
    SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(label, nullptr, TRUE);
}

// A clip that cannot be read: its file's name and why, on a white ground, so
// that the user sees which file it is and can delete it.
void PaintDamagedClip(HDC dc, const RECT& box, const std::string& name, const std::string& reason) {
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT text = box;
    InflateRect(&text, -kDamagedClipMargin, -kDamagedClipMargin);
    const std::wstring lines = FromCp932(name + "\r\n\r\n" + reason);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SelectGuard font(dc, UiFont());  // the font of the page's other texts
    DrawTextW(dc, lines.c_str(), static_cast<int>(lines.size()), &text,
              DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
}

}  // namespace

ScrapbookWindow::ScrapbookWindow(AppCore& core, HWND mainWindow) : core_(core), mainWindow_(mainWindow) {
    CreateParams p;
    p.className = L"LumeretScrapbook";
    p.caption = "スクラップブック";
    p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    p.exStyle = WS_EX_TOOLWINDOW;
    p.clientWidth = kClientWidth;
    p.clientHeight = kClientHeight;
    CreateWindowObject(p);
    CreateControls();

    textClipView_ = std::make_unique<ListBoxView>(ui_.textClipList, core_.TextClipRows());
    // A row selected by the program (the clip moved up into a deleted one's
    // place, a text registered again) takes the hint as a click does; once
    // the operation is over, since the hint reads the clip.
    textClipView_->OnSelectionSet([this] { PostMessageW(Handle(), kSelectedClipHint, 0, 0); });
    core_.BitmapClips().changed.Connect([this] { ShowBitmapClip(); });
    ShowBitmapClip();
    core_.pageWanted.Connect([this](ScrapbookPage page) { SetActivePage(page); });
}

ScrapbookWindow::~ScrapbookWindow() = default;

void ScrapbookWindow::CreateControls() {
    HWND self = Handle();
    // The tabs come first in the stacking and the tab order; their pages are
    // their children, so each page's controls paint and clip within it.
    LoadCommonControls();
    ui_.pages = CreateControl({.parent = self, .id = kIdPages, .className = WC_TABCONTROLW, .left = 0, .top = 0,
                               .width = kPagesWidth, .height = kPagesHeight,
                               .style = WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP});
    for (int i = 0; i < 3; ++i) {
        std::wstring caption = FromCp932(kPageCaptions[i]);
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = caption.data();
        item.lParam = i;  // the page's tag
        SendMessageW(ui_.pages, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
        pageWindows_[i] = std::make_unique<PageWindow>(ui_.pages, self);
    }
    ui_.textPage = pageWindows_[0]->Handle();
    ui_.bitmapPage = pageWindows_[1]->Handle();
    ui_.memoPage = pageWindows_[2]->Handle();

    for (const ControlLayout& c : kLayout) {
        HWND parent = c.host == Host::Window ? self : pageWindows_[static_cast<int>(c.host)]->Handle();
        ControlParams params{.parent = parent,
                             .id = c.id,
                             .className = c.className,
                             .left = c.left,
                             .top = c.top,
                             .width = c.width,
                             .height = c.height,
                             .caption = c.caption,
                             .style = c.style | WS_CLIPSIBLINGS};
        if (c.id == kIdCounter) params.font = MakeFont("ＭＳ Ｐゴシック", kCounterFontHeight, true);
        ui_.*c.field = CreateControl(params);
    }
    SetWindowPos(ui_.pictureFrame, ui_.pictureBox, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(ui_.textClipList, LB_SETITEMHEIGHT, 0, kListItemHeight);
    SendMessageW(ui_.memo, EM_SETLIMITTEXT, 0, 0);
    for (HWND routed : {ui_.textClipList, ui_.firstButton, ui_.priorButton, ui_.nextButton, ui_.lastButton,
                        ui_.saveButton}) {
        RouteControlMessages(routed);
    }

    clipMenu_ = CreatePopupMenuOf({{kMenuCopy, "コピー(&C)"},
                                   {kMenuSave, "ファイル出力(&F)"},
                                   {kMenuDelete, "削除(&D)"},
                                   {0, nullptr},
                                   {kMenuCancel, "キャンセル"}});
    // The list shows its own hint: the selected clip's first lines.
    hint_ = std::make_unique<ControlHint>(ui_.textPage, ui_.textClipList);
    ShowPageControls();
}

void ScrapbookWindow::Open() {
    PlaceBesideMainWindow();
    Show();
}

// Flush against the main window's left edge. Where that would leave the
// main window's screen, against the right edge instead, and always within
// the screen's work area.
void ScrapbookWindow::PlaceBesideMainWindow() {
    RECT main{};
    GetWindowRect(mainWindow_, &main);
    MONITORINFO monitor{sizeof(monitor)};
    GetMonitorInfoW(MonitorFromWindow(mainWindow_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    RECT self = Bounds();
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    int left = main.left - width;
    if (left < work.left) left = main.right;
    left = std::clamp<int>(left, work.left, std::max<int>(work.left, work.right - width));
    const int top = std::clamp<int>(main.top, work.top, std::max<int>(work.top, work.bottom - height));
    MoveTo(left, top);
}

ScrapbookPage ScrapbookWindow::ActivePage() const {
    return static_cast<ScrapbookPage>(SendMessageW(ui_.pages, TCM_GETCURSEL, 0, 0));
}

void ScrapbookWindow::SetActivePage(ScrapbookPage page) {
    SendMessageW(ui_.pages, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    ShowPageControls();
}

void ScrapbookWindow::ShowPageControls() {
    const int active = static_cast<int>(ActivePage());
    for (int i = 0; i < 3; ++i) ShowWindow(pageWindows_[i]->Handle(), i == active ? SW_SHOWNA : SW_HIDE);
    // Keys act on the page on show: the focus leaves a page turned away.
    HWND focus = GetFocus();
    for (int i = 0; i < 3; ++i) {
        if (i != active && focus && IsChild(pageWindows_[i]->Handle(), focus)) SetFocus(ui_.pages);
    }
}

std::vector<HWND> ScrapbookWindow::TabOrder() const {
    std::vector<HWND> order{ui_.pages};
    if (ActivePage() == ScrapbookPage::Text) order.push_back(ui_.textClipList);
    if (ActivePage() == ScrapbookPage::Memo) order.push_back(ui_.memo);
    order.insert(order.end(), {ui_.copyButton, ui_.deleteButton, ui_.saveButton});
    return order;
}

bool ScrapbookWindow::HandleNavigationKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
    if (GetAncestor(msg.hwnd, GA_ROOT) != Handle()) return false;
    const bool backwards = GetKeyState(VK_SHIFT) < 0;
    if (GetKeyState(VK_CONTROL) < 0) {
        const int count = 3;
        const int page = (static_cast<int>(ActivePage()) + (backwards ? count - 1 : 1)) % count;
        SetActivePage(static_cast<ScrapbookPage>(page));
        return true;
    }
    std::vector<HWND> order = TabOrder();
    auto at = std::find(order.begin(), order.end(), GetFocus());
    std::size_t next = 0;
    if (at != order.end()) {
        const std::size_t here = static_cast<std::size_t>(at - order.begin());
        next = backwards ? (here + order.size() - 1) % order.size() : (here + 1) % order.size();
    }
    SetFocus(order[next]);
    return true;
}

// The box takes the clip's size, passing through 0 x 0 so that it repaints
// even when the new clip has the old one's size; the counter follows.
void ScrapbookWindow::ShowBitmapClip() {
    const BitmapClipStore& clips = core_.BitmapClips();
    SetWindowPos(ui_.pictureBox, nullptr, 0, 0, clips.BoxWidth(), clips.BoxHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(ui_.pictureBox, nullptr, FALSE);
    SetCaption(ui_.counter, clips.CounterText());
    FitLabelToText(ui_.counter);
}

// --- TEXT page ---

int ScrapbookWindow::ListItemAt(int x, int y) const { return ListBoxItemAt(ui_.textClipList, x, y); }

void ScrapbookWindow::DropListItem(int x, int y) {
    int target = ListItemAt(x, y);
    // A cancelled or refused drop ends at (0, 0), which is where the topmost
    // visible item lies, so a drop onto that item counts as no drop at all.
    if (target == ListItemAt(0, 0)) return;
    if (target == -1 || dragFromIndex_ == -1 || target == dragFromIndex_) return;
    core_.ExchangeTextClips(target, dragFromIndex_);
}

// --- Buttons and menu under the pages ---

void ScrapbookWindow::Copy() {
    switch (ActivePage()) {
    case ScrapbookPage::Text: core_.CopyTextClip(); break;
    case ScrapbookPage::Bitmap: core_.CopyBitmapClip(); break;
    case ScrapbookPage::Memo: SendMessageW(ui_.memo, WM_COPY, 0, 0); break;
    }
}

void ScrapbookWindow::Delete() {
    switch (ActivePage()) {
    case ScrapbookPage::Text: core_.DeleteTextClip(); break;
    case ScrapbookPage::Bitmap: core_.DeleteBitmapClip(); break;
    case ScrapbookPage::Memo: SendMessageW(ui_.memo, WM_CLEAR, 0, 0); break;
    }
}

void ScrapbookWindow::Save() {
    MainWindowGivesWay givesWay(mainWindow_, core_);
    switch (ActivePage()) {
    case ScrapbookPage::Text: SaveTextClip(); break;
    case ScrapbookPage::Bitmap: SaveBitmapClip(); break;
    case ScrapbookPage::Memo: SaveMemo(); break;
    }
}

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
    const int clip = core_.TextClipRows().Selected();
    if (clip < 0) return;
    auto name = AskSaveName("txt", kTextFilter, core_.CurrentSettings().textExportFolder);
    if (name) core_.ExportTextClip(clip, *name);
}

void ScrapbookWindow::SaveBitmapClip() {
    const BitmapClipStore& clips = core_.BitmapClips();
    const int clip = clips.Current();
    if (clip <= 0 || clips.Count() <= 0) return;
    auto name = AskSaveName("bmp", kBitmapFilter, core_.CurrentSettings().bitmapExportFolder);
    if (name) core_.ExportBitmapClip(clip, *name);
}

void ScrapbookWindow::SaveMemo() {
    int length = GetWindowTextLengthA(ui_.memo);
    if (length <= 0) return;
    // The memo's text is data like a clip's: bytes of the ANSI code page.
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    length = GetWindowTextA(ui_.memo, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    if (text.empty()) return;
    auto name = AskSaveName("txt", kMemoFilter, core_.CurrentSettings().memoExportFolder);
    if (name) core_.SaveMemo(*name, text);
}

// --- Dragging a list item onto another ---
//
// The list box tracks a press itself and moves the selection with the
// pointer; once the pointer has left the drag rectangle the list's tracking
// is ended and the drag takes over the capture. While dragging, the list
// gets no pointer movements of its own, so dragFromIndex_ keeps the item the
// drag began on.

std::optional<LRESULT> ScrapbookWindow::OnControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (control == ui_.textClipList) return OnListMessage(msg, wParam, lParam);
    if (control == ui_.saveButton) return HandleQuickSecondPress(control, msg, wParam, lParam);
    return HandleSpeedButtonMessage(control, msg, wParam, lParam);
}

std::optional<LRESULT> ScrapbookWindow::OnListMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND list = ui_.textClipList;
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    switch (msg) {
    case WM_LBUTTONDOWN: {
        LRESULT r = ControlDefault(list, msg, wParam, lParam);
        if (drag_ == DragState::None && ListItemAt(x, y) >= 0) {
            drag_ = DragState::Pending;
            pressPoint_ = {x, y};
            // The pointer may not have moved since the list scrolled under it.
            dragFromIndex_ = ListItemAt(x, y);
        }
        return r;
    }
    case WM_MOUSEMOVE:
        if (drag_ == DragState::None) {
            dragFromIndex_ = ListItemAt(x, y);
            return std::nullopt;  // the list does its own part
        }
        if (drag_ == DragState::Pending) {
            RECT still{pressPoint_.x, pressPoint_.y, pressPoint_.x, pressPoint_.y};
            InflateRect(&still, GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG));
            if (PtInRect(&still, POINT{x, y})) return 0;
            // The list ends its own tracking at the press point, so the
            // pressed item stays selected.
            ControlDefault(list, WM_LBUTTONUP, 0, MAKELPARAM(pressPoint_.x, pressPoint_.y));
            SetCapture(list);
            drag_ = DragState::Dragging;
        }
        {
            RECT client{};
            GetClientRect(list, &client);
            bool accepted = PtInRect(&client, POINT{x, y}) != FALSE;
            SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(accepted ? IDC_ARROW : IDC_NO)));
        }
        return 0;
    case WM_LBUTTONUP:
        if (drag_ == DragState::Dragging) {
            FinishDrag(false, x, y);
            return 0;
        }
        drag_ = DragState::None;
        return std::nullopt;
    case WM_CAPTURECHANGED:
        if (drag_ == DragState::Dragging && reinterpret_cast<HWND>(lParam) != list) FinishDrag(true, 0, 0);
        // A press whose release the list will not see (a menu took the
        // pointer) starts no drag; a pending drag turning into one releases
        // the list's own capture first and is set to dragging afterwards.
        if (drag_ == DragState::Pending) drag_ = DragState::None;
        return std::nullopt;
    case WM_KEYDOWN:
        if (drag_ == DragState::Dragging && wParam == VK_ESCAPE) {
            FinishDrag(true, 0, 0);
            return 0;
        }
        return std::nullopt;
    case WM_CANCELMODE:
        if (drag_ == DragState::Dragging) FinishDrag(true, 0, 0);
        drag_ = DragState::None;
        return std::nullopt;
    }
    return std::nullopt;
}

void ScrapbookWindow::FinishDrag(bool cancelled, int x, int y) {
    drag_ = DragState::None;
    if (GetCapture() == ui_.textClipList) ReleaseCapture();
    RECT client{};
    GetClientRect(ui_.textClipList, &client);
    // Only the list itself takes the drop; anywhere else the drop is
    // refused, which ends the drag at (0, 0) like a cancel.
    if (cancelled || !PtInRect(&client, POINT{x, y})) {
        x = 0;
        y = 0;
    }
    DropListItem(x, y);
}

// --- Messages ---

void ScrapbookWindow::OnCommand(int id, int code, HWND control) {
    if (control == ui_.textClipList) {
        if (code == LBN_SELCHANGE) {
            textClipView_->TakeSelectionFromControl();
            hint_->SetText(core_.TextClipHint());
        }
        if (code == LBN_DBLCLK) core_.CopyTextClip();
        return;
    }
    if (control == ui_.pictureBox) {
        // Unlike the copy button this leaves continuous registration on, so
        // the picture comes back as a new clip when that is ticked.
        if (code == STN_DBLCLK) core_.BitmapClips().CopyToClipboard();
        return;
    }
    if (control && code != BN_CLICKED) return;
    BitmapClipStore& clips = core_.BitmapClips();
    switch (id) {
    case kIdFirst: clips.First(); break;
    case kIdPrior: clips.Prior(); break;
    case kIdNext: clips.Next(); break;
    case kIdLast: clips.Last(); break;
    case kIdSave:
    case kMenuSave: Save(); break;
    case kIdDelete: Delete(); break;
    case kIdCopy: Copy(); break;
    // The menu opens only over the text list and the picture.
    case kMenuCopy:
        if (ActivePage() != ScrapbookPage::Memo) Copy();
        break;
    case kMenuDelete:
        if (ActivePage() != ScrapbookPage::Memo) Delete();
        break;
    default: break;  // the menu's cancel only closes it
    }
}

void ScrapbookWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem == ui_.pictureBox) {
        const BitmapClipStore& clips = core_.BitmapClips();
        if (clips.DamagedName().empty()) {
            PaintMemoryCanvas(item.hDC, clips.Shown(), 0, 0);
        } else {
            PaintDamagedClip(item.hDC, item.rcItem, clips.DamagedName(), clips.DamageReason());
        }
        return;
    }
    GlyphButtonStyle style;
    DRAWITEMSTRUCT face = item;
    // The page's navigation buttons behave as speed buttons, which show no
    // keyboard focus.
    if (item.hwndItem != ui_.saveButton) face.itemState &= ~static_cast<UINT>(ODS_FOCUS);
    if (item.hwndItem == ui_.firstButton) {
        style.glyph = &FirstClipGlyph();
    } else if (item.hwndItem == ui_.lastButton) {
        style.glyph = &LastClipGlyph();
    } else if (item.hwndItem == ui_.priorButton) {
        style.caption = "<";
    } else if (item.hwndItem == ui_.nextButton) {
        style.caption = ">";
    } else if (item.hwndItem == ui_.saveButton) {
        style.glyph = &FloppyGlyph();
        style.disabledGlyph = &FloppyDisabledGlyph();
    }
    DrawGlyphButton(face, style);
}

bool ScrapbookWindow::OnContextMenu(HWND target, int x, int y) {
    if (target != ui_.textClipList && target != ui_.pictureBox) return false;
    UINT id = TrackPopupMenuOver(clipMenu_.get(), Handle(), target, x, y);
    if (id != 0) OnCommand(static_cast<int>(id), 0, nullptr);
    return true;
}

// A clip that cannot be read now leaves the hint empty: it is reported when
// the user acts on it, not by a hint nobody asked for.
void ScrapbookWindow::ShowSelectedClipHint() {
    try {
        hint_->SetText(core_.TextClipHint());
    } catch (const Exception&) {
        hint_->SetText(UserText());
    }
}

void ScrapbookWindow::OnListKeyDown(HWND list, WORD key) {
    if (list != ui_.textClipList) return;
    if (key == VK_DELETE) core_.DeleteTextClip();
    if (key == VK_SPACE) core_.CopyTextClip();
}

LRESULT ScrapbookWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ACTIVATE:
        focus_.OnActivate(Handle(), wParam);
        break;
    case WM_SETFOCUS:
        // The focus comes back where it was, or to the tabs.
        focus_.GiveBack(ui_.pages);
        return 0;
    case WM_CLOSE:  // closing only hides the window
        Hide();
        return 0;
    case kSelectedClipHint:
        ShowSelectedClipHint();
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == ui_.pages && header->code == TCN_SELCHANGE) ShowPageControls();
        break;
    }
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace lumeret
