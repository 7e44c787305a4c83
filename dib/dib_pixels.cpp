#include "dib/dib_pixels.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "dib/dib_errors.h"
#include "dib/file_map.h"
#include "dib/run_length.h"

namespace lumeret {
namespace {

constexpr const char* kStreamOp = "TVyInternalDIB.LoadFromStream";
constexpr const char* kClipboardOp = "TVyInternalDIB.LoadFromClipboardFormat";
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::size_t kRowPiece = 64 * 1024;
// The masks of 16- and 32-bit pictures without masks of their own: red,
// green, blue.
constexpr std::uint32_t kFiveFiveFive[kMaskCount] = {0x7C00, 0x03E0, 0x001F};
constexpr std::uint32_t kEightEightEight[kMaskCount] = {0x00FF0000, 0x0000FF00, 0x000000FF};

[[noreturn]] void Refuse(const char* operation, const char* fault) {
    throw InvalidDibError(std::string(operation) + ": " + fault);
}

std::uint8_t* RawHeader(DibImage& image) noexcept {
    return reinterpret_cast<std::uint8_t*>(&image.Header);
}

std::uint8_t* RawColors(DibImage& image) noexcept {
    return reinterpret_cast<std::uint8_t*>(image.Colors);
}

struct Geometry {
    std::int32_t Width;
    std::int32_t Rows;
};

// Width must be positive and height non-zero; INT32_MIN has no absolute value.
// A picture beyond the program's limit is refused here, before any store.
Geometry CheckGeometry(const BitmapInfoHeader& header, const char* operation) {
    if (header.biWidth <= 0 || header.biHeight == 0 ||
        header.biHeight == std::numeric_limits<std::int32_t>::min()) {
        Refuse(operation, "Invalid Image Size");
    }
    const Geometry g{header.biWidth, std::abs(header.biHeight)};
    // The depth the picture is kept in: 16 and 32 bits become 24.
    const std::int64_t keptBits =
        header.biBitCount == 16 || header.biBitCount == 32 ? 24 : std::max<std::int64_t>(header.biBitCount, 1);
    // Divided rather than multiplied: both sides may be near 2^31.
    const std::int64_t row = (std::int64_t{g.Width} * keptBits + 31) / 32 * 4;
    if (row > kMaxPictureBytes || g.Rows > kMaxPictureBytes / row) {
        throw PictureTooLargeError(operation, g.Width, g.Rows);
    }
    return g;
}

std::int32_t UncompressedSize(const BitmapInfoHeader& header, const char* operation) {
    Geometry g = CheckGeometry(header, operation);
    auto row = CheckedRowSize(g.Width, header.biBitCount);
    auto size = row ? CheckedProduct(*row, g.Rows) : std::nullopt;
    if (!size) {
        Refuse(operation, "Image Too Large");
    }
    return *size;
}

bool IsRunLength(const BitmapInfoHeader& header) noexcept {
    return (header.biBitCount == 8 && header.biCompression == kBiRle8) ||
           (header.biBitCount == 4 && header.biCompression == kBiRle4);
}

// The least number of bytes the store of a 1-, 4-, 8- or 24-bit image must
// hold so that drawing never reads past it: full rows for plain pixels, the
// stated stream length for run-length data. Other compressions are refused:
// GDI would take the bytes for a compressed stream of unknown length.
std::int32_t StoreSizeDrawingReads(const BitmapInfoHeader& header, const char* operation) {
    std::int32_t uncompressed = UncompressedSize(header, operation);
    if (header.biCompression == kBiRgb) {
        return uncompressed;
    }
    // A run-length picture is always stored bottom-up.
    if (!IsRunLength(header) || header.biHeight < 0) {
        Refuse(operation, "Invalid Compression");
    }
    if (header.biSizeImage == 0 || header.biSizeImage > static_cast<std::uint32_t>(kInt32Max)) {
        Refuse(operation, "Invalid Compressed Size");
    }
    return static_cast<std::int32_t>(header.biSizeImage);
}

// Walks a run-length stream (the first biSizeImage bytes of the store, which
// is all GDI reads) run by run and refuses it unless every run, absolute run
// and move lies within the picture's rows and within the stream: whatever
// draws it afterwards, GDI or the memory canvas, never paints or reads
// outside them. A row's bounds are those of its stored form, padded to whole
// words, as common writers run on into that padding. A stream may end
// without its end-of-picture mark; the rest stays unpainted.
void CheckRunLength(const DibImage& image, const char* operation) {
    const BitmapInfoHeader& header = image.Header;
    const std::int64_t width = std::int64_t{*CheckedRowSize(header.biWidth, header.biBitCount)} * 8 / header.biBitCount;
    const std::int64_t rows = std::abs(header.biHeight);
    const std::size_t size = RunLengthStreamSize(image.Store.Size(), header.biSizeImage);
    auto outside = [operation] { Refuse(operation, "Run Outside Picture"); };
    const RunLengthEnd end = WalkRunLength(
        image.Store.Bits(), size, header.biCompression == kBiRle4,
        [&](std::int64_t x, std::int64_t y, std::int64_t count, auto&&) {
            if (y >= rows || x + count > width) outside();
            return true;
        },
        // An end of line may follow the last row; nothing may go further.
        [&](std::int64_t x, std::int64_t y) {
            if (x > width || y > rows || (x > 0 && y >= rows)) outside();
            return true;
        });
    if (end == RunLengthEnd::CutOff) {
        Refuse(operation, "Run-Length Data Cut Off");
    }
}

std::uint32_t ColorsToRead(const BitmapInfoHeader& header, const char* operation) {
    if (header.biClrUsed > kMaxColors) {
        Refuse(operation, "Too Many Colors");
    }
    return header.biClrUsed;
}

// A store of size bytes for a picture that writes every byte of it: spare,
// the store of a picture no longer needed, when it has that size (its memory
// is in place already, where the system's new memory is made page by page on
// first touch), else a new one, made after spare is given back.
PixelStore StoreToOverwrite(std::int32_t size, PixelStore& spare) {
    if (spare.Size() == size) {
        return std::move(spare);
    }
    spare.Reset();
    return PixelStore(size);
}

#ifdef __SSE2__
// Four pixels of blue, green, red and an unused byte each, packed into the
// vector's low 12 bytes; its high 4 bytes are zero.
__m128i PackFourBgrx(__m128i pixels) noexcept {
    const __m128i colours = _mm_set1_epi32(0x00FFFFFF);
    const __m128i evenPixels = _mm_set_epi32(0, -1, 0, -1);
    const __m128i lowHalf = _mm_set_epi32(0, 0, -1, -1);
    pixels = _mm_and_si128(pixels, colours);
    // Each half's second pixel moves down behind its first: 6 bytes a half.
    const __m128i halves =
        _mm_or_si128(_mm_and_si128(pixels, evenPixels), _mm_srli_epi64(_mm_andnot_si128(evenPixels, pixels), 8));
    // The high half moves down behind the low one.
    return _mm_or_si128(_mm_and_si128(halves, lowHalf), _mm_srli_si128(_mm_andnot_si128(lowHalf, halves), 2));
}
#endif

// Packs 32-bit pixels whose bytes are blue, green, red and an unused one into
// 24 bits: sixteen at a time as three vectors where the processor has them,
// four at a time as three words, then one by one.
void PackBgrx(const std::uint8_t* source, std::uint8_t* target, std::size_t pixels) noexcept {
    static_assert(std::endian::native == std::endian::little);
    std::size_t i = 0;
#ifdef __SSE2__
    for (; i + 16 <= pixels; i += 16, source += 64, target += 48) {
        const auto* in = reinterpret_cast<const __m128i*>(source);
        auto* out = reinterpret_cast<__m128i*>(target);
        const __m128i a = PackFourBgrx(_mm_loadu_si128(in));
        const __m128i b = PackFourBgrx(_mm_loadu_si128(in + 1));
        const __m128i c = PackFourBgrx(_mm_loadu_si128(in + 2));
        const __m128i d = PackFourBgrx(_mm_loadu_si128(in + 3));
        _mm_storeu_si128(out, _mm_or_si128(a, _mm_slli_si128(b, 12)));
        _mm_storeu_si128(out + 1, _mm_or_si128(_mm_srli_si128(b, 4), _mm_slli_si128(c, 8)));
        _mm_storeu_si128(out + 2, _mm_or_si128(_mm_srli_si128(c, 8), _mm_slli_si128(d, 4)));
    }
#endif
    for (; i + 4 <= pixels; i += 4, source += 16, target += 12) {
        std::uint32_t p[4];
        std::memcpy(p, source, sizeof p);
        const std::uint32_t packed[3] = {(p[0] & 0xFFFFFF) | p[1] << 24, (p[1] >> 8 & 0xFFFF) | p[2] << 16,
                                         (p[2] >> 16 & 0xFF) | p[3] << 8};
        std::memcpy(target, packed, sizeof packed);
    }
    for (; i < pixels; ++i, source += 4, target += 3) {
        target[0] = source[0];
        target[1] = source[1];
        target[2] = source[2];
    }
}

// Converts 16- or 32-bit pixels to 24 bits, row by row in the order of the
// input (a top-down image stays top-down), into spare when it fits (see
// StoreToOverwrite). fetchRow(r, offset, buffer, size) gives size bytes of
// source row r from offset on: where they lie, or read into the buffer.
// storeReady() is called once the image is known good and its new store
// made, before any pixel is converted.
template <typename FetchRow, typename StoreReady>
void ConvertTo24(DibImage& image, const char* operation, PixelStore spare, FetchRow&& fetchRow,
                 StoreReady&& storeReady) {
    BitmapInfoHeader& header = image.Header;
    Geometry g = CheckGeometry(header, operation);

    // Any other compression would take its masks from colour entries the
    // input never gave.
    if (header.biCompression != kBiRgb && header.biCompression != kBiBitfields) {
        Refuse(operation, "Invalid Compression");
    }
    const std::optional<ColorMasks> masks = ColorMasksOf(image);
    if (!masks) {
        throw InvalidDibError("TVyInternalDIB.LoadFromStream: Invalid Masks");
    }

    auto sourceRow = CheckedRowSize(g.Width, header.biBitCount);
    auto targetRow = CheckedRowSize(g.Width, 24);
    auto imageSize = targetRow ? CheckedProduct(*targetRow, g.Rows) : std::nullopt;
    if (!sourceRow || !imageSize) {
        Refuse(operation, "Image Too Large");
    }
    image.Store = StoreToOverwrite(*imageSize, spare);
    storeReady();

    // One row at a time through one buffer; a very wide row goes through in
    // pieces, so that a header cannot make the buffer larger than the input.
    // Pieces are whole multiples of 4 bytes and so hold whole pixels.
    const std::size_t bytesPerPixel = header.biBitCount / 8;
    const std::size_t rowBytes = static_cast<std::size_t>(*sourceRow);
    const std::size_t pixelBytes = static_cast<std::size_t>(g.Width) * bytesPerPixel;
    std::vector<std::uint8_t> buffer(std::min(rowBytes, kRowPiece));
    const bool plainBytes = bytesPerPixel == 4 && std::equal(masks->Mask, masks->Mask + kMaskCount, kEightEightEight);
    for (std::int32_t r = 0; r < g.Rows; ++r) {
        std::uint8_t* target = image.Store.Bits() + static_cast<std::size_t>(r) * static_cast<std::size_t>(*targetRow);
        std::memset(target + *targetRow - 4, 0, 4);  // the row's padding
        for (std::size_t done = 0; done < rowBytes;) {
            const std::size_t piece = std::min(buffer.size(), rowBytes - done);
            const std::uint8_t* source = fetchRow(r, done, buffer.data(), piece);
            const std::size_t usable = done >= pixelBytes ? 0 : std::min(piece, pixelBytes - done);
            if (plainBytes) {
                // Byte-aligned 8-bit channels: the bytes are the colours.
                PackBgrx(source, target, usable / 4);
                target += usable / 4 * 3;
                done += piece;
                continue;
            }
            for (std::size_t i = 0; i + bytesPerPixel <= usable; i += bytesPerPixel, source += bytesPerPixel, target += 3) {
                std::uint32_t p = source[0] | (static_cast<std::uint32_t>(source[1]) << 8);
                if (bytesPerPixel == 4) {
                    p |= (static_cast<std::uint32_t>(source[2]) << 16) |
                         (static_cast<std::uint32_t>(source[3]) << 24);
                }
                target[0] = masks->Value(p, ColorMasks::kBlue);
                target[1] = masks->Value(p, ColorMasks::kGreen);
                target[2] = masks->Value(p, ColorMasks::kRed);
            }
            done += piece;
        }
    }

    if (header.biCompression == kBiBitfields) {
        // The table came in behind the masks; move it back behind the header.
        std::memmove(&image.Colors[0], &image.Colors[kMaskCount], kMaxColors * kRgbQuadSize);
    }
    header.biCompression = kBiRgb;
    header.biBitCount = 24;
    header.biSizeImage = 0;
}

std::int32_t ToStoreSize(std::int64_t bytes, const char* operation) {
    if (bytes > kInt32Max) {
        Refuse(operation, "Image Too Large");
    }
    return static_cast<std::int32_t>(bytes);
}

// The storage's own store goes first, so that a store the system refuses to
// take back is reported before anything changes; image then keeps its new
// store and gives it back as it goes.
void Install(DibPixels& pixels, DibImage& image) {
    pixels.Image.Store.Reset();
    pixels.Image = std::move(image);
    pixels.Width = pixels.Image.Header.biWidth;
    pixels.Height = std::abs(pixels.Image.Header.biHeight);
    pixels.DropPalette();
}

}  // namespace

void CoreToInfoHeader(DibImage& image) {
    constexpr std::size_t kRawSize = kInfoHeaderSize + sizeof(image.Colors);
    std::uint8_t copy[kRawSize];
    std::memcpy(copy, RawHeader(image), kRawSize);
    LeReader core(copy, kRawSize);

    const std::uint16_t bitCount = core.U16(10);
    const std::int32_t count = NumColors(bitCount);
    BitmapInfoHeader info{};
    info.biSize = kInfoHeaderSize;
    info.biWidth = core.U16(4);  // unsigned 16 bits: always bottom-up
    info.biHeight = core.U16(6);
    info.biPlanes = core.U16(8);
    info.biBitCount = bitCount;
    info.biClrUsed = static_cast<std::uint32_t>(count);
    image.Header = info;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint8_t* triple = copy + kCoreHeaderSize + kRgbTripleSize * static_cast<std::size_t>(i);
        image.Colors[i] = {triple[0], triple[1], triple[2], 0};
    }
    for (std::size_t i = static_cast<std::size_t>(count); i < kColorSlots; ++i) {
        image.Colors[i] = {};
    }
}

