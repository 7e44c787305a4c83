#include "app/main_window_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "app/about_dialog_win32.h"
#include "app/forms_win32.h"
#include "app/glyph_button_win32.h"
#include "app/settings_dialog_win32.h"
#include "app/profile_win32.h"
#include "app/program_folder_win32.h"
#include "app/settings.h"
#include "app/status_texts.h"
#include "platform/clip_folder.h"
#include "platform/clipboard_session_win32.h"
#include "platform/control_hint_win32.h"
#include "platform/controls_win32.h"
#include "platform/errors.h"
#include "platform/handles_win32.h"
#include "platform/popup_menu_win32.h"
#include "platform/prompts_win32.h"
#include "platform/text.h"
#include "platform/wide_win32.h"
#include "scrapbook/scrapbook_window_win32.h"

namespace lumeret {

namespace {

enum ControlId {
    kIdAbout = 201,
    kIdSettings,
    kIdClear,
    kIdPaintBox,
    kIdMinOr,
    kIdBevel,
    kIdBook,
    kIdAdd,
    kIdList,
    kIdStatus,
};

enum MenuId { kPopCopy = 301, kPopAdd, kPopDelete, kPopAllDelete, kPopCancel };

constexpr UINT_PTR kStatusTimer = 1;
constexpr UINT kStatusTimerMs = 1000;
constexpr int kStatusClearTicks = 2;  // cleared on the tick after this many
constexpr int kPreviewSize = 113;
constexpr WORD kDeleteKey = VK_DELETE;
constexpr UINT kAllDroppedFiles = 0xFFFFFFFF;
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);

// Gives back the drop handle however the drop's handling ends.
class DropGuard {
public:
    explicit DropGuard(HDROP drop) : drop_(drop) {}
    DropGuard(const DropGuard&) = delete;
    DropGuard& operator=(const DropGuard&) = delete;
    ~DropGuard() { DragFinish(drop_); }

private:
    HDROP drop_;
};

}  // namespace

MainWindow::MainWindow() : clipboard_(nullptr) {
    CreateParams p;
    p.className = L"LumeretMainWindow";
    p.caption = "Lumeret";
    p.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    p.left = 0;
    p.top = 0;
    p.clientWidth = 202;
    p.clientHeight = 309;
    CreateWindowObject(p);
    clipboard_ = ClipboardWin32(Handle());
    CreateControls();
    FormCreate();
    // The notice sent while joining is swallowed: the handler needs windows
    // that do not exist yet. FormShow runs the handler instead.
    VyClipDetector1.SetOnClipChange([this](ClipboardWatcher&) { OnClipboardReported(); });
}

MainWindow::~MainWindow() {
    VyClipDetector1.SetOnClipChange(nullptr);
    History.reset();
}

