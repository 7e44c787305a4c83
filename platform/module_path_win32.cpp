#include "platform/module_path_win32.h"

#include <windows.h>

#include <vector>

#include "platform/text.h"

namespace lumeret {

std::string ExecutablePath() {
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size()) return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

std::string ExecutableFolder() { return ExtractFilePath(ExecutablePath()); }

}  // namespace lumeret
