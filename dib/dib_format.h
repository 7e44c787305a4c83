// The BMP file and packed-DIB byte formats: constants, the in-memory header
// (laid out as the system's BITMAPINFOHEADER, so that it can be handed to GDI
// as it stands), a bounds-checked little-endian reader and checked sizes.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace lumeret {

static_assert(std::endian::native == std::endian::little,
              "the header is handed to GDI in memory as it is read");

inline constexpr std::uint16_t kBmpFileType = 0x4D42;  // "BM"
inline constexpr std::size_t kFileHeaderSize = 14;
inline constexpr std::uint32_t kInfoHeaderSize = 40;
inline constexpr std::uint32_t kCoreHeaderSize = 12;
inline constexpr std::size_t kRgbQuadSize = 4;
inline constexpr std::size_t kRgbTripleSize = 3;
inline constexpr std::size_t kMaskCount = 3;
inline constexpr std::size_t kMaskBytes = kMaskCount * 4;

inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiRle8 = 1;
inline constexpr std::uint32_t kBiRle4 = 2;
inline constexpr std::uint32_t kBiBitfields = 3;

inline constexpr std::uint32_t kMaxColors = 256;

// The largest picture the readers take in, checked on the header before any
// pixel memory is taken: at most 640 MiB of rows in the depth the picture is
// kept in, which is 24 bits for 16- and 32-bit input (they are converted) and
// the picture's own depth otherwise. A 24-bit 20000 x 10000 picture (572 MiB)
// passes; the 32-bit build must still find room for the clipboard's block,
// the program's copy of it and that output in its 2 GiB of addresses.
inline constexpr std::int64_t kMaxPictureBytes = std::int64_t{640} << 20;
// The table plus room for the three masks a bit-field header puts in front.
inline constexpr std::size_t kColorSlots = 260;

// The system's structures field for field; their fields keep the system's
// names, so that the format's documentation reads straight onto them.
struct BitmapInfoHeader {
    std::uint32_t biSize;
    std::int32_t biWidth;
    std::int32_t biHeight;
    std::uint16_t biPlanes;
    std::uint16_t biBitCount;
    std::uint32_t biCompression;
    std::uint32_t biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    std::uint32_t biClrUsed;
    std::uint32_t biClrImportant;
};
static_assert(sizeof(BitmapInfoHeader) == kInfoHeaderSize);

struct RgbQuad {
    std::uint8_t rgbBlue;
    std::uint8_t rgbGreen;
    std::uint8_t rgbRed;
    std::uint8_t rgbReserved;
};
static_assert(sizeof(RgbQuad) == kRgbQuadSize);

// Reads little-endian integers from a byte range; any read past its end
// throws InvalidDibError instead of yielding 0.
class LeReader {
public:
    LeReader(const void* data, std::size_t size) noexcept
        : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}

    std::uint16_t U16(std::size_t offset) const;
    std::uint32_t U32(std::size_t offset) const;
    std::int32_t I32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
    std::size_t Size() const noexcept { return size_; }

private:
    void Check(std::size_t offset, std::size_t count) const;
    const std::uint8_t* data_;
    std::size_t size_;
};

void PutU16(std::uint8_t* out, std::uint16_t value) noexcept;
void PutU32(std::uint8_t* out, std::uint32_t value) noexcept;

BitmapInfoHeader DecodeInfoHeader(const LeReader& bytes);
void EncodeInfoHeader(const BitmapInfoHeader& header, std::uint8_t out[kInfoHeaderSize]) noexcept;

// 2, 16 or 256 for 1, 4 or 8 bits; 0 for any other bit count.
std::int32_t NumColors(std::int32_t bitCount) noexcept;

// The shift that brings the mask's highest set bit to bit 7: positive means
// shift right, negative shift left. 0 for a mask of 0 (which has no highest bit
// and is refused before any shift is taken).
int MaskShift(std::uint32_t mask) noexcept;

// Bytes of one row padded to whole 32-bit words, when that stays within the
// signed 32-bit range.
std::optional<std::int32_t> CheckedRowSize(std::int64_t width, std::int64_t bitCount) noexcept;
// a * b when it stays within the signed 32-bit range and both are >= 0.
std::optional<std::int32_t> CheckedProduct(std::int64_t a, std::int64_t b) noexcept;

}  // namespace lumeret