void MainWindow::CreateControls() {
    HWND self = Handle();
    btn_about = CreateControl({.parent = self, .id = kIdAbout, .className = L"BUTTON", .left = 8, .top = 8,
                               .width = 17, .height = 17, .caption = "?", .style = BS_OWNERDRAW});
    SpeedButton1 = CreateControl({.parent = self, .id = kIdSettings, .className = L"BUTTON", .left = 24, .top = 8,
                                  .width = 17, .height = 17, .style = BS_OWNERDRAW});
    btn_cl = CreateControl({.parent = self, .id = kIdClear, .className = L"BUTTON", .left = 40, .top = 8, .width = 33,
                            .height = 17, .style = BS_OWNERDRAW});
    // The preview and its label lie inside the frame; siblings clip one
    // another so the frame never paints over the picture.
    PaintBox1 = CreateControl({.parent = self, .id = kIdPaintBox, .className = L"STATIC", .left = 80, .top = 8,
                               .width = kPreviewSize, .height = kPreviewSize,
                               .style = SS_OWNERDRAW | WS_CLIPSIBLINGS});
    Lab_MinOr = CreateControl({.parent = self, .id = kIdMinOr, .className = L"STATIC", .left = 117, .top = 60,
                               .width = 36, .height = 12, .caption = "非表示", .style = WS_CLIPSIBLINGS});
    ShowWindow(Lab_MinOr, SW_HIDE);
    Bevel1 = CreateControl({.parent = self, .id = kIdBevel, .className = L"STATIC", .left = 79, .top = 8,
                            .width = 114, .height = 114, .style = SS_ETCHEDFRAME | WS_CLIPSIBLINGS});
    SetWindowPos(Bevel1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    btn_book = CreateControl({.parent = self, .id = kIdBook, .className = L"BUTTON", .left = 8, .top = 24,
                              .width = 65, .height = 65, .style = BS_OWNERDRAW});
    btn_add = CreateControl({.parent = self, .id = kIdAdd, .className = L"BUTTON", .left = 8, .top = 88, .width = 65,
                             .height = 33, .caption = "登録", .style = BS_OWNERDRAW});
    ListBox1 = CreateControl({.parent = self, .id = kIdList, .className = L"LISTBOX", .left = 0, .top = 128,
                              .width = 201, .height = 161,
                              .style = LBS_NOTIFY | LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                                       WS_TABSTOP | WS_BORDER});
    SendMessageW(ListBox1, LB_SETITEMHEIGHT, 0, 12);
    AlarmBar = CreateControl({.parent = self, .id = kIdStatus, .className = STATUSCLASSNAMEW, .left = 0, .top = 290,
                              .width = 202, .height = 19, .style = CCS_NORESIZE | CCS_NOPARENTALIGN});
    SendMessageW(AlarmBar, SB_SIMPLE, TRUE, 0);
    SetFocus(ListBox1);

    PopupMenu1 = CreatePopupMenuOf({{kPopCopy, "コピー(&C)"},
                                    {kPopAdd, "登録(&A)"},
                                    {kPopDelete, "削除(&D)"},
                                    {kPopAllDelete, "すべて削除(&X)"},
                                    {0, nullptr},
                                    {kPopCancel, "キャンセル"}});
    // The history list shows its own hint: the selected entry's preview.
    hint_ = std::make_unique<ControlHint>(self, ListBox1);
}

void MainWindow::FormCreate() {
    listRows_ = std::make_unique<ListBoxWin32>(ListBox1);
    History = std::make_unique<ClipboardHistory>(*listRows_, clipboard_);

    {
        WindowDc screen(nullptr);
        PreviewBitmap.reset(CreateCompatibleBitmap(screen.get(), kPreviewSize, kPreviewSize));
    }
    ShowingBitmap = false;
    PreviewRect = {};
    SetPaintBoxSize(0, 0);  // no preview until a bitmap comes

    IniProfile profile(SettingsFilePath());
    Settings settings = ReadSettings(profile);
    // The stored position is applied as it stands.
    MoveTo(settings.left, settings.top);
    Path1 = settings.path1;
    Path2 = settings.path2;
    Path3 = settings.path3;
    NonPreview = settings.nonPreview;
    StayOnTop = settings.stayOnTop;
    DeleteCheck = settings.deleteCheck;
}

void MainWindow::FormShow() {
    DragAcceptFiles(Handle(), TRUE);
    VyClipDetector1ClipChange();
}

void MainWindow::FormCloseQuery() {
    NonPreview = OnOff(IsChecked(Form3->Check_Preview));
    StayOnTop = OnOff(IsChecked(Form3->Check_TOP));
}

void MainWindow::FormDestroy() {
    DragAcceptFiles(Handle(), FALSE);
    Settings s;
    // A minimised window reports a position off every screen; its restored
    // place is what the next start should use.
    WINDOWPLACEMENT placement{sizeof(placement)};
    RECT bounds = Bounds();
    if (IsIconic(Handle()) && GetWindowPlacement(Handle(), &placement)) bounds = placement.rcNormalPosition;
    s.left = bounds.left;
    s.top = bounds.top;
    s.path1 = Path1;
    s.path2 = Path2;
    s.path3 = Path3;
    s.nonPreview = NonPreview;
    s.stayOnTop = StayOnTop;
    s.deleteCheck = DeleteCheck;
    IniProfile profile(SettingsFilePath());
    WriteSettings(profile, s, profile.Path());
}

void MainWindow::OnClipboardReported() {
    if (History->IsOwnWrite()) return;
    if (handledAny_ && clipboard_.ChangeStamp() == handledStamp_) return;
    VyClipDetector1ClipChange();
}

void MainWindow::VyClipDetector1ClipChange() {
    handledStamp_ = clipboard_.ChangeStamp();
    handledAny_ = true;
    if (clipboard_.HasFormat(kCfText)) {
        ShowingBitmap = false;
        UpdatePaintBoxSize();
        History->AddText(Trim(clipboard_.Text().value_or(std::string())));
        listRows_->Select(0);
    }
    if (clipboard_.HasFormat(kCfBitmap)) {
        ShowingBitmap = true;
        listRows_->Select(-1);
        if (IsChecked(Form3->Check_Preview)) {
            HidePreview();
        } else {
            ShowClipboardPreview();
        }
        if (IsChecked(Form3->Check_BMP)) Form2->RegisterClipboardBitmap();
    }
}

void MainWindow::btn_addClick() {
    bool hasBitmap = clipboard_.HasFormat(kCfBitmap);
    bool hasText = clipboard_.HasFormat(kCfText);
    if (hasBitmap) {
        ShowStatus(status::kPleaseWait);
        Form2->RegisterClipboardBitmap();
        ShowStatus(status::kBitmapRegistered);
    }
    if (hasText && listRows_->Selected() >= 0) {
        std::string text;
        History->GetSelectedText(text);
        if (Form2->RegisterText(text)) {
            ShowStatus(status::kTextRegistered);
        } else {
            AppPrompts().Beep(BeepKind::Default);
            for (const auto& shown : status::AlreadyRegisteredPress(RepeatCount)) ShowStatus(shown);
        }
    }
    if (!hasText && !hasBitmap) {
        AppPrompts().Beep(BeepKind::Exclamation);
        ShowStatus(status::kRegisterEmpty);
    }
}

void MainWindow::btn_clClick() {
    listRows_->Select(-1);
    clipboard_.Clear();
    ShowingBitmap = false;
    UpdatePaintBoxSize();
    ShowStatus(status::kCleared);
}

void MainWindow::btn_bookClick() {
    if (Form2->Visible()) {
        Form2->Hide();
    } else {
        Form2->Show();
    }
}

void MainWindow::SpeedButton1Click() {
    SetTopmost(false);
    Form3->Show();
    Form3->BringToFront();
    SetEnabled(false);
    Form2->SetEnabled(false);
}

void MainWindow::btn_aboutClick() {
    SetTopmost(false);
    SetEnabled(false);
    Form2->SetEnabled(false);
    AboutBox->Show();
}

void MainWindow::ListBox1Click() {
    std::string preview;
    History->GetPreview(preview);
    hint_->SetText(preview);
}

void MainWindow::ListBox1DblClick() { History->CopySelected(); }

void MainWindow::ListBox1KeyDown(WORD& key) {
    if (key == kDeleteKey) History->DeleteSelected();
}

void MainWindow::AlarmBarClick() {
    if (clipboard_.HasFormat(kCfText)) {
        ShowStatus(status::kIsText);
    } else if (clipboard_.HasFormat(kCfBitmap)) {
        ShowStatus(status::kIsBitmap);
    } else {
        ShowStatus(status::kIsEmpty);
    }
}

void MainWindow::PopCopyClick() { History->CopySelected(); }

void MainWindow::PopAddClick() {
    History->CopySelected();
    // The copy's change is handled before the registration, also where the
    // system reports it only later; that later report then finds it handled.
    if (clipboard_.ChangeStamp() != handledStamp_) VyClipDetector1ClipChange();
    btn_addClick();
}

void MainWindow::PopDeleteClick() { History->DeleteSelected(); }

void MainWindow::PopAllDeleteClick() {
    int n = History->Count();
    for (int i = 0; i < n; ++i) History->DeleteSelected();
}

void MainWindow::ShowStatus(const std::string& text) {
    SendMessageW(AlarmBar, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(FromCp932(text).c_str()));
    statusText_ = text;
    TimerTicks = 0;
    SetTimer(Handle(), kStatusTimer, kStatusTimerMs, nullptr);
}

void MainWindow::WMTimer() {
    ++TimerTicks;
    if (TimerTicks > kStatusClearTicks) {
        SendMessageW(AlarmBar, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(L""));
        statusText_.clear();
        RepeatCount = 0;
        KillTimer(Handle(), kStatusTimer);
    }
}

void MainWindow::WMDropFiles(HDROP drop) {
    DropGuard guard(drop);
    UINT count = DragQueryFileA(drop, kAllDroppedFiles, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char name[MAX_PATH + 1] = {};
        UINT n = DragQueryFileA(drop, i, name, sizeof(name));
        std::string path(name, n);
        std::string ext = UpperCaseAnsi(ExtractFileExt(path));
        if (ext == ".TXT") {
            TextFileToClipboard(path);
        } else if (ext == ".BMP") {
            BitmapFileToClipboard(path);
        }
    }
}

Rect MainWindow::FitPreviewRect(int width, int height) const {
    RECT box{};
    GetClientRect(PaintBox1, &box);
    return FitToFrame(width, height, box.right, box.bottom);
}

void MainWindow::SetPaintBoxSize(int width, int height) {
    SetWindowPos(PaintBox1, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(PaintBox1, nullptr, TRUE);
}

void MainWindow::UpdatePaintBoxSize() {
    SetPaintBoxSize(0, 0);
    if (ShowingBitmap) SetPaintBoxSize(kPreviewSize, kPreviewSize);
}

void MainWindow::HidePreview() {
    SetPaintBoxSize(0, 0);
    ShowWindow(Lab_MinOr, SW_SHOW);
    UpdateWindow(PaintBox1);
}

void MainWindow::ShowClipboardPreview() {
    if (!clipboard_.HasFormat(kCfBitmap)) return;
    ShowWindow(Lab_MinOr, SW_HIDE);
    UpdatePaintBoxSize();
    UpdateWindow(PaintBox1);
    ClipboardSession session(Handle());
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    auto palette = static_cast<HPALETTE>(GetClipboardData(CF_PALETTE));
    BITMAP info{};
    if (bitmap && GetObjectW(bitmap, sizeof(info), &info) && info.bmWidth != 0 && info.bmHeight != 0) {
        DrawPreview(bitmap, palette, info.bmWidth, info.bmHeight);
    }
}

void MainWindow::DrawPreview(HBITMAP bitmap, HPALETTE palette, int width, int height) {
    PreviewRect = FitPreviewRect(width, height);
    {
        UniqueHdc target(CreateCompatibleDC(nullptr));
        UniqueHdc source(CreateCompatibleDC(nullptr));
        SelectGuard targetBitmap(target.get(), PreviewBitmap.get());
        SelectGuard sourceBitmap(source.get(), bitmap);
        BackgroundPaletteGuard selectedPalette(target.get(), palette);
        SetStretchBltMode(target.get(), COLORONCOLOR);
        StretchBlt(target.get(), 0, 0, PreviewRect.Width(), PreviewRect.Height(), source.get(), 0, 0, width, height,
                   SRCCOPY);
    }
    WindowDc dc(PaintBox1);
    PaintBox1Paint(dc.get());
}

void MainWindow::PaintBox1Paint(HDC dc) {
    UniqueHdc memory(CreateCompatibleDC(dc));
    SelectGuard selected(memory.get(), PreviewBitmap.get());
    BitBlt(dc, PreviewRect.Left, PreviewRect.Top, PreviewRect.Width(), PreviewRect.Height(), memory.get(),
           PreviewRect.Left, PreviewRect.Top, SRCCOPY);
}

void MainWindow::OnCommand(int id, int code, HWND control) {
    if (control == ListBox1) {
        if (code == LBN_SELCHANGE) ListBox1Click();
        if (code == LBN_DBLCLK) ListBox1DblClick();
        return;
    }
    if (control && code != BN_CLICKED) return;
    switch (id) {
    case kIdAbout: btn_aboutClick(); break;
    case kIdSettings: SpeedButton1Click(); break;
    case kIdClear: btn_clClick(); break;
    case kIdBook: btn_bookClick(); break;
    case kIdAdd: btn_addClick(); break;
    case kPopCopy: PopCopyClick(); break;
    case kPopAdd: PopAddClick(); break;
    case kPopDelete: PopDeleteClick(); break;
    case kPopAllDelete: PopAllDeleteClick(); break;
    default: break;
    }
}

void MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem == PaintBox1) {
        // Around the picture the box shows the window's own background.
        RECT box = item.rcItem;
        int saved = SaveDC(item.hDC);
        ExcludeClipRect(item.hDC, PreviewRect.Left, PreviewRect.Top, PreviewRect.Right, PreviewRect.Bottom);
        FillRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNFACE));
        RestoreDC(item.hDC, saved);
        PaintBox1Paint(item.hDC);
        return;
    }
    GlyphButtonStyle style;
    if (item.hwndItem == btn_about) {
        style.caption = "?";
        style.textColor = kGreen;
    } else if (item.hwndItem == SpeedButton1) {
        style.glyph = &WrenchGlyph();
    } else if (item.hwndItem == btn_cl) {
        style.glyph = &ClearGlyph();
    } else if (item.hwndItem == btn_book) {
        style.glyph = &BookGlyph();
        style.disabledGlyph = &BookDisabledGlyph();
    } else if (item.hwndItem == btn_add) {
        style.caption = "登録";
        style.textColor = kBlue;
    }
    DrawGlyphButton(item, style);
}

