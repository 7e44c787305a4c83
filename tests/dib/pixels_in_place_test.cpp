// A BMP file's pixels drawn where they lie must give the picture a load of
// the file gives, pixel for pixel; files whose pixels a load converts, fills
// up or refuses are left to the load.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "dib/bmp_builder.h"
#include "dib/canvas.h"
#include "dib/dib.h"
#include "dib/dib_pixels.h"

namespace lumeret {
namespace {

using test::BmpParts;
using test::PlainPicture;

std::string_view Bytes(const std::vector<std::uint8_t>& file) {
    return {reinterpret_cast<const char*>(file.data()), file.size()};
}

void Load(const std::vector<std::uint8_t>& file, Dib& dib) {
    ReadOnlyMemoryStream stream(file.data(), file.size());
    dib.LoadFromStream(stream);
}

TEST(PixelsInPlace, PlainPicturesAreReadWhereTheyLieAndMatchTheirLoad) {
    struct Case {
        const char* what;
        BmpParts parts;
    };
    std::vector<Case> cases = {
        {"24 bits, bottom-up", PlainPicture(7, 5, 24)},
        {"24 bits, top-down", PlainPicture(6, -4, 24)},
        {"8 bits, 20 colours", PlainPicture(9, 3, 8, 20)},
        {"4 bits, 16 colours", PlainPicture(11, 4, 4, 16)},
        {"1 bit, 2 colours", PlainPicture(19, 3, 1, 2)},
        {"8 bits, core header", PlainPicture(5, 6, 8, 256, 12)},
    };
    BmpParts longer = PlainPicture(4, 4, 24);
    longer.bfSize = 14 + 40 + static_cast<std::uint32_t>(longer.pixels.size()) + 8;
    longer.pixels.resize(longer.pixels.size() + 8, 0x5A);
    cases.push_back({"bfSize beyond the rows", longer});
    BmpParts gap = PlainPicture(3, 3, 24);
    gap.gap = 6;  // the pixels are taken to follow the table, as a load takes them
    cases.push_back({"bfOffBits past a gap", gap});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<std::uint8_t> file = test::MakeBmp(c.parts);
        DibImage meta;
        auto view = PixelsInPlace(Bytes(file), meta);
        ASSERT_TRUE(view.has_value());
        EXPECT_GE(view->Bits, file.data());
        EXPECT_LE(view->Bits + view->Size, file.data() + file.size());

        Dib dib;
        Load(file, dib);
        ASSERT_EQ(view->Width(), dib.GetWidth());
        ASSERT_EQ(view->Height(), dib.GetHeight());
        int differing = 0;
        for (int y = 0; y < dib.GetHeight(); ++y) {
            for (int x = 0; x < dib.GetWidth(); ++x) {
                if (PixelColor(*view, x, y) != PixelColor(dib.Pixels()->Image, x, y)) ++differing;
            }
        }
        EXPECT_EQ(differing, 0);
    }
}

TEST(PixelsInPlace, PicturesTheLoadConvertsFillsOrRefusesAreLeftToIt) {
    BmpParts rle = PlainPicture(4, 2, 8, 4);
    rle.compression = 1;
    rle.pixels = {4, 1, 0, 0, 4, 2, 0, 1};
    rle.sizeImage = static_cast<std::uint32_t>(rle.pixels.size());
    BmpParts shortSize = PlainPicture(4, 4, 24);
    shortSize.bfSize = 14 + 40 + 16;  // a load fills the rest of the rows with zeros
    BmpParts beyondLimit = PlainPicture(1, 1, 24);
    beyondLimit.width = 1 << 20;
    beyondLimit.height = 1 << 20;

    struct Case {
        const char* what;
        std::vector<std::uint8_t> file;
    };
    std::vector<std::uint8_t> cutOff = test::MakeBmp(PlainPicture(8, 8, 24));
    cutOff.resize(cutOff.size() - 1);
    const std::vector<Case> cases = {
        {"32 bits", test::MakeBmp(PlainPicture(3, 3, 32))},
        {"16 bits", test::MakeBmp(PlainPicture(3, 3, 16))},
        {"run-length", test::MakeBmp(rle)},
        {"bfSize short of the rows", test::MakeBmp(shortSize)},
        {"cut off before its pixels end", cutOff},
        {"beyond the size limit", test::MakeBmp(beyondLimit)},
        {"not a BMP file", {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"empty", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DibImage meta;
        EXPECT_FALSE(PixelsInPlace(Bytes(c.file), meta).has_value());
    }
    // The first four load, so the page of such a clip still comes from its load.
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(cases[static_cast<std::size_t>(i)].what);
        Dib dib;
        EXPECT_NO_THROW(Load(cases[static_cast<std::size_t>(i)].file, dib));
    }
}

}  // namespace
}  // namespace lumeret
