// Dib: the program's bitmap graphic. Copies made with Assign share one
// DibPixels through std::shared_ptr; the only edit in place (SetPalette)
// first gives the object a private copy.
#pragma once

#include <cstdint>
#include <memory>

#include "dib/graphic.h"
#include "dib/dib_pixels.h"

#ifdef _WIN32
struct HBITMAP__;
#endif

namespace lumeret {

#ifdef _WIN32
struct BitmapTarget;  // dib/bitmap_win32.h
#endif

class Dib : public Graphic {
public:
    // The 1x1, 8-bit default image.
    Dib();

    const char* ClassName() const noexcept override { return "Dib"; }

    using Graphic::Assign;
    // nullptr: the 1x1 default. Another Dib: share its storage. No change
    // notification in either case.
    void Assign(const Graphic* source) override;
    void AssignTo(Graphic& dest) const override;

    void Draw(Canvas& canvas, const Rect& rect) override;
    bool GetEmpty() const override;
    std::int32_t GetWidth() const override;
    std::int32_t GetHeight() const override;  // always positive
    // A new zeroed image of the new size with the same bit and colour counts.
    void SetWidth(std::int32_t value) override;
    // A negative value gives a top-down image.
    void SetHeight(std::int32_t value) override;

    // A failed load leaves the 1x1 default image, not the earlier one.
    void LoadFromStream(Stream& stream) override;
    void SaveToStream(Stream& stream) const override;
    // Only CF_DIB with a block is read; APalette is not used.
    void LoadFromClipboardFormat(std::uint16_t format, GlobalHandle data, PaletteHandle palette) override;
    // Always CF_DIB and no palette; the caller owns the new block.
    void SaveToClipboardFormat(std::uint16_t& format, GlobalHandle& data,
                               PaletteHandle& palette) const override;

    // The storage's palette, made on first request; the storage keeps it.
    PaletteHandle GetPalette() override;
    // Takes the first 256 entries of value as the colour table; the storage
    // owns value from then on. nullptr empties the colour table.
    void SetPalette(PaletteHandle value) override;
    std::uint16_t GetClipboardFormat() const override { return kCfDib; }

    // Lets go of the storage, which stays with its other holders or goes.
    // Every operation but Draw then reports the missing storage.
    void ReleasePixels();
    // Copy-on-write: gives this object a storage of its own when it shares
    // one. No change notification.
    void DetachPixels();
    // Clears the storage's palette-modified flag; this object must be the
    // storage's only holder.
    void ClearPaletteModified();

    // The storage, for readers that need the header or the bits.
    const DibPixels* Pixels() const noexcept { return pixels_.get(); }

    // Told of a picture read from the clipboard as soon as its pixels are
    // known good: a 16- or 32-bit one before its conversion to 24 bits.
    PixelsCheckedHandler OnPixelsChecked;

#ifdef _WIN32
    // Reads a device-dependent bitmap through GetDIBits; 16 and 32 bits
    // become 24. A failure leaves the image as it was.
    void AssignBitmap(HBITMAP__* bitmap, PaletteHandle palette);
    // Sizes target to this image, gives it a copy of the palette and draws the
    // image into it.
    void AssignTo(BitmapTarget& target);
#endif

private:
    // Puts fresh in place of the current storage (which stays with its other
    // holders, or goes). fresh is made before the old storage goes, so that a
    // failure to make it leaves the object with its image.
    void SwapIn(std::shared_ptr<DibPixels> fresh);
    void Resize(std::int32_t width, std::int32_t height);

    std::shared_ptr<DibPixels> pixels_;
};

// Registers Dib with the picture registry under CF_DIB and the extension
// "dib". Runs once at start-up; calling it again does nothing.
void RegisterDibFormat();

}  // namespace lumeret
