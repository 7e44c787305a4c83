// Owners for GDI and user handles, and guards for their paired calls.
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"

namespace lumeret {

inline void DeleteGdiObject(HGDIOBJ object) noexcept { DeleteObject(object); }
inline void DeleteMemoryDc(HDC dc) noexcept { DeleteDC(dc); }

using UniqueHbitmap = UniqueResource<HBITMAP, DeleteGdiObject>;
using UniqueHdc = UniqueResource<HDC, DeleteMemoryDc>;

// GetDC/ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// SelectObject and select back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectGuard() {
        if (old_ != nullptr && old_ != HGDI_ERROR) {
            SelectObject(dc_, old_);
        }
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// SelectPalette as a background palette and RealizePalette; the earlier
// palette goes back (also as background) at the end. A null palette selects
// nothing.
class BackgroundPaletteGuard {
public:
    BackgroundPaletteGuard(HDC dc, HPALETTE palette) noexcept : dc_(dc) {
        if (palette != nullptr) {
            old_ = SelectPalette(dc, palette, TRUE);
            RealizePalette(dc);
        }
    }
    ~BackgroundPaletteGuard() {
        if (old_ != nullptr) {
            SelectPalette(dc_, old_, TRUE);
        }
    }
    BackgroundPaletteGuard(const BackgroundPaletteGuard&) = delete;
    BackgroundPaletteGuard& operator=(const BackgroundPaletteGuard&) = delete;

private:
    HDC dc_;
    HPALETTE old_ = nullptr;
};

}  // namespace lumeret
