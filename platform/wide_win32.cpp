#include "platform/wide_win32.h"

#include <windows.h>

namespace lumeret {

namespace {
constexpr UINT kCodePage932 = 932;
}

std::wstring FromCp932(const std::string& text) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(kCodePage932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(kCodePage932, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string ToCp932(const std::wstring& text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(kCodePage932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(kCodePage932, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace lumeret
