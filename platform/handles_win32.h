// Move-only owners of Win32 handles and guards for paired calls.
#pragma once

#include <windows.h>

#include <utility>

namespace lumeret {

// Owns a handle and closes it by its traits; copying does not compile, so a
// handle can never be freed twice. Traits give the handle type, its invalid
// value and how it is closed.
template <typename Traits>
class UniqueHandleOf {
public:
    using Handle = typename Traits::Handle;

    UniqueHandleOf() = default;
    explicit UniqueHandleOf(Handle h) : h_(h) {}
    UniqueHandleOf(const UniqueHandleOf&) = delete;
    UniqueHandleOf& operator=(const UniqueHandleOf&) = delete;
    UniqueHandleOf(UniqueHandleOf&& other) noexcept : h_(other.release()) {}
    UniqueHandleOf& operator=(UniqueHandleOf&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandleOf() { reset(); }

    explicit operator bool() const { return h_ != Traits::Invalid(); }
    Handle get() const { return h_; }
    Handle release() { return std::exchange(h_, Traits::Invalid()); }
    // Lets go of the old handle before closing it, so anything its closing
    // triggers already finds the owner empty.
    void reset(Handle h = Traits::Invalid()) {
        Handle old = std::exchange(h_, h);
        if (old != Traits::Invalid()) Traits::Close(old);
    }

private:
    Handle h_ = Traits::Invalid();
};

namespace detail {

template <typename H, auto CloseFunction>
struct NullInvalid {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CloseFunction(h); }
};

template <auto CloseFunction>
struct MinusOneInvalid {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseFunction(h); }
};

inline void DestroyWindowHandle(HWND h) { DestroyWindow(h); }
inline void FreeGlobal(HGLOBAL h) { GlobalFree(h); }
inline void DeleteGdiObject(HGDIOBJ h) { DeleteObject(h); }
inline void CloseKernelHandle(HANDLE h) { CloseHandle(h); }
inline void CloseFind(HANDLE h) { FindClose(h); }

}  // namespace detail

using UniqueHwnd = UniqueHandleOf<detail::NullInvalid<HWND, &detail::DestroyWindowHandle>>;
using UniqueHglobal = UniqueHandleOf<detail::NullInvalid<HGLOBAL, &detail::FreeGlobal>>;
using UniqueHbitmap = UniqueHandleOf<detail::NullInvalid<HBITMAP, &detail::DeleteGdiObject>>;
using UniqueHpalette = UniqueHandleOf<detail::NullInvalid<HPALETTE, &detail::DeleteGdiObject>>;
// Kernel objects that report failure with 0 (mappings, mutexes...).
using UniqueHandle = UniqueHandleOf<detail::NullInvalid<HANDLE, &detail::CloseKernelHandle>>;
// Files, which report failure with INVALID_HANDLE_VALUE.
using UniqueFileHandle = UniqueHandleOf<detail::MinusOneInvalid<&detail::CloseKernelHandle>>;
using UniqueFindHandle = UniqueHandleOf<detail::MinusOneInvalid<&detail::CloseFind>>;

// GlobalLock / GlobalUnlock.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL h) : h_(h), p_(GlobalLock(h)) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard() {
        if (p_) GlobalUnlock(h_);
    }
    void* get() const { return p_; }

private:
    HGLOBAL h_;
    void* p_;
};

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

// CreateCompatibleDC / DeleteDC.
class MemoryDc {
public:
    explicit MemoryDc(HDC reference) : dc_(CreateCompatibleDC(reference)) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// SelectObject / select back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (old_) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// SelectPalette as a background palette, with RealizePalette / select back.
class PaletteGuard {
public:
    PaletteGuard(HDC dc, HPALETTE palette) : dc_(dc) {
        if (palette) {
            old_ = SelectPalette(dc, palette, TRUE);
            RealizePalette(dc);
        }
    }
    PaletteGuard(const PaletteGuard&) = delete;
    PaletteGuard& operator=(const PaletteGuard&) = delete;
    ~PaletteGuard() {
        if (old_) SelectPalette(dc_, old_, TRUE);
    }

private:
    HDC dc_;
    HPALETTE old_ = nullptr;
};

}  // namespace lumeret
