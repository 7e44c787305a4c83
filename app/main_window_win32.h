// MainWindow: the main window. It watches the clipboard, keeps the history list,
// previews clipboard bitmaps, registers clips and shows short status texts.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <string>

#include "clipwatch/clipboard_watcher_win32.h"
#include "platform/control_hint_win32.h"
#include "platform/clipboard_win32.h"
#include "platform/geometry.h"
#include "platform/handles_win32.h"
#include "platform/list_box_win32.h"
#include "platform/window_win32.h"
#include "store/clipboard_history.h"

namespace lumeret {

class MainWindow : public Window {
public:
    MainWindow();
    ~MainWindow() override;

    // Settings strings, read and assigned by the other windows.
    std::string NonPreview;
    std::string StayOnTop;
    std::string DeleteCheck;
    std::string Path1;
    std::string Path2;
    std::string Path3;

    // Controls.
    HWND btn_about = nullptr;
    HWND SpeedButton1 = nullptr;
    HWND btn_cl = nullptr;
    HWND PaintBox1 = nullptr;
    HWND Lab_MinOr = nullptr;
    HWND Bevel1 = nullptr;
    HWND btn_book = nullptr;
    HWND btn_add = nullptr;
    HWND ListBox1 = nullptr;
    HWND AlarmBar = nullptr;
    HMENU PopupMenu1 = nullptr;

    std::unique_ptr<ClipboardHistory> History;
    Rect PreviewRect;
    bool ShowingBitmap = false;
    std::uint8_t TimerTicks = 0;
    std::int32_t RepeatCount = 0;

    // Life cycle.
    void FormShow();
    void FormCloseQuery();
    void FormDestroy();

    // Handlers.
    void VyClipDetector1ClipChange();
    void btn_addClick();
    void btn_clClick();
    void btn_bookClick();
    void btn_aboutClick();
    void SpeedButton1Click();
    void ListBox1Click();
    void ListBox1DblClick();
    void ListBox1KeyDown(WORD& key);
    void AlarmBarClick();
    void PopCopyClick();
    void PopAddClick();
    void PopDeleteClick();
    void PopAllDeleteClick();
    void WMTimer();
    void WMDropFiles(HDROP drop);

    // Preview states, also used by the settings dialog.
    void HidePreview();
    void ShowClipboardPreview();
    void ShowStatus(const std::string& text);
    std::string StatusText() const;
    // The history list's hint (the selected entry's preview).
    const std::string& Hint() const { return hint_->Text(); }

    Rect FitPreviewRect(int width, int height) const;

    IClipboard& Clipboard() { return clipboard_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void CreateControls();
    void OnCommand(int id, int code, HWND control) override;
    void OnDrawItem(const DRAWITEMSTRUCT& item) override;
    bool OnContextMenu(HWND target, int x, int y) override;
    void OnListKeyDown(HWND list, WORD& key) override;
    std::optional<COLORREF> LabelTextColor(HWND label) const override;
    void PaintBox1Paint(HDC dc);
    void DrawPreview(HBITMAP bitmap, HPALETTE palette, int width, int height);
    void UpdatePaintBoxSize();
    void SetPaintBoxSize(int width, int height);
    // Handles a reported clipboard change unless the program caused it
    // itself or has handled this very change already.
    void OnClipboardReported();

    ClipboardWin32 clipboard_;
    std::unique_ptr<ListBoxWin32> listRows_;
    ClipboardWatcher VyClipDetector1;
    UniqueHbitmap PreviewBitmap;
    std::unique_ptr<ControlHint> hint_;
    std::string statusText_;
    std::uint32_t handledStamp_ = 0;
    bool handledAny_ = false;
};

// Put a text file's lines, or a BMP file's picture, on the clipboard.
void TextFileToClipboard(const std::string& name);
void BitmapFileToClipboard(const std::string& name);

}  // namespace lumeret
