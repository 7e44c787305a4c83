#include "dib/dib_pixels.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <tuple>
#include <type_traits>

#include "bmp_builder.h"
#include "dib/dib_errors.h"

namespace lumeret {
namespace {

using test::BmpParts;
using test::Bytes;
using test::ExpectError;
using test::Le32;
using test::MakeBmp;
using test::MakePackedDib;

std::vector<std::uint8_t> Save(const DibPixels& dib) {
    MemoryStream out;
    dib.SaveToStream(out);
    return out.Bytes();
}

void Load(DibPixels& dib, const std::vector<std::uint8_t>& bytes) {
    MemoryStream in(bytes);
    dib.LoadFromStream(in);
}

void LoadBlock(DibPixels& dib, const std::vector<std::uint8_t>& bytes) {
    test::BlockWith block(bytes);
    dib.LoadFromClipboardFormat(block.get());
}

std::vector<std::uint8_t> Pixels(const DibPixels& dib) {
    return {dib.Image.Store.Bits(), dib.Image.Store.Bits() + dib.Image.Store.Size()};
}

BmpParts Gray8(std::int32_t width, std::int32_t height) {
    BmpParts p;
    p.width = width;
    p.height = height;
    p.bitCount = 8;
    p.clrUsed = 0;
    for (int i = 0; i < 256; ++i) {
        p.colors.insert(p.colors.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i),
                                         static_cast<std::uint8_t>(i), 0});
    }
    const int row = (width + 3) / 4 * 4;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < row; ++x) {
            p.pixels.push_back(static_cast<std::uint8_t>(x < width ? y * 16 + x : 0));
        }
    }
    return p;
}

// A black-and-white picture's header and colours; its pixels are the caller's.
BmpParts BlackAndWhite(std::int32_t width, std::int32_t height) {
    BmpParts p;
    p.width = width;
    p.height = height;
    p.bitCount = 1;
    p.clrUsed = 2;
    p.colors = Bytes({0, 0, 0, 0, 255, 255, 255, 0});
    return p;
}

// A 16-bit image two pixels wide (rows padded to 4 bytes), one row a pixel pair.
BmpParts Sixteen(std::vector<std::uint16_t> pixels, std::int32_t height) {
    BmpParts p;
    p.width = 2;
    p.height = height;
    p.bitCount = 16;
    for (auto v : pixels) {
        test::Put16(p.pixels, v);
    }
    return p;
}

TEST(DibPixels, NewStorageIsOneByOneEightBitWithTwoBlackColours) {
    DibPixels dib;
    EXPECT_EQ(dib.HolderCount(), 0);  // no Dib holds it
    EXPECT_EQ(dib.Width, 1);
    EXPECT_EQ(dib.Height, 1);
    EXPECT_FALSE(dib.Palette);
    EXPECT_EQ(dib.Image.Store.Size(), 4);
    EXPECT_EQ(dib.Image.Header.biBitCount, 8);
    EXPECT_EQ(dib.Image.Header.biClrUsed, 2u);
    EXPECT_EQ(dib.Image.Header.biSizeImage, 0u);
    EXPECT_TRUE(dib.PaletteModified);
}