DibPixels::DibPixels() : DibPixels(1, 1, 8, 2) {}

DibPixels::DibPixels(const DibPixels& other)
    : std::enable_shared_from_this<DibPixels>(),  // the copy's holders are its own
      Width(other.Width),
      Height(other.Height),
      Image{other.Image.Store.Copy(), other.Image.Header} {
    std::copy(std::begin(other.Image.Colors), std::end(other.Image.Colors), Image.Colors);
}

DibPixels::DibPixels(std::int32_t width, std::int32_t height, std::int32_t bitCount, std::int32_t colorCount) {
    const bool validBits = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24;
    std::optional<std::int32_t> imageSize;
    if (width > 0 && height != 0 && height != std::numeric_limits<std::int32_t>::min() &&
        colorCount >= 0 && colorCount <= static_cast<std::int32_t>(kMaxColors) && validBits) {
        if (auto row = CheckedRowSize(width, bitCount)) {
            imageSize = CheckedProduct(*row, std::abs(height));
        }
    }
    if (!imageSize) {
        throw InvalidDibParameterError("TVyInternalDIB.CreateDIB: Invalid Parameters");
    }
    Image.Store = PixelStore(*imageSize);  // a fresh mapping is zeroed: no need to touch its pages
    Width = width;
    Height = std::abs(height);
    // biSizeImage stays 0, as in every image this program makes.
    Image.Header = {kInfoHeaderSize, width, height, 1, static_cast<std::uint16_t>(bitCount), kBiRgb, 0, 0, 0,
                    static_cast<std::uint32_t>(colorCount), 0};
}

