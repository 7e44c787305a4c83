// The system clipboard through the Win32 API. Texts are CF_TEXT bytes in the
// system's ANSI code page.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/clipboard.h"

namespace lumeret {

class ClipboardWin32 : public IClipboard {
public:
    // owner becomes the clipboard's owner when this object writes it; a
    // program with a main window passes that window once it exists.
    explicit ClipboardWin32(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    bool HasFormat(unsigned format) const override;
    std::optional<std::string> Text() const override;
    bool ReadBlock(unsigned format, const std::function<void(GlobalHandle)>& copyOut) const override;
    UniquePalette Palette() const override;
    bool HasNamedFormat(const std::string& name) const override;
    std::optional<std::uint32_t> NamedFormatNumber(const std::string& name) const override;
    // Throws Exception when the clipboard cannot be opened or written,
    // OutOfMemoryError when the text's block cannot be allocated.
    void SetText(const std::string& text) override;
    void SetBlock(unsigned format, UniqueGlobal block, UniquePalette palette) override;
    void Clear() override;
    std::uint32_t ChangeStamp() const override;
    // Throws ClipboardError "クリップボードを開けません" when another
    // program keeps the clipboard through every retry.
    void Hold() const override;
    void Release() const override;

    HWND Owner() const { return owner_; }

private:
    // The number the system gave the named format, 0 when it gave none. A
    // name keeps its number for the whole session, so each is asked once.
    UINT NamedFormat(const std::string& name) const;
    // Whether the clipboard offers the format. Within a hold the formats are
    // asked for once, all together, as nothing can change them meanwhile.
    bool Offers(UINT format) const;

    HWND owner_;
    mutable std::map<std::string, UINT> namedFormats_;
    mutable int holds_ = 0;
    // Within the hold: a block was fetched whose copy Wine keeps until the
    // clipboard is next opened.
    mutable bool dropFetchedCopy_ = false;
    // Within the hold: the formats offered, once asked for.
    mutable std::optional<std::vector<UINT>> offered_;
};

}  // namespace lumeret
