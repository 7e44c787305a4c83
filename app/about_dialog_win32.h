// The version dialog. Double-clicking any of its texts puts that text on the
// clipboard, where the main window picks it up like any other.
#pragma once

#include <memory>
#include <string>

#include "core/app_core.h"
#include "platform/modal_scope_win32.h"
#include "platform/window_win32.h"

namespace lumeret {

class AboutDialog : public Window {
public:
    // The controls, for automation and tests. The texts and the icon lie
    // inside the panel but are the dialog's own children (a STATIC passes no
    // notices on to its parent's parent), placed at the panel's origin plus
    // their offset.
    struct Controls {
        HWND panel = nullptr;
        HWND icon = nullptr;
        HWND productName = nullptr;
        HWND version = nullptr;
        HWND author = nullptr;
        HWND mail = nullptr;
        HWND homepage = nullptr;
        HWND okButton = nullptr;
    };

    // Owned by owner: no taskbar button of its own, hidden with it.
    AboutDialog(AppCore& core, HWND owner);

    const Controls& Ui() const { return ui_; }
    // Shows the dialog; scope holds the windows behind it until it closes.
    void Open(std::unique_ptr<ModalScope> scope);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void OnCommand(int id, int code, HWND control) override;
    std::optional<COLORREF> LabelTextColor(HWND label) const override;
    std::optional<LRESULT> OnControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Every way of closing: the windows behind come back, the dialog hides.
    void CloseDialog();

    AppCore& core_;
    Controls ui_;
    std::unique_ptr<ModalScope> scope_;
};

}  // namespace lumeret
