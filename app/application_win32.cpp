#include "app/application_win32.h"

#include <windows.h>

#include <memory>

#include "app/main_window_win32.h"
#include "core/app_core.h"
#include "platform/clip_folder.h"
#include "platform/clipboard_win32.h"
#include "platform/error_report.h"
#include "platform/module_path_win32.h"
#include "platform/profile_win32.h"
#include "platform/prompts.h"

namespace lumeret {

namespace {

// Runs the message loop until the main window closes.
void RunMessageLoop(MainWindow& main) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (main.HandleNavigationKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

bool AnotherInstanceRuns() {
    if (HANDLE existing = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kInstanceMutexName)) {
        CloseHandle(existing);
        return true;
    }
    // Never closed: the mutex lives exactly as long as this process.
    CreateMutexA(nullptr, FALSE, kInstanceMutexName);
    return false;
}

int RunLumeret() {
    if (AnotherInstanceRuns()) return 0;

    ClipboardWin32 clipboard;
    SystemClipFolder folder;
    IniProfile settingsFile(SettingsPathFor(ExecutablePath()));
    std::unique_ptr<AppCore> core;
    std::unique_ptr<MainWindow> main;
    CallGuarded([&] {
        core = std::make_unique<AppCore>(
            AppCore::Services{clipboard, folder, AppPrompts(), settingsFile}, ExecutableFolder());
        main = std::make_unique<MainWindow>(*core);
    });
    if (!main) return 1;
    clipboard.SetOwner(main->Handle());
    bool shown = false;
    CallGuarded([&] {
        main->ShowAtStart();
        shown = true;
    });
    if (!shown) return 1;
    RunMessageLoop(*main);
    // The settings are written even when a window fails to end cleanly.
    CallGuarded([&] { main->SaveSettings(); });
    return 0;
}

}  // namespace lumeret
