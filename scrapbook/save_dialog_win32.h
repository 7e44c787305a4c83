// The scrapbook's file-save dialog. Tests put their own answer in with
// SetSaveDialogRunner, so a save runs without a person.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace lumeret {

struct SaveDialogRequest {
    HWND owner = nullptr;
    std::string defaultExt;  // without the dot
    // Description and pattern pairs separated by "|", code page 932.
    std::string filter;
    std::string initialDir;  // ANSI code page
};

using SaveDialogRunner = std::function<std::optional<std::string>(const SaveDialogRequest&)>;

// The chosen file name in the ANSI code page; nothing when the user cancelled.
// The dialog asks before replacing a file, hides the read-only box and refuses
// read-only files; a name typed without extension gets the default one.
std::optional<std::string> RunSaveDialog(const SaveDialogRequest& request);

// Replaces the dialog (an empty runner restores the system's); returns the
// previous runner.
SaveDialogRunner SetSaveDialogRunner(SaveDialogRunner runner);

}  // namespace lumeret
