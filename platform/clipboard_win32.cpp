#include "platform/clipboard_win32.h"

#include <cstring>

#include "platform/clipboard_session_win32.h"
#include "platform/errors.h"
#include "platform/global_memory.h"
#include "platform/palette.h"

namespace lumeret {

namespace {
const char kCannotWrite[] = "クリップボードに書き込めません";
}  // namespace

bool ClipboardWin32::HasFormat(unsigned format) const {
    return IsClipboardFormatAvailable(format) != FALSE;
}

std::optional<std::string> ClipboardWin32::Text() const {
    ClipboardSession session(owner_);
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return std::nullopt;
    GlobalLockGuard lock(data);
    if (!lock.Bytes()) return std::nullopt;
    // The block may be larger than its text, or carry no NUL at all.
    SIZE_T size = GlobalSize(data);
    const char* bytes = static_cast<const char*>(lock.Bytes());
    const void* nul = std::memchr(bytes, '\0', size);
    std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : size;
    return std::string(bytes, length);
}

namespace {

// Wine keeps its own copy of a block fetched from another program, as large
// as the picture in it, until the clipboard is next opened: opening it once
// more, without waiting, lets that copy go at once.
struct LetFetchedCopyGo {
    HWND owner;
    ~LetFetchedCopyGo() {
        if (OpenClipboard(owner)) CloseClipboard();
    }
};

}  // namespace

bool ClipboardWin32::ReadBlock(unsigned format, const std::function<void(GlobalHandle)>& copyOut) const {
    LetFetchedCopyGo afterwards{owner_};
    ClipboardSession session(owner_);
    HANDLE data = GetClipboardData(format);
    if (!data) return false;
    copyOut(data);
    return true;
}

UniquePalette ClipboardWin32::Palette() const {
    ClipboardSession session(owner_);
    auto palette = static_cast<HPALETTE>(GetClipboardData(CF_PALETTE));
    if (!palette) return UniquePalette();
    PaletteEntry entries[256] = {};
    unsigned n = PaletteGetEntries(palette, 0, 256, entries);
    return UniquePalette(PaletteCreate(entries, n));
}

UINT ClipboardWin32::NamedFormat(const std::string& name) const {
    if (auto known = namedFormats_.find(name); known != namedFormats_.end()) return known->second;
    const UINT format = RegisterClipboardFormatA(name.c_str());
    if (format != 0) namedFormats_.emplace(name, format);
    return format;
}

bool ClipboardWin32::HasNamedFormat(const std::string& name) const {
    const UINT format = NamedFormat(name);
    return format != 0 && IsClipboardFormatAvailable(format);
}

std::optional<std::uint32_t> ClipboardWin32::NamedFormatNumber(const std::string& name) const {
    // The clipboard is opened only when the format is there to be read.
    if (!HasNamedFormat(name)) return std::nullopt;
    ClipboardSession session(owner_);
    HANDLE data = GetClipboardData(NamedFormat(name));
    if (!data) return std::nullopt;
    GlobalLockGuard lock(data);
    if (!lock.Bytes() || GlobalSize(data) < sizeof(std::uint32_t)) return std::nullopt;
    const auto* bytes = static_cast<const unsigned char*>(lock.Bytes());
    return static_cast<std::uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24);
}

void ClipboardWin32::SetBlock(unsigned format, UniqueGlobal block, UniquePalette palette) {
    ClipboardSession session(owner_);
    if (!EmptyClipboard()) throw ClipboardError(kCannotWrite);
    // The clipboard owns what it accepted.
    if (!SetClipboardData(format, block.get())) throw ClipboardError(kCannotWrite);
    block.release();
    if (palette) {
        if (!SetClipboardData(CF_PALETTE, palette.get())) throw ClipboardError(kCannotWrite);
        palette.release();
    }
}

void ClipboardWin32::SetText(const std::string& text) {
    // The block is made before the clipboard is opened.
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (!block) throw OutOfMemoryError("Out of memory");
    {
        GlobalLockGuard lock(block.get());
        if (!lock.Bytes()) throw OutOfMemoryError("Out of memory");
        std::memcpy(lock.Bytes(), text.c_str(), text.size() + 1);
    }
    SetBlock(CF_TEXT, std::move(block), UniquePalette());
}

void ClipboardWin32::Clear() {
    ClipboardSession session(owner_);
    EmptyClipboard();
}

std::uint32_t ClipboardWin32::ChangeStamp() const { return GetClipboardSequenceNumber(); }

}  // namespace lumeret
