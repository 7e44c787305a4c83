// The system clipboard as the core sees it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lumeret {

inline constexpr unsigned kCfText = 1;
inline constexpr unsigned kCfBitmap = 2;
inline constexpr unsigned kCfDib = 8;

class IClipboard {
public:
    virtual ~IClipboard() = default;

    // Whether the clipboard offers the format.
    virtual bool HasFormat(unsigned format) const = 0;
    // The clipboard's plain text (CF_TEXT), nothing when it holds none.
    virtual std::optional<std::string> Text() const = 0;
    // Replaces the clipboard's contents with a plain text.
    virtual void SetText(const std::string& text) = 0;
    // Replaces the clipboard's contents with the picture of a BMP file, as a
    // bitmap with its palette. Throws FileOpenError when it cannot be loaded.
    virtual void SetBitmapFromFile(const std::string& path) = 0;
    // Removes every format.
    virtual void Clear() = 0;
    // A number that changes with every change of the clipboard's contents.
    virtual std::uint32_t ChangeStamp() const = 0;
};

}  // namespace lumeret
