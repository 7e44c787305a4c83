#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <optional>

#include "dib/canvas.h"
#include "dib/dib_errors.h"
#include "dib/run_length.h"

namespace lumeret {
namespace {

// A whole decode, which only tests ask for, stops at this size: a header may
// claim far more pixels than its few stream bytes paint.
constexpr std::int32_t kMaxDecodedPixels = 64 << 20;

std::uint32_t ColorAt(const DibImage& image, std::uint32_t index) {
    if (index >= image.Header.biClrUsed || index >= kMaxColors) {
        return 0;
    }
    const RgbQuad& c = image.Colors[index];
    return (std::uint32_t{c.rgbRed} << 16) | (std::uint32_t{c.rgbGreen} << 8) | c.rgbBlue;
}

// Reads the colours of an uncompressed image's pixels; what they all share
// is worked out once.
class PixelReader {
public:
    explicit PixelReader(const DibView& image)
        : image_(image),
          rows_(std::abs(image.Header().biHeight)),
          rowSize_(CheckedRowSize(image.Header().biWidth, image.Header().biBitCount)),
          masks_(ColorMasksOf(image.Meta)) {}

    // The colour (0x00RRGGBB) of pixel (x, y), counted from the top-left; 0
    // outside the image or its pixels.
    std::uint32_t Color(std::int32_t x, std::int32_t y) const {
        const BitmapInfoHeader& h = image_.Header();
        if (x < 0 || y < 0 || x >= h.biWidth || y >= rows_ || image_.Bits == nullptr || !rowSize_) {
            return 0;
        }
        const std::int64_t storedRow = h.biHeight > 0 ? rows_ - 1 - y : y;
        const std::int64_t bitOffset = static_cast<std::int64_t>(x) * h.biBitCount;
        const std::int64_t byte = storedRow * *rowSize_ + bitOffset / 8;
        const std::int64_t need = h.biBitCount >= 16 ? h.biBitCount / 8 : 1;
        if (byte + need > image_.Size) {
            return 0;
        }
        const std::uint8_t* p = image_.Bits + byte;
        switch (h.biBitCount) {
        case 1:
            return ColorAt(image_.Meta, (*p >> (7 - bitOffset % 8)) & 1);
        case 4:
            return ColorAt(image_.Meta, (bitOffset % 8 == 0) ? (*p >> 4) : (*p & 0x0F));
        case 8:
            return ColorAt(image_.Meta, *p);
        case 16:
            return masks_ ? masks_->Color(p[0] | std::uint32_t{p[1]} << 8) : 0;
        case 24:
            return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
        case 32:
            return masks_ ? masks_->Color(p[0] | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
                                          std::uint32_t{p[3]} << 24)
                          : 0;
        default:
            return 0;
        }
    }

private:
    const DibView& image_;
    std::int32_t rows_;
    std::optional<std::int32_t> rowSize_;
    std::optional<ColorMasks> masks_;
};

}  // namespace

std::uint32_t PixelColor(const DibView& image, std::int32_t x, std::int32_t y) {
    return PixelReader(image).Color(x, y);
}

std::vector<std::uint8_t> DecodeRunLengthAt(const DibView& image, const std::vector<std::int32_t>& rows,
                                            const std::vector<std::int32_t>& columns) {
    std::vector<std::uint8_t> out(rows.size() * columns.size(), 0);
    if (out.empty()) {
        return out;
    }
    const std::int64_t height = std::abs(image.Header().biHeight);
    // Where the stream's current row lands in out, or null when it is not sampled.
    std::uint8_t* row = nullptr;
    auto findRow = [&](std::int64_t y) {
        const std::int64_t top = height - 1 - y;
        auto at = std::lower_bound(rows.begin(), rows.end(), top);
        row = at != rows.end() && *at == top ? out.data() + (at - rows.begin()) * columns.size() : nullptr;
    };
    findRow(0);
    WalkRunLength(
        image.Bits, RunLengthStreamSize(static_cast<std::size_t>(image.Size), image.Header().biSizeImage),
        image.Header().biCompression == kBiRle4,
        [&](std::int64_t x, std::int64_t, std::int64_t count, auto&& pixel) {
            if (row != nullptr) {
                for (auto at = std::lower_bound(columns.begin(), columns.end(), x);
                     at != columns.end() && *at < x + count; ++at) {
                    row[at - columns.begin()] = pixel(*at - x);
                }
            }
            return true;
        },
        [&](std::int64_t, std::int64_t y) {
            findRow(y);
            return y < height;
        });
    return out;
}

std::vector<std::uint8_t> DecodeRunLength(const DibView& image) {
    auto total = CheckedProduct(image.Header().biWidth, std::abs(image.Header().biHeight));
    if (!total || image.Header().biWidth <= 0 || *total > kMaxDecodedPixels) {
        return {};
    }
    std::vector<std::int32_t> rows(static_cast<std::size_t>(std::abs(image.Header().biHeight)));
    std::vector<std::int32_t> columns(static_cast<std::size_t>(image.Header().biWidth));
    std::iota(rows.begin(), rows.end(), 0);
    std::iota(columns.begin(), columns.end(), 0);
    return DecodeRunLengthAt(image, rows, columns);
}

MemoryCanvas::MemoryCanvas(std::int32_t width, std::int32_t height, std::uint32_t background)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), background) {}

