#include <algorithm>
#include <cstdlib>

#include "dib/canvas.h"
#include "dib/dib_errors.h"

namespace lumeret {
namespace {

// Run-length images are decoded whole before drawing; a header may claim far
// more pixels than its few stream bytes paint, so larger ones are not drawn.
constexpr std::int32_t kMaxDecodedPixels = 64 << 20;

std::uint32_t ColorAt(const DibImage& image, std::uint32_t index) {
    if (index >= image.Header.biClrUsed || index >= kMaxColors) {
        return 0;
    }
    const RgbQuad& c = image.Colors[index];
    return (std::uint32_t{c.rgbRed} << 16) | (std::uint32_t{c.rgbGreen} << 8) | c.rgbBlue;
}

}  // namespace

std::uint32_t PixelColor(const DibImage& image, std::int32_t x, std::int32_t y) {
    const BitmapInfoHeader& h = image.Header;
    const std::int32_t rows = std::abs(h.biHeight);
    if (x < 0 || y < 0 || x >= h.biWidth || y >= rows || image.Store.Bits() == nullptr) {
        return 0;
    }
    auto rowSize = CheckedRowSize(h.biWidth, h.biBitCount);
    if (!rowSize) {
        return 0;
    }
    const std::int64_t storedRow = h.biHeight > 0 ? rows - 1 - y : y;
    const std::int64_t bitOffset = static_cast<std::int64_t>(x) * h.biBitCount;
    const std::int64_t byte = storedRow * *rowSize + bitOffset / 8;
    const std::int64_t need = h.biBitCount == 24 ? 3 : 1;
    if (byte + need > image.Store.Size()) {
        return 0;
    }
    const std::uint8_t* p = image.Store.Bits() + byte;
    switch (h.biBitCount) {
    case 1:
        return ColorAt(image, (*p >> (7 - bitOffset % 8)) & 1);
    case 4:
        return ColorAt(image, (bitOffset % 8 == 0) ? (*p >> 4) : (*p & 0x0F));
    case 8:
        return ColorAt(image, *p);
    case 24:
        return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
    default:
        return 0;
    }
}

std::vector<std::uint8_t> DecodeRunLength(const DibImage& image) {
    const BitmapInfoHeader& h = image.Header;
    const bool four = h.biCompression == kBiRle4;
    const std::int32_t width = h.biWidth;
    const std::int32_t rows = std::abs(h.biHeight);
    auto total = CheckedProduct(width, rows);
    if (!total || width <= 0 || *total > kMaxDecodedPixels) {
        return {};
    }
    std::vector<std::uint8_t> out(static_cast<std::size_t>(*total), 0);
    const std::uint8_t* data = image.Store.Bits();
    const auto size = static_cast<std::size_t>(image.Store.Size());
    std::int64_t x = 0;
    std::int64_t y = 0;  // counted from the bottom row
    auto put = [&](std::uint8_t index) {
        if (x >= 0 && x < width && y >= 0 && y < rows) {
            const std::int64_t top = rows - 1 - y;
            out[static_cast<std::size_t>(top * width + x)] = index;
        }
        ++x;
    };
    std::size_t i = 0;
    while (i + 1 < size) {
        const std::uint8_t count = data[i];
        const std::uint8_t value = data[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k) {
                put(four ? ((k % 2 == 0) ? value >> 4 : value & 0x0F) : value);
            }
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (i + 1 >= size) {
                break;
            }
            x += data[i];
            y += data[i + 1];
            i += 2;
        } else {
            const std::size_t bytes = four ? (value + 1u) / 2u : value;
            if (bytes > size - i) {
                break;
            }
            for (int k = 0; k < value; ++k) {
                const std::uint8_t b = data[i + (four ? k / 2 : k)];
                put(four ? ((k % 2 == 0) ? b >> 4 : b & 0x0F) : b);
            }
            i += (bytes + 1) & ~std::size_t{1};  // absolute runs keep word alignment
        }
        if (y >= rows) {
            break;
        }
    }
    return out;
}

MemoryCanvas::MemoryCanvas(std::int32_t width, std::int32_t height, std::uint32_t background)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), background) {}

std::uint32_t MemoryCanvas::Pixel(std::int32_t x, std::int32_t y) const {
    DibAssert(x >= 0 && y >= 0 && x < width_ && y < height_, "MemoryCanvas.Pixel: Out Of Range");
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void MemoryCanvas::StretchDib(const Rect& dest, const DibImage& image, std::int32_t width,
                              std::int32_t height, PaletteHandle) {
    const std::int64_t destWidth = static_cast<std::int64_t>(dest.Right) - dest.Left;
    const std::int64_t destHeight = static_cast<std::int64_t>(dest.Bottom) - dest.Top;
    if (destWidth <= 0 || destHeight <= 0 || width <= 0 || height <= 0) {
        return;
    }
    const bool runLength = image.Header.biCompression == kBiRle8 || image.Header.biCompression == kBiRle4;
    std::vector<std::uint8_t> indexes;
    if (runLength) {
        indexes = DecodeRunLength(image);
        if (indexes.empty()) {
            return;
        }
    }
    const std::int64_t x0 = dest.Left < 0 ? 0 : dest.Left;
    const std::int64_t y0 = dest.Top < 0 ? 0 : dest.Top;
    const std::int64_t x1 = std::min<std::int64_t>(dest.Right, width_);
    const std::int64_t y1 = std::min<std::int64_t>(dest.Bottom, height_);
    for (std::int64_t y = y0; y < y1; ++y) {
        const auto sy = static_cast<std::int32_t>((y - dest.Top) * height / destHeight);
        std::uint32_t* out = pixels_.data() + y * width_;
        for (std::int64_t x = x0; x < x1; ++x) {
            const auto sx = static_cast<std::int32_t>((x - dest.Left) * width / destWidth);
            out[x] = runLength ? ColorAt(image, indexes[static_cast<std::size_t>(sy) * static_cast<std::size_t>(width) +
                                                        static_cast<std::size_t>(sx)])
                               : PixelColor(image, sx, sy);
        }
    }
}

}  // namespace lumeret
