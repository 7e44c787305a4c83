#include "scrapbook/save_dialog_win32.h"

#include <commdlg.h>

#include <vector>

#include "platform/errors.h"
#include "platform/other_windows_wait_win32.h"
#include "platform/system_library_win32.h"
#include "platform/wide_win32.h"

namespace lumeret {

namespace {

SaveDialogRunner& Runner() {
    static SaveDialogRunner runner;
    return runner;
}

std::optional<std::string> RunSystemDialog(const SaveDialogRequest& request) {
    // The dialog wants NUL-separated pairs with a second NUL at the end.
    std::wstring filter = FromCp932(request.filter);
    for (auto& c : filter) {
        if (c == L'|') c = L'\0';
    }
    filter.push_back(L'\0');
    filter.push_back(L'\0');
    std::wstring ext = FromCp932(request.defaultExt);
    // File names are data: they travel in the system's ANSI code page.
    std::wstring dir = FromCodePage(request.initialDir, CP_ACP);
    std::vector<wchar_t> name(4096, L'\0');  // the name field starts empty

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = request.owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN;
    // The common dialogs, and the printer spooler they bring along, are loaded
    // the first time a clip is exported rather than at every start.
    auto* getSaveFileName = SystemLibraryFunction<decltype(GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW");
    if (!getSaveFileName) return std::nullopt;
    bool named = false;
    {
        // The program's other windows wait for the name with the owner.
        OtherWindowsWait waiting(request.owner);
        named = getSaveFileName(&ofn) != FALSE;
    }
    if (!named) return std::nullopt;
    // The program writes through the system's code page: a name it cannot
    // spell exactly there would be written under a look-alike, which may be
    // another file's name ("\" for the yen sign) or not the one asked about.
    bool exact = true;
    std::string path = ToCodePage(name.data(), CP_ACP, &exact);
    if (!exact) throw FileCreateError(path);
    return path;
}

}  // namespace

std::optional<std::string> RunSaveDialog(const SaveDialogRequest& request) {
    if (Runner()) return Runner()(request);
    return RunSystemDialog(request);
}

SaveDialogRunner SetSaveDialogRunner(SaveDialogRunner runner) {
    SaveDialogRunner previous = std::move(Runner());
    Runner() = std::move(runner);
    return previous;
}

}  // namespace lumeret
