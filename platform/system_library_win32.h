// Functions of system libraries that are loaded on first use rather than with
// the program, so that they do not lengthen its start.
#pragma once

#include <windows.h>

namespace lumeret {

// The library's function of that name, the library loaded on the first call
// and kept for the rest of the process; null where either is missing.
template <typename Function>
Function* SystemLibraryFunction(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (!module) module = LoadLibraryW(library);
    const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

}  // namespace lumeret
