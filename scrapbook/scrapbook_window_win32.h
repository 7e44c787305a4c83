// ScrapbookWindow: the scrapbook window, a tool window beside the main window with the
// pages TEXT, BMP and MEMO. It owns the clip stores.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "dib/system_clipboard_win32.h"
#include "platform/clip_folder.h"
#include "platform/control_hint_win32.h"
#include "platform/clipboard_win32.h"
#include "platform/list_box_win32.h"
#include "platform/window_win32.h"
#include "store/text_clip_store.h"
#include "store/bitmap_clip_store.h"
#include "store/paint_surface_win32.h"

namespace lumeret {

class ScrapbookWindow : public Window {
public:
    enum Page { kPageText = 0, kPageBitmap = 1, kPageMemo = 2 };

    ScrapbookWindow();
    ~ScrapbookWindow() override;

    // Controls. The controls of the pages are children of the window, laid
    // over the tab control's display area.
    HWND PageControl1 = nullptr;
    HWND ListBox1 = nullptr;  // TEXT page
    HWND Bevel1 = nullptr;    // BMP page
    HWND PaintBox1 = nullptr;
    HWND Lab_curno = nullptr;
    HWND lab_num = nullptr;
    HWND Btn_ML = nullptr;
    HWND Btn_L = nullptr;
    HWND Btn_R = nullptr;
    HWND Btn_MR = nullptr;
    HWND Memo_direct = nullptr;  // MEMO page
    HWND BtnFile = nullptr;
    HWND BtnDelete = nullptr;
    HWND BtnCopy = nullptr;
    HMENU PopupMenu1 = nullptr;

    // The list item under the pointer at its last movement over ListBox1.
    std::int32_t DragFromIndex = 0;
    std::unique_ptr<TextClipStore> TextStore;
    std::unique_ptr<BitmapClipStore> BitmapStore;

    // Life cycle.
    void FormShow();
    void FormDestroy();

    // Handlers.
    void ListBox1Click();
    void ListBox1DblClick();
    void ListBox1KeyDown(WORD& key);
    void ListBox1MouseMove(int x, int y);
    // Whether a drag from source may be dropped on the list.
    bool ListBox1DragOver(HWND source) const;
    // End of a drag of a list item; (x, y) is the drop point in the list's
    // coordinates, (0, 0) when the drop was cancelled or refused.
    void ListBox1EndDrag(int x, int y);
    void PaintBox1Paint();
    void PaintBox1DblClick();
    void Btn_LClick();
    void btn_RClick();
    void Btn_MLClick();
    void Btn_MRClick();
    void BtnCopyClick();
    void PopCopyClick();
    void BtnDeleteClick();
    void PopDeleteClick();
    void BtnFileClick();
    void PopFileClick();

    Page ActivePage() const;
    void SetActivePage(Page page);
    // Lab_curno := current number " / " count of the bitmap clips.
    void UpdateCounter();

    // What the main window's register button does with the scrapbook.
    bool RegisterText(const std::string& text);
    void RegisterClipboardBitmap();

    // The list's hint: the selected clip's preview.
    const std::string& ListBox1Hint() const { return hint_->Text(); }
    // The index of the existing list item at (x, y), or -1.
    int ListItemAt(int x, int y) const;
    // Whether a list item is being dragged.
    bool Dragging() const { return drag_ == DragState::Dragging; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    enum class DragState { None, Pending, Dragging };

    void FormCreate();
    void CreateControls();
    void CreatePopupMenu1();
    // The controls of a page are shown only while it is the active one.
    void ShowPageControls();
    void OnCommand(int id, int code, HWND control) override;
    void OnDrawItem(const DRAWITEMSTRUCT& item) override;
    bool OnContextMenu(HWND target, int x, int y) override;
    void OnListKeyDown(HWND list, WORD& key) override;
    std::optional<COLORREF> LabelTextColor(HWND label) const override;

    // BtnFileClick's page branches.
    void SaveTextClip();
    void SaveBitmapClip();
    void SaveMemo();
    std::optional<std::string> AskSaveName(const char* defaultExt, const char* filter,
                                           const std::string& initialDir);

    // ListBox1's own mouse handling, for dragging one item onto another.
    static LRESULT CALLBACK ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR data);
    LRESULT OnListBoxMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    void FinishDrag(bool cancelled, int x, int y);

    ClipboardWin32 clipboard_;
    std::unique_ptr<SystemClipboard> systemClipboard_;
    SystemClipFolder folder_;
    std::unique_ptr<ListBoxWin32> textRows_;
    std::unique_ptr<PaintBoxWindow> paintBox_;
    OffscreenBitmap offscreen_;
    POINT pageOrigin_{};
    std::unique_ptr<ControlHint> hint_;
    DragState drag_ = DragState::None;
    POINT pressPoint_{};
};

}  // namespace lumeret
