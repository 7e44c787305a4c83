#include "platform/dropped_files_win32.h"

#include "platform/system_library_win32.h"
#include "platform/wide_win32.h"

namespace lumeret {

namespace {

// The shell's function of that name; null where it or the library is missing.
template <typename Function>
Function* ShellFunction(const char* name) {
    return SystemLibraryFunction<Function>(L"shell32.dll", name);
}

constexpr UINT kAllDroppedFiles = 0xFFFFFFFF;

}  // namespace

void AcceptDroppedFiles(HWND window, bool accept) {
    if (auto* dragAcceptFiles = ShellFunction<decltype(DragAcceptFiles)>("DragAcceptFiles")) {
        dragAcceptFiles(window, accept ? TRUE : FALSE);
    }
}

// The names are taken as the shell holds them, in wide characters, and
// spelled in the system's code page without look-alikes: a name the code page
// cannot spell keeps a "?", which opens no file, where the ANSI call would
// have named another file ("cafe.txt" for "caf\u00e9.txt").
std::vector<std::string> TakeDroppedFiles(HDROP drop) {
    std::vector<std::string> names;
    auto* dragQueryFile = ShellFunction<decltype(DragQueryFileW)>("DragQueryFileW");
    auto* dragFinish = ShellFunction<decltype(DragFinish)>("DragFinish");
    if (!dragQueryFile || !dragFinish) return names;
    const UINT count = dragQueryFile(drop, kAllDroppedFiles, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(dragQueryFile(drop, i, nullptr, 0), L'\0');
        name.resize(dragQueryFile(drop, i, name.data(), static_cast<UINT>(name.size() + 1)));
        bool exact = true;  // asked, so that no look-alike stands in
        names.push_back(ToCodePage(name, CP_ACP, &exact));
    }
    dragFinish(drop);
    return names;
}

}  // namespace lumeret
