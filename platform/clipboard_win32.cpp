#include "platform/clipboard_win32.h"

#include <algorithm>
#include <cstring>

#include "platform/errors.h"
#include "platform/global_memory.h"
#include "platform/palette.h"

namespace lumeret {

namespace {
const char kCannotWrite[] = "クリップボードに書き込めません";

// Another program may hold the clipboard for a moment, so opening is tried a
// few times with a growing pause; false when it stays held.
constexpr int kOpenAttempts = 5;
constexpr DWORD kFirstRetryDelayMs = 10;

constexpr SIZE_T kLargeTextBytes = 1 << 20;

bool OpenClipboardRetrying(HWND owner) {
    DWORD delay = kFirstRetryDelayMs;
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (OpenClipboard(owner)) return true;
        if (attempt + 1 < kOpenAttempts) {
            Sleep(delay);
            delay *= 2;
        }
    }
    return false;
}

// Every format the clipboard offers, in one call; nothing when the system
// cannot tell.
std::optional<std::vector<UINT>> AllOfferedFormats() {
    std::vector<UINT> formats(32);
    UINT count = 0;
    bool told = GetUpdatedClipboardFormats(formats.data(), static_cast<UINT>(formats.size()), &count);
    if (!told && GetLastError() == ERROR_INSUFFICIENT_BUFFER && count > formats.size()) {
        formats.resize(count);
        told = GetUpdatedClipboardFormats(formats.data(), static_cast<UINT>(formats.size()), &count);
    }
    if (!told) return std::nullopt;
    formats.resize(count);
    return formats;
}
}  // namespace

bool ClipboardWin32::HasFormat(unsigned format) const {
    return IsClipboardFormatAvailable(format) != FALSE;
}

void ClipboardWin32::Hold() const {
    if (holds_ == 0 && !OpenClipboardRetrying(owner_)) throw ClipboardError("クリップボードを開けません");
    ++holds_;
}

void ClipboardWin32::Release() const {
    if (holds_ == 0 || --holds_ > 0) return;
    offered_.reset();
    CloseClipboard();
    // Wine keeps its own copy of a block fetched from another program, as
    // large as the picture in it, until the clipboard is next opened: opening
    // it once more, without waiting, lets that copy go at once.
    if (dropFetchedCopy_ && OpenClipboard(owner_)) CloseClipboard();
    dropFetchedCopy_ = false;
}

bool ClipboardWin32::Offers(UINT format) const {
    if (holds_ > 0 && !offered_) offered_ = AllOfferedFormats();
    if (!offered_) return HasFormat(format);
    return std::find(offered_->begin(), offered_->end(), format) != offered_->end();
}

std::optional<std::string> ClipboardWin32::Text() const {
    ClipboardHold call(*this);
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return std::nullopt;
    GlobalLockGuard lock(data);
    if (!lock.Bytes()) return std::nullopt;
    // The block may be larger than its text, or carry no NUL at all.
    SIZE_T size = GlobalSize(data);
    // Wine's copy of a large text goes as a picture's does (see Release); a
    // small one's may wait for the next change, sparing every text two calls.
    if (size >= kLargeTextBytes) dropFetchedCopy_ = true;
    const char* bytes = static_cast<const char*>(lock.Bytes());
    const void* nul = std::memchr(bytes, '\0', size);
    std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : size;
    return std::string(bytes, length);
}

bool ClipboardWin32::ReadBlock(unsigned format, const std::function<void(GlobalHandle)>& copyOut) const {
    ClipboardHold call(*this);
    HANDLE data = GetClipboardData(format);
    if (!data) return false;
    dropFetchedCopy_ = true;
    copyOut(data);
    return true;
}

UniquePalette ClipboardWin32::Palette() const {
    ClipboardHold call(*this);
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
    return format != 0 && Offers(format);
}

std::optional<std::uint32_t> ClipboardWin32::NamedFormatNumber(const std::string& name) const {
    // The clipboard is opened only when the format is there to be read.
    if (!HasNamedFormat(name)) return std::nullopt;
    ClipboardHold call(*this);
    HANDLE data = GetClipboardData(NamedFormat(name));
    if (!data) return std::nullopt;
    GlobalLockGuard lock(data);
    if (!lock.Bytes() || GlobalSize(data) < sizeof(std::uint32_t)) return std::nullopt;
    const auto* bytes = static_cast<const unsigned char*>(lock.Bytes());
    return static_cast<std::uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24);
}

void ClipboardWin32::SetBlock(unsigned format, UniqueGlobal block, UniquePalette palette) {
    ClipboardHold call(*this);
    offered_.reset();
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
    ClipboardHold call(*this);
    offered_.reset();
    EmptyClipboard();
}

std::uint32_t ClipboardWin32::ChangeStamp() const { return GetClipboardSequenceNumber(); }

}  // namespace lumeret
