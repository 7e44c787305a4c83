#include "app/main_window_win32.h"

#include "app/main_window_glyphs.h"
#include "app/screen_center_win32.h"
#include "dib/hdc_canvas_win32.h"
#include "platform/controls_win32.h"
#include "platform/dropped_files_win32.h"
#include "platform/error_report.h"
#include "platform/glyph_button_win32.h"
#include "platform/popup_menu_win32.h"
#include "platform/speed_button_win32.h"
#include "platform/status_line_win32.h"
#include "platform/wide_win32.h"

namespace lumeret {

namespace {

enum ControlId {
    kIdAbout = 201,
    kIdSettings,
    kIdClear,
    kIdPreview,
    kIdPreviewOff,
    kIdPreviewFrame,
    kIdScrapbook,
    kIdRegister,
    kIdHistory,
    kIdStatus,
};

enum MenuId { kMenuCopy = 301, kMenuRegister, kMenuDelete, kMenuDeleteAll, kMenuCancel };

constexpr UINT_PTR kStatusTimer = 1;
constexpr UINT_PTR kClipboardWaitTimer = 2;
constexpr UINT kClipboardWaitRetry = WM_APP + 1;
constexpr UINT kAcceptDrops = WM_APP + 2;
constexpr UINT kStatusTimerMs = 1000;
constexpr int kListItemHeight = 12;
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);

// The window's controls, in creation order, at their client positions. The
// preview and its label lie inside the frame; siblings clip one another so
// the frame never paints over the picture.
struct ControlLayout {
    HWND MainWindow::Controls::*field;
    int id;
    const wchar_t* className;
    int left;
    int top;
    int width;
    int height;
    const char* caption;
    DWORD style;
};

// Neighbouring buttons share a line of pixels, which stays the later
// button's whichever of them paints last (see CreateControls).
constexpr DWORD kButton = BS_OWNERDRAW | WS_CLIPSIBLINGS;

constexpr ControlLayout kLayout[] = {
    {&MainWindow::Controls::aboutButton, kIdAbout, L"BUTTON", 8, 8, 17, 17, "?", kButton},
    {&MainWindow::Controls::settingsButton, kIdSettings, L"BUTTON", 24, 8, 17, 17, "", kButton},
    {&MainWindow::Controls::clearButton, kIdClear, L"BUTTON", 40, 8, 33, 17, "", kButton},
    {&MainWindow::Controls::previewBox, kIdPreview, L"STATIC", 80, 8, Preview::kSide, Preview::kSide, "",
     SS_OWNERDRAW | WS_CLIPSIBLINGS},
    {&MainWindow::Controls::previewOffLabel, kIdPreviewOff, L"STATIC", 117, 60, 36, 12, "非表示", WS_CLIPSIBLINGS},
    {&MainWindow::Controls::previewFrame, kIdPreviewFrame, L"STATIC", 79, 8, 114, 114, "",
     SS_ETCHEDFRAME | WS_CLIPSIBLINGS},
    {&MainWindow::Controls::scrapbookButton, kIdScrapbook, L"BUTTON", 8, 24, 65, 65, "", kButton},
    {&MainWindow::Controls::registerButton, kIdRegister, L"BUTTON", 8, 88, 65, 33, "登録", kButton},
    {&MainWindow::Controls::historyList, kIdHistory, L"LISTBOX", 0, 128, 201, 161, "",
     LBS_NOTIFY | LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_BORDER},
    {&MainWindow::Controls::statusLine, kIdStatus, kStatusLineClass, 0, 290, 202, 19, "", 0},
};

}  // namespace

MainWindow::MainWindow(AppCore& core) : core_(core) {
    CreateParams p;
    p.className = L"LumeretMainWindow";
    p.caption = "Lumeret";
    p.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    // The stored position is applied as it stands, unless no screen shows it.
    p.left = core_.CurrentSettings().left;
    p.top = core_.CurrentSettings().top;
    p.clientWidth = kClientWidth;
    p.clientHeight = kClientHeight;
    CreateWindowObject(p);
    // A left edge of CW_USEDEFAULT, the lowest integer, makes CreateWindowEx
    // choose the place itself and ignore the top: such a place is set after.
    if (p.left == CW_USEDEFAULT) MoveTo(p.left, p.top);
    BringOntoNearestMonitor(Handle());
    CreateControls();

    core_.Status().changed.Connect([this] { ShowStatus(); });
    core_.ClipboardPreview().changed.Connect([this] { ShowPreview(); });
    ShowPreview();

    clipboardWait_ = std::make_unique<ClipboardWait>(Handle(), kClipboardWaitRetry, kClipboardWaitTimer,
                                                     [this] { core_.OnClipboardReported(); });
}

MainWindow::~MainWindow() { watcher_.SetOnClipChange(nullptr); }