TEST(DibPixels, SavingFreshStorageWrites66Bytes) {
    DibPixels dib;
    auto bytes = Save(dib);
    ASSERT_EQ(bytes.size(), 66u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(Le32(bytes, 2), 66u);   // bfSize
    EXPECT_EQ(Le32(bytes, 6), 0u);    // both reserved words
    EXPECT_EQ(Le32(bytes, 10), 62u);  // bfOffBits
    EXPECT_EQ(Le32(bytes, 14), 40u);
    EXPECT_EQ(Le32(bytes, 18), 1u);
    EXPECT_EQ(Le32(bytes, 22), 1u);
    EXPECT_EQ(bytes[26] | bytes[27] << 8, 1);  // planes
    EXPECT_EQ(bytes[28] | bytes[29] << 8, 8);  // bit count
    EXPECT_EQ(Le32(bytes, 46), 2u);            // biClrUsed
    for (std::size_t i = 54; i < 66; ++i) {
        EXPECT_EQ(bytes[i], 0) << i;  // two black entries, four zero pixel bytes
    }
}

TEST(DibPixels, StreamWithoutBmFailsNamingLoadFromFile) {
    DibPixels dib;
    std::vector<std::uint8_t> text(64, 'a');
    ExpectError<InvalidDibFileError>([&] { Load(dib, text); },
                                      "TVyInternalDIB.LoadFromFile: File type is invalid");
}

TEST(DibPixels, UnsupportedBitCountsFailWithTheMisspeltMessage) {
    for (std::uint16_t bits : {0, 2, 3, 64}) {
        BmpParts p;
        p.bitCount = bits;
        p.pixels.assign(8, 0);
        DibPixels dib;
        ExpectError<InvalidDibError>([&] { Load(dib, MakeBmp(p)); },
                                      "TVyInternalDIB.LoadFromStream: Invalid BitCout");
    }
    for (std::uint16_t bits : {16, 32}) {
        BmpParts p;
        p.headerSize = 12;
        p.bitCount = bits;
        p.pixels.assign(8, 0);
        DibPixels dib;
        ExpectError<InvalidDibError>([&] { Load(dib, MakeBmp(p)); },
                                      "TVyInternalDIB.LoadFromStream: Invalid BitCout");
    }
}

TEST(DibPixels, HeaderSizesOtherThan40Or12AreRefused) {
    for (std::uint32_t size : {108u, 124u, 0u, 64u}) {
        BmpParts p;
        p.headerSize = size;
        p.pixels.assign(4, 0);
        DibPixels dib;
        ExpectError<InvalidDibError>([&] { Load(dib, MakeBmp(p)); },
                                      "TVyInternalDIB.LoadFromStream: Invalid Bitmap Header Size");
    }
}

TEST(DibPixels, EightBitWithoutColourCountReads256EntriesAndSavesAt1078) {
    DibPixels dib;
    BmpParts p = Gray8(3, 2);
    Load(dib, MakeBmp(p));
    EXPECT_EQ(dib.Image.Header.biClrUsed, 256u);
    EXPECT_EQ(dib.Image.Colors[200].rgbRed, 200);
    EXPECT_EQ(dib.Width, 3);
    EXPECT_EQ(dib.Height, 2);
    EXPECT_EQ(Pixels(dib), p.pixels);
    auto saved = Save(dib);
    EXPECT_EQ(Le32(saved, 10), 1078u);
    EXPECT_EQ(Le32(saved, 2), 1078u + 8u);
    EXPECT_EQ(saved.size(), 1086u);
}

TEST(DibPixels, PixelsAreTakenToFollowTheTableWhateverBfOffBitsSays) {
    BmpParts p = Gray8(4, 1);
    p.gap = 8;  // bfOffBits points past 8 filler bytes
    DibPixels dib;
    Load(dib, MakeBmp(p));
    // The store comes from bfSize: the gap and then the pixels, 12 bytes.
    ASSERT_EQ(dib.Image.Store.Size(), 12);
    EXPECT_EQ(dib.Image.Store.Bits()[0], 0xEE);
    EXPECT_EQ(dib.Image.Store.Bits()[8], p.pixels[0]);
}

TEST(DibPixels, MaskShiftBringsTheHighestBitToBit7) {
    EXPECT_EQ(MaskShift(0x7C00), 7);
    EXPECT_EQ(MaskShift(0x03E0), 2);
    EXPECT_EQ(MaskShift(0x001F), -3);
    EXPECT_EQ(MaskShift(0xF800), 8);
    EXPECT_EQ(MaskShift(0x07E0), 3);
    EXPECT_EQ(MaskShift(0x00FF0000), 16);
    EXPECT_EQ(MaskShift(0xFF000000), 24);
    EXPECT_EQ(MaskShift(0x80), 0);
    EXPECT_EQ(MaskShift(0x1), -7);
    EXPECT_EQ(MaskShift(0), 0);
}

TEST(DibPixels, NumColorsCountsOnlyPaletteImages) {
    EXPECT_EQ(NumColors(1), 2);
    EXPECT_EQ(NumColors(4), 16);
    EXPECT_EQ(NumColors(8), 256);
    for (int bits : {0, 2, 16, 24, 32}) {
        EXPECT_EQ(NumColors(bits), 0) << bits;
    }
}

TEST(DibPixels, SixteenBitRgbIsConvertedWithFiveFiveFiveMasks) {
    DibPixels dib;
    Load(dib, MakeBmp(Sixteen({0x1234, 0x7FFF, 0x0000, 0xFFFF}, 2)));
    const auto& h = dib.Image.Header;
    EXPECT_EQ(h.biBitCount, 24);
    EXPECT_EQ(h.biCompression, 0u);
    EXPECT_EQ(h.biSizeImage, 0u);
    ASSERT_EQ(dib.Image.Store.Size(), 16);  // rows of 6 bytes padded to 8
    auto px = Pixels(dib);
    // Target bytes are blue, green, red: 0x1234 is red 0x20, green 0x88, blue 0xA0.
    EXPECT_EQ(px[0], 0xA0);
    EXPECT_EQ(px[1], 0x88);
    EXPECT_EQ(px[2], 0x20);
    // 0x7FFF: 0xF8 in each channel, the low bits are not filled in.
    EXPECT_EQ(px[3], 0xF8);
    EXPECT_EQ(px[4], 0xF8);
    EXPECT_EQ(px[5], 0xF8);
    EXPECT_EQ(px[6], 0);  // padding cleared
    EXPECT_EQ(px[7], 0);
    EXPECT_EQ(px[8], 0);
    // 0xFFFF: the top bit is outside every 5-5-5 mask.
    EXPECT_EQ(px[11], 0xF8);
}

TEST(DibPixels, SixteenBitBitfieldsFiveSixFiveUseShifts8And3AndMinus3) {
    BmpParts p = Sixteen({0xF800, 0x07E0, 0x001F, 0x0821}, 2);
    p.compression = 3;
    p.masks = {0xF800, 0x07E0, 0x001F};
    p.clrUsed = 2;
    p.colors = Bytes({1, 2, 3, 0, 4, 5, 6, 0});  // a table behind the masks
    DibPixels dib;
    Load(dib, MakeBmp(p));
    auto px = Pixels(dib);
    EXPECT_EQ(std::vector<std::uint8_t>(px.begin(), px.begin() + 6), Bytes({0, 0, 0xF8, 0, 0xFC, 0}));
    EXPECT_EQ(std::vector<std::uint8_t>(px.begin() + 8, px.begin() + 14), Bytes({0xF8, 0, 0, 0x08, 0x04, 0x08}));
    // The table moved down behind the header and stays with the 24-bit image.
    EXPECT_EQ(dib.Image.Header.biClrUsed, 2u);
    EXPECT_EQ(dib.Image.Header.biCompression, 0u);
    EXPECT_EQ(dib.Image.Colors[0].rgbBlue, 1);
    EXPECT_EQ(dib.Image.Colors[1].rgbRed, 6);
}

TEST(DibPixels, ThirtyTwoBitDefaultAndHighMasks) {
    BmpParts p;
    p.width = 1;
    p.height = 1;
    p.bitCount = 32;
    p.pixels = Bytes({0x11, 0x22, 0x33, 0x44});
    DibPixels dib;
    Load(dib, MakeBmp(p));
    EXPECT_EQ(Pixels(dib), Bytes({0x11, 0x22, 0x33, 0}));

    p.compression = 3;
    p.masks = {0xFF000000, 0x00FF0000, 0x0000FF00};
    Load(dib, MakeBmp(p));
    EXPECT_EQ(Pixels(dib), Bytes({0x22, 0x33, 0x44, 0}));
}

TEST(DibPixels, ZeroMaskIsRefusedByBothReaders) {
    BmpParts p = Sixteen({1, 2}, 1);
    p.compression = 3;
    p.masks = {0xF800, 0, 0x001F};
    DibPixels dib;
    ExpectError<InvalidDibError>([&] { Load(dib, MakeBmp(p)); },
                                  "TVyInternalDIB.LoadFromStream: Invalid Masks");
    ExpectError<InvalidDibError>([&] { LoadBlock(dib, MakePackedDib(p)); },
                                  "TVyInternalDIB.LoadFromStream: Invalid Masks");
}

TEST(DibPixels, CoreHeaderBecomesInfoHeaderWith256Entries) {
    BmpParts p;
    p.headerSize = 12;
    p.width = 2;
    p.height = 1;
    p.bitCount = 8;
    for (int i = 0; i < 256; ++i) {
        p.colors.insert(p.colors.end(), {static_cast<std::uint8_t>(i), 7, 9});
    }
    p.pixels = Bytes({5, 6, 0, 0});
    DibPixels dib;
    Load(dib, MakeBmp(p));
    const auto& h = dib.Image.Header;
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 2);
    EXPECT_EQ(h.biHeight, 1);
    EXPECT_EQ(h.biClrUsed, 256u);
    EXPECT_EQ(dib.Image.Colors[5].rgbBlue, 5);
    EXPECT_EQ(dib.Image.Colors[5].rgbGreen, 7);
    EXPECT_EQ(dib.Image.Colors[5].rgbRed, 9);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(dib.Image.Colors[i].rgbReserved, 0);
    }
    EXPECT_EQ(Pixels(dib), p.pixels);
    auto saved = Save(dib);
    EXPECT_EQ(Le32(saved, 14), 40u);
    EXPECT_EQ(Le32(saved, 10), 1078u);
}

