// Graphic: the abstract graphic between the program's graphic contract and
// Dib. It adds a palette and a clipboard format, and teaches Assign to read
// a graphic straight from the clipboard.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "dib/canvas.h"
#include "platform/clipboard.h"
#include "platform/errors.h"
#include "platform/global_memory.h"
#include "platform/palette.h"
#include "platform/stream.h"

namespace lumeret {

// An assignment between graphics of unrelated kinds.
class ConvertError : public Exception { using Exception::Exception; };

class Graphic {
public:
    virtual ~Graphic() = default;
    Graphic(const Graphic&) = delete;
    Graphic& operator=(const Graphic&) = delete;

    virtual const char* ClassName() const noexcept = 0;

    // Takes the image of another graphic; unrelated kinds raise ConvertError.
    virtual void Assign(const Graphic* source);
    // Loads the clipboard's data in GetClipboardFormat() (and its palette)
    // through LoadFromClipboardFormat, straight from the clipboard's block.
    void Assign(const IClipboard& clipboard);
    // Gives this image to dest; unrelated kinds raise ConvertError.
    virtual void AssignTo(Graphic& dest) const;

    virtual void Draw(Canvas& canvas, const Rect& rect) = 0;
    virtual bool GetEmpty() const = 0;
    virtual std::int32_t GetWidth() const = 0;
    virtual std::int32_t GetHeight() const = 0;
    virtual void SetWidth(std::int32_t value) = 0;
    virtual void SetHeight(std::int32_t value) = 0;

    virtual void LoadFromStream(Stream& stream) = 0;
    virtual void SaveToStream(Stream& stream) const = 0;
    // Opens the file for reading (FileOpenError) and reads it.
    void LoadFromFile(const std::string& path);
    // Creates or truncates the file (FileCreateError) and writes it.
    void SaveToFile(const std::string& path) const;

    virtual void LoadFromClipboardFormat(std::uint16_t format, GlobalHandle data, PaletteHandle palette) = 0;
    virtual void SaveToClipboardFormat(std::uint16_t& format, GlobalHandle& data, PaletteHandle& palette) const = 0;

    virtual PaletteHandle GetPalette() = 0;
    virtual void SetPalette(PaletteHandle value) = 0;
    virtual std::uint16_t GetClipboardFormat() const = 0;

    // Called after every change of the image that is announced (see Changed).
    std::function<void(Graphic&)> OnChange;
    bool Modified = false;

protected:
    Graphic() = default;
    // Marks the graphic modified and calls OnChange.
    void Changed();
};

// Empties the clipboard and puts the graphic on it in its clipboard format.
void PutOnClipboard(const Graphic& graphic, IClipboard& clipboard);

}  // namespace lumeret
