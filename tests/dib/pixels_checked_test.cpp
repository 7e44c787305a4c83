// A picture read from the clipboard is shown to whoever asked as soon as its
// pixels are known good: a 16- or 32-bit one as it lies in the block, before
// it is converted. What is drawn from that early look must be what is drawn
// from the picture once loaded, pixel for pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bmp_builder.h"
#include "dib/canvas.h"
#include "dib/dib_errors.h"
#include "dib/dib_pixels.h"

namespace lumeret {
namespace {

using test::BmpParts;

// The whole picture drawn one to one.
std::vector<std::uint32_t> Drawn(const DibView& picture) {
    MemoryCanvas canvas(picture.Width(), picture.Height(), 0x123456);
    canvas.StretchDib(Rect{0, 0, picture.Width(), picture.Height()}, picture, nullptr);
    return {canvas.Pixels(), canvas.Pixels() + canvas.Width() * canvas.Height()};
}

struct EarlyLook {
    int calls = 0;
    std::uint16_t bitCount = 0;
    std::vector<std::uint32_t> drawn;
};

// Loads the block, drawing what the early look shows while the load goes on.
EarlyLook LoadLooking(DibPixels& dib, const BmpParts& parts) {
    EarlyLook look;
    test::BlockWith block(test::MakePackedDib(parts));
    dib.LoadFromClipboardFormat(block.get(), PixelStore(), [&](const DibView& pixels) {
        ++look.calls;
        look.bitCount = pixels.Header().biBitCount;
        look.drawn = Drawn(pixels);
    });
    return look;
}

BmpParts Masked(int bitCount, std::int32_t height, std::vector<std::uint32_t> masks) {
    BmpParts p = test::PlainPicture(7, height, bitCount);
    p.compression = masks.empty() ? kBiRgb : kBiBitfields;
    p.masks = std::move(masks);
    return p;
}

TEST(PixelsChecked, SixteenAndThirtyTwoBitPicturesAreSeenBeforeConversionAsTheyLookAfter) {
    struct Case {
        std::string name;
        BmpParts parts;
    };
    const std::vector<Case> cases = {
        {"16-bit 5-5-5", Masked(16, 5, {})},
        {"16-bit 5-6-5, top-down", Masked(16, -5, {0xF800, 0x07E0, 0x001F})},
        {"16-bit 4-bit channels, shifted left", Masked(16, 4, {0x0F00, 0x00F0, 0x000F})},
        {"32-bit 8-8-8", Masked(32, 6, {})},
        {"32-bit 8-8-8, top-down", Masked(32, -6, {})},
        {"32-bit high masks", Masked(32, 3, {0xFF000000, 0x00FF0000, 0x0000FF00})},
        {"32-bit 10-10-10", Masked(32, 3, {0x3FF00000, 0x000FFC00, 0x000003FF})},
        {"32-bit two-bit channels", Masked(32, 2, {0x30, 0x0C, 0x03})},
    };
    for (const Case& c : cases) {
        DibPixels dib;
        const EarlyLook look = LoadLooking(dib, c.parts);
        EXPECT_EQ(look.calls, 1) << c.name;
        EXPECT_EQ(look.bitCount, c.parts.bitCount) << c.name;  // the block's own pixels
        EXPECT_EQ(dib.Image.Header.biBitCount, 24) << c.name;
        EXPECT_EQ(look.drawn, Drawn(dib.Image)) << c.name;
        // Not every pixel one colour: the comparison tells pictures apart.
        EXPECT_NE(std::count(look.drawn.begin(), look.drawn.end(), look.drawn.front()),
                  static_cast<std::ptrdiff_t>(look.drawn.size()))
            << c.name;
    }
}

TEST(PixelsChecked, OtherPicturesAreSeenOnceCopied) {
    for (const BmpParts& parts : {test::PlainPicture(5, 3, 24), test::PlainPicture(6, -4, 8, 256),
                                  test::PlainPicture(9, 2, 1, 2), test::PlainPicture(3, 3, 4, 16)}) {
        DibPixels dib;
        const EarlyLook look = LoadLooking(dib, parts);
        EXPECT_EQ(look.calls, 1) << parts.bitCount;
        EXPECT_EQ(look.bitCount, parts.bitCount);
        EXPECT_EQ(look.drawn, Drawn(dib.Image)) << parts.bitCount;
    }
}

TEST(PixelsChecked, APictureTheReaderRefusesIsNeverSeen) {
    BmpParts zeroMask = Masked(32, 2, {0xFF0000, 0, 0xFF});
    BmpParts cutOff = Masked(32, 4, {});
    cutOff.pixels.resize(cutOff.pixels.size() - 1);
    BmpParts jpeg = Masked(32, 2, {});
    jpeg.compression = 4;
    for (const BmpParts& parts : {zeroMask, cutOff, jpeg}) {
        DibPixels dib;
        int calls = 0;
        test::BlockWith block(test::MakePackedDib(parts));
        EXPECT_THROW(dib.LoadFromClipboardFormat(block.get(), PixelStore(), [&](const DibView&) { ++calls; }),
                     InvalidDibError);
        EXPECT_EQ(calls, 0);
    }
}

}  // namespace
}  // namespace lumeret