namespace {

// Reads a BMP file's headers and colour table into image and leaves stream at
// the pixels; returns how many bytes of pixels the file declares.
std::int64_t ReadBmpHeaders(Stream& stream, DibImage& image) {
    std::uint8_t fileHeader[kFileHeaderSize];
    stream.ReadBuffer(fileHeader, sizeof(fileHeader));
    LeReader file(fileHeader, sizeof(fileHeader));
    if (file.U16(0) != kBmpFileType) {
        throw InvalidDibFileError("TVyInternalDIB.LoadFromFile: File type is invalid");
    }
    const std::int64_t bfSize = file.U32(2);
    // bfOffBits is not used: the pixels are taken to follow the colour table.

    std::uint8_t* raw = RawHeader(image);
    stream.ReadBuffer(raw, 4);
    const std::uint32_t headerSize = LeReader(raw, 4).U32(0);

    std::int64_t declaredPixels = 0;
    if (headerSize == kInfoHeaderSize) {
        stream.ReadBuffer(raw + 4, kInfoHeaderSize - 4);
        image.Header = DecodeInfoHeader(LeReader(raw, kInfoHeaderSize));
        const auto bits = image.Header.biBitCount;
        if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
            throw InvalidDibError("TVyInternalDIB.LoadFromStream: Invalid BitCout");
        }
        if (image.Header.biClrUsed == 0) {
            image.Header.biClrUsed = static_cast<std::uint32_t>(NumColors(bits));
        }
        std::size_t entries = ColorsToRead(image.Header, kStreamOp);
        if (image.Header.biCompression == kBiBitfields) {
            entries += kMaskCount;
        }
        stream.ReadBuffer(RawColors(image), entries * kRgbQuadSize);
        declaredPixels = bfSize - static_cast<std::int64_t>(kFileHeaderSize + kInfoHeaderSize +
                                                            kRgbQuadSize * image.Header.biClrUsed);
    } else if (headerSize == kCoreHeaderSize) {
        stream.ReadBuffer(raw + 4, kCoreHeaderSize - 4);
        const std::uint16_t bits = LeReader(raw, kCoreHeaderSize).U16(10);
        if (bits != 1 && bits != 4 && bits != 8 && bits != 24) {
            throw InvalidDibError("TVyInternalDIB.LoadFromStream: Invalid BitCout");
        }
        const std::size_t tripleBytes = kRgbTripleSize * static_cast<std::size_t>(NumColors(bits));
        stream.ReadBuffer(raw + kCoreHeaderSize, tripleBytes);
        declaredPixels = bfSize - static_cast<std::int64_t>(kFileHeaderSize + kCoreHeaderSize + tripleBytes);
        CoreToInfoHeader(image);
    } else {
        throw InvalidDibError("TVyInternalDIB.LoadFromStream: Invalid Bitmap Header Size");
    }
    return declaredPixels;
}

}  // namespace

