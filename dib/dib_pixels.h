// The storage behind every Dib: one device-independent bitmap (header,
// colour table, pixel bits in a paging-file-backed mapping, and a logical
// palette made on demand), shared between Dib objects through
// std::shared_ptr. Only Dib creates and shares it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "dib/dib_format.h"
#include "dib/file_map.h"
#include "platform/global_memory.h"
#include "platform/palette.h"
#include "platform/stream.h"

namespace lumeret {

// One image: pixel store, header and colour table. The readers build one
// aside and install it whole; a copy-on-write copies one whole. Header with
// Colors directly behind it is the BITMAPINFO handed to GDI.
struct DibImage {
    PixelStore Store;
    BitmapInfoHeader Header{};
    RgbQuad Colors[kColorSlots]{};

    const void* BitmapInfo() const noexcept { return &Header; }
};
static_assert(offsetof(DibImage, Colors) == offsetof(DibImage, Header) + kInfoHeaderSize);

// What drawing and writing read of an image: the header and colour table of
// a DibImage, and pixels that are its store's or lie elsewhere, such as in a
// BMP file's bytes. Holds none of them: they must outlive the view.
struct DibView {
    DibView(const DibImage& image) noexcept  // NOLINT: every image is a view of itself
        : Meta(image), Bits(image.Store.Bits()), Size(image.Store.Size()) {}
    DibView(const DibImage& meta, const std::uint8_t* bits, std::int32_t size) noexcept
        : Meta(meta), Bits(bits), Size(size) {}

    const BitmapInfoHeader& Header() const noexcept { return Meta.Header; }
    std::int32_t Width() const noexcept { return Meta.Header.biWidth; }
    // Always positive: every header a view is made of has been checked.
    std::int32_t Height() const noexcept { return std::abs(Meta.Header.biHeight); }

    const DibImage& Meta;  // its store is not read
    const std::uint8_t* Bits;
    std::int32_t Size;
};

// Where red, green and blue lie in a 16- or 32-bit pixel: for each a mask
// and the shift that brings the mask's highest bit to a byte's (see
// MaskShift). Converting to 24 bits and drawing read pixels through the
// same masks, so a picture looks the same before and after.
struct ColorMasks {
    enum Channel { kRed, kGreen, kBlue };

    std::uint8_t Value(std::uint32_t pixel, Channel channel) const noexcept {
        const std::uint32_t v = pixel & Mask[channel];
        const int shift = Shift[channel];
        return static_cast<std::uint8_t>(shift >= 0 ? v >> shift : v << -shift);
    }
    // The pixel's colour as 0x00RRGGBB.
    std::uint32_t Color(std::uint32_t pixel) const noexcept {
        return std::uint32_t{Value(pixel, kRed)} << 16 | std::uint32_t{Value(pixel, kGreen)} << 8 |
               Value(pixel, kBlue);
    }

    std::uint32_t Mask[kMaskCount];
    int Shift[kMaskCount];
};

// The masks of a 16- or 32-bit image: its own (BI_BITFIELDS, in the first
// colour entries), else the standard ones (BI_RGB: 5-5-5 or 8-8-8). Nothing
// for another compression or a mask of 0.
std::optional<ColorMasks> ColorMasksOf(const DibImage& image);

// Told of a picture loaded from the clipboard once its pixels are known
// good: a 16- or 32-bit one's where they lie in the block, before they are
// converted to 24 bits; any other's once copied.
using PixelsCheckedHandler = std::function<void(const DibView&)>;

class DibPixels : public std::enable_shared_from_this<DibPixels> {
public:
    // The 1x1, 8-bit default image with two black colour entries.
    DibPixels();
    // A new zeroed image with colourCount black entries. Width > 0, height
    // != 0 (negative: top-down), bit count 1, 4, 8 or 24, 0 to 256 colours;
    // otherwise InvalidDibParameterError.
    DibPixels(std::int32_t width, std::int32_t height, std::int32_t bitCount, std::int32_t colorCount);
    // A storage of its own for a copy of other's image (header, colours and
    // pixels); its palette is made again on demand. Explicit, as a copy of
    // the pixels is never made by accident.
    explicit DibPixels(const DibPixels& other);
    DibPixels& operator=(const DibPixels&) = delete;

    void LoadFromStream(Stream& stream);
    void SaveToStream(Stream& stream) const;
    // Reads a packed DIB; the block stays the caller's. spare, the store of
    // a picture no longer needed, is taken over when it has the size needed
    // (every byte of it is written) and given back before a new one is made.
    // pixelsChecked, when given, is told of the pixels before they are
    // converted; nothing can fail after it.
    void LoadFromClipboardFormat(GlobalHandle data, PixelStore spare = PixelStore(),
                                 const PixelsCheckedHandler& pixelsChecked = {});
    // A new movable block holding the packed DIB; the caller owns it.
    void SaveToClipboardFormat(GlobalHandle& data) const;

    // A new palette from the colour table (none without one); not stored.
    UniquePalette MakePalette() const;
    // Drops the palette made so far; the storage must not be shared.
    void DropPalette();

    // How many Dib objects hold this storage; 0 for one that none holds.
    long HolderCount() const noexcept { return weak_from_this().use_count(); }

    std::int32_t Width = 0;
    std::int32_t Height = 0;  // always |biHeight|
    UniquePalette Palette;  // made on first request, or given by Dib::SetPalette
    DibImage Image;
    bool PaletteModified = true;  // set for a new storage and by DropPalette, cleared by Dib
};

// The pixels of a BMP file held in memory, where they lie, when they can be
// used from there as DibPixels::LoadFromStream would hold them: 1, 4, 8 or
// 24 bits, not run-length encoded, all the bytes the file declares present
// and no fewer than drawing reads. The file's header and colour table go into
// meta, which the view shows them from. Nothing for any other file, also for
// one the load refuses: loading it tells why.
std::optional<DibView> PixelsInPlace(std::string_view file, DibImage& meta);

// Writes a BMP file of the image: file header, info header, colour table,
// pixels (all the image's bytes).
void WriteBmpFile(const DibView& image, Stream& stream);

// A new movable block holding the image as a packed DIB: info header, colour
// table, pixels. OutOfMemoryError when it cannot be made.
UniqueGlobal PackedDibBlock(const DibView& image);

// Turns an image whose header memory holds a BITMAPCOREHEADER followed by
// RGB triples into one with a BITMAPINFOHEADER and RGBQUAD entries.
void CoreToInfoHeader(DibImage& image);

}  // namespace lumeret