TEST(DibPixels, CoreHeaderWidthAndHeightAreUnsigned) {
    DibImage image;
    auto core = MakePackedDib([] {
        BmpParts p;
        p.headerSize = 12;
        p.width = 0xFFFF;
        p.height = 0x8000;
        p.bitCount = 1;
        p.colors = Bytes({1, 2, 3, 4, 5, 6});
        return p;
    }());
    std::memcpy(&image.Header, core.data(), core.size());
    CoreToInfoHeader(image);
    EXPECT_EQ(image.Header.biWidth, 0xFFFF);
    EXPECT_EQ(image.Header.biHeight, 0x8000);
    EXPECT_EQ(image.Header.biClrUsed, 2u);
    EXPECT_EQ(image.Colors[1].rgbBlue, 4);
    EXPECT_EQ(image.Colors[1].rgbRed, 6);
    EXPECT_EQ(image.Colors[1].rgbReserved, 0);
}

TEST(DibPixels, RunLengthDataIsStoredAndSavedUnchanged) {
    BmpParts p = Gray8(4, 2);
    p.compression = 1;
    p.pixels = Bytes({4, 9, 0, 0, 2, 1, 2, 3, 0, 1});
    p.sizeImage = static_cast<std::uint32_t>(p.pixels.size());
    p.clrUsed = 256;
    auto file = MakeBmp(p);
    DibPixels dib;
    Load(dib, file);
    EXPECT_EQ(dib.Image.Header.biCompression, 1u);
    EXPECT_EQ(Pixels(dib), p.pixels);
    EXPECT_EQ(Save(dib), file);
}

// --- Run-length streams are checked run by run before anything draws them ---

BmpParts RunLength8(std::int32_t width, std::int32_t height, std::vector<std::uint8_t> stream) {
    BmpParts p = Gray8(width, height);
    p.compression = 1;
    p.clrUsed = 256;
    p.pixels = std::move(stream);
    p.sizeImage = static_cast<std::uint32_t>(p.pixels.size());
    return p;
}