void DibPixels::LoadFromStream(Stream& stream) {
    DibImage image;  // built aside; a failure gives its store back with it
    const std::int64_t declaredPixels = ReadBmpHeaders(stream, image);

    if (image.Header.biBitCount == 16 || image.Header.biBitCount == 32) {
        ConvertTo24(image, kStreamOp, PixelStore(), [&stream](std::int32_t, std::size_t, std::uint8_t* row, std::size_t size) {
            stream.ReadBuffer(row, size);
            return static_cast<const std::uint8_t*>(row);
        }, [] {});
    } else {
        // The store is sized from bfSize, but never smaller than what drawing
        // reads: a short bfSize gets a store of full size whose missing tail
        // stays zero (a fresh mapping is zeroed), rather than a refusal.
        const std::int32_t needed = StoreSizeDrawingReads(image.Header, kStreamOp);
        const std::int32_t declared = ToStoreSize(declaredPixels < 0 ? 0 : declaredPixels, kStreamOp);
        image.Store = PixelStore(declared > needed ? declared : needed);
        stream.ReadBuffer(image.Store.Bits(), static_cast<std::size_t>(declared));
        if (IsRunLength(image.Header)) {
            CheckRunLength(image, kStreamOp);
        }
    }
    Install(*this, image);
}

std::optional<ColorMasks> ColorMasksOf(const DibImage& image) {
    const BitmapInfoHeader& header = image.Header;
    ColorMasks masks{};
    if (header.biCompression == kBiBitfields) {
        LeReader table(image.Colors, kMaskBytes);
        for (std::size_t i = 0; i < kMaskCount; ++i) {
            masks.Mask[i] = table.U32(i * 4);
        }
    } else if (header.biCompression == kBiRgb) {
        std::copy_n(header.biBitCount == 16 ? kFiveFiveFive : kEightEightEight, kMaskCount, masks.Mask);
    } else {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < kMaskCount; ++i) {
        if (masks.Mask[i] == 0) return std::nullopt;
        masks.Shift[i] = MaskShift(masks.Mask[i]);
    }
    return masks;
}

