// Move-only owners of Win32 handles and guards for paired calls. Global
// memory blocks have theirs in platform/global_memory.h.
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"

namespace lumeret {

namespace detail {
inline void DestroyWindowHandle(HWND h) noexcept { DestroyWindow(h); }
inline void DeleteGdiObject(HGDIOBJ h) noexcept { DeleteObject(h); }
inline void DeleteMemoryDc(HDC dc) noexcept { DeleteDC(dc); }
inline void DestroyMenuHandle(HMENU h) noexcept { DestroyMenu(h); }
inline void CloseKernelHandle(HANDLE h) noexcept { CloseHandle(h); }
inline void CloseFind(HANDLE h) noexcept { FindClose(h); }
inline HANDLE InvalidHandleValue() noexcept { return INVALID_HANDLE_VALUE; }
}  // namespace detail

using UniqueHwnd = UniqueResource<HWND, detail::DestroyWindowHandle>;
using UniqueHbitmap = UniqueResource<HBITMAP, detail::DeleteGdiObject>;
using UniqueHdc = UniqueResource<HDC, detail::DeleteMemoryDc>;
using UniqueHmenu = UniqueResource<HMENU, detail::DestroyMenuHandle>;
// Kernel objects that report failure with 0 (mappings, mutexes...).
using UniqueHandle = UniqueResource<HANDLE, detail::CloseKernelHandle>;
// Files and searches, which report failure with INVALID_HANDLE_VALUE.
using UniqueFileHandle = UniqueResource<HANDLE, detail::CloseKernelHandle, &detail::InvalidHandleValue>;
using UniqueFindHandle = UniqueResource<HANDLE, detail::CloseFind, &detail::InvalidHandleValue>;

// GetDC / ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// SelectObject / select back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// SelectPalette as a background palette, with RealizePalette / select back.
class BackgroundPaletteGuard {
public:
    BackgroundPaletteGuard(HDC dc, HPALETTE palette) : dc_(dc) {
        if (palette) {
            old_ = SelectPalette(dc, palette, TRUE);
            RealizePalette(dc);
        }
    }
    BackgroundPaletteGuard(const BackgroundPaletteGuard&) = delete;
    BackgroundPaletteGuard& operator=(const BackgroundPaletteGuard&) = delete;
    ~BackgroundPaletteGuard() {
        if (old_) SelectPalette(dc_, old_, TRUE);
    }

private:
    HDC dc_;
    HPALETTE old_ = nullptr;
};

}  // namespace lumeret