// Both readers refuse the stream with the fault named.
void ExpectRunLengthRefused(const BmpParts& p, const std::string& fault) {
    DibPixels dib;
    ExpectError<InvalidDibError>([&] { Load(dib, MakeBmp(p)); }, "TVyInternalDIB.LoadFromStream: " + fault);
    ExpectError<InvalidDibError>([&] { LoadBlock(dib, MakePackedDib(p)); },
                                  "TVyInternalDIB.LoadFromClipboardFormat: " + fault);
    EXPECT_EQ(dib.Width, 1);  // the default picture stays
}

TEST(DibPixels, RunLengthRunsMayFillTheRowsPaddingButNoFurther) {
    // 6 pixels wide: the stored row has 8.
    DibPixels dib;
    Load(dib, MakeBmp(RunLength8(6, 1, Bytes({8, 7, 0, 1}))));
    LoadBlock(dib, MakePackedDib(RunLength8(6, 1, Bytes({5, 7, 0, 3, 1, 2, 3, 0, 0, 1}))));
    ExpectRunLengthRefused(RunLength8(6, 1, Bytes({9, 7, 0, 1})), "Run Outside Picture");
    ExpectRunLengthRefused(RunLength8(6, 1, Bytes({4, 7, 0, 5, 1, 2, 3, 4, 5, 0})), "Run Outside Picture");
    ExpectRunLengthRefused(RunLength8(6, 1, Bytes({0, 2, 9, 0, 1, 1})), "Run Outside Picture");
}

TEST(DibPixels, RunLengthRowsBeyondThePictureAreRefused) {
    DibPixels dib;
    // An end of line after the last row, then the end mark: as writers do.
    Load(dib, MakeBmp(RunLength8(4, 2, Bytes({4, 1, 0, 0, 4, 2, 0, 0, 0, 1}))));
    ExpectRunLengthRefused(RunLength8(4, 2, Bytes({0, 0, 0, 0, 1, 1})), "Run Outside Picture");
    ExpectRunLengthRefused(RunLength8(4, 2, Bytes({0, 0, 0, 0, 0, 0})), "Run Outside Picture");
    ExpectRunLengthRefused(RunLength8(4, 2, Bytes({0, 2, 0, 2, 1, 1})), "Run Outside Picture");
    ExpectRunLengthRefused(RunLength8(4, 2, Bytes({0, 2, 0, 1, 0, 0, 0, 3, 1, 2, 3, 0})), "Run Outside Picture");
}

TEST(DibPixels, RunLengthStreamsCutOffInsideARunAreRefused) {
    ExpectRunLengthRefused(RunLength8(8, 1, Bytes({0, 5, 1, 2})), "Run-Length Data Cut Off");
    ExpectRunLengthRefused(RunLength8(8, 1, Bytes({0, 2, 1})), "Run-Length Data Cut Off");
    ExpectRunLengthRefused(RunLength8(8, 1, Bytes({2, 1, 0})), "Run-Length Data Cut Off");
    // Four-bit absolute runs hold two pixels a byte.
    BmpParts four = RunLength8(8, 1, Bytes({0, 5, 0x12, 0x34}));
    four.bitCount = 4;
    four.compression = 2;
    four.clrUsed = 16;
    four.colors.resize(64);
    ExpectRunLengthRefused(four, "Run-Length Data Cut Off");
}

TEST(DibPixels, RunLengthStreamWithoutEndMarkIsRead) {
    DibPixels dib;
    LoadBlock(dib, MakePackedDib(RunLength8(4, 2, Bytes({4, 1, 0, 0, 2, 2}))));
    EXPECT_EQ(dib.Image.Header.biCompression, 1u);
}

// The check reads the stream GDI would draw, biSizeImage bytes, even when
// the block carries more.
TEST(DibPixels, RunLengthCheckReadsTheDeclaredStream) {
    BmpParts p = RunLength8(4, 1, Bytes({4, 1, 0, 0, 0, 0, 0, 0}));
    p.sizeImage = 4;
    DibPixels dib;
    LoadBlock(dib, MakePackedDib(p));
    p.sizeImage = 8;  // the second end of line now counts, past the one row
    ExpectRunLengthRefused(p, "Run Outside Picture");
}

TEST(DibPixels, TopDownRunLengthIsRefused) {
    ExpectRunLengthRefused(RunLength8(4, -1, Bytes({4, 1, 0, 1})), "Invalid Compression");
}

TEST(DibPixels, TopDownEightBitKeepsNegativeHeight) {
    BmpParts p = Gray8(2, -3);
    p.pixels.assign(12, 0);
    p.pixels[0] = 42;
    DibPixels dib;
    Load(dib, MakeBmp(p));
    EXPECT_EQ(dib.Height, 3);
    EXPECT_EQ(dib.Image.Header.biHeight, -3);
    auto saved = Save(dib);
    EXPECT_EQ(static_cast<std::int32_t>(Le32(saved, 22)), -3);
    EXPECT_EQ(saved[1078], 42);
}

