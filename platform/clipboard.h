// The system clipboard as the program sees it. Everything read is copied out
// while the clipboard is open, and it is closed again before the call
// returns, on every way out: nothing the program does afterwards can keep it
// from others. A ClipboardHold keeps it open across several calls instead,
// so that they all see one content.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/global_memory.h"
#include "platform/palette.h"

namespace lumeret {

// The standard formats the program reads and writes.
inline constexpr unsigned kCfText = 1;
inline constexpr unsigned kCfBitmap = 2;
inline constexpr unsigned kCfDib = 8;
inline constexpr unsigned kCfPalette = 9;

class IClipboard {
public:
    virtual ~IClipboard() = default;

    // Whether the clipboard offers the format.
    virtual bool HasFormat(unsigned format) const = 0;
    // The clipboard's plain text (CF_TEXT), nothing when it holds none.
    virtual std::optional<std::string> Text() const = 0;
    // Hands the clipboard's own block in format to copyOut while the
    // clipboard is open; false, without calling it, when the clipboard holds
    // nothing in that format. copyOut only copies what it needs out of the
    // block (it may throw): no windows, files or questions while it runs.
    virtual bool ReadBlock(unsigned format, const std::function<void(GlobalHandle)>& copyOut) const = 0;
    // A copy of the clipboard's palette (CF_PALETTE), none when it has none.
    virtual UniquePalette Palette() const = 0;
    // Whether the clipboard offers the format registered under name.
    virtual bool HasNamedFormat(const std::string& name) const = 0;
    // The first four bytes of the clipboard's block in the format registered
    // under name, as a little-endian number; nothing when the clipboard holds
    // no such block or a shorter one.
    virtual std::optional<std::uint32_t> NamedFormatNumber(const std::string& name) const = 0;

    // Replaces the clipboard's contents with a plain text.
    virtual void SetText(const std::string& text) = 0;
    // Replaces the clipboard's contents with a block in format and, when
    // given, a palette; the clipboard owns both from then on. Throws
    // ClipboardError when it refuses them; they are freed then.
    virtual void SetBlock(unsigned format, UniqueGlobal block, UniquePalette palette) = 0;
    // Removes every format.
    virtual void Clear() = 0;
    // A number that changes with every change of the clipboard's contents.
    virtual std::uint32_t ChangeStamp() const = 0;

    // Opens the clipboard until the matching Release, so that no other
    // program can change it in between; the calls in between do not open it
    // again. Holds nest. Throws ClipboardError when another program keeps it.
    virtual void Hold() const = 0;
    virtual void Release() const = 0;
};

// Holds the clipboard for its scope: what is asked and read in it is one
// content, never parts of two. Keep it short and never ask the user in it;
// no other program can use the clipboard meanwhile.
class ClipboardHold {
public:
    // Holds nothing when told not to.
    explicit ClipboardHold(const IClipboard& clipboard, bool hold = true) : clipboard_(hold ? &clipboard : nullptr) {
        if (clipboard_) clipboard_->Hold();
    }
    ClipboardHold(const ClipboardHold&) = delete;
    ClipboardHold& operator=(const ClipboardHold&) = delete;
    ~ClipboardHold() { End(); }

    // Lets the clipboard go before the scope ends.
    void End() {
        if (clipboard_) clipboard_->Release();
        clipboard_ = nullptr;
    }

private:
    const IClipboard* clipboard_;
};

}  // namespace lumeret