std::uint32_t MemoryCanvas::Pixel(std::int32_t x, std::int32_t y) const {
    DibAssert(x >= 0 && y >= 0 && x < width_ && y < height_, "MemoryCanvas.Pixel: Out Of Range");
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void MemoryCanvas::StretchDib(const Rect& dest, const DibView& image, PaletteHandle) {
    const std::int32_t width = image.Width();
    const std::int32_t height = image.Height();
    const std::int64_t destWidth = static_cast<std::int64_t>(dest.Right) - dest.Left;
    const std::int64_t destHeight = static_cast<std::int64_t>(dest.Bottom) - dest.Top;
    if (destWidth <= 0 || destHeight <= 0 || width <= 0 || height <= 0) {
        return;
    }
    const std::int64_t x0 = dest.Left < 0 ? 0 : dest.Left;
    const std::int64_t y0 = dest.Top < 0 ? 0 : dest.Top;
    const std::int64_t x1 = std::min<std::int64_t>(dest.Right, width_);
    const std::int64_t y1 = std::min<std::int64_t>(dest.Bottom, height_);
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    auto sourceX = [&](std::int64_t x) { return static_cast<std::int32_t>((x - dest.Left) * width / destWidth); };
    auto sourceY = [&](std::int64_t y) { return static_cast<std::int32_t>((y - dest.Top) * height / destHeight); };
    const bool runLength = image.Header().biCompression == kBiRle8 || image.Header().biCompression == kBiRle4;
    if (!runLength) {
        const PixelReader source(image);
        for (std::int64_t y = y0; y < y1; ++y) {
            std::uint32_t* out = pixels_.data() + y * width_;
            for (std::int64_t x = x0; x < x1; ++x) {
                out[x] = source.Color(sourceX(x), sourceY(y));
            }
        }
        return;
    }
    // A run-length picture is decoded only where the canvas samples it, so
    // drawing takes memory for the canvas's pixels, whatever the picture's
    // size. Source places grow with canvas places, so each list is sorted.
    std::vector<std::int32_t> rows;
    std::vector<std::int32_t> columns;
    std::vector<std::size_t> rowOf;
    std::vector<std::size_t> columnOf;
    for (std::int64_t y = y0; y < y1; ++y) {
        if (rows.empty() || rows.back() != sourceY(y)) rows.push_back(sourceY(y));
        rowOf.push_back(rows.size() - 1);
    }
    for (std::int64_t x = x0; x < x1; ++x) {
        if (columns.empty() || columns.back() != sourceX(x)) columns.push_back(sourceX(x));
        columnOf.push_back(columns.size() - 1);
    }
    const std::vector<std::uint8_t> indexes = DecodeRunLengthAt(image, rows, columns);
    for (std::int64_t y = y0; y < y1; ++y) {
        std::uint32_t* out = pixels_.data() + y * width_;
        const std::uint8_t* sampled = indexes.data() + rowOf[static_cast<std::size_t>(y - y0)] * columns.size();
        for (std::int64_t x = x0; x < x1; ++x) {
            out[x] = ColorAt(image.Meta, sampled[columnOf[static_cast<std::size_t>(x - x0)]]);
        }
    }
}

}  // namespace lumeret
