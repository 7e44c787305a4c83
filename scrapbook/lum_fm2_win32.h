// TForm2: the scrapbook window, a tool window beside the main window with the
// pages TEXT, BMP and MEMO. It owns the clip stores.
#pragma once

#include <memory>

#include "platform/clip_folder.h"
#include "platform/clipboard_win32.h"
#include "platform/list_box_win32.h"
#include "platform/window_win32.h"
#include "store/list_master_qc.h"

namespace lumeret {

class TForm2 : public Window {
public:
    enum Page { kPageText = 0, kPageBitmap = 1, kPageMemo = 2 };

    TForm2();
    ~TForm2() override;

    HWND PageControl1 = nullptr;
    HWND ListBox1 = nullptr;  // TEXT page

    std::unique_ptr<TListMasterQC> TextStore;

    void FormShow();
    void FormDestroy();

    Page ActivePage() const;
    void SetActivePage(Page page);

    // What the main window's register button does with the scrapbook.
    bool RegisterText(const std::string& text);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void CreateControls();
    // The controls of a page are shown only while it is the active one.
    void ShowPageControls();

    ClipboardWin32 clipboard_;
    SystemClipFolder folder_;
    std::unique_ptr<ListBoxWin32> textRows_;
    POINT pageOrigin_{};
};

}  // namespace lumeret
