#include "app/application_win32.h"

#include <windows.h>
#include <commctrl.h>

#include "app/about_dialog_win32.h"
#include "app/forms_win32.h"
#include "app/settings_dialog_win32.h"
#include "app/main_window_win32.h"
#include "platform/error_report.h"
#include "scrapbook/scrapbook_window_win32.h"

namespace lumeret {

MainWindow* Form1 = nullptr;
ScrapbookWindow* Form2 = nullptr;
AboutDialog* AboutBox = nullptr;
SettingsDialog* Form3 = nullptr;

bool AnotherInstanceRuns() {
    if (HANDLE existing = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kInstanceMutexName)) {
        CloseHandle(existing);
        return true;
    }
    // Never closed: the mutex lives exactly as long as this process.
    CreateMutexA(nullptr, FALSE, kInstanceMutexName);
    return false;
}

void CreateForms() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    Form1 = new MainWindow();
    Form2 = new ScrapbookWindow();
    AboutBox = new AboutDialog();
    Form3 = new SettingsDialog();
}

void DestroyForms() {
    // The settings are written even when a window fails to end cleanly.
    if (Form1) CallGuarded([] { Form1->FormDestroy(); });
    delete Form3;
    Form3 = nullptr;
    delete AboutBox;
    AboutBox = nullptr;
    delete Form2;
    Form2 = nullptr;
    delete Form1;
    Form1 = nullptr;
}

int RunLumeret() {
    if (AnotherInstanceRuns()) return 0;
    bool created = false;
    CallGuarded([&] {
        CreateForms();
        created = true;
    });
    if (!created) {
        DestroyForms();
        return 1;
    }
    Form1->Show();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // The two dialogs move the focus with Tab like any dialog.
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        if ((root == AboutBox->Handle() || root == Form3->Handle()) && IsDialogMessageW(root, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DestroyForms();
    return 0;
}

}  // namespace lumeret
