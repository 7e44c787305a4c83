// Where a graphic draws itself: a device context in the windows build
// (dib/hdc_canvas_win32.h), or an in-memory picture (tests, benchmarks and
// the native build).
#pragma once

#include <cstdint>
#include <vector>

#include "dib/dib_pixels.h"
#include "platform/geometry.h"
#include "platform/palette.h"

namespace lumeret {

class Canvas {
public:
    virtual ~Canvas() = default;
    // Draws the whole image scaled into dest, with palette (may be nullptr)
    // selected as a background palette.
    virtual void StretchDib(const Rect& dest, const DibView& image, PaletteHandle palette) = 0;
};

// A picture of 0x00RRGGBB pixels, top row first. Stretching takes the nearest
// source pixel (as GDI's colour-on-colour mode does); a rectangle of negative
// width or height draws nothing, and so does one of 0.
class MemoryCanvas : public Canvas {
public:
    MemoryCanvas(std::int32_t width, std::int32_t height, std::uint32_t background = 0xFFFFFF);

    void StretchDib(const Rect& dest, const DibView& image, PaletteHandle palette) override;

    std::int32_t Width() const noexcept { return width_; }
    std::int32_t Height() const noexcept { return height_; }
    std::uint32_t Pixel(std::int32_t x, std::int32_t y) const;
    // All pixels, row by row from the top, Width() to a row.
    const std::uint32_t* Pixels() const noexcept { return pixels_.data(); }

private:
    std::int32_t width_;
    std::int32_t height_;
    std::vector<std::uint32_t> pixels_;
};

// The colour (0x00RRGGBB) of pixel (x, y), counted from the top-left, of an
// uncompressed image (16- and 32-bit ones through their masks); 0 when the
// pixel lies outside the image or its pixels.
std::uint32_t PixelColor(const DibView& image, std::int32_t x, std::int32_t y);

// The colour indexes a run-length image paints at the given places: rows
// (counted from the top) and columns, each list ascending and without
// repeats; one byte for each row and column, row by row. What the stream does
// not paint stays 0. Never reads or writes past either buffer.
std::vector<std::uint8_t> DecodeRunLengthAt(const DibView& image, const std::vector<std::int32_t>& rows,
                                            const std::vector<std::int32_t>& columns);

// The whole picture decoded, one byte per pixel, top row first; empty for
// pictures of more than 64 Mi pixels.
std::vector<std::uint8_t> DecodeRunLength(const DibView& image);

}  // namespace lumeret
