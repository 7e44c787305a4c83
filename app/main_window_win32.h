// The main window: the clipboard history, the bitmap preview, the register
// button and the status line. It watches the clipboard for the core, shows
// what the core holds, and opens the scrapbook and the two dialogs, which it
// owns.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "app/about_dialog_win32.h"
#include "app/settings_dialog_win32.h"
#include "clipwatch/clipboard_watcher_win32.h"
#include "platform/clipboard_wait_win32.h"
#include "core/app_core.h"
#include "platform/control_hint_win32.h"
#include "platform/handles_win32.h"
#include "platform/list_box_win32.h"
#include "platform/window_win32.h"
#include "scrapbook/scrapbook_window_win32.h"

namespace lumeret {

class MainWindow : public Window {
public:
    // The controls, in creation order, for automation and tests.
    struct Controls {
        HWND aboutButton = nullptr;
        HWND settingsButton = nullptr;
        HWND clearButton = nullptr;
        HWND previewBox = nullptr;
        HWND previewOffLabel = nullptr;  // "非表示"
        HWND previewFrame = nullptr;
        HWND scrapbookButton = nullptr;
        HWND registerButton = nullptr;
        HWND historyList = nullptr;
        HWND statusLine = nullptr;
    };

    // The client area's size.
    static constexpr int kClientWidth = 202;
    static constexpr int kClientHeight = 309;

    // Creates the window hidden at the position the settings hold and joins
    // the clipboard-viewer chain.
    explicit MainWindow(AppCore& core);
    ~MainWindow() override;

    // Shows the window, drawn at once, then makes the history list's hint,
    // the scrapbook and the two dialogs, hidden, and last reads the clips:
    // the window appears as early as it can, however many clips there are.
    // The message loop starts after this, so no input reaches the window
    // before all of that is done. Damaged clips are shown on their page;
    // anything else the clips' reading fails on is reported over the window,
    // which goes on.
    void ShowAtStart();

    const Controls& Ui() const { return ui_; }
    HMENU HistoryMenu() const { return historyMenu_.get(); }
    ScrapbookWindow& Scrapbook() { return *scrapbook_; }
    AboutDialog& About() { return *about_; }
    SettingsDialog& SettingsBox() { return *settings_; }
    // The history list's hint: the selected entry's preview.
    const std::string& HistoryHint() const { return hint_->Text(); }
    // The status line as shown.
    std::string StatusText() const;

    // Stops taking dropped files and writes the settings file with the
    // window's position (its restored one when it is minimised).
    void SaveSettings();
    // Before dispatching: the scrapbook's and the dialogs' keyboard
    // navigation. True when the message was used.
    bool HandleNavigationKey(MSG& msg);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void ShowStatus();
    void ShowPreview();
    void PaintPreview(const DRAWITEMSTRUCT& item);
    void OnCommand(int id, int code, HWND control) override;
    void OnDrawItem(const DRAWITEMSTRUCT& item) override;
    bool OnContextMenu(HWND target, int x, int y) override;
    void OnListKeyDown(HWND list, WORD key) override;
    std::optional<COLORREF> LabelTextColor(HWND label) const override;
    std::optional<LRESULT> OnControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnFilesDropped(HDROP drop);
    void ToggleScrapbook();
    // Keeps the switches, hides the window and ends the message loop.
    void EndAsClosed();
    // The settings and version dialogs stand in for modal ones: this window
    // and the scrapbook wait while one is open, and this window is put on top
    // again afterwards when the settings say so.
    std::unique_ptr<ModalScope> DialogScope();

    AppCore& core_;
    Controls ui_;
    UniqueHmenu historyMenu_;
    std::unique_ptr<ControlHint> hint_;
    std::unique_ptr<ListBoxView> historyView_;
    std::unique_ptr<ScrapbookWindow> scrapbook_;
    std::unique_ptr<AboutDialog> about_;
    std::unique_ptr<SettingsDialog> settings_;
    // Reported changes are handled once the clipboard is free.
    std::unique_ptr<ClipboardWait> clipboardWait_;
    ClipboardWatcher watcher_;
};

}  // namespace lumeret