void MainWindow::ShowAtStart() {
    // The first clipboard handling runs while the window is about to show,
    // still hidden: even an error box it raises lets no click reach the
    // window before the scrapbook and the dialogs exist.
    Show();
    UpdateWindow(Handle());
    // Watching needs a hidden window of its own, so it starts once the window
    // shows. The notice sent at joining is reported: a change made since the
    // first handling is handled, one already handled is recognised as such.
    watcher_.SetIgnoreFirst(false);
    watcher_.SetOnClipChange([this](ClipboardWatcher&) { clipboardWait_->Notice(); });
    // The history list shows its own hint: the selected entry's preview.
    hint_ = std::make_unique<ControlHint>(Handle(), ui_.historyList);
    scrapbook_ = std::make_unique<ScrapbookWindow>(core_, Handle());
    about_ = std::make_unique<AboutDialog>(core_, Handle());
    settings_ = std::make_unique<SettingsDialog>(core_, Handle());
    CallGuarded([this] { core_.LoadClips(); });
}

void MainWindow::CreateControls() {
    RegisterStatusLineClass();
    for (const ControlLayout& c : kLayout) {
        ui_.*c.field = CreateControl({.parent = Handle(), .id = c.id, .className = c.className, .left = c.left,
                                      .top = c.top, .width = c.width, .height = c.height, .caption = c.caption,
                                      .style = c.style});
    }
    SetWindowPos(ui_.previewFrame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Each button lies above the ones made before it.
    for (HWND button : {ui_.aboutButton, ui_.settingsButton, ui_.clearButton, ui_.scrapbookButton,
                        ui_.registerButton}) {
        SetWindowPos(button, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RouteControlMessages(button);
    }
    SendMessageW(ui_.historyList, LB_SETITEMHEIGHT, 0, kListItemHeight);

    historyMenu_ = CreatePopupMenuOf({{kMenuCopy, "コピー(&C)"},
                                      {kMenuRegister, "登録(&A)"},
                                      {kMenuDelete, "削除(&D)"},
                                      {kMenuDeleteAll, "すべて削除(&X)"},
                                      {0, nullptr},
                                      {kMenuCancel, "キャンセル"}});
    historyView_ = std::make_unique<ListBoxView>(ui_.historyList, core_.HistoryRows());
}

// --- What the core holds, shown ---

void MainWindow::ShowStatus() {
    const StatusLine& status = core_.Status();
    SetCaption(ui_.statusLine, status.Text());
    // Setting the timer again restarts it.
    if (status.TimerRunning()) {
        SetTimer(Handle(), kStatusTimer, kStatusTimerMs, nullptr);
    } else {
        KillTimer(Handle(), kStatusTimer);
    }
}

std::string MainWindow::StatusText() const { return core_.Status().Text(); }

void MainWindow::ShowPreview() {
    const Preview& preview = core_.ClipboardPreview();
    SetWindowPos(ui_.previewBox, nullptr, 0, 0, preview.BoxSide(), preview.BoxSide(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(ui_.previewBox, nullptr, TRUE);
    ShowWindow(ui_.previewOffLabel, preview.OffLabelVisible() ? SW_SHOW : SW_HIDE);
    // A large picture is drawn before the program has finished reading it:
    // the box is painted now, not when the reading is over.
    UpdateWindow(ui_.previewBox);
}

void MainWindow::PaintPreview(const DRAWITEMSTRUCT& item) {
    const Preview& preview = core_.ClipboardPreview();
    const Rect& shown = preview.PictureRect();
    // Around the picture the box shows the window's own background.
    RECT box = item.rcItem;
    int saved = SaveDC(item.hDC);
    ExcludeClipRect(item.hDC, shown.Left, shown.Top, shown.Right, shown.Bottom);
    FillRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNFACE));
    RestoreDC(item.hDC, saved);
    // Only the part the last picture was drawn into shows.
    saved = SaveDC(item.hDC);
    IntersectClipRect(item.hDC, shown.Left, shown.Top, shown.Right, shown.Bottom);
    PaintMemoryCanvas(item.hDC, preview.Picture(), 0, 0);
    RestoreDC(item.hDC, saved);
}

// --- What the user does ---

std::unique_ptr<ModalScope> MainWindow::DialogScope() {
    return std::make_unique<ModalScope>(std::initializer_list<HWND>{Handle(), scrapbook_->Handle()}, [this] {
        if (core_.CurrentSettings().stayOnTop) SetTopmost(true);
    });
}

void MainWindow::EndAsClosed() {
    core_.KeepSwitchesOnClose();
    Hide();
    PostQuitMessage(0);
}

void MainWindow::ToggleScrapbook() {
    if (scrapbook_->Visible()) {
        scrapbook_->Hide();
    } else {
        scrapbook_->Open();
    }
}

void MainWindow::OnFilesDropped(HDROP drop) {
    for (const std::string& name : TakeDroppedFiles(drop)) core_.PutFileOnClipboard(name);
}

void MainWindow::SaveSettings() {
    AcceptDroppedFiles(Handle(), false);
    // A minimised window reports a position off every screen; its restored
    // place is what the next start should use.
    WINDOWPLACEMENT placement{sizeof(placement)};
    RECT bounds = Bounds();
    if (IsIconic(Handle()) && GetWindowPlacement(Handle(), &placement)) bounds = placement.rcNormalPosition;
    core_.SaveSettings(bounds.left, bounds.top);
}

void MainWindow::OnCommand(int id, int code, HWND control) {
    if (control == ui_.historyList) {
        if (code == LBN_SELCHANGE) {
            historyView_->TakeSelectionFromControl();
            hint_->SetText(core_.HistoryHint());
        }
        if (code == LBN_DBLCLK) core_.CopyHistoryEntry();
        return;
    }
    if (control && code != BN_CLICKED) return;
    switch (id) {
    case kIdAbout:
        SetTopmost(false);
        about_->Open(DialogScope());
        break;
    case kIdSettings:
        SetTopmost(false);
        settings_->Open(DialogScope());
        break;
    case kIdClear: core_.ClearClipboard(); break;
    case kIdScrapbook: ToggleScrapbook(); break;
    case kIdRegister: core_.Register(); break;
    case kIdStatus: core_.TellClipboardKind(); break;
    case kMenuCopy: core_.CopyHistoryEntry(); break;
    case kMenuRegister: core_.RegisterHistoryEntry(); break;
    case kMenuDelete: core_.DeleteHistoryEntry(); break;
    case kMenuDeleteAll: core_.DeleteAllHistoryEntries(); break;
    default: break;  // the menu's cancel only closes it
    }
}

void MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem == ui_.previewBox) {
        PaintPreview(item);
        return;
    }
    GlyphButtonStyle style;
    if (item.hwndItem == ui_.aboutButton) {
        style.caption = "?";
        style.textColor = kGreen;
    } else if (item.hwndItem == ui_.settingsButton) {
        style.glyph = &WrenchGlyph();
    } else if (item.hwndItem == ui_.clearButton) {
        style.glyph = &ClearGlyph();
    } else if (item.hwndItem == ui_.scrapbookButton) {
        style.glyph = &BookGlyph();
        style.disabledGlyph = &BookDisabledGlyph();
    } else if (item.hwndItem == ui_.registerButton) {
        style.caption = "登録";
        style.textColor = kBlue;
    }
    DrawGlyphButton(item, style);
}