bool MainWindow::OnContextMenu(HWND target, int x, int y) {
    if (target != ListBox1) return false;
    UINT id = TrackPopupMenuOver(PopupMenu1, Handle(), target, x, y);
    if (id != 0) OnCommand(static_cast<int>(id), 0, nullptr);
    return true;
}

void MainWindow::OnListKeyDown(HWND list, WORD& key) {
    if (list == ListBox1) ListBox1KeyDown(key);
}

std::optional<COLORREF> MainWindow::LabelTextColor(HWND label) const {
    if (label == Lab_MinOr) return kGrey;
    return std::nullopt;
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SHOWWINDOW:
        if (wParam) FormShow();
        break;
    case WM_CLOSE:
        FormCloseQuery();
        Hide();
        PostQuitMessage(0);
        return 0;
    case WM_TIMER:
        if (wParam == kStatusTimer) WMTimer();
        return 0;
    case WM_DROPFILES:
        WMDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == AlarmBar && header->code == NM_CLICK) AlarmBarClick();
        break;
    }
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

std::string MainWindow::StatusText() const { return statusText_; }

}  // namespace lumeret

namespace lumeret {

void TextFileToClipboard(const std::string& name) {
    SystemClipFolder files;
    std::string text = JoinLinesCrLf(SplitLines(files.ReadWholeFile(name)));
    ClipboardWin32(Form1 ? Form1->Handle() : nullptr).SetText(text);
}

namespace {

// The palette of an image with a colour table, none for deeper images.
UniqueHpalette PaletteOf(HBITMAP section) {
    DIBSECTION info{};
    if (!GetObjectW(section, sizeof(info), &info) || info.dsBmih.biBitCount > 8) return UniqueHpalette();
    RGBQUAD colors[256] = {};
    UniqueHdc dc(CreateCompatibleDC(nullptr));
    SelectGuard select(dc.get(), section);
    UINT n = GetDIBColorTable(dc.get(), 0, 256, colors);
    if (n == 0) return UniqueHpalette();
    std::vector<unsigned char> buffer(sizeof(LOGPALETTE) + n * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(n);
    for (UINT i = 0; i < n; ++i) {
        palette->palPalEntry[i] = {colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
    }
    return UniqueHpalette(CreatePalette(palette));
}

}  // namespace

void BitmapFileToClipboard(const std::string& name) {
    UniqueHbitmap bitmap(static_cast<HBITMAP>(
        LoadImageA(nullptr, name.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!bitmap) throw FileOpenError(name);
    UniqueHpalette palette = PaletteOf(bitmap.get());
    ClipboardSession session(Form1 ? Form1->Handle() : nullptr);
    EmptyClipboard();
    // The clipboard owns what it accepted.
    if (SetClipboardData(CF_BITMAP, bitmap.get())) bitmap.release();
    if (palette && SetClipboardData(CF_PALETTE, palette.get())) palette.release();
}

}  // namespace lumeret