std::optional<DibView> PixelsInPlace(std::string_view file, DibImage& meta) {
    try {
        ReadOnlyMemoryStream stream(file.data(), file.size());
        const std::int64_t declaredPixels = ReadBmpHeaders(stream, meta);
        const BitmapInfoHeader& header = meta.Header;
        if (header.biBitCount == 16 || header.biBitCount == 32 || IsRunLength(header)) {
            return std::nullopt;
        }
        const std::int32_t needed = StoreSizeDrawingReads(header, kStreamOp);
        const std::int32_t declared = ToStoreSize(declaredPixels < 0 ? 0 : declaredPixels, kStreamOp);
        // A load gives a short bfSize zeros for the rest, and refuses a file
        // cut off before the pixels it declares.
        const std::size_t left = file.size() - stream.Position();
        if (declared < needed || left < static_cast<std::size_t>(declared)) {
            return std::nullopt;
        }
        return DibView(meta, reinterpret_cast<const std::uint8_t*>(file.data()) + stream.Position(), declared);
    } catch (const Exception&) {
        return std::nullopt;
    }
}

void WriteBmpFile(const DibView& image, Stream& stream) {
    const std::uint32_t colors = image.Header().biClrUsed;
    DibAssert(colors <= kMaxColors, "TVyInternalDIB.SaveToStream: Too Many Colors");
    const std::uint32_t offBits = static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + kRgbQuadSize * colors);

    std::uint8_t fileHeader[kFileHeaderSize] = {};
    PutU16(fileHeader, kBmpFileType);
    PutU32(fileHeader + 2, offBits + static_cast<std::uint32_t>(image.Size));
    PutU32(fileHeader + 10, offBits);
    stream.WriteBuffer(fileHeader, sizeof(fileHeader));

    std::uint8_t info[kInfoHeaderSize + kRgbQuadSize * kMaxColors];
    EncodeInfoHeader(image.Header(), info);
    std::memcpy(info + kInfoHeaderSize, image.Meta.Colors, kRgbQuadSize * colors);
    stream.WriteBuffer(info, kInfoHeaderSize + kRgbQuadSize * colors);

    stream.WriteBuffer(image.Bits, static_cast<std::size_t>(image.Size));
}

