#include <windows.h>

#include <string>

#include "platform/wide_win32.h"

namespace lumeret {

void ShowErrorBox(const std::string& message) {
    MessageBoxW(GetActiveWindow(), FromCp932(message).c_str(), FromCp932("ｴﾗｰ").c_str(),
                MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

}  // namespace lumeret
