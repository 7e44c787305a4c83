#include "platform/wide_win32.h"

#include <windows.h>

namespace lumeret {

namespace {
constexpr UINT kCodePage932 = 932;
}

std::wstring FromCodePage(const std::string& text, unsigned codePage) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::wstring FromCp932(const std::string& text) { return FromCodePage(text, kCodePage932); }

std::wstring ToWide(const UserText& text, unsigned dataCodePage) {
    std::wstring out;
    for (const UserText::Piece& piece : text.Pieces()) {
        out += piece.data ? FromCodePage(piece.bytes, dataCodePage) : FromCp932(piece.bytes);
    }
    return out;
}

std::string ToCodePage(const std::wstring& text, unsigned codePage, bool* exact) {
    if (exact) *exact = true;
    if (text.empty()) return {};
    // UTF-8 (also a system's ANSI code page) spells every character, and its
    // conversion takes neither the flag nor the question.
    const bool utf8 = (codePage == CP_ACP ? GetACP() : codePage) == CP_UTF8;
    const bool checked = exact && !utf8;
    const DWORD flags = checked ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL defaultUsed = FALSE;
    BOOL* defaultUsedOut = checked ? &defaultUsed : nullptr;
    const int size = static_cast<int>(text.size());
    int n = WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0) {
        // Not converted at all: never an exact spelling.
        if (exact) *exact = false;
        return {};
    }
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), size, out.data(), n, nullptr, defaultUsedOut);
    if (exact) *exact = !defaultUsed;
    return out;
}

std::string ToCp932(const std::wstring& text) { return ToCodePage(text, kCodePage932); }

}  // namespace lumeret
