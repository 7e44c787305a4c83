// SettingsDialog: the settings dialog with its four switches.
#pragma once

#include "platform/window_win32.h"

namespace lumeret {

class SettingsDialog : public Window {
public:
    SettingsDialog();

    HWND Bevel1 = nullptr;         // frame around the four boxes
    HWND Check_TOP = nullptr;      // stay on top (saved)
    HWND Check_BMP = nullptr;      // continuous bitmap registration (this run only)
    HWND Check_Preview = nullptr;  // no bitmap preview (saved)
    HWND Check_Delete = nullptr;   // confirm deletions (saved)
    HWND ButtonOK = nullptr;
    HWND Button1 = nullptr;  // Cancel
    HWND Hint = nullptr;     // the boxes' tooltips

    void FormShow();
    void ButtonOKClick();
    void Button1Click();
    void FormCloseQuery();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id, int code, HWND control) override;

private:
    void FormCreate();
    void CreateHints();
    // Hides the dialog the way every close does.
    void CloseDialog();

    // Each box's state when the dialog was last shown (the boxes' Tag).
    bool tags_[4] = {};
};

}  // namespace lumeret
