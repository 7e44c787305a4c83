// AboutDialog: the version dialog. Double-clicking any of its texts puts that
// text on the clipboard, where the main window picks it up like any other.
#pragma once

#include <string>

#include "platform/window_win32.h"

namespace lumeret {

class AboutDialog : public Window {
public:
    AboutDialog();

    // Controls. The texts and the icon lie inside Panel1 but are the
    // dialog's own children (a STATIC passes no notices on to its parent's
    // parent), placed at the panel's origin plus their offset.
    HWND Panel1 = nullptr;
    HWND ProgramIcon = nullptr;
    HWND ProductName = nullptr;
    HWND Version = nullptr;
    HWND Copyright = nullptr;
    HWND e_mail = nullptr;
    HWND homepage = nullptr;
    HWND OKButton = nullptr;

    void OKButtonClick();
    void FormClose();
    void ProgramIconDblClick();
    void ProductNameDblClick();
    void VersionDblClick();
    void CopyrightDblClick();
    void e_mailDblClick();
    void homepageDblClick();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void OnCommand(int id, int code, HWND control) override;
    std::optional<COLORREF> LabelTextColor(HWND label) const override;
    // The one way the double-clicks reach the clipboard: as CF_TEXT.
    void PutOnClipboard(const std::string& text);
};

}  // namespace lumeret