TEST(DibPixels, TopDownSixteenBitIsConvertedKeepingRowOrder) {
    DibPixels dib;
    Load(dib, MakeBmp(Sixteen({0x7C00, 0x7C00, 0x001F, 0x001F}, -2)));
    EXPECT_EQ(dib.Height, 2);
    EXPECT_EQ(dib.Image.Header.biHeight, -2);
    auto px = Pixels(dib);
    EXPECT_EQ(px[2], 0xF8);  // first stored row red, as in the input
    EXPECT_EQ(px[8], 0xF8);  // second blue
}

TEST(DibPixels, ShortBfSizeGetsAFullSizeStoreWithZeroTail) {
    BmpParts p = Gray8(4, 2);
    p.bfSize = 14 + 40 + 1024 + 4;  // one row of two declared
    DibPixels dib;
    Load(dib, MakeBmp(p));
    ASSERT_EQ(dib.Image.Store.Size(), 8);
    EXPECT_EQ(Pixels(dib), Bytes({0, 1, 2, 3, 0, 0, 0, 0}));

    p.bfSize = 10;  // less than the headers themselves
    Load(dib, MakeBmp(p));
    EXPECT_EQ(Pixels(dib), Bytes({0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(DibPixels, BfSizeBeyondTheStreamFailsWithReadError) {
    BmpParts p = Gray8(4, 2);
    p.bfSize = 5000;
    DibPixels dib;
    ExpectError<ReadError>([&] { Load(dib, MakeBmp(p)); }, "Stream read error");
}

TEST(DibPixels, TruncatedHeaderFailsWithReadError) {
    auto file = MakeBmp(Gray8(4, 2));
    file.resize(30);
    DibPixels dib;
    ExpectError<ReadError>([&] { Load(dib, file); }, "Stream read error");
}

TEST(DibPixels, FailedReadLeavesTheStorageAsItWas) {
    DibPixels dib;
    Load(dib, MakeBmp(Gray8(3, 2)));
    auto before = Save(dib);
    auto broken = MakeBmp(Gray8(5, 5));
    broken.resize(broken.size() - 1);
    EXPECT_THROW(Load(dib, broken), ReadError);
    EXPECT_EQ(Save(dib), before);
    EXPECT_EQ(dib.Width, 3);
}

TEST(DibPixels, MoreThan256ColoursAreRefused) {
    BmpParts p = Gray8(1, 1);
    p.clrUsed = 257;
    DibPixels dib;
    ExpectError<InvalidDibError>([&] { Load(dib, MakeBmp(p)); },
                                  "TVyInternalDIB.LoadFromStream: Too Many Colors");
    p.clrUsed = 0xFFFFFFFF;
    ExpectError<InvalidDibError>([&] { LoadBlock(dib, MakePackedDib(p)); },
                                  "TVyInternalDIB.LoadFromClipboardFormat: Too Many Colors");
}

TEST(DibPixels, NonsensicalSizesAreRefused) {
    for (auto [w, h] : {std::pair{0, 1}, {-4, 1}, {4, 0}, {1, std::numeric_limits<std::int32_t>::min()}}) {
        BmpParts p = Gray8(1, 1);
        p.width = w;
        p.height = h;
        DibPixels dib;
        ExpectError<InvalidDibError>([&] { Load(dib, MakeBmp(p)); },
                                      "TVyInternalDIB.LoadFromStream: Invalid Image Size");
    }
}

TEST(DibPixels, SizesBeyond32BitsAreRefusedBeforeAnyStoreIsMade) {
    for (std::uint16_t bits : {8, 24, 32}) {
        BmpParts p = Gray8(1, 1);
        p.bitCount = bits;
        p.width = 0x10000;
        p.height = 0x10000;
        DibPixels dib;
        ExpectError<PictureTooLargeError>(
            [&] { Load(dib, MakeBmp(p)); }, "TVyInternalDIB.LoadFromStream: Picture Too Large (65536 x 65536 pixels)");
        ExpectError<PictureTooLargeError>(
            [&] { LoadBlock(dib, MakePackedDib(p)); },
            "TVyInternalDIB.LoadFromClipboardFormat: Picture Too Large (65536 x 65536 pixels)");
    }
}

// The limit is 640 MiB in the depth the picture is kept in: 20000 x 10000
// takes 25,000,000 bytes in 1 bit and is read; in 24 bits 20000 x 11185 would
// take 671,100,000 and is refused on its header alone (its block holds no
// pixels), and so are pictures of fewer bits whose rows reach as far.
TEST(DibPixels, PicturesBeyondTheLimitAreRefusedOnTheHeader) {
    BmpParts p = BlackAndWhite(20000, 10000);
    p.pixels.assign(2500u * 10000u, 0x55);
    DibPixels dib;
    LoadBlock(dib, MakePackedDib(p));
    EXPECT_EQ(dib.Width, 20000);
    EXPECT_EQ(dib.Height, 10000);

    p.pixels.clear();
    // Found by fuzzing: 0x7FFFFFFF x 0x7FFFFFFF overflowed the size's own check.
    for (auto [w, h, bits] : {std::tuple{20000, 11185, 24}, {20000, -11185, 24}, {11185, 20000, 16},
                              {20000, 33555, 8}, {20000, 268436, 1}, {0x7FFFFFFF, 1, 24},
                              {1, 0x7FFFFFFF, 32}, {0x7FFFFFFF, 0x7FFFFFFF, 24}, {0x7FFFFFFF, -0x7FFFFFFF, 8}}) {
        p.width = w;
        p.height = h;
        p.bitCount = static_cast<std::uint16_t>(bits);
        p.clrUsed = 0;
        p.colors.assign(4u * static_cast<std::size_t>(NumColors(bits)), 0);
        try {
            LoadBlock(dib, MakePackedDib(p));
            ADD_FAILURE() << w << " x " << h << " was read";
        } catch (const PictureTooLargeError& e) {
            EXPECT_EQ(e.Width(), w);
            EXPECT_EQ(e.Height(), std::abs(h));
        }
        EXPECT_THROW(Load(dib, MakeBmp(p)), PictureTooLargeError);
    }
    EXPECT_EQ(dib.Width, 20000);  // refusals leave the picture read before
}

// A black-and-white scan of an A3 page at 1200 dpi, 14032 x 19843 pixels, is
// kept as it comes, one bit a pixel: 34.8 MB, far within what the program
// takes in, and read from a file and from the clipboard alike.
TEST(DibPixels, LargeMonochromeScansAreReadAtTheirOwnDepth) {
    BmpParts p = BlackAndWhite(14032, 19843);
    const std::int32_t size = 1756 * 19843;  // rows of 14032 bits padded to 1756 bytes
    p.pixels.assign(static_cast<std::size_t>(size), 0x0F);
    DibPixels fromBlock;
    LoadBlock(fromBlock, MakePackedDib(p));
    EXPECT_EQ(fromBlock.Width, 14032);
    EXPECT_EQ(fromBlock.Height, 19843);
    EXPECT_EQ(fromBlock.Image.Store.Size(), size);
    DibPixels fromFile;
    Load(fromFile, MakeBmp(p));
    EXPECT_EQ(fromFile.Image.Header.biBitCount, 1);
    EXPECT_EQ(fromFile.Image.Store.Size(), size);
}

TEST(DibPixels, SixteenBitWithMasksFromNowhereIsRefused) {
    BmpParts p = Sixteen({1, 2}, 1);
    p.compression = 2;
    DibPixels dib;
    ExpectError<InvalidDibError>([&] { Load(dib, MakeBmp(p)); },
                                  "TVyInternalDIB.LoadFromStream: Invalid Compression");
}

TEST(DibPixels, CompressionsGdiCannotBoundAreRefused) {
    BmpParts p = Gray8(4, 1);
    p.compression = 4;  // a JPEG stream
    DibPixels dib;
    ExpectError<InvalidDibError>([&] { Load(dib, MakeBmp(p)); },
                                  "TVyInternalDIB.LoadFromStream: Invalid Compression");
    p.compression = 1;  // run-length data without its length
    p.sizeImage = 0;
    ExpectError<InvalidDibError>([&] { Load(dib, MakeBmp(p)); },
                                  "TVyInternalDIB.LoadFromStream: Invalid Compressed Size");
}

TEST(DibPixels, ClipboardHeaderSizeOtherThan40Or12IsInvalidData) {
    BmpParts p = Gray8(1, 1);
    p.headerSize = 108;
    DibPixels dib;
    ExpectError<InvalidDibError>([&] { LoadBlock(dib, MakePackedDib(p)); },
                                  "TVyDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
}

TEST(DibPixels, ClipboardBitCount2IsInvalidBiBitCount) {
    BmpParts p;
    p.bitCount = 2;
    p.pixels.assign(4, 0);
    DibPixels dib;
    ExpectError<InvalidDibError>([&] { LoadBlock(dib, MakePackedDib(p)); },
                                  "TVyInternalDIB.LoadFromStream: Invalid biBitCount");
}

TEST(DibPixels, ClipboardBlockTooShortForItsRowsIsRefused) {
    BmpParts p = Gray8(4, 2);
    auto packed = MakePackedDib(p);
    DibPixels dib;
    for (std::size_t cut : {1u, 8u, 1024u, 1060u, 1070u}) {
        std::vector<std::uint8_t> shorter(packed.begin(), packed.end() - static_cast<std::ptrdiff_t>(cut));
        ExpectError<InvalidDibError>([&] { LoadBlock(dib, shorter); },
                                      "TVyInternalDIB.LoadFromClipboardFormat: Clipboard Data Too Short");
    }
    ExpectError<InvalidDibError>([&] { LoadBlock(dib, Bytes({40, 0})); },
                                  "TVyInternalDIB.LoadFromClipboardFormat: Clipboard Data Too Short");
    BmpParts sixteen = Sixteen({1, 2, 3, 4}, 2);
    auto packed16 = MakePackedDib(sixteen);
    packed16.pop_back();
    ExpectError<InvalidDibError>([&] { LoadBlock(dib, packed16); },
                                  "TVyInternalDIB.LoadFromClipboardFormat: Clipboard Data Too Short");
}

TEST(DibPixels, ClipboardStoreRunsToTheEndOfTheBlock) {
    BmpParts p = Gray8(4, 1);
    p.pixels = Bytes({1, 2, 3, 4, 5, 6});  // two bytes more than the row
    DibPixels dib;
    LoadBlock(dib, MakePackedDib(p));
    EXPECT_EQ(Pixels(dib), p.pixels);
    EXPECT_EQ(dib.Image.Header.biClrUsed, 256u);
}

TEST(DibPixels, ClipboardReadsCoreHeadersAndConvertsSixteenBits) {
    BmpParts core;
    core.headerSize = 12;
    core.width = 3;
    core.height = 1;
    core.bitCount = 1;
    core.colors = Bytes({0, 0, 0, 255, 255, 255});
    core.pixels = Bytes({0xA0, 0, 0, 0});
    DibPixels dib;
    LoadBlock(dib, MakePackedDib(core));
    EXPECT_EQ(dib.Image.Header.biSize, 40u);
    EXPECT_EQ(dib.Image.Header.biClrUsed, 2u);
    EXPECT_EQ(dib.Image.Colors[1].rgbGreen, 255);
    EXPECT_EQ(Pixels(dib), core.pixels);

    BmpParts p = Sixteen({0x1234, 0x7FFF}, 1);
    p.compression = 3;
    p.masks = {0x7C00, 0x03E0, 0x001F};
    LoadBlock(dib, MakePackedDib(p));
    EXPECT_EQ(Pixels(dib), Bytes({0xA0, 0x88, 0x20, 0xF8, 0xF8, 0xF8, 0, 0}));
}

TEST(DibPixels, SaveToClipboardFormatOfEightBitsIsHeaderColoursAndPixels) {
    DibPixels dib;
    Load(dib, MakeBmp(Gray8(3, 2)));
    GlobalHandle block = nullptr;
    dib.SaveToClipboardFormat(block);
    UniqueGlobal owner(block);
    auto bytes = test::BlockBytes(block);
    ASSERT_EQ(bytes.size(), 1064u + 8u);
    EXPECT_EQ(Le32(bytes, 0), 40u);
    EXPECT_EQ(Le32(bytes, 32), 256u);
    EXPECT_EQ(bytes[40 + 4 * 7], 7);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 1064, bytes.end()), Pixels(dib));

    DibPixels back;
    back.LoadFromClipboardFormat(block);
    EXPECT_EQ(Save(back), Save(dib));
}

TEST(DibPixels, MakePaletteOfTwentyFourBitsWithoutTableIsNone) {
    BmpParts p;
    p.pixels.assign(4, 0);
    DibPixels dib;
    Load(dib, MakeBmp(p));
    EXPECT_FALSE(dib.MakePalette());

    Load(dib, MakeBmp(Gray8(2, 2)));
    const UniquePalette palette = dib.MakePalette();
    ASSERT_TRUE(palette);
    EXPECT_EQ(PaletteSize(palette.get()), 256u);
    PaletteEntry entry{};
    ASSERT_EQ(PaletteGetEntries(palette.get(), 9, 1, &entry), 1u);
    EXPECT_EQ(entry.red, 9);
}

TEST(DibPixels, ANewImageRefusesParametersOutOfRange) {
    struct Case {
        std::int32_t w, h, bits, colors;
    };
    for (Case c : {Case{0, 1, 8, 0}, {1, 0, 8, 0}, {1, 1, 8, 257}, {1, 1, 16, 0}, {1, 1, 32, 0},
                   {-1, 1, 8, 0}, {1, 1, 8, -1}, {0x7FFFFFFF, 2, 24, 0}, {0x10000, 0x10000, 8, 0}}) {
        ExpectError<InvalidDibParameterError>([&] { DibPixels dib(c.w, c.h, c.bits, c.colors); },
                                          "TVyInternalDIB.CreateDIB: Invalid Parameters");
    }
}

TEST(DibPixels, ANewImageWithNegativeHeightIsTopDownZeroedAndBlack) {
    const DibPixels dib(5, -3, 4, 16);
    EXPECT_EQ(dib.Width, 5);
    EXPECT_EQ(dib.Height, 3);
    const BitmapInfoHeader& h = dib.Image.Header;
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biHeight, -3);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 4);
    EXPECT_EQ(h.biCompression, 0u);
    EXPECT_EQ(h.biSizeImage, 0u);
    EXPECT_EQ(h.biClrUsed, 16u);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(dib.Image.Colors[i].rgbRed | dib.Image.Colors[i].rgbGreen | dib.Image.Colors[i].rgbBlue, 0);
    }
    EXPECT_EQ(dib.Image.Store.Size(), 12);
    EXPECT_EQ(Pixels(dib), std::vector<std::uint8_t>(12, 0));
    EXPECT_TRUE(dib.PaletteModified);
}