bool MainWindow::OnContextMenu(HWND target, int x, int y) {
    if (target != ui_.historyList) return false;
    UINT id = TrackPopupMenuOver(historyMenu_.get(), Handle(), target, x, y);
    if (id != 0) OnCommand(static_cast<int>(id), 0, nullptr);
    return true;
}

void MainWindow::OnListKeyDown(HWND list, WORD key) {
    if (list == ui_.historyList && key == VK_DELETE) core_.DeleteHistoryEntry();
}

// The buttons are speed buttons: every press counts and none takes the focus.
std::optional<LRESULT> MainWindow::OnControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
    return HandleSpeedButtonMessage(control, msg, wParam, lParam);
}

bool MainWindow::HandleNavigationKey(MSG& msg) {
    if (scrapbook_->HandleNavigationKey(msg)) return true;
    // The two dialogs move the focus with Tab like any dialog.
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (root != about_->Handle() && root != settings_->Handle()) return false;
    return IsDialogMessageW(root, &msg) != FALSE;
}

std::optional<COLORREF> MainWindow::LabelTextColor(HWND label) const {
    if (label == ui_.previewOffLabel) return kGrey;
    return std::nullopt;
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SHOWWINDOW:
        // Each time the window becomes visible it brings everything in line
        // with the clipboard, and takes dropped files once it shows.
        if (wParam) core_.HandleClipboardChange();
        break;
    case WM_WINDOWPOSCHANGED:
        // Taking files loads the shell's library the first time, so it waits
        // until the window is on the screen: also past an error box the
        // clipboard's first reading showed while the window was still hidden.
        if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) {
            PostMessageW(Handle(), kAcceptDrops, 0, 0);
        }
        break;
    case kAcceptDrops:
        if (IsWindowVisible(Handle())) AcceptDroppedFiles(Handle(), true);
        return 0;
    case WM_SETFOCUS:
        // The history list is the one control here that takes the focus.
        SetFocus(ui_.historyList);
        return 0;
    case WM_CLOSE:
        EndAsClosed();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // Logging off, shutting down, or the system closing the program to
        // replace a file it uses: the process may be ended any time after
        // this answer. The viewer chain is left at once, so that the viewers
        // after this one go on hearing of changes; the settings are kept as a
        // close keeps them, and the program ends as a close ends it.
        if (wParam) {
            watcher_.SetOnClipChange(nullptr);
            EndAsClosed();
            SaveSettings();
        }
        return 0;
    case WM_TIMER:
        if (wParam == kStatusTimer) core_.StatusTick();
        if (wParam == kClipboardWaitTimer) clipboardWait_->OnRetry();
        return 0;
    case kClipboardWaitRetry:
        clipboardWait_->OnRetry();
        return 0;
    case WM_DROPFILES:
        OnFilesDropped(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace lumeret