void DibPixels::SaveToStream(Stream& stream) const { WriteBmpFile(Image, stream); }

void DibPixels::LoadFromClipboardFormat(GlobalHandle data, PixelStore spare,
                                        const PixelsCheckedHandler& pixelsChecked) {
    GlobalLockGuard lock(data);
    const auto* block = static_cast<const std::uint8_t*>(lock.Bytes());
    if (block == nullptr) {
        throw InvalidDibError("TVyDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
    }
    const std::size_t blockSize = GlobalBlockSize(data);
    auto tooShort = [] { Refuse(kClipboardOp, "Clipboard Data Too Short"); };
    if (blockSize < 4) {
        tooShort();
    }
    LeReader bytes(block, blockSize);

    DibImage image;  // built aside; a failure gives its store back with it
    std::size_t headerLength = 0;
    const std::uint32_t headerSize = bytes.U32(0);
    if (headerSize == kInfoHeaderSize) {
        if (blockSize < kInfoHeaderSize) {
            tooShort();
        }
        image.Header = DecodeInfoHeader(bytes);
        if (image.Header.biClrUsed == 0) {
            image.Header.biClrUsed = static_cast<std::uint32_t>(NumColors(image.Header.biBitCount));
        }
        headerLength = kInfoHeaderSize + kRgbQuadSize * ColorsToRead(image.Header, kClipboardOp);
        if (image.Header.biCompression == kBiBitfields) {
            headerLength += kMaskBytes;
        }
        if (headerLength > blockSize) {
            tooShort();
        }
        std::memcpy(RawColors(image), block + kInfoHeaderSize, headerLength - kInfoHeaderSize);
    } else if (headerSize == kCoreHeaderSize) {
        if (blockSize < kCoreHeaderSize) {
            tooShort();
        }
        headerLength = kCoreHeaderSize + kRgbTripleSize * static_cast<std::size_t>(NumColors(bytes.U16(10)));
        if (headerLength > blockSize) {
            tooShort();
        }
        std::memcpy(RawHeader(image), block, headerLength);
        CoreToInfoHeader(image);
    } else {
        throw InvalidDibError("TVyDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
    }
    const std::size_t available = blockSize - headerLength;
    const std::uint8_t* pixels = block + headerLength;

    switch (image.Header.biBitCount) {
    case 1:
    case 4:
    case 8:
    case 24: {
        // Everything up to the block's end becomes the store; a block shorter
        // than what drawing reads is refused rather than padded, as the writer
        // of such a block has lost rows.
        const std::int32_t needed = StoreSizeDrawingReads(image.Header, kClipboardOp);
        const std::int32_t size = ToStoreSize(static_cast<std::int64_t>(available), kClipboardOp);
        if (size < needed) {
            tooShort();
        }
        image.Store = StoreToOverwrite(size, spare);
        std::memcpy(image.Store.Bits(), pixels, static_cast<std::size_t>(size));
        if (IsRunLength(image.Header)) {
            CheckRunLength(image, kClipboardOp);
        }
        if (pixelsChecked) pixelsChecked(image);
        break;
    }
    case 16:
    case 32: {
        const Geometry g = CheckGeometry(image.Header, kClipboardOp);
        auto sourceRow = CheckedRowSize(g.Width, image.Header.biBitCount);
        auto sourceSize = sourceRow ? CheckedProduct(*sourceRow, g.Rows) : std::nullopt;
        if (!sourceSize) {
            Refuse(kClipboardOp, "Image Too Large");
        }
        if (static_cast<std::size_t>(*sourceSize) > available) {
            tooShort();
        }
        ConvertTo24(
            image, kClipboardOp, std::move(spare),
            [pixels, rowBytes = static_cast<std::size_t>(*sourceRow)](std::int32_t r, std::size_t offset,
                                                                       std::uint8_t*, std::size_t) {
                return pixels + static_cast<std::size_t>(r) * rowBytes + offset;
            },
            [&] {
                if (pixelsChecked) pixelsChecked(DibView(image, pixels, *sourceSize));
            });
        break;
    }
    default:
        throw InvalidDibError("TVyInternalDIB.LoadFromStream: Invalid biBitCount");
    }
    Install(*this, image);
}

UniqueGlobal PackedDibBlock(const DibView& image) {
    const std::uint32_t colors = image.Header().biClrUsed;
    DibAssert(colors <= kMaxColors, "TVyInternalDIB.SaveToClipboardFormat: Too Many Colors");
    const std::size_t headerLength = kInfoHeaderSize + kRgbQuadSize * colors;
    const std::size_t total = headerLength + static_cast<std::size_t>(image.Size);
    UniqueGlobal block(GlobalBlockAlloc(kGmemMoveable | kGmemZeroInit, total));
    if (!block) {
        throw OutOfMemoryError("TVyInternalDIB.SaveToClipboardFormat: Out Of Memory");
    }
    {
        GlobalLockGuard lock(block.get());
        auto* out = static_cast<std::uint8_t*>(lock.Bytes());
        if (out == nullptr) {
            throw OutOfMemoryError("TVyInternalDIB.SaveToClipboardFormat: Out Of Memory");
        }
        EncodeInfoHeader(image.Header(), out);
        std::memcpy(out + kInfoHeaderSize, image.Meta.Colors, kRgbQuadSize * colors);
        std::memcpy(out + headerLength, image.Bits, static_cast<std::size_t>(image.Size));
    }
    return block;
}

void DibPixels::SaveToClipboardFormat(GlobalHandle& data) const { data = PackedDibBlock(Image).release(); }

UniquePalette DibPixels::MakePalette() const {
    const std::uint32_t count = Image.Header.biClrUsed;
    if (count == 0) {
        return {};
    }
    DibAssert(count <= kMaxColors, "TVyInternalDIB.MakePalette: Too Many Colors");
    std::vector<PaletteEntry> entries(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        entries[i] = {Image.Colors[i].rgbRed, Image.Colors[i].rgbGreen, Image.Colors[i].rgbBlue, 0};
    }
    UniquePalette palette(PaletteCreate(entries.data(), count));
    if (!palette) {
        throw OutOfResourcesError("TVyInternalDIB.MakePalette: Cannot Make Palette");
    }
    return palette;
}

void DibPixels::DropPalette() {
    DibAssert(HolderCount() <= 1, "TVyInternalDIB.UpdatePalette: RefCount Must be 1");
    Palette.reset();
    PaletteModified = true;
}

}  // namespace lumeret