TEST(DibPixels, ACopyHoldsTheImageInAStoreOfItsOwnAndMakesItsPaletteAnew) {
    DibPixels dib;
    Load(dib, MakeBmp(Gray8(3, 2)));
    dib.Palette = dib.MakePalette();
    const DibPixels copy(dib);
    EXPECT_EQ(Save(copy), Save(dib));
    EXPECT_NE(copy.Image.Store.Bits(), dib.Image.Store.Bits());
    EXPECT_EQ(copy.Width, 3);
    EXPECT_EQ(copy.Height, 2);
    EXPECT_FALSE(copy.Palette);
    EXPECT_TRUE(copy.PaletteModified);
    static_assert(!std::is_convertible_v<const DibPixels&, DibPixels>, "copies are made on purpose only");
}

TEST(DibPixels, DropPaletteNeedsASoleHolderAndDeletesThePalette) {
    auto dib = std::make_shared<DibPixels>();
    dib->Palette = dib->MakePalette();
    const PaletteHandle made = dib->Palette.get();
    dib->PaletteModified = false;
    dib->DropPalette();
    EXPECT_FALSE(dib->Palette);
    EXPECT_EQ(PaletteSize(made), 0u);  // deleted, not only forgotten
    EXPECT_TRUE(dib->PaletteModified);
    const auto secondHolder = dib;
    EXPECT_EQ(dib->HolderCount(), 2);
    ExpectError<DibAssertionError>([&] { dib->DropPalette(); }, "TVyInternalDIB.UpdatePalette: RefCount Must be 1");
}

