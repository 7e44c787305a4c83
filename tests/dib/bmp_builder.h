// Builds BMP file images and packed DIBs byte by byte, for tests that need
// inputs no ordinary writer makes.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "dib/graphic.h"
#include "dib/dib.h"
#include "platform/global_memory.h"
#include "platform/stream.h"

#ifndef _WIN32
namespace lumeret {
// Pixel mappings open now, and the bytes of all made so far. Only the native
// build's pixel memory counts them, so the tests that ask run natively.
std::size_t OpenPixelMapCount() noexcept;
std::size_t MadePixelMapBytes() noexcept;
}  // namespace lumeret
#endif

namespace lumeret::test {

struct BmpParts {
    std::uint32_t headerSize = 40;  // 40 or 12; anything else is written as 40 bytes
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::uint32_t clrUsed = 0;
    std::vector<std::uint32_t> masks;  // written between header and colours
    std::vector<std::uint8_t> colors;  // raw: 4 bytes an entry (3 for a 12-byte header)
    std::vector<std::uint8_t> pixels;
    std::optional<std::uint32_t> bfSize;  // default: the true file size
    std::uint32_t gap = 0;                // bytes between colours and pixels
};

// A 24-bit picture, every pixel red of the given strength.
inline BmpParts SolidRed(int width, int height, std::uint8_t red) {
    BmpParts p;
    p.width = width;
    p.height = height;
    p.bitCount = 24;
    const int row = (width * 3 + 3) / 4 * 4;
    p.pixels.assign(static_cast<std::size_t>(row * height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) p.pixels[static_cast<std::size_t>(y * row + x * 3 + 2)] = red;
    }
    return p;
}

// Rows of width pixels of bitCount bits, every byte different from its
// neighbours, padded to whole words.
inline std::vector<std::uint8_t> PatternPixels(int width, int height, int bitCount) {
    const int row = (width * bitCount + 31) / 32 * 4;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(row * height));
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 37 + 11);
    return pixels;
}

// A colour table of n distinct entries, 4 bytes each (3 for a core header).
inline std::vector<std::uint8_t> DistinctColours(int n, int entrySize) {
    std::vector<std::uint8_t> colours;
    for (int i = 0; i < n; ++i) {
        colours.push_back(static_cast<std::uint8_t>(i * 5));
        colours.push_back(static_cast<std::uint8_t>(255 - i));
        colours.push_back(static_cast<std::uint8_t>(i * 91));
        if (entrySize == 4) colours.push_back(0);
    }
    return colours;
}

// An uncompressed picture of patterned pixels, with a table of colours
// distinct entries (4 bytes each, 3 after a 12-byte header).
inline BmpParts PlainPicture(int width, int height, int bitCount, int colours = 0, std::uint32_t headerSize = 40) {
    BmpParts p;
    p.headerSize = headerSize;
    p.width = width;
    p.height = height;
    p.bitCount = static_cast<std::uint16_t>(bitCount);
    p.clrUsed = headerSize == 40 ? static_cast<std::uint32_t>(colours) : 0;
    p.colors = DistinctColours(colours, headerSize == 12 ? 3 : 4);
    p.pixels = PatternPixels(width, height < 0 ? -height : height, bitCount);
    return p;
}

inline void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

inline std::vector<std::uint8_t> MakePackedDib(const BmpParts& p) {
    std::vector<std::uint8_t> out;
    if (p.headerSize == 12) {
        Put32(out, 12);
        Put16(out, static_cast<std::uint32_t>(p.width));
        Put16(out, static_cast<std::uint32_t>(p.height));
        Put16(out, p.planes);
        Put16(out, p.bitCount);
    } else {
        Put32(out, p.headerSize);
        Put32(out, static_cast<std::uint32_t>(p.width));
        Put32(out, static_cast<std::uint32_t>(p.height));
        Put16(out, p.planes);
        Put16(out, p.bitCount);
        Put32(out, p.compression);
        Put32(out, p.sizeImage);
        Put32(out, 2835);
        Put32(out, 2835);
        Put32(out, p.clrUsed);
        Put32(out, 0);
    }
    for (auto m : p.masks) {
        Put32(out, m);
    }
    out.insert(out.end(), p.colors.begin(), p.colors.end());
    out.insert(out.end(), p.gap, 0xEE);
    out.insert(out.end(), p.pixels.begin(), p.pixels.end());
    return out;
}

inline std::vector<std::uint8_t> MakeBmp(const BmpParts& p) {
    std::vector<std::uint8_t> dib = MakePackedDib(p);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, p.bfSize.value_or(static_cast<std::uint32_t>(14 + dib.size())));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(14 + dib.size() - p.pixels.size()));
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

inline std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b.at(at) | (b.at(at + 1) << 8) | (b.at(at + 2) << 16) | (std::uint32_t{b.at(at + 3)} << 24);
}

// A global block holding bytes; freed with the object.
class BlockWith {
public:
    explicit BlockWith(const std::vector<std::uint8_t>& bytes)
        : block_(GlobalBlockAlloc(kGmemMoveable, bytes.size())) {
        GlobalLockGuard lock(block_.get());
        if (lock.Bytes() != nullptr && !bytes.empty()) {
            std::copy(bytes.begin(), bytes.end(), static_cast<std::uint8_t*>(lock.Bytes()));
        }
    }
    GlobalHandle get() const { return block_.get(); }

private:
    UniqueGlobal block_;
};

inline std::vector<std::uint8_t> BlockBytes(GlobalHandle block) {
    GlobalLockGuard lock(block);
    const auto* p = static_cast<const std::uint8_t*>(lock.Bytes());
    return p ? std::vector<std::uint8_t>(p, p + GlobalBlockSize(block)) : std::vector<std::uint8_t>{};
}

}  // namespace lumeret::test

#include <gtest/gtest.h>

namespace lumeret::test {

// Runs f and expects an exception of class E whose message is exactly message.
template <typename E, typename F>
void ExpectError(F&& f, const std::string& message) {
    try {
        f();
        ADD_FAILURE() << "no exception; expected: " << message;
    } catch (const E& e) {
        EXPECT_EQ(e.Message(), message);
    } catch (const std::exception& e) {
        ADD_FAILURE() << "other exception: " << e.what() << "; expected: " << message;
    }
}

inline std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> out;
    for (int v : values) {
        out.push_back(static_cast<std::uint8_t>(v));
    }
    return out;
}

// A BMP file image read into, or written from, a DIB.
inline void Load(Dib& dib, const std::vector<std::uint8_t>& bytes) {
    MemoryStream in(bytes);
    dib.LoadFromStream(in);
}

inline std::vector<std::uint8_t> Save(const Dib& dib) {
    MemoryStream out;
    dib.SaveToStream(out);
    return out.Bytes();
}

// A 2x2, 8-bit image: red, green / blue, white (top row first).
inline std::vector<std::uint8_t> Quad() {
    BmpParts p;
    p.width = 2;
    p.height = 2;
    p.bitCount = 8;
    p.clrUsed = 4;
    p.colors = Bytes({0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0});
    p.pixels = Bytes({2, 3, 0, 0, 0, 1, 0, 0});  // bottom row first
    return MakeBmp(p);
}

}  // namespace lumeret::test
