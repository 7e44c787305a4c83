// The scrapbook: a tool window beside the main window with the pages TEXT
// (the text clips), BMP (the bitmap clips, one at a time) and MEMO (a free
// note), and buttons to save, delete and copy what the page shows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/app_core.h"
#include "platform/control_hint_win32.h"
#include "platform/focus_memory_win32.h"
#include "platform/handles_win32.h"
#include "platform/list_box_win32.h"
#include "platform/page_window_win32.h"
#include "platform/window_win32.h"

namespace lumeret {

class ScrapbookWindow : public Window {
public:
    // The controls, for automation and tests. Those of a page are children of
    // its page window, which is a child of the tab control.
    struct Controls {
        HWND pages = nullptr;
        HWND textPage = nullptr;
        HWND bitmapPage = nullptr;
        HWND memoPage = nullptr;
        HWND textClipList = nullptr;  // TEXT page
        HWND pictureFrame = nullptr;  // BMP page
        HWND pictureBox = nullptr;
        HWND counter = nullptr;
        HWND spareLabel = nullptr;  // an empty label that nothing uses
        HWND firstButton = nullptr;
        HWND priorButton = nullptr;
        HWND nextButton = nullptr;
        HWND lastButton = nullptr;
        HWND memo = nullptr;  // MEMO page
        HWND saveButton = nullptr;
        HWND deleteButton = nullptr;
        HWND copyButton = nullptr;
    };

    // Created hidden; it opens beside mainWindow each time it is shown.
    ScrapbookWindow(AppCore& core, HWND mainWindow);
    static constexpr int kClientWidth = 216;
    static constexpr int kClientHeight = 312;
    ~ScrapbookWindow() override;

    const Controls& Ui() const { return ui_; }
    // Shows the window flush left of the main window, as the scrapbook
    // button does each time; it stays where the user moves it until then,
    // also as the minimised program comes back.
    void Open();
    HMENU ClipMenu() const { return clipMenu_.get(); }
    ScrapbookPage ActivePage() const;
    void SetActivePage(ScrapbookPage page);
    // Keyboard navigation, before the message is dispatched: Tab and
    // Shift+Tab move the focus along the tab order (the tabs, the page's
    // list or memo, copy, delete, save), Ctrl+Tab and Ctrl+Shift+Tab turn the
    // pages. True when the key was used.
    bool HandleNavigationKey(const MSG& msg);
    // The text list's hint: the selected clip's preview.
    const std::string& TextClipHint() const { return hint_->Text(); }
    // The index of the existing list item at (x, y), or -1.
    int ListItemAt(int x, int y) const;
    // Whether a list item is being dragged, and the item under the pointer
    // when it last moved over the list (-1 for none).
    bool Dragging() const { return drag_ == DragState::Dragging; }
    int DragFromIndex() const { return dragFromIndex_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    enum class DragState { None, Pending, Dragging };

    void CreateControls();
    // Only the active page shows.
    void ShowPageControls();
    // The controls the focus moves through, in tab order, for the active page.
    std::vector<HWND> TabOrder() const;
    void ShowBitmapClip();
    void ShowSelectedClipHint();
    void PlaceBesideMainWindow();
    void OnCommand(int id, int code, HWND control) override;
    void OnDrawItem(const DRAWITEMSTRUCT& item) override;
    bool OnContextMenu(HWND target, int x, int y) override;
    void OnListKeyDown(HWND list, WORD key) override;
    std::optional<LRESULT> OnControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) override;

    void Copy();
    void Delete();
    // The save button: the page's clip or the memo to a file the user names.
    void Save();
    void SaveTextClip();
    void SaveBitmapClip();
    void SaveMemo();
    std::optional<std::string> AskSaveName(const char* defaultExt, const char* filter,
                                           const std::string& initialDir);

    // Dragging one text clip onto another exchanges the two.
    std::optional<LRESULT> OnListMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void FinishDrag(bool cancelled, int x, int y);
    // The end of a drag at (x, y) in the list's coordinates, (0, 0) when it
    // was cancelled or refused.
    void DropListItem(int x, int y);

    AppCore& core_;
    HWND mainWindow_;
    Controls ui_;
    std::unique_ptr<PageWindow> pageWindows_[3];
    UniqueHmenu clipMenu_;
    FocusMemory focus_;
    std::unique_ptr<ControlHint> hint_;
    std::unique_ptr<ListBoxView> textClipView_;
    // The list item under the pointer at its last movement over the list.
    std::int32_t dragFromIndex_ = 0;
    DragState drag_ = DragState::None;
    POINT pressPoint_{};
};

}  // namespace lumeret