TEST(DibPixels, AReadDeletesThePaletteOfTheImageItReplacesAndAFailedOneKeepsIt) {
    DibPixels dib;
    dib.Palette = dib.MakePalette();
    const PaletteHandle kept = dib.Palette.get();
    auto broken = MakeBmp(Gray8(2, 2));
    broken.pop_back();
    EXPECT_THROW(Load(dib, broken), ReadError);
    EXPECT_EQ(dib.Palette.get(), kept);
    EXPECT_EQ(PaletteSize(kept), 2u);

    Load(dib, MakeBmp(Gray8(2, 2)));
    EXPECT_FALSE(dib.Palette);
    EXPECT_EQ(PaletteSize(kept), 0u);
}

TEST(DibPixels, VeryWideSixteenAndThirtyTwoBitRowsAreReadInPieces) {
    // A row wider than the piece buffer, converted across piece boundaries.
    const std::int32_t width = 40000;
    for (std::uint16_t bits : {16, 32}) {
        BmpParts p;
        p.width = width;
        p.height = 2;
        p.bitCount = bits;
        const std::size_t row = (static_cast<std::size_t>(width) * bits / 8 + 3) / 4 * 4;
        p.pixels.assign(row * 2, 0);
        for (std::size_t r = 0; r < 2; ++r) {
            for (std::int32_t x = 0; x < width; x += 997) {
                p.pixels[r * row + static_cast<std::size_t>(x) * bits / 8] = static_cast<std::uint8_t>(0x1F);
            }
        }
        DibPixels dib;
        Load(dib, MakeBmp(p));
        const std::size_t target = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
        for (std::size_t r = 0; r < 2; ++r) {
            for (std::int32_t x = 0; x < width; ++x) {
                const std::uint8_t blue = dib.Image.Store.Bits()[r * target + static_cast<std::size_t>(x) * 3];
                ASSERT_EQ(blue, x % 997 == 0 ? (bits == 16 ? 0xF8 : 0x1F) : 0) << bits << " " << r << " " << x;
            }
        }
    }
}

