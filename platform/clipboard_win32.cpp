#include "platform/clipboard_win32.h"

#include <cstring>

#include "platform/errors.h"

namespace lumeret {

namespace {

constexpr int kOpenAttempts = 5;
constexpr DWORD kFirstRetryDelayMs = 10;

const char kCannotOpen[] = "クリップボードを開けません";
const char kCannotWrite[] = "クリップボードに書き込めません";

class UniqueHglobal {
public:
    explicit UniqueHglobal(HGLOBAL h) : h_(h) {}
    UniqueHglobal(const UniqueHglobal&) = delete;
    UniqueHglobal& operator=(const UniqueHglobal&) = delete;
    ~UniqueHglobal() {
        if (h_) GlobalFree(h_);
    }
    explicit operator bool() const { return h_ != nullptr; }
    HGLOBAL get() const { return h_; }
    HGLOBAL release() {
        HGLOBAL h = h_;
        h_ = nullptr;
        return h;
    }

private:
    HGLOBAL h_;
};

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

// Holds the clipboard open. Another program may hold it for a moment, so the
// opening is tried a few times with a growing pause.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner) {
        DWORD delay = kFirstRetryDelayMs;
        for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
            if (OpenClipboard(owner)) return;
            if (attempt + 1 < kOpenAttempts) {
                Sleep(delay);
                delay *= 2;
            }
        }
        throw Exception(kCannotOpen);
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    ~ClipboardSession() { CloseClipboard(); }
};

}  // namespace

bool ClipboardWin32::HasFormat(unsigned format) const {
    return IsClipboardFormatAvailable(format) != FALSE;
}

std::optional<std::string> ClipboardWin32::Text() const {
    ClipboardSession session(owner_);
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return std::nullopt;
    GlobalLockGuard lock(data);
    if (!lock.get()) return std::nullopt;
    // The block may be larger than its text, or carry no NUL at all.
    SIZE_T size = GlobalSize(data);
    const char* bytes = static_cast<const char*>(lock.get());
    const void* nul = std::memchr(bytes, '\0', size);
    std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : size;
    return std::string(bytes, length);
}

void ClipboardWin32::SetText(const std::string& text) {
    ClipboardSession session(owner_);
    if (!EmptyClipboard()) throw Exception(kCannotWrite);
    UniqueHglobal block(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (!block) throw EOutOfMemory("Out of memory");
    {
        GlobalLockGuard lock(block.get());
        if (!lock.get()) throw EOutOfMemory("Out of memory");
        std::memcpy(lock.get(), text.c_str(), text.size() + 1);
    }
    if (!SetClipboardData(CF_TEXT, block.get())) throw Exception(kCannotWrite);
    // The clipboard owns the block from here on.
    block.release();
}

void ClipboardWin32::Clear() {
    ClipboardSession session(owner_);
    EmptyClipboard();
}

std::uint32_t ClipboardWin32::ChangeStamp() const { return GetClipboardSequenceNumber(); }

}  // namespace lumeret
