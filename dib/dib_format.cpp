#include "dib/dib_format.h"

#include <limits>

#include "dib/dib_errors.h"

namespace lumeret {

void LeReader::Check(std::size_t offset, std::size_t count) const {
    if (offset > size_ || count > size_ - offset) {
        throw InvalidDibError("LeReader.Read: Read Past End of Data");
    }
}

std::uint16_t LeReader::U16(std::size_t offset) const {
    Check(offset, 2);
    return static_cast<std::uint16_t>(data_[offset] | (data_[offset + 1] << 8));
}

std::uint32_t LeReader::U32(std::size_t offset) const {
    Check(offset, 4);
    return static_cast<std::uint32_t>(data_[offset]) |
           (static_cast<std::uint32_t>(data_[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(data_[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(data_[offset + 3]) << 24);
}

void PutU16(std::uint8_t* out, std::uint16_t value) noexcept {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::uint8_t* out, std::uint32_t value) noexcept {
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

BitmapInfoHeader DecodeInfoHeader(const LeReader& bytes) {
    BitmapInfoHeader h{};
    h.biSize = bytes.U32(0);
    h.biWidth = bytes.I32(4);
    h.biHeight = bytes.I32(8);
    h.biPlanes = bytes.U16(12);
    h.biBitCount = bytes.U16(14);
    h.biCompression = bytes.U32(16);
    h.biSizeImage = bytes.U32(20);
    h.biXPelsPerMeter = bytes.I32(24);
    h.biYPelsPerMeter = bytes.I32(28);
    h.biClrUsed = bytes.U32(32);
    h.biClrImportant = bytes.U32(36);
    return h;
}

void EncodeInfoHeader(const BitmapInfoHeader& h, std::uint8_t out[kInfoHeaderSize]) noexcept {
    PutU32(out + 0, h.biSize);
    PutU32(out + 4, static_cast<std::uint32_t>(h.biWidth));
    PutU32(out + 8, static_cast<std::uint32_t>(h.biHeight));
    PutU16(out + 12, h.biPlanes);
    PutU16(out + 14, h.biBitCount);
    PutU32(out + 16, h.biCompression);
    PutU32(out + 20, h.biSizeImage);
    PutU32(out + 24, static_cast<std::uint32_t>(h.biXPelsPerMeter));
    PutU32(out + 28, static_cast<std::uint32_t>(h.biYPelsPerMeter));
    PutU32(out + 32, h.biClrUsed);
    PutU32(out + 36, h.biClrImportant);
}

std::int32_t NumColors(std::int32_t bitCount) noexcept {
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

int MaskShift(std::uint32_t mask) noexcept {
    if (mask == 0) {
        return 0;
    }
    int shift = 0;
    while (mask >= 256) {
        mask /= 2;
        ++shift;
    }
    while (mask < 128) {
        mask *= 2;
        --shift;
    }
    return shift;
}

std::optional<std::int32_t> CheckedRowSize(std::int64_t width, std::int64_t bitCount) noexcept {
    // width and bitCount come from 32- and 16-bit fields, so the product fits.
    if (width < 0 || bitCount < 0 || width > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    std::int64_t bytes = (bitCount * width + 31) / 32 * 4;
    if (bytes > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(bytes);
}

std::optional<std::int32_t> CheckedProduct(std::int64_t a, std::int64_t b) noexcept {
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    if (a < 0 || b < 0 || a > kMax || b > kMax) {
        return std::nullopt;
    }
    std::int64_t product = a * b;
    if (product > kMax) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(product);
}

}  // namespace lumeret
