#include "platform/dropped_files_win32.h"

namespace lumeret {

namespace {

// Loaded on first use and kept for the rest of the process.
HMODULE ShellLibrary() {
    static const HMODULE shell = LoadLibraryW(L"shell32.dll");
    return shell;
}

// The shell's function of that name; null where it or the library is missing.
template <typename Function>
Function* ShellFunction(const char* name) {
    const HMODULE shell = ShellLibrary();
    const FARPROC found = shell ? GetProcAddress(shell, name) : nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

constexpr UINT kAllDroppedFiles = 0xFFFFFFFF;

}  // namespace

void AcceptDroppedFiles(HWND window, bool accept) {
    if (auto* dragAcceptFiles = ShellFunction<decltype(DragAcceptFiles)>("DragAcceptFiles")) {
        dragAcceptFiles(window, accept ? TRUE : FALSE);
    }
}

std::vector<std::string> TakeDroppedFiles(HDROP drop) {
    std::vector<std::string> names;
    auto* dragQueryFile = ShellFunction<decltype(DragQueryFileA)>("DragQueryFileA");
    auto* dragFinish = ShellFunction<decltype(DragFinish)>("DragFinish");
    if (!dragQueryFile || !dragFinish) return names;
    const UINT count = dragQueryFile(drop, kAllDroppedFiles, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char name[MAX_PATH + 1] = {};
        const UINT n = dragQueryFile(drop, i, name, sizeof(name));
        names.emplace_back(name, n);
    }
    dragFinish(drop);
    return names;
}

}  // namespace lumeret