TEST(DibPixels, AHugeRowThatTheStreamCannotFillFailsWithReadError) {
    // 64 Mi pixels of 32 bits claim a 256 MiB row; the stream holds 16 bytes.
    BmpParts p;
    p.width = 0x04000000;
    p.height = 1;
    p.bitCount = 32;
    p.pixels.assign(16, 0);
    DibPixels dib;
    ExpectError<ReadError>([&] { Load(dib, MakeBmp(p)); }, "Stream read error");
    EXPECT_EQ(dib.Width, 1);
}

TEST(DibPixels, WritesThatFailRaiseTheStreamsError) {
    DibPixels dib;
    std::uint8_t buffer[66];
    ReadOnlyMemoryStream readOnly(buffer, sizeof(buffer));
    ExpectError<WriteError>([&] { dib.SaveToStream(readOnly); }, "Stream write error");
}

#ifndef _WIN32
TEST(DibPixels, ReadsGiveBackTheStoreTheyDoNotKeep) {
    DibPixels dib;
    Load(dib, MakeBmp(Gray8(3, 2)));
    const std::size_t before = OpenPixelMapCount();
    const auto image = Save(dib);

    // Both fail after their new store was made: pixels the stream does not
    // hold, and 16-bit rows cut short.
    BmpParts beyond = Gray8(4, 2);
    beyond.bfSize = 5000;
    EXPECT_THROW(Load(dib, MakeBmp(beyond)), ReadError);
    auto cut = MakeBmp(Sixteen({1, 2, 3, 4}, 2));
    cut.pop_back();
    EXPECT_THROW(Load(dib, cut), ReadError);
    EXPECT_EQ(OpenPixelMapCount(), before);
    EXPECT_EQ(Save(dib), image);

    // A read that succeeds gives the replaced store back.
    Load(dib, MakeBmp(Gray8(5, 5)));
    LoadBlock(dib, MakePackedDib(Gray8(2, 2)));
    EXPECT_EQ(OpenPixelMapCount(), before);
}
#endif

}  // namespace
}  // namespace lumeret
