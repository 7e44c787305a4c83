// The settings dialog: four check boxes showing the core's switches. Two of
// them act the moment they change; OK makes all of them settings, Cancel
// puts them back as they were when the dialog opened.
#pragma once

#include <memory>

#include "core/app_core.h"
#include "platform/focus_memory_win32.h"
#include "platform/modal_scope_win32.h"
#include "platform/window_win32.h"

namespace lumeret {

class SettingsDialog : public Window {
public:
    // The controls, for automation and tests.
    struct Controls {
        HWND frame = nullptr;  // around the four boxes
        HWND stayOnTopBox = nullptr;
        HWND continuousRegistrationBox = nullptr;
        HWND hidePreviewBox = nullptr;
        HWND confirmDeleteBox = nullptr;
        HWND okButton = nullptr;
        HWND cancelButton = nullptr;
        HWND hints = nullptr;  // the boxes' tooltips
    };

    // Owned by owner: no taskbar button of its own, hidden with it.
    SettingsDialog(AppCore& core, HWND owner);

    const Controls& Ui() const { return ui_; }
    // Shows the dialog in front; scope holds the windows behind it until it
    // closes.
    void Open(std::unique_ptr<ModalScope> scope);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id, int code, HWND control) override;

private:
    void CreateHints();
    void ShowSwitches();
    Switches BoxedSwitches() const;
    void Accept();
    void Cancel();
    // Every way of closing: the windows behind come back, the dialog hides.
    void CloseDialog();

    AppCore& core_;
    Controls ui_;
    std::unique_ptr<ModalScope> scope_;
    FocusMemory focus_;
};

}  // namespace lumeret
